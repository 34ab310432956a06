#pragma once
// A snapshot of everything a replay must reproduce exactly: every object's name, body position,
// velocity and health, the game flow's timers, the view's turn, the steps run and the random
// numbers drawn. Demos store it every second; a replay compares its own against it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ObjectState {
    std::string name;
    float position[3] = {0.0f, 0.0f, 0.0f};
    float velocity[3] = {0.0f, 0.0f, 0.0f};
    std::int32_t health = 0;

    bool operator==(const ObjectState&) const = default;
};

struct GameState {
    std::vector<ObjectState> objects;
    float timeRemaining = 0.0f;
    float deathMessageTimer = 0.0f;
    float winMessageTimer = 0.0f;
    bool started = false;
    bool startPending = false;
    /// The wave timer and interval, and the enemies sent this game (all 0 before the first game).
    float spawnTimer = 0.0f;
    float spawnInterval = 0.0f;
    std::int32_t spawned = 0;
    float yaw = 0.0f;
    float pitch = 0.0f;
    std::uint64_t steps = 0;
    std::uint64_t randomDraws = 0;

    bool operator==(const GameState&) const = default;
};

/// Calls `visit(label, field...)` for every field of `objects` (the same field of each at once),
/// in the one order that demos store them and hashes take them, with the label a desync line
/// names the field by after the object's name; stops at the first call that answers false and
/// answers what that call did.
template <typename Visit, typename... Objects> bool VisitObjectFields(Visit&& visit, Objects&... objects) {
    return visit("name", objects.name...) && visit("position x", objects.position[0]...) &&
           visit("position y", objects.position[1]...) && visit("position z", objects.position[2]...) &&
           visit("velocity x", objects.velocity[0]...) && visit("velocity y", objects.velocity[1]...) &&
           visit("velocity z", objects.velocity[2]...) && visit("health", objects.health...);
}

/// The same for every field of `states` besides the objects, which come before them.
template <typename Visit, typename... States> bool VisitFlowFields(Visit&& visit, States&... states) {
    return visit("time remaining", states.timeRemaining...) &&
           visit("death message timer", states.deathMessageTimer...) &&
           visit("win message timer", states.winMessageTimer...) &&
           visit("game started", states.started...) && visit("new game pending", states.startPending...) &&
           visit("wave timer", states.spawnTimer...) && visit("wave interval", states.spawnInterval...) &&
           visit("enemies sent", states.spawned...) && visit("view yaw", states.yaw...) &&
           visit("view pitch", states.pitch...) && visit("steps", states.steps...) &&
           visit("random numbers drawn", states.randomDraws...);
}

/// The running game's state now.
GameState CaptureGameState();

/// FNV-1a over every field, floats by their bits: equal hashes for states equal to the bit.
std::uint64_t HashGameState(const GameState& state);

/// The first difference between what a recording held and what a replay found, for a reader:
/// "Enemy12 position y: expected 1.5, found 1.49998" ("" when the states are equal). Names
/// come as PrintableText: a recording's names may hold anything.
std::string DescribeDifference(const GameState& expected, const GameState& found);

/// `text` safe to print on a terminal: every byte outside printable ASCII, and the backslash,
/// written as "\x1b", so text from a file can neither move the cursor nor fake a line.
std::string PrintableText(std::string_view text);
