#include "game/Weapon.h"

#include <gtest/gtest.h>

namespace {

TEST(WeaponFigures, FiguresShowWholeNumbersTruncatedTowardsZero) {
    EXPECT_EQ(Weapon::FormatFigure(20.0f), "20");
    EXPECT_EQ(Weapon::FormatFigure(1.0f), "1");
    EXPECT_EQ(Weapon::FormatFigure(0.5f), "0");
    EXPECT_EQ(Weapon::FormatFigure(1.99f), "1");
    EXPECT_EQ(Weapon::FormatFigure(99.99f), "99");
    EXPECT_EQ(Weapon::FormatFigure(-1.5f), "-1") << "towards zero, not downwards";
    EXPECT_EQ(Weapon::FormatFigure(-0.5f), "0");
}

} // namespace
