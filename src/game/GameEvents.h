#pragma once
// What happened in play since the last frame was shown, in the order it happened. The rules
// append while they run (in a fixed step, or a shot fired between two steps); the game flow
// reads what its counts depend on as it goes; the feedback, the sounds and the HUD read the
// whole list once the frame's steps are done, and then it is emptied. So the rules never call
// the presentation, and the presentation changes nothing in the game.

#include "core/MathTypes.h"
#include "physics/PhysicsTypes.h"

#include <cstddef>
#include <span>
#include <variant>
#include <vector>

struct Enemy;

/// The player's gun fired from the eye.
struct ShotFired {
    Vec3 eye;
};
/// A shot damaged an enemy at a world point; `localPoint` is that point in the enemy's own
/// frame at the moment of the hit, so a flash shown later still sits where the shot landed.
struct EnemyHit {
    Enemy* enemy;
    Vec3 point;
    Vector3 localPoint;
};
/// An enemy was shot down where it stood.
struct EnemyKilled {
    Vec3 position;
};
/// An enemy left the world, whatever the cause (even at exit): from here on the pointer names a
/// freed object and may only be compared.
struct EnemyGone {
    const Enemy* enemy;
};
struct PlayerHurt {
    float amount;
    Vec3 source;
};
struct PickupUsed {
    Vec3 position;
};
struct WaveArrived {
    Vec3 position;
};
/// The player was destroyed. The flow says whether this report ended the running game: a fall
/// is reported on every step below the limit, and once the game is over more reports are echoes.
struct PlayerDied {
    bool endsGame = false;
};
/// Where the visible gun's muzzle is after a step.
struct GunMoved {
    Vec3 muzzle;
};
struct GameStarted {};
struct GameWon {};

using GameEvent = std::variant<ShotFired, EnemyHit, EnemyKilled, EnemyGone, PlayerHurt, PickupUsed,
                               WaveArrived, PlayerDied, GunMoved, GameStarted, GameWon>;

/// Lets a consumer handle the events it cares about with one lambda per kind.
template <typename... Handlers> struct EventHandlers : Handlers... { using Handlers::operator()...; };
// Clang before 17 deduces an aggregate's arguments only from a written guide.
template <typename... Handlers> EventHandlers(Handlers...) -> EventHandlers<Handlers...>;

class GameEvents {
public:
    void Add(const GameEvent& event) { events.push_back(event); }
    const std::vector<GameEvent>& All() const { return events; }
    /// The events the game flow has not read yet; they count as read from now on.
    std::span<GameEvent> TakeUnread() {
        const std::span<GameEvent> unread(events.data() + readByFlow, events.size() - readByFlow);
        readByFlow = events.size();
        return unread;
    }
    /// The frame's events have been presented: they become the last frame's, and a new list begins.
    void EndFrame() {
        lastFrame.swap(events);
        events.clear();
        readByFlow = 0;
    }
    /// What the last presented frame held, kept until the next one ends (for checking a frame after
    /// the fact).
    const std::vector<GameEvent>& LastFrame() const { return lastFrame; }
    void Clear() {
        events.clear();
        lastFrame.clear();
        readByFlow = 0;
    }

private:
    std::vector<GameEvent> events;
    std::vector<GameEvent> lastFrame;
    std::size_t readByFlow = 0;
};
