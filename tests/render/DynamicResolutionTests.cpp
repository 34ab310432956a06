// The scale the scene is drawn at, fed with frame times from a model of a scene whose cost grows
// with the pixel count, with noise and hitches from a fixed generator.
#include "render/DynamicResolution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr double kBudget = 1.0 / 60.0;

/// A frame's cost in shares of the budget: a part that does not shrink with the picture and one
/// that grows with its pixel count.
struct SceneCost {
    double fixed;
    double perPixel;
    double At(float scale) const { return (fixed + perPixel * scale * scale) * kBudget; }
};

struct Change {
    double time;
    float from;
    float to;
};

class Feed {
public:
    explicit Feed(DynamicResolution& controller) : controller(controller) {}

    /// `seconds` of frames of `cost` with +-`noise` of it at random and one frame in 40 three
    /// times as slow; a frame that fits the budget waits for the cap as under the game's.
    void Run(double seconds, SceneCost cost, double noise) {
        const double end = clock + seconds;
        while (clock < end) {
            const float before = controller.Scale();
            const double jitter = 1.0 + noise * (2.0 * Uniform() - 1.0);
            const double work = cost.At(before) * jitter * (++frames % 40 == 0 ? 3.0 : 1.0);
            clock += std::max(work, kBudget);
            const float after = controller.AddFrame(clock, work);
            if (after != before)
                changes.push_back({clock, before, after});
        }
    }

    int Reversals() const {
        int reversals = 0;
        for (std::size_t i = 1; i < changes.size(); ++i)
            if ((changes[i].to > changes[i].from) != (changes[i - 1].to > changes[i - 1].from))
                ++reversals;
        return reversals;
    }

    double clock = 0.0;
    std::vector<Change> changes;

private:
    double Uniform() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    }

    DynamicResolution& controller;
    std::uint64_t state = 12345;
    int frames = 0;
};

} // namespace

TEST(DynamicResolution, HoldsStepsDownStepsUpAndNeverOscillates) {
    {
        SCOPED_TRACE("a scene that fits keeps the largest scale");
        DynamicResolution controller(0.5f, 1.0f, kBudget);
        Feed feed(controller);
        feed.Run(30.0, {0.1, 0.6}, 0.15);
        EXPECT_TRUE(feed.changes.empty());
        EXPECT_EQ(controller.Scale(), 1.0f);
    }
    {
        SCOPED_TRACE(
            "slow frames bring the scale down until they fit, then more spare time brings it back up");
        DynamicResolution controller(0.5f, 1.0f, kBudget);
        Feed feed(controller);
        // Twice the budget at full size: it needs about 0.65.
        const SceneCost heavy{0.2, 1.8};
        feed.Run(8.0, heavy, 0.1);
        ASSERT_FALSE(feed.changes.empty());
        EXPECT_LT(heavy.At(controller.Scale()), kBudget) << "settled at " << controller.Scale();
        EXPECT_GE(controller.Scale(), 0.5f);
        for (const Change& change : feed.changes)
            EXPECT_LT(change.to, change.from)
                << "a step up while the frames were too slow at " << change.time;
        // Settled: nothing moves any more while the scene stays the same.
        const std::size_t settled = feed.changes.size();
        feed.Run(30.0, heavy, 0.1);
        EXPECT_EQ(feed.changes.size(), settled);

        // The wave is over: the scene costs less and the picture grows back to full size.
        feed.Run(40.0, {0.1, 0.5}, 0.1);
        EXPECT_EQ(controller.Scale(), 1.0f);
        for (std::size_t i = settled; i < feed.changes.size(); ++i)
            EXPECT_GT(feed.changes[i].to, feed.changes[i].from);
        for (std::size_t i = 1; i < feed.changes.size(); ++i)
            EXPECT_GE(feed.changes[i].time - feed.changes[i - 1].time,
                      DynamicResolution::kDecisionSeconds - 1e-9)
                << "two steps within half a second";
    }
    {
        SCOPED_TRACE("a scene on the edge of the budget, with noisy frames and hitches");
        for (const SceneCost edge : {SceneCost{0.3, 0.72}, SceneCost{0.25, 0.9}, SceneCost{0.1, 1.3}}) {
            DynamicResolution controller(0.5f, 1.0f, kBudget);
            Feed feed(controller);
            feed.Run(120.0, edge, 0.3);
            EXPECT_LE(feed.Reversals(), 1)
                << "the scale went back and forth " << feed.changes.size() << " times";
            const std::size_t late = static_cast<std::size_t>(std::count_if(
                feed.changes.begin(), feed.changes.end(), [](const Change& c) { return c.time > 20.0; }));
            EXPECT_EQ(late, 0u) << "still changing after 20 s";
        }
    }
    {
        SCOPED_TRACE("the scale stays within its bounds whatever the frames");
        DynamicResolution controller(0.6f, 0.9f, kBudget);
        Feed feed(controller);
        EXPECT_EQ(controller.Scale(), 0.9f);
        feed.Run(10.0, {5.0, 5.0}, 0.0);
        EXPECT_EQ(controller.Scale(), 0.6f);
        feed.Run(60.0, {0.0, 0.1}, 0.0);
        EXPECT_EQ(controller.Scale(), 0.9f);
    }
}
