// Which lights an object is lit by per pixel, and what the others add up to.
#include "render/LightSelection.h"
#include "render/Lights.h"

#include <gtest/gtest.h>

namespace {

PointLight Light(Vec3 color, Vec3 position, Vec3 attenuation = {1.0f, 0.0f, 0.1f}) {
    return PointLight{color, position, attenuation};
}

} // namespace

TEST(LightSelection, KeepsTheLightsArrivingStrongestAndSumsTheRest) {
    // A bright lamp far away, a dim one close by, a coloured one in between and a tie.
    PointLight farBright = Light({4.0f, 4.0f, 4.0f}, {20.0f, 0.0f, 0.0f});
    PointLight nearDim = Light({0.5f, 0.5f, 0.5f}, {1.0f, 0.0f, 0.0f});
    PointLight redMiddle = Light({2.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 3.0f});
    PointLight tieA = Light({1.0f, 1.0f, 1.0f}, {0.0f, 5.0f, 0.0f});
    PointLight tieB = Light({1.0f, 1.0f, 1.0f}, {0.0f, -5.0f, 0.0f});
    const std::vector<PointLight*> lights = {&farBright, &tieA, &nearDim, &redMiddle, &tieB};
    const Vec3 at{0.0f, 0.0f, 0.0f};

    // Arriving: far 4/41 = 0.098, near 0.5/1.1 = 0.45, red (brightest channel) 2/1.9 = 1.05,
    // ties 1/3.5 = 0.29 each.
    const ObjectLights two = SelectLights(lights, at, 2);
    ASSERT_EQ(two.strongest.size(), 2u);
    EXPECT_EQ(two.strongest[0], &redMiddle);
    EXPECT_EQ(two.strongest[1], &nearDim);
    const Vec3 rest = LightArrivingAt(farBright, at) + LightArrivingAt(tieA, at) + LightArrivingAt(tieB, at);
    EXPECT_NEAR(two.rest.x, rest.x, 1e-5f);
    EXPECT_NEAR(two.rest.y, rest.y, 1e-5f);
    EXPECT_NEAR(two.rest.z, rest.z, 1e-5f);

    // Equal lights keep the world's order, so the choice does not flicker between frames.
    const ObjectLights four = SelectLights(lights, at, 4);
    ASSERT_EQ(four.strongest.size(), 4u);
    EXPECT_EQ(four.strongest[2], &tieA);
    EXPECT_EQ(four.strongest[3], &tieB);

    // Moving the object next to the far lamp makes it the strongest.
    EXPECT_EQ(SelectLights(lights, {19.0f, 0.0f, 0.0f}, 1).strongest[0], &farBright);

    // Fewer lights than the limit, or no limit: every light per pixel and nothing left over.
    for (const int limit : {0, 5, 32}) {
        const ObjectLights all = SelectLights(lights, at, limit);
        EXPECT_EQ(all.strongest.size(), lights.size()) << limit;
        EXPECT_EQ(all.rest, (Vec3{0.0f, 0.0f, 0.0f})) << limit;
    }
    EXPECT_TRUE(SelectLights({}, at, 3).strongest.empty());
}
