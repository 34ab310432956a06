#pragma once
// Turns the physics world's trigger reports into gameplay: an enemy touching the player hurts
// it, at most once per damage interval, and a pickup touched below full health heals it.

#include "physics/EventListener.h"

#include <cstdint>

struct GameObject;
class GameWorld;

struct CoolEventListener : EventListener {
    CoolEventListener(GameObject* player, GameWorld* world);
    ~CoolEventListener() override = default;

    /// One running step has passed since the last contact damage.
    void Update();
    /// Handles every reported pair in order; pairs without the player, with a destroyed
    /// collider or with a body that belongs to no object are ignored.
    void OnTrigger(const OverlapCallbackData& data) override;

    static constexpr std::int32_t kHealAmount = 10;
    static constexpr float kContactDamage = 10.0f;
    /// Far more than any health: a consumed pickup is destroyed by the hit.
    static constexpr float kConsumeDamage = 1000.0f;
    static constexpr std::int32_t kDamageInterval = 200;

    std::int32_t damageInterval = kDamageInterval;
    std::int32_t ticksSinceDamage = 0;
    GameObject* player;
    GameWorld* world;
};
