#pragma once
// What the player sees of the fight beyond the world itself: the hit marker when a shot lands
// (a stronger one on a kill), the enemy lighting up where it was hit, the red vignette and the
// view kick of being hurt, and the muzzle flash. All of it is presentation: it fades with the
// drawn frames, draws from no random source and changes nothing in the game.

#include "core/MathTypes.h"
#include "physics/PhysicsTypes.h"

struct Enemy;
class Camera;

class CombatFeedback {
public:
    static CombatFeedback& GetInstance();

    /// Reads `Display.screenFlashes` and `Display.viewKick` and builds both effect programs.
    void Prepare();
    /// Clears every effect (a new game starts).
    void Reset();

    /// Where the gun's muzzle is now; the gun tells every step. Without a gun a shot has no flash.
    void SetMuzzle(const Vec3& point) {
        muzzle = point;
        hasGun = true;
    }
    /// The gun fired: the flash at its muzzle.
    void OnShotFired();
    /// A shot damaged an enemy at a world point: the hit marker, and the enemy's flash there.
    void OnShotLanded(Enemy& enemy, const Vector3& point);
    /// A shot brought an enemy down: the marker turns into the kill marker.
    void OnEnemyKilled();
    /// The player lost `damage` health to something at `source`.
    void OnPlayerHurt(float damage, const Vec3& source);

    /// Fades every effect by a drawn frame's time (0 while paused) and sets the camera's kick.
    void BeginFrame(float dt, Camera& camera);
    /// The muzzle flash into the scene, then the vignette and the marker over the picture.
    void Draw(const Camera& camera);

    /// The hurt side on the screen as seen from `eye` looking along `forward`: x to the right,
    /// y ahead; (0, 0) when the source is straight above or below.
    static Vec2 ScreenDirection(const Vec3& eye, const Vec3& forward, const Vec3& source);

    static constexpr float kMarkerSeconds = 0.15f;
    static constexpr float kKillMarkerSeconds = 0.25f;
    static constexpr float kMuzzleFlashSeconds = 0.06f;
    static constexpr float kHurtSeconds = 0.6f;
    /// The damage that gives the deepest vignette; a contact (10) gives half of it.
    static constexpr float kFullHurtDamage = 20.0f;
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

private:
    CombatFeedback() = default;
};
