#include "game/CoolEventListener.h"

#include "game/GameEvents.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "physics/Collider.h"

#include <algorithm>

CoolEventListener::CoolEventListener(GameObject* player, GameWorld* world) : player(player), world(world) {}

void CoolEventListener::Update() {
    ++ticksSinceDamage;
}

void CoolEventListener::OnTrigger(const OverlapCallbackData& data) {
    for (std::size_t i = 0; i < data.GetNbOverlappingPairs(); ++i) {
        const OverlapPair& pair = data.GetOverlappingPair(i);
        // A body consumed earlier in this report leaves its later pairs without colliders.
        if (pair.collider1 == nullptr || pair.collider2 == nullptr)
            continue;
        GameObject* a = world->FindObjectByBody(pair.collider1->GetBody());
        GameObject* b = world->FindObjectByBody(pair.collider2->GetBody());
        if (a == nullptr || b == nullptr)
            continue;
        if (a != player && b != player)
            continue;

        GameObject* pickup =
            a->name == PickupObject::kName ? a : (b->name == PickupObject::kName ? b : nullptr);
        if (pickup != nullptr) {
            // At full health the pickup stays and is offered again on the next step.
            if (player->health == player->maxHealth)
                continue;
            player->health = std::min(player->health + kHealAmount, player->maxHealth);
            world->GetEvents().Add(PickupUsed{ToVec3(pickup->GetPosition())});
            // The pickup's own TakeDamage ignores shots; the base one destroys it.
            pickup->GameObject::TakeDamage(kConsumeDamage);
        } else if (ticksSinceDamage > damageInterval) {
            // The first enemy of a step resets the counter, so the others of that step deal nothing.
            // From the enemy's side, so the player can tell where the hit came from.
            world->GetEvents().Add(PlayerHurt{kContactDamage, ToVec3((a == player ? b : a)->GetPosition())});
            player->TakeDamage(kContactDamage);
            ticksSinceDamage = 0;
        }
    }
}
