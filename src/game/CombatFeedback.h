#pragma once
// What the player sees of the fight beyond the world itself: the hit marker when a shot lands
// (a stronger one on a kill), the enemy lighting up where it was hit, the red vignette and the
// view kick of being hurt, and the muzzle flash. All of it is presentation: it is set off by
// the events of play once the frame's steps are done, fades with the drawn frames, draws from no
// random source and changes nothing in the game.

#include "core/MathTypes.h"
#include "game/GameEvents.h"
#include "physics/PhysicsTypes.h"

#include <vector>

struct Enemy;
class Camera;

class CombatFeedback {
public:
    static CombatFeedback& GetInstance();

    /// Reads `Display.screenFlashes` and `Display.viewKick` and builds both effect programs.
    void Prepare();
    /// Reads both switches again after the settings changed; an effect already showing runs out.
    void ApplySettings();
    /// Clears every effect (a new game starts, or the game ends).
    void Reset();
    /// Sets off what the frame's events call for, in the order they happened.
    void Present(const std::vector<GameEvent>& events);

    /// Where the gun's muzzle is now; the gun tells every step. Without a gun a shot has no flash.
    void SetMuzzle(const Vec3& point) {
        muzzle = point;
        hasGun = true;
    }
    /// The gun fired: the flash at its muzzle.
    void OnShotFired();
    /// A shot damaged an enemy: the hit marker, and the enemy's flash at a point of its own frame
    /// (no flash without the enemy: the shot freed it).
    void OnShotLanded(Enemy* enemy, const Vector3& localPoint);
    /// The enemy is going away: its flash is no longer faded.
    void Forget(const Enemy* enemy);
    /// A shot brought an enemy down: the marker turns into the kill marker.
    void OnEnemyKilled();
    /// The player lost `damage` health to something at `source`.
    void OnPlayerHurt(float damage, const Vec3& source);

    /// Before the scene is drawn: the enemies' flashes to their materials, and the camera's drawn
    /// view tilted by this frame's kick (before the camera's uniforms are set).
    void BeginFrame(Camera& camera);
    /// The muzzle flash, drawn into the scene.
    void DrawInScene();
    /// The vignette and the marker, drawn over the finished picture at the window's resolution.
    void DrawOverScene(const Camera& camera);
    /// Fades every effect by a drawn frame's time (0 while paused). Run after the frame is drawn,
    /// so that an effect set off during a frame shows at full strength in that frame.
    void Advance(float dt);

    /// The hurt side on the screen as seen from `eye` looking along `forward`: x to the right,
    /// y ahead; (0, 0) when the source is straight above or below.
    static Vec2 ScreenDirection(const Vec3& eye, const Vec3& forward, const Vec3& source);

    static constexpr float kMarkerSeconds = 0.15f;
    static constexpr float kKillMarkerSeconds = 0.25f;
    static constexpr float kMuzzleFlashSeconds = 0.06f;
    static constexpr float kHurtSeconds = 0.8f;
    /// The damage that gives the deepest vignette; a contact (10) gives two thirds of it.
    static constexpr float kFullHurtDamage = 15.0f;
    /// The most one drawn frame fades the effects: at a few frames a second a marker would
    /// otherwise be gone after a single frame, or before the first one after the pause key.
    static constexpr float kLongestFade = 0.1f;
    static constexpr float kKickSeconds = 0.3f;
    /// Radians of kick per point of damage, and the most a single hit may kick.
    static constexpr float kKickPerDamage = 0.005f;
    static constexpr float kMaxKick = 0.12f;

    bool screenFlashes = true;
    bool viewKick = true;
    float markerLeft = 0.0f;
    bool markerKill = false;
    float muzzleFlashLeft = 0.0f;
    Vec3 muzzle;
    bool hasGun = false;
    /// Turns each flash's rays a golden angle further than the last one's.
    float muzzleTurn = 0.0f;
    float hurtLeft = 0.0f;
    float hurtStrength = 0.0f;
    Vec3 hurtSource;
    float kickLeft = 0.0f;
    float kickStrength = 0.0f;
    /// The kick of the current frame, as given to the camera.
    float kickPitch = 0.0f;
    float kickYaw = 0.0f;
    /// Enemies whose hit flash is still fading.
    std::vector<Enemy*> flashing;

private:
    CombatFeedback() = default;
    /// Drops the enemies that left the world since the events were last presented (destroyed
    /// outside a frame's update): their flashes are never touched again.
    void ForgetFreed();
};
