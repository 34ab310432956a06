#include "app/GlDebugOutput.h"

#include <gtest/gtest.h>

namespace {

TEST(GlDebugOutputTest, FiveLinesAndABlankOne) {
    EXPECT_EQ(FormatDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, 1282, GL_DEBUG_SEVERITY_HIGH,
                                 "invalid operation"),
              "Debug message (1282): invalid operation\nSource: API\nType: Error\nSeverity: high\n\n");
    EXPECT_EQ(
        FormatDebugMessage(GL_DEBUG_SOURCE_SHADER_COMPILER, GL_DEBUG_TYPE_PERFORMANCE, 7,
                           GL_DEBUG_SEVERITY_NOTIFICATION, "slow"),
        "Debug message (7): slow\nSource: Shader Compiler\nType: Performance\nSeverity: notification\n\n");
}

TEST(GlDebugOutputTest, EveryEnumHasItsLineAndUnknownsSaySo) {
    std::string text = FormatDebugMessage(GL_DEBUG_SOURCE_THIRD_PARTY, GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR, 1,
                                          GL_DEBUG_SEVERITY_MEDIUM, "m");
    EXPECT_NE(text.find("Source: Third Party\nType: Deprecated Behaviour\nSeverity: medium"),
              std::string::npos);
    text = FormatDebugMessage(GL_DEBUG_SOURCE_WINDOW_SYSTEM, GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR, 1,
                              GL_DEBUG_SEVERITY_LOW, "m");
    EXPECT_NE(text.find("Source: Window System\nType: Undefined Behaviour\nSeverity: low"),
              std::string::npos);
    text = FormatDebugMessage(GL_DEBUG_SOURCE_APPLICATION, GL_DEBUG_TYPE_PUSH_GROUP, 1, 0, "m");
    EXPECT_NE(text.find("Source: Application\nType: Push Group\nSeverity: Unknown"), std::string::npos);
    text = FormatDebugMessage(GL_DEBUG_SOURCE_OTHER, GL_DEBUG_TYPE_POP_GROUP, 1, 0, "m");
    EXPECT_NE(text.find("Source: Other\nType: Pop Group"), std::string::npos);
    text = FormatDebugMessage(0, GL_DEBUG_TYPE_MARKER, 1, 0, "m");
    EXPECT_NE(text.find("Source: Unknown\nType: Marker"), std::string::npos);
    text = FormatDebugMessage(0, GL_DEBUG_TYPE_OTHER, 1, 0, "m");
    EXPECT_NE(text.find("Type: Other"), std::string::npos);
    text = FormatDebugMessage(0, 0, 1, 0, "m");
    EXPECT_NE(text.find("Type: Unknown"), std::string::npos);
    text = FormatDebugMessage(0, 0, 4294967295u, 0, "m");
    EXPECT_NE(text.find("(4294967295)"), std::string::npos) << "ids are printed unsigned";
}

TEST(GlDebugOutputTest, RoutineNotificationsAreIgnored) {
    for (GLuint id : {131169u, 131185u, 131204u, 131218u})
        EXPECT_EQ(FormatDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_OTHER, id,
                                     GL_DEBUG_SEVERITY_NOTIFICATION, "buffer info"),
                  "");
    EXPECT_NE(FormatDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_OTHER, 131186,
                                 GL_DEBUG_SEVERITY_NOTIFICATION, "x"),
              "");
}

} // namespace

TEST(DebugMessageLimiter, ABurstIsPrintedThriceThenCountedAndAMessageThatComesNowAndThenAlwaysShows) {
    DebugMessageLimiter limiter;
    const std::string text =
        FormatDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, 1282, GL_DEBUG_SEVERITY_HIGH,
                           "GL_INVALID_OPERATION in glDrawElements");
    EXPECT_EQ(limiter.Pass(1282, text, 10.0), text);
    EXPECT_EQ(limiter.Pass(1282, text, 10.0), text);
    EXPECT_EQ(limiter.Pass(1282, text, 10.0),
              text + "Debug message (1282) keeps coming: its repeats are counted once a second until it "
                     "stops\n");
    // A frame's worth of repeats a second for two and a half seconds: two lines, then nothing
    // until the burst is over, when the rest of the count comes.
    std::string printed;
    int lines = 0;
    for (int frame = 1; frame <= 150; ++frame) {
        const std::string out =
            limiter.Pass(1282, text, 10.0 + frame / 60.0) + limiter.EndBursts(10.0 + frame / 60.0);
        lines += out.empty() ? 0 : 1;
        printed += out;
    }
    EXPECT_EQ(lines, 2) << printed;
    EXPECT_EQ(printed,
              "Debug message (1282) repeated 60 more times\nDebug message (1282) repeated 60 more times\n");
    // Another message is not held back by the first one's repeats.
    EXPECT_EQ(limiter.Pass(7, "other\n", 12.55), "other\n");
    EXPECT_EQ(limiter.EndBursts(13.0), "");
    EXPECT_EQ(limiter.EndBursts(13.6), "Debug message (1282) repeated 30 more times, then stopped\n")
        << "a burst that was printed in full ends quietly";

    // A message that comes once per game start is printed in full every time, however many games.
    for (int game = 0; game < 6; ++game) {
        const double start = 100.0 + 60.0 * game;
        EXPECT_EQ(limiter.EndBursts(start), "");
        EXPECT_EQ(limiter.Pass(1282, text, start), text) << "game " << game;
    }
    // A burst cut short by the next one's arrival still gets its count.
    for (int i = 0; i < 5; ++i)
        limiter.Pass(9, "nine\n", 1000.0 + i * 0.1);
    EXPECT_EQ(limiter.Pass(9, "nine\n", 1010.0),
              "Debug message (9) repeated 2 more times, then stopped\nnine\n");
}
