#include "game/HudReadouts.h"

#include <gtest/gtest.h>

namespace {

TEST(HudReadoutsTest, CounterShowsMinutesAndTwoDigitSeconds) {
    EXPECT_EQ(FormatCounter(300.0f), "5:00");
    EXPECT_EQ(FormatCounter(299.98f), "4:59");
    EXPECT_EQ(FormatCounter(65.0f), "1:05");
    EXPECT_EQ(FormatCounter(60.0f), "1:00");
    EXPECT_EQ(FormatCounter(59.999f), "0:59");
    EXPECT_EQ(FormatCounter(9.0f), "0:09");
    EXPECT_EQ(FormatCounter(0.4f), "0:00");
    EXPECT_EQ(FormatCounter(0.0f), "0:00");
}

TEST(HudReadoutsTest, HealthShowsCurrentOverMaximum) {
    EXPECT_EQ(FormatHealth(100, 100), "100/100");
    EXPECT_EQ(FormatHealth(0, 100), "0/100");
    EXPECT_EQ(FormatHealth(-10, 100), "-10/100");
}

} // namespace
