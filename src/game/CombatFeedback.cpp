#include "game/CombatFeedback.h"

#include "core/ConfigHandler.h"
#include "game/Enemy.h"
#include "game/GameWorld.h"
#include "render/Camera.h"
#include "render/MuzzleFlash.h"
#include "render/ScreenEffects.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kGoldenAngle = 2.3999632f;
constexpr float kSideKickShare = 0.6f;

/// Whether the enemy leaves the world after event `index`: a shot that brings it down, or a fall
/// later in the frame, frees it before the effects are set off.
bool GoneLater(const std::vector<GameEvent>& events, std::size_t index, const Enemy* enemy) {
    for (std::size_t i = index + 1; i < events.size(); ++i)
        if (const auto* gone = std::get_if<EnemyGone>(&events[i]); gone != nullptr && gone->enemy == enemy)
            return true;
    return false;
}
} // namespace

CombatFeedback& CombatFeedback::GetInstance() {
    static CombatFeedback instance;
    return instance;
}

void CombatFeedback::Prepare() {
    ApplySettings();
    ScreenEffects::GetInstance().Prepare();
    MuzzleFlash::GetInstance().Prepare();
}

void CombatFeedback::ApplySettings() {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    screenFlashes = config.GetBoolSetting("Display.screenFlashes");
    viewKick = config.GetBoolSetting("Display.viewKick");
}

void CombatFeedback::Reset() {
    // The last game's gun is gone; the new one reports its muzzle from its first step.
    hasGun = false;
    markerLeft = 0.0f;
    markerKill = false;
    muzzleFlashLeft = 0.0f;
    hurtLeft = 0.0f;
    hurtStrength = 0.0f;
    kickLeft = 0.0f;
    kickStrength = 0.0f;
    kickPitch = 0.0f;
    kickYaw = 0.0f;
    // The enemies of the last game went with it.
    flashing.clear();
}

void CombatFeedback::Present(const std::vector<GameEvent>& events) {
    for (std::size_t i = 0; i < events.size(); ++i)
        std::visit(EventHandlers{
                       [this](const ShotFired&) { OnShotFired(); },
                       [&](const EnemyHit& hit) {
                           OnShotLanded(GoneLater(events, i, hit.enemy) ? nullptr : hit.enemy,
                                        hit.localPoint);
                       },
                       [this](const EnemyKilled&) { OnEnemyKilled(); },
                       [this](const EnemyGone& gone) { Forget(gone.enemy); },
                       [this](const PlayerHurt& hurt) { OnPlayerHurt(hurt.amount, hurt.source); },
                       [this](const GunMoved& gun) { SetMuzzle(gun.muzzle); },
                       [this](const GameStarted&) { Reset(); },
                       [](const auto&) {},
                   },
                   events[i]);
}

void CombatFeedback::OnShotFired() {
    if (!hasGun)
        return;
    muzzleTurn = std::fmod(muzzleTurn + kGoldenAngle, kTwoPi);
    if (screenFlashes)
        muzzleFlashLeft = kMuzzleFlashSeconds;
}

void CombatFeedback::OnShotLanded(Enemy* enemy, const Vector3& localPoint) {
    // A kill marker of the shot before is not demoted by a plain hit right after it.
    if (!(markerKill && markerLeft > 0.0f)) {
        markerLeft = kMarkerSeconds;
        markerKill = false;
    }
    if (screenFlashes && enemy != nullptr) {
        enemy->FlashAt(localPoint);
        if (std::find(flashing.begin(), flashing.end(), enemy) == flashing.end())
            flashing.push_back(enemy);
    }
}

void CombatFeedback::Forget(const Enemy* enemy) {
    std::erase(flashing, enemy);
}

void CombatFeedback::OnEnemyKilled() {
    markerLeft = kKillMarkerSeconds;
    markerKill = true;
}

void CombatFeedback::OnPlayerHurt(float damage, const Vec3& source) {
    if (!(damage > 0.0f))
        return;
    hurtSource = source;
    if (screenFlashes) {
        // A second hit while the first still shows never makes the vignette weaker.
        const float strength = std::min(damage / kFullHurtDamage, 1.0f);
        hurtStrength = std::max(strength, hurtLeft > 0.0f ? hurtStrength * hurtLeft / kHurtSeconds : 0.0f);
        hurtLeft = kHurtSeconds;
    }
    if (viewKick) {
        kickStrength = std::min(damage * kKickPerDamage, kMaxKick);
        kickLeft = kKickSeconds;
    }
}

Vec2 CombatFeedback::ScreenDirection(const Vec3& eye, const Vec3& forward, const Vec3& source) {
    const Vec3 to = source - eye;
    const float flat = std::sqrt(forward.x * forward.x + forward.z * forward.z);
    // Looking straight up or down, the ground plane has no "ahead": take the screen's up instead.
    const Vec2 ahead = flat > 1e-6f ? Vec2{forward.x / flat, forward.z / flat} : Vec2{0.0f, 1.0f};
    // The yaw turns left for positive angles, so the right-hand side is ahead turned clockwise.
    const Vec2 right{-ahead.y, ahead.x};
    const float x = to.x * right.x + to.z * right.y;
    const float y = to.x * ahead.x + to.z * ahead.y;
    const float length = std::sqrt(x * x + y * y);
    if (!(length > 1e-6f))
        return Vec2{};
    return Vec2{x / length, y / length};
}

void CombatFeedback::ForgetFreed() {
    const std::vector<GameObject*>& live = GameWorld::GetInstance().GetObjects();
    // Compared as addresses only: a freed enemy may not even be converted to its base.
    std::erase_if(flashing, [&live](const Enemy* enemy) {
        return std::none_of(live.begin(), live.end(), [enemy](const GameObject* object) {
            return static_cast<const void*>(object) == static_cast<const void*>(enemy);
        });
    });
}

void CombatFeedback::Advance(float frameDt) {
    ForgetFreed();
    const float dt = std::min(frameDt, kLongestFade);
    markerLeft = std::max(markerLeft - dt, 0.0f);
    muzzleFlashLeft = std::max(muzzleFlashLeft - dt, 0.0f);
    hurtLeft = std::max(hurtLeft - dt, 0.0f);
    kickLeft = std::max(kickLeft - dt, 0.0f);
    for (Enemy* enemy : flashing)
        enemy->hitFlashLeft = std::max(enemy->hitFlashLeft - dt, 0.0f);
    // A faded flash is handed over once more, at zero, so the material stops showing it.
    for (Enemy* enemy : flashing)
        if (enemy->hitFlashLeft == 0.0f)
            enemy->ShowHitFlash();
    std::erase_if(flashing, [](const Enemy* enemy) { return enemy->hitFlashLeft == 0.0f; });
}

void CombatFeedback::BeginFrame(Camera& camera) {
    ForgetFreed();
    // The world has stepped since the flash was handed over: its point follows the rolling ball.
    for (Enemy* enemy : flashing)
        enemy->ShowHitFlash();
    kickPitch = 0.0f;
    kickYaw = 0.0f;
    if (kickLeft > 0.0f) {
        // A snap at the hit, then an easing back to the true view.
        const float fade = kickLeft / kKickSeconds;
        const float amount = kickStrength * fade * fade;
        const Vec2 side = ScreenDirection(camera.GetPosition(), camera.GetForward(), hurtSource);
        const bool hasSide = side.x != 0.0f || side.y != 0.0f;
        // Pushed away from the hit: a blow from ahead tips the view up, one from the right turns it left.
        kickPitch = amount * (hasSide ? side.y : 1.0f);
        kickYaw = amount * kSideKickShare * side.x;
    }
    camera.SetViewKick(kickPitch, kickYaw);
}

void CombatFeedback::DrawInScene() {
    MuzzleFlash::GetInstance().Draw(muzzle, muzzleFlashLeft / kMuzzleFlashSeconds, muzzleTurn);
}

void CombatFeedback::DrawOverScene(const Camera& camera) {
    ScreenEffectsFrame frame;
    if (hurtLeft > 0.0f) {
        frame.hurt = hurtStrength * hurtLeft / kHurtSeconds;
        frame.hurtDirection = ScreenDirection(camera.GetPosition(), camera.GetForward(), hurtSource);
    }
    if (markerLeft > 0.0f) {
        frame.marker = markerLeft / (markerKill ? kKillMarkerSeconds : kMarkerSeconds);
        frame.markerKill = markerKill;
    }
    ScreenEffects::GetInstance().Draw(frame);
}
