#include "app/GameTimeBudget.h"

#include <algorithm>
#include <cmath>
#include <sstream>

GameTimeBudget::Grant GameTimeBudget::Next(float frameDt) {
    Grant grant;
    float most = kMostPerFrame;
    // The last update's cost stands for the next: waiting for a second slow one would let a
    // frame of steps that take half a second each run sixty of them before Escape is read.
    if (stepSeconds > fixedStep) {
        // As many steps as fit the slow-frame time, and always one, so the game still moves.
        const double steps = std::max(1.0, std::floor(kSlowFrameSeconds / stepSeconds));
        const float slowMost = static_cast<float>(steps) * fixedStep;
        if (slowMost < most) {
            most = slowMost;
            grant.slowSteps = true;
        }
    }
    grant.dt = std::min(std::max(frameDt, 0.0f), most);
    grant.dropped = std::max(frameDt, 0.0f) - grant.dt;
    if (!(grant.dropped > 0.0f))
        grant.slowSteps = false;
    grant.firstOfRun = grant.dropped > 0.0f && !dropping;
    dropping = grant.dropped > 0.0f;
    return grant;
}

void GameTimeBudget::RecordSteps(int steps, double seconds) {
    if (steps > 0)
        stepSeconds = seconds / steps;
}

int GameTimeBudget::StepsRun(float accumulatorBefore, float dt, float accumulatorAfter) const {
    return static_cast<int>(std::lround((accumulatorBefore + dt - accumulatorAfter) / fixedStep));
}

std::string DroppedTimeLine(float frameDt, const GameTimeBudget::Grant& grant) {
    std::ostringstream line;
    line.setf(std::ios::fixed);
    line.precision(2);
    line << "Dropped " << grant.dropped << " s of game time after a frame of " << frameDt << " s";
    if (grant.slowSteps)
        line << " (steps take longer than real time)";
    return line.str();
}
