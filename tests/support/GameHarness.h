#pragma once
// The real game, initialised once per test process on the hidden window with default
// settings, advanced in exact fixed steps so that a gameplay test reads like its scenario.

#include "core/Action.h"
#include "physics/PhysicsTypes.h"

struct PlayerObject;
class GameWorld;

namespace testing_support {

class GameHarness {
public:
    /// Opens the GL context and runs the game's start-up (text, world, player, start screen).
    static GameHarness& Get();

    /// Exactly one fixed step of 1/60 s through the world's update.
    void StepOnce();
    /// As many fixed steps as fit in `seconds` (rounded to whole steps).
    void Simulate(float seconds);
    /// One 1/60 s frame: update and draw, as the frame loop does.
    void Frame();
    /// Draws one frame of `dt` seconds without advancing the world (bursts age by dt).
    void DrawOnly(float dt);
    /// Draws a still frame looking almost straight down on the floor from 4 units above (x, z).
    void DrawLookingDownOn(float x, float z);
    /// The rest of a frame's update without any time passing: what happened since the last one
    /// (a shot fired by Press) reaches the game flow, the feedback, the sounds and the HUD.
    void Present();
    /// The action's handlers run now, as a pressed action of a frame's record runs them.
    void Press(Action action);
    /// Holds an action down (or lets it go) for the walking controls.
    void Hold(Action action, bool down);
    /// What Space asks for (jump, then start), then one step: afterwards a game is running.
    void StartGame();

    PlayerObject& Player();
    GameWorld& World();

private:
    GameHarness();
    /// Releases the game as the real shut-down does, so that leak checks see a clean exit.
    ~GameHarness();
};

} // namespace testing_support
