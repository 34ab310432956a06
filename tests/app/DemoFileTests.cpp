// The demo file: what is written reads back exactly, and no damaged file gets past the reader
// (nor crashes it, nor makes it allocate what the file merely claims).
#include "app/DemoEncoder.h"
#include "app/DemoReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

DemoHeader SampleHeader() {
    DemoHeader header;
    header.gameVersion = "1.0.0";
    header.controls = "maxSpeed = 12.5\n";
    header.physics = "gravity = 25\n";
    header.width = 320;
    header.height = 240;
    return header;
}

GameState SampleState() {
    GameState state;
    state.objects.push_back({"GameObject0", {0.0f, 1.25f, -3.5f}, {0.0f, -0.5f, 0.0f}, 90});
    state.objects.push_back({"BasicEnemy12", {11.7f, 2.3f, 4.0f}, {-1.0f, 0.0f, 0.25f}, 60});
    state.timeRemaining = 281.5f;
    state.started = true;
    state.spawnTimer = 3.25f;
    state.spawnInterval = 19.9f;
    state.spawned = 3;
    state.yaw = -0.75f;
    state.pitch = 0.125f;
    state.steps = 1200;
    state.randomDraws = 4242;
    return state;
}

/// A demo of the given frames with a checkpoint after the second one and an end record.
std::string Encode(const std::vector<DemoFrame>& frames) {
    DemoEncoder encoder;
    std::string bytes = encoder.Header(SampleHeader());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        bytes += encoder.Frame(frames[i]);
        if (i == 1) {
            const GameState state = SampleState();
            bytes += encoder.Checkpoint({2, HashGameState(state), state});
        }
    }
    return bytes + encoder.End({static_cast<std::uint32_t>(frames.size()), 77});
}

DemoFrame Frame(float dt, std::uint32_t held, float yaw, float pitch, std::int32_t width, std::int32_t height,
                std::vector<Action> pressed = {}, std::vector<FocusChange> focus = {}) {
    return {dt, ActionRecord{held, std::move(pressed), std::move(focus), yaw, pitch}, width, height};
}

std::vector<DemoFrame> SampleFrames() {
    std::vector<DemoFrame> frames(4);
    // At rest: no turn, nothing held, no events.
    frames[0] = Frame(1.0f / 60.0f, 0, 0.0f, 0.0f, 320, 240);
    // Walking forward and left, turning, Space (jump and start), the focus lost, a shot.
    frames[1] = Frame(0.0171f, ActionBit(Action::Forward) | ActionBit(Action::Left), -0.0171f, 0.003f, 320,
                      240, {Action::Jump, Action::Start, Action::Shoot}, {{2, false}});
    // The window maximised, still walking.
    frames[2] = Frame(0.05f, ActionBit(Action::Forward) | ActionBit(Action::Left), 0.0f, 0.0f, 1280, 720);
    // Everything let go, the focus back first; a turn of -0 keeps its sign.
    frames[3] = Frame(0.0f, 0, -0.0f, 0.0f, 1280, 720, {Action::Pause}, {{0, true}});
    return frames;
}

DemoSummary Read(const std::string& bytes) {
    return ReadWholeDemo(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace

TEST(DemoFile, WhatIsWrittenReadsBackExactly) {
    const std::vector<DemoFrame> frames = SampleFrames();
    const std::string bytes = Encode(frames);
    const DemoSummary summary = Read(bytes);
    ASSERT_EQ(summary.problem, DemoProblem::None) << summary.message;
    EXPECT_EQ(summary.header, SampleHeader());
    EXPECT_EQ(summary.frames, 4u);
    EXPECT_EQ(summary.checkpoints, 1u);

    DemoReader reader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    DemoHeader header;
    ASSERT_TRUE(reader.ReadHeader(header));
    DemoFrame frame;
    DemoCheckpoint checkpoint;
    DemoEnd end;
    std::vector<DemoFrame> read;
    DemoReader::Record record;
    while ((record = reader.Next(frame, checkpoint, end)) != DemoReader::Record::Stop) {
        if (record == DemoReader::Record::Frame)
            read.push_back(frame);
        if (record == DemoReader::Record::Checkpoint) {
            EXPECT_EQ(read.size(), 2u);
            EXPECT_EQ(checkpoint.frame, 2u);
            EXPECT_EQ(checkpoint.state, SampleState());
            EXPECT_EQ(checkpoint.hash, HashGameState(SampleState()));
        }
        if (record == DemoReader::Record::End) {
            EXPECT_EQ(end.hash, 77u);
        }
    }
    EXPECT_EQ(reader.Problem(), DemoProblem::None);
    EXPECT_EQ(read, frames);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_TRUE(std::signbit(read[3].record.turnYaw));
    // A frame at rest costs its tag and its dt alone.
    DemoEncoder encoder;
    encoder.Header(SampleHeader());
    EXPECT_EQ(encoder.Frame(frames[0]).size(), 5u);
}

TEST(DemoFile, DamagedFilesAreRefusedWithAReason) {
    const std::string good = Encode(SampleFrames());
    const auto expect = [](const std::string& bytes, DemoProblem problem, const char* words) {
        const DemoSummary summary = Read(bytes);
        EXPECT_EQ(summary.problem, problem) << summary.message;
        EXPECT_NE(summary.message.find(words), std::string::npos) << summary.message;
        EXPECT_EQ(summary.message.find('\n'), std::string::npos);
    };
    expect("", DemoProblem::NotADemo, "not a Korvane demo");
    expect("[Display]\nwidth = 800\n", DemoProblem::NotADemo, "not a Korvane demo");

    std::string other = good;
    other[8] = 3;
    expect(other, DemoProblem::OtherVersion, "format version 3");

    // Cut anywhere after the magic: never read as whole, never a crash.
    for (std::size_t size = sizeof(kDemoMagic); size < good.size(); ++size) {
        const DemoSummary summary = Read(good.substr(0, size));
        ASSERT_EQ(summary.problem, DemoProblem::Truncated) << "cut at " << size << ": " << summary.message;
    }
    expect(good + "x", DemoProblem::Damaged, "after its end record");

    // Sizes no recording has: refused before anything of that size is made.
    DemoEncoder offsets;
    const std::vector<DemoFrame> frames = SampleFrames();
    const std::size_t checkpointAt = offsets.Header(SampleHeader()).size() + offsets.Frame(frames[0]).size() +
                                     offsets.Frame(frames[1]).size();
    ASSERT_EQ(good[checkpointAt], '\x10');
    std::string objects = good;
    objects[checkpointAt + 13] = '\xff';
    objects[checkpointAt + 14] = '\xff';
    expect(objects, DemoProblem::Truncated, "cut short");
    std::string name = good;
    name[checkpointAt + 15] = '\xff';
    name[checkpointAt + 16] = '\x01';
    expect(name, DemoProblem::Damaged, "name");

    // The game never hands the world more than a second in one frame.
    const auto oneFrame = [](const DemoFrame& frame, DemoHeader header = SampleHeader()) {
        DemoEncoder encoder;
        std::string bytes = encoder.Header(header);
        bytes += encoder.Frame(frame);
        return bytes + encoder.End({1, 0});
    };
    EXPECT_EQ(Read(oneFrame(Frame(1.0f, 0, 0.0f, 0.0f, 320, 240))).problem, DemoProblem::None);
    expect(oneFrame(Frame(1.5f, 0, 0.0f, 0.0f, 320, 240)), DemoProblem::Damaged, "claims to last");
    // Actions the game does not have, held or pressed, and turns no mouse or stick makes.
    expect(oneFrame(Frame(0.01f, 0, 0.0f, 0.0f, 320, 240, {static_cast<Action>(kActionCount)})),
           DemoProblem::Damaged, "action 18");
    expect(oneFrame(Frame(0.01f, std::uint32_t{1} << kActionCount, 0.0f, 0.0f, 320, 240)),
           DemoProblem::Damaged, "an action the game does not have");
    expect(oneFrame(Frame(0.01f, 0, 1.0e30f, 0.0f, 320, 240)), DemoProblem::Damaged, "impossible turn");
    expect(oneFrame(Frame(0.01f, 0, 0.0f, std::numeric_limits<float>::quiet_NaN(), 320, 240)),
           DemoProblem::Damaged, "impossible turn");
    // Events are patched in after the frame's flags, dt and count: a key press (a first-format
    // event), a kind no format has.
    const std::size_t headerSize = DemoEncoder().Header(SampleHeader()).size();
    const std::size_t kindAt = headerSize + 1 + 4 + 2;
    std::string keyPress = oneFrame(Frame(0.01f, 0, 0.0f, 0.0f, 320, 240, {Action::Jump}));
    keyPress[kindAt] = static_cast<char>(InputEventKind::Key);
    expect(keyPress, DemoProblem::Damaged, "key press where actions belong");
    std::string unknownKind = keyPress;
    unknownKind[kindAt] = 9;
    expect(unknownKind, DemoProblem::Damaged, "unknown kind 9");
    // The list of polled keys belongs to the first format.
    std::string polledKeys = oneFrame(Frame(0.01f, 0, 0.0f, 0.0f, 320, 240));
    ASSERT_EQ(polledKeys[headerSize - 1], '\0');
    polledKeys[headerSize - 1] = 4;
    expect(polledKeys, DemoProblem::Damaged, "claims 4 held keys");
    // As many presses as a frame can hold, and the window's size besides, read back; should the
    // writer ever be handed more, what it writes is still a demo.
    DemoFrame busy = Frame(0.05f, 0, 0.0f, 0.0f, 640, 480);
    for (std::size_t i = 0; i < kMaxDemoPressesPerFrame; ++i)
        busy.record.pressed.push_back(i % 2 == 0 ? Action::Shoot : Action::Jump);
    EXPECT_EQ(Read(oneFrame(busy)).problem, DemoProblem::None);
    for (int i = 0; i < 70000; ++i)
        busy.record.pressed.push_back(Action::Shoot);
    EXPECT_EQ(Read(oneFrame(busy)).problem, DemoProblem::None);
    std::string miscounted = Encode(SampleFrames());
    miscounted[miscounted.size() - 12] = 5;
    expect(miscounted, DemoProblem::Damaged, "counts 5 frames");
}

TEST(DemoFile, TheFirstDifferenceIsNamedWithBothValues) {
    const GameState expected = SampleState();
    EXPECT_EQ(DescribeDifference(expected, expected), "");

    GameState moved = expected;
    moved.objects[1].position[1] = 2.25f;
    moved.randomDraws = 9; // a later field: only the first difference is told
    EXPECT_EQ(DescribeDifference(expected, moved),
              "BasicEnemy12 position y: expected 2.29999995, found 2.25");
    EXPECT_NE(HashGameState(expected), HashGameState(moved));

    GameState extra = expected;
    extra.objects.push_back({"Pickup", {}, {}, 100});
    EXPECT_EQ(DescribeDifference(expected, extra), "objects: expected 2, found 3 (extra Pickup)");

    // Names come from the file: nothing in them reaches a terminal as a control.
    GameState renamed = expected;
    renamed.objects[0].name = "Game\x1b[2K\rObj\\\x9b";
    EXPECT_EQ(DescribeDifference(renamed, expected),
              "object 1: expected Game\\x1b[2K\\x0dObj\\x5c\\x9b, found GameObject0");

    GameState drawn = expected;
    drawn.randomDraws = 4243;
    EXPECT_EQ(DescribeDifference(expected, drawn), "random numbers drawn: expected 4242, found 4243");
    EXPECT_NE(HashGameState(expected), HashGameState(drawn));
}
