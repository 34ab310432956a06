#pragma once
// The player's gun: a 100-unit hit-scan ray that deals 20 points to the nearest thing it
// crosses, with no delay between shots.

#include "game/HitScanWeapon.h"

class BonkeyGun : public HitScanWeapon {
public:
    /// Casts the ray from the eye along the view and damages the nearest object it crosses;
    /// a shot that crosses nothing, or only bodies no object owns, does nothing.
    float Fire() override;
    /// "BonkeyGun <gauge>/100".
    void PrintStatus() override;
    float GetDamage() override;
    std::vector<std::string> GetStats() override;
    bool HasHit() override;
    /// TakeDamage(hitDamage) on the object owning the recorded body, if there is one.
    void ApplyHit() override;

    /// Keeps the nearest report of the shot and lets the cast go on through everything.
    float NotifyRaycastHit(const RaycastInfo& info) override;

    static constexpr float kHitDamage = 20.0f;
    static constexpr const char* kName = "BonkeyGun";

    float hitDamage = kHitDamage;
    float rayAnswer = -1.0f;
    /// Where along the ray the recorded hit lies (0 at the eye, 1 at full range).
    float hitFraction = 1.0f;

private:
    void ClearHit();
};
