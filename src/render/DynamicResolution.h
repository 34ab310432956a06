#pragma once
// Chooses the scale the 3D scene is drawn at so that frames fit the frame cap, from the times the
// frames really take: at most one step every half second, down as far as the slow frames need,
// up one small step at a time and only when the larger picture is sure to fit, so that it never
// goes back and forth. It only decides how the picture is drawn, never anything in the game.

#include <vector>

class DynamicResolution {
public:
    /// The scale moves within [minScale, maxScale] and starts at maxScale; `frameBudget` is the
    /// time one frame may take, in seconds (1/60 under a 60 FPS cap).
    DynamicResolution(float minScale, float maxScale, double frameBudget);

    /// One finished frame: `now` in seconds on a steady clock, `workSeconds` the time the frame
    /// took to make, waiting for the cap not included. Returns the scale for the next frame.
    float AddFrame(double now, double workSeconds);
    float Scale() const { return scale; }

    /// The shortest time between two changes of the scale.
    static constexpr double kDecisionSeconds = 0.5;
    /// Scales are multiples of this, so that a settled scene keeps exactly the same picture size.
    static constexpr float kGrid = 0.05f;
    /// Frames slower than this share of the budget ask for a smaller scale...
    static constexpr double kSlowShare = 0.92;
    /// ...and a larger scale is taken only when its frames would stay under this share even if
    /// their whole time grew with the pixel count. The gap between the two is the hysteresis.
    static constexpr double kSpareShare = 0.78;
    /// Where a step down aims, within the band.
    static constexpr double kAimShare = 0.82;
    /// The largest step down in one decision.
    static constexpr float kLargestDrop = 0.25f;
    /// A scale that had to be left for being too slow is not tried again for this long, doubled
    /// each time it fails again.
    static constexpr double kRetryHoldSeconds = 4.0;
    static constexpr double kLongestRetryHold = 64.0;
    /// The first frames after start-up wait for the driver to build its shader variants: they
    /// say nothing about the scene and are not counted.
    static constexpr double kWarmUpSeconds = 1.5;

private:
    void Decide(double now);

    float minScale;
    float maxScale;
    double budget;
    float scale;
    double firstFrame = -1.0;
    double windowStart = -1.0;
    std::vector<double> window;
    /// The smallest scale found too slow lately, and until when it stays out of reach.
    float failedScale = 0.0f;
    double failedUntil = 0.0;
    double retryHold = kRetryHoldSeconds;
};
