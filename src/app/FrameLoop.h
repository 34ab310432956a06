#pragma once
// The one frame loop of the game, for play, replay and the test harness alike: pace, take the
// window's events, let the feed say what time the world gets, update, draw, swap, repeat.

#include "core/ActionRecord.h"

#include <optional>

struct GLFWwindow;
class MenuController;

/// Where a frame's outside world comes from (live input, a demo) and where it goes (a recording).
class FrameFeed {
public:
    virtual ~FrameFeed() = default;
    /// Called once the frame's input is in, with the record the player's input made of it (which a
    /// recording keeps and a replay replaces): the dt to hand the world, given the time the pacer
    /// measured since the last frame; nothing ends the loop (a demo ran out).
    virtual std::optional<float> BeginFrame(float pacedDt, ActionRecord& /*record*/) { return pacedDt; }
    /// Seconds from `now` until the feed's next frame is due, on top of the frame cap (0 or
    /// less: whenever the cap lets it through); a real-time replay keeps its recorded times.
    virtual double SecondsBeforeFrame(double /*now*/) const { return 0.0; }
    /// Called after the world has been updated and drawn and the frame shown.
    virtual void EndFrame() {}
    /// Whether a paused game is held to the paused frame cap; a timedemo runs its paused stretches
    /// as fast as the rest.
    virtual bool CapsPausedFrames() const { return true; }
    /// Whether the world is handed the time the frames really take (bounded per frame); a replay
    /// hands it the recorded times instead.
    virtual bool TakesLiveTime() const { return true; }
};

/// Runs frames until the window is asked to close or the feed has no more. `frameInterval` is
/// the pacing (0: as fast as it goes); `showFps` prints and shows the once-a-second readout;
/// `menus`, when given, take their input after the window's events and draw over the picture.
void RunFrameLoop(GLFWwindow* window, double frameInterval, FrameFeed& feed, bool showFps = true,
                  MenuController* menus = nullptr);
