#include "render/DynamicResolution.h"

#include <algorithm>
#include <cmath>

namespace {

// A few frames at least, so that one hitch alone never moves the scale.
constexpr std::size_t kFewestFrames = 3;
// The frames of a window are judged by this share of them: one slow frame in four is noise
// (a wave spawning, the system busy), more than that is the scene.
constexpr double kJudgedShare = 0.75;

float OnGrid(float scale) {
    return std::round(scale / DynamicResolution::kGrid) * DynamicResolution::kGrid;
}

float GridBelow(float scale) {
    return std::floor(scale / DynamicResolution::kGrid + 1e-4f) * DynamicResolution::kGrid;
}

} // namespace

DynamicResolution::DynamicResolution(float minScale, float maxScale, double frameBudget)
    : minScale(std::min(minScale, maxScale)), maxScale(maxScale), budget(frameBudget), scale(maxScale) {}

float DynamicResolution::AddFrame(double now, double workSeconds) {
    if (!(budget > 0.0) || !(workSeconds >= 0.0))
        return scale;
    if (firstFrame < 0.0)
        firstFrame = now;
    if (now - firstFrame < kWarmUpSeconds)
        return scale;
    if (windowStart < 0.0)
        windowStart = now;
    window.push_back(workSeconds);
    if (now - windowStart >= kDecisionSeconds && window.size() >= kFewestFrames) {
        Decide(now);
        window.clear();
        windowStart = now;
    }
    return scale;
}

void DynamicResolution::Decide(double now) {
    std::vector<double> times = window;
    const std::size_t judged = std::min(
        times.size() - 1, static_cast<std::size_t>(kJudgedShare * static_cast<double>(times.size())));
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(judged), times.end());
    const double load = times[judged] / budget;

    if (load > kSlowShare && scale > minScale) {
        // As if the whole frame grew with the pixel count: the real frame has parts that do
        // not shrink, so this errs on the side of a smaller picture.
        const float wanted = scale * static_cast<float>(std::sqrt(kAimShare / load));
        const float next =
            std::max({GridBelow(std::min(wanted, scale - kGrid)), scale - kLargestDrop, minScale});
        // Failing again at the same scale soon after trying it means the scene sits near the edge:
        // wait longer before the next try.
        if (failedUntil > 0.0 && scale >= failedScale - 1e-4f && now < failedUntil + retryHold)
            retryHold = std::min(retryHold * 2.0, kLongestRetryHold);
        failedScale = scale;
        failedUntil = now + retryHold;
        scale = next;
        return;
    }
    if (scale < maxScale) {
        const float next = std::min(maxScale, OnGrid(scale + kGrid));
        const double grown = load * static_cast<double>(next * next) / static_cast<double>(scale * scale);
        const bool retryHeld = next >= failedScale - 1e-4f && now < failedUntil;
        if (grown < kSpareShare && !retryHeld)
            scale = next;
    }
}
