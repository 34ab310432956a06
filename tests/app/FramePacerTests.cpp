#include "app/DemoPlayer.h"
#include "app/FramePacer.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

TEST(FramePacerTest, ReadoutTexts) {
    EXPECT_EQ(ConsoleFpsLine(60), "60 FPS (16.6667 ms)");
    EXPECT_EQ(ScreenFpsText(60), "60 FPS (16.67 ms)");
    EXPECT_EQ(ConsoleFpsLine(30), "30 FPS (33.3333 ms)");
    EXPECT_EQ(ScreenFpsText(30), "30 FPS (33.33 ms)");
    EXPECT_EQ(ConsoleFpsLine(1), "1 FPS (1000 ms)");
    EXPECT_EQ(ScreenFpsText(144), "144 FPS (6.94 ms)");
}

TEST(FramePacerTest, IntervalForTheCap) {
    EXPECT_DOUBLE_EQ(FrameIntervalFor(60.0f), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(FrameIntervalFor(30.0f), 1.0 / 30.0);
    // Zero or less means no cap at all, rather than never (0) or always (negative) by accident.
    EXPECT_EQ(FrameIntervalFor(0.0f), 0.0);
    EXPECT_EQ(FrameIntervalFor(-5.0f), 0.0);
    EXPECT_EQ(FrameIntervalFor(std::numeric_limits<float>::infinity()), 0.0);
}

TEST(FramePacerTest, GateLetsAFrameThroughOnceTheIntervalHasPassed) {
    FramePacer pacer(0.5, 0.0, 0.0);
    EXPECT_FALSE(pacer.IsFrameDue(0.49));
    EXPECT_TRUE(pacer.IsFrameDue(0.5));
    FramePacer::Frame frame = pacer.BeginFrame(0.7);
    // dt is the time since the last let-through frame, the spinning included.
    EXPECT_FLOAT_EQ(frame.dt, 0.7f);
    EXPECT_FALSE(pacer.IsFrameDue(1.1));
    EXPECT_TRUE(pacer.IsFrameDue(1.2));
}

TEST(FramePacerTest, NoCapLetsEveryIterationThrough) {
    FramePacer pacer(FrameIntervalFor(0.0f), 0.0, 0.0);
    EXPECT_TRUE(pacer.IsFrameDue(0.0));
    pacer.BeginFrame(0.001);
    EXPECT_TRUE(pacer.IsFrameDue(0.001));
}

TEST(FramePacerTest, ReadoutCountsTheFramesOfEachSecond) {
    const double interval = 1.0 / 60.0;
    FramePacer pacer(interval, 0.0, 0.0);
    int readouts = 0, lastCount = 0;
    for (int i = 1; i <= 180; ++i) {
        FramePacer::Frame frame = pacer.BeginFrame(i * interval + 1e-9);
        if (frame.readoutFrames > 0) {
            ++readouts;
            lastCount = frame.readoutFrames;
        }
    }
    EXPECT_EQ(readouts, 3);
    EXPECT_EQ(lastCount, 60);
}

TEST(FramePacerTest, AFrameLongerThanASecondReportsAgainOnTheNextFrame) {
    FramePacer pacer(0.0, 0.0, 0.0);
    // One frame of 2.5 s: the window advances by one second, not to now.
    EXPECT_EQ(pacer.BeginFrame(2.5).readoutFrames, 1);
    EXPECT_EQ(pacer.BeginFrame(2.51).readoutFrames, 1);
    EXPECT_EQ(pacer.BeginFrame(2.52).readoutFrames, 0) << "the window has caught up with the clock";
}

TEST(FramePacerTest, SleepEndsOneSpinMarginBeforeTheFrameIsDue) {
    const double interval = 1.0 / 60.0, margin = FramePacer::kSpinMargin;
    FramePacer pacer(interval, 0.0, 0.0);
    pacer.BeginFrame(0.02);
    const double due = 0.02 + interval;
    // Sleep up to the margin before the next frame is due, then only spin.
    EXPECT_NEAR(pacer.SleepBeforeFrame(0.025), due - 0.025 - margin, 1e-12);
    EXPECT_EQ(pacer.SleepBeforeFrame(due - margin / 2.0), 0.0);
    EXPECT_EQ(pacer.SleepBeforeFrame(due + 0.01), 0.0) << "a late frame is not slept for";
    // Waking at the end of the sleep still finds the frame not yet due, so the gate alone decides.
    EXPECT_FALSE(pacer.IsFrameDue(0.025 + pacer.SleepBeforeFrame(0.025)));
    // A cap of one frame in ages sleeps in bounded pieces instead of overflowing the clock.
    FramePacer glacial(FrameIntervalFor(1e-30f), 0.0, 0.0);
    EXPECT_EQ(glacial.SleepBeforeFrame(1.0), FramePacer::kLongestSleep);
    FramePacer uncapped(FrameIntervalFor(0.0f), 0.0, 0.0);
    uncapped.BeginFrame(0.25);
    EXPECT_EQ(uncapped.SleepBeforeFrame(0.25), 0.0);
}

TEST(FramePacerTest, APausedGameDrawsAtMostThirtyFramesASecond) {
    // At the 60 FPS cap a paused game waits a thirtieth of a second, and sleeps most of it.
    FramePacer capped(1.0 / 60.0, 0.0, 0.0);
    capped.SetPaused(true);
    EXPECT_FALSE(capped.IsFrameDue(0.02));
    EXPECT_TRUE(capped.IsFrameDue(1.0 / 30.0));
    EXPECT_NEAR(capped.SleepBeforeFrame(0.0), 1.0 / 30.0 - FramePacer::kSpinMargin, 1e-12);
    capped.SetPaused(false);
    EXPECT_TRUE(capped.IsFrameDue(0.02));

    // Uncapped play never waits, but its pause does; a cap already below 30 is kept.
    FramePacer uncapped(0.0, 0.0, 0.0);
    EXPECT_TRUE(uncapped.IsFrameDue(0.0));
    uncapped.SetPaused(true);
    EXPECT_FALSE(uncapped.IsFrameDue(0.03));
    EXPECT_TRUE(uncapped.IsFrameDue(1.0 / 30.0));
    FramePacer slow(0.1, 0.0, 0.0);
    slow.SetPaused(true);
    EXPECT_FALSE(slow.IsFrameDue(0.05));
    EXPECT_TRUE(slow.IsFrameDue(0.1));
}

} // namespace

TEST(FramePacerTest, AReplayShowsEachFrameAtTheTimeItWasRecorded) {
    // Frames recorded at 27 to 40 FPS; the viewer waits as told, then draws for `draw` seconds.
    std::vector<float> recorded;
    for (int i = 0; i < 240; ++i)
        recorded.push_back(i % 3 == 0 ? 1.0f / 27.0f : 1.0f / 40.0f);
    double now = 5.0;
    ReplayClock clock(now);
    const auto show = [&](float dt, double draw) {
        const double wait = clock.Wait(now, dt);
        if (wait > 0.0)
            now += wait;
        clock.Begin(now, dt);
        const double begun = now;
        now += draw;
        return begun;
    };
    double recordedTime = 5.0;
    for (float dt : recorded) {
        recordedTime += dt;
        ASSERT_NEAR(show(dt, 0.002), recordedTime, 1e-9) << "a fast viewer shows frames as recorded";
    }

    // A viewer four times slower than the recording shows each frame at once, and once it is fast
    // again resumes the recorded pace from at most a quarter of a second behind, not in a burst.
    for (int i = 0; i < 60; ++i) {
        if (i > 0) {
            EXPECT_LE(clock.Wait(now, 1.0f / 60.0f), 0.0) << i;
        }
        show(1.0f / 60.0f, 4.0 / 60.0);
    }
    std::vector<double> begins;
    for (int i = 0; i < 60; ++i)
        begins.push_back(show(1.0f / 60.0f, 0.001));
    int atOnce = 0;
    for (std::size_t i = 1; i < begins.size(); ++i)
        atOnce += begins[i] - begins[i - 1] < 0.002 ? 1 : 0;
    EXPECT_LE(atOnce, static_cast<int>(ReplayClock::kMostBehind * 60.0) + 1);
    EXPECT_NEAR(begins.back() - begins[begins.size() - 2], 1.0 / 60.0, 1e-6);
}
