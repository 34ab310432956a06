// Which enemies get an arrow at the screen's edge, where it stands and how strongly it shows.
#include "game/ThreatHud.h"
#include "ui/ThreatMarkers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// An 800 x 600 screen, 90 degrees high, eye at the origin looking along +z.
ThreatView View() {
    ThreatView view;
    view.eye = {0.0f, 0.0f, 0.0f};
    view.forward = {0.0f, 0.0f, 1.0f};
    view.up = {0.0f, 1.0f, 0.0f};
    view.fovDegrees = 90.0f;
    view.width = 800.0f;
    view.height = 600.0f;
    return view;
}

TEST(ThreatMarkers, OnlyCloseEnemiesOutOfViewGetAnArrowOnTheEdgeTowardsThem) {
    const ThreatView view = View();
    // Ahead in view, out of range behind, and inside the view but beyond the range: no arrow.
    EXPECT_TRUE(
        PlaceThreatMarkers(view, {{0.0f, 0.0f, 5.0f}, {0.0f, 0.0f, -15.5f}, {3.0f, 0.0f, 20.0f}}).empty());

    // Forward x up is the screen's right (-x for this eye).
    const Vec3 right = Cross(view.forward, view.up);
    const std::vector<ThreatMarker> side = PlaceThreatMarkers(view, {right * 10.0f});
    ASSERT_EQ(side.size(), 1u);
    EXPECT_NEAR(side[0].position.x, 800.0f - kThreatMargin, 0.01f);
    EXPECT_NEAR(side[0].position.y, 300.0f, 0.01f);
    EXPECT_NEAR(side[0].direction.x, 1.0f, 1e-5f);

    // Straight behind at eye height the arrow points down, from the bottom edge's middle; behind
    // and above it stands on the top edge; behind on the left, on the left edge.
    const std::vector<ThreatMarker> behind = PlaceThreatMarkers(
        view, {{0.0f, 0.0f, -4.0f}, {0.0f, 6.0f, -6.0f}, right * -7.0f + Vec3{0, 0, -7.0f}});
    ASSERT_EQ(behind.size(), 3u);
    EXPECT_NEAR(behind[0].position.x, 400.0f, 0.01f);
    EXPECT_NEAR(behind[0].position.y, kThreatMargin, 0.01f);
    EXPECT_NEAR(behind[1].position.y, 600.0f - kThreatMargin, 0.01f);
    EXPECT_NEAR(behind[2].position.x, kThreatMargin, 0.01f) << "behind on the left: the left edge";
    for (const ThreatMarker& marker : behind) {
        EXPECT_NEAR(std::hypot(marker.direction.x, marker.direction.y), 1.0f, 1e-5f);
        EXPECT_GE(marker.position.x, kThreatMargin - 0.01f);
        EXPECT_LE(marker.position.x, 800.0f - kThreatMargin + 0.01f);
    }

    // Nearer is stronger, and even at the range's end the arrow still shows.
    const std::vector<ThreatMarker> fading =
        PlaceThreatMarkers(view, {{0.0f, 0.0f, -2.0f}, {0.0f, 0.0f, -14.9f}});
    ASSERT_EQ(fading.size(), 2u);
    EXPECT_GT(fading[0].opacity, fading[1].opacity + 0.5f);
    EXPECT_GT(fading[1].opacity, 0.1f);
    EXPECT_LE(fading[0].opacity, 1.0f);

    // The view reaches 4/3 as far sideways as up: 5 ahead, it shows up to 6.67 to either side.
    EXPECT_EQ(PlaceThreatMarkers(view, {{-6.9f, 0.0f, 5.0f}}).size(), 1u);
    EXPECT_TRUE(PlaceThreatMarkers(view, {{-6.4f, 0.0f, 5.0f}}).empty());
    EXPECT_EQ(PlaceThreatMarkers(view, {{0.0f, 5.2f, 5.0f}}).size(), 1u);

    // The wave warning is the last second of the spawner's countdown, and only that.
    EXPECT_FALSE(WaveIsImminent(1.01f));
    EXPECT_TRUE(WaveIsImminent(1.0f));
    EXPECT_TRUE(WaveIsImminent(0.02f));
    EXPECT_FALSE(WaveIsImminent(0.0f));
}

} // namespace
