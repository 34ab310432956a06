#pragma once
// How much game time a frame hands to the world. The world catches up on the time since the
// last frame in fixed steps, but never more than a second of it per frame: a process stopped or
// stalled for a minute resumes where it was instead of playing the minute out unseen. When the
// steps themselves run slower than real time, a frame gets only what it can simulate in about a
// quarter of a second, so the window is still read between frames and answers Escape.
// Pure arithmetic on the times it is given: the world never reads the clock.

#include <string>

class GameTimeBudget {
public:
    /// Game time a frame may simulate at most; a 0.5 s frame still runs its 30 steps.
    static constexpr float kMostPerFrame = 1.0f;
    /// Wall time a frame's steps may take when they run slower than real time.
    static constexpr double kSlowFrameSeconds = 0.25;

    explicit GameTimeBudget(float fixedStep) : fixedStep(fixedStep) {}

    struct Grant {
        /// The game time handed to the world.
        float dt = 0.0f;
        /// Frame time beyond it, dropped rather than simulated.
        float dropped = 0.0f;
        /// Whether this frame begins a run of frames that drop time: the one to say so.
        bool firstOfRun = false;
        /// Whether the bound came from steps slower than real time rather than a long frame.
        bool slowSteps = false;
    };
    /// The game time for a frame that took `frameDt` since the last one.
    Grant Next(float frameDt);
    /// What the world's update just cost: `steps` fixed steps in `seconds` of wall time. A frame
    /// that ran no step leaves the last estimate as it was.
    void RecordSteps(int steps, double seconds);
    /// Fixed steps the world ran, from its accumulator before and after taking `dt`.
    int StepsRun(float accumulatorBefore, float dt, float accumulatorAfter) const;

private:
    float fixedStep;
    /// Wall seconds a step took in the last update that ran one.
    double stepSeconds = 0.0;
    bool dropping = false;
};

/// "Dropped 4.02 s of game time after a frame of 5.02 s", with "(steps take longer than real
/// time)" when that was the reason.
std::string DroppedTimeLine(float frameDt, const GameTimeBudget::Grant& grant);
