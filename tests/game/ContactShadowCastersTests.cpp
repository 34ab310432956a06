// Finding the blobs in a running game: each ball and orb casts on the level straight below it,
// fading with its height, and looking for them changes nothing in the game.
#include "core/Random.h"
#include "game/BasicEnemy.h"
#include "game/ContactShadowCasters.h"
#include "game/GameWorld.h"
#include "game/Level.h"
#include "support/GameHarness.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

/// The blobs centred at (x, z).
std::vector<ContactShadow> ShadowsAt(const std::vector<ContactShadow>& shadows, float x, float z) {
    std::vector<ContactShadow> found;
    for (const ContactShadow& shadow : shadows)
        if (std::fabs(shadow.centre.x - x) < 1e-3f && std::fabs(shadow.centre.z - z) < 1e-3f)
            found.push_back(shadow);
    return found;
}

} // namespace

TEST(ContactShadowCasters, BallsAndOrbsCastOnTheFloorBelowWithoutChangingTheGame) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    game.StartGame();
    GameWorld& world = game.World();
    // Over the plaza's open floor (its top at y = 0), beside the east and west orbs: one ball
    // resting, one with its bottom 2.5 above the floor, one far too high to cast anything.
    new BasicEnemy(Vector3(15.0f, 1.0f, 2.0f), 29.0f, 100.0f);
    new BasicEnemy(Vector3(-15.0f, 3.5f, 2.0f), 29.0f, 100.0f);
    new BasicEnemy(Vector3(0.0f, 20.0f, 12.0f), 29.0f, 100.0f);
    std::vector<Vector3> positions;
    for (const GameObject* object : world.GetObjects())
        positions.push_back(object->GetPosition());

    std::srand(4242);
    const int nextDraw = Random();
    std::srand(4242);
    const std::vector<ContactShadow> shadows =
        FindContactShadows(world.GetObjects(), *world.GetPhysicsWorld());
    EXPECT_EQ(Random(), nextDraw) << "finding the shadows drew from the game's random source";
    ASSERT_EQ(world.GetObjects().size(), positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        EXPECT_EQ(world.GetObjects()[i]->GetPosition(), positions[i]) << world.GetObjects()[i]->name;

    // The three orbs sit on the floor; their blobs are as dark as blobs get.
    for (const Vec3& spot : Level::kPickupSpots) {
        const std::vector<ContactShadow> orb = ShadowsAt(shadows, spot.x, spot.z);
        ASSERT_EQ(orb.size(), 1u) << spot.x << ", " << spot.z;
        EXPECT_NEAR(orb[0].centre.y, 0.0f, 1e-3f);
        EXPECT_FLOAT_EQ(orb[0].opacity, ContactShadow::kMaxOpacity);
    }
    // The resting ball's blob lies on the floor right under it, facing up.
    const std::vector<ContactShadow> resting = ShadowsAt(shadows, 15.0f, 2.0f);
    ASSERT_EQ(resting.size(), 1u);
    EXPECT_NEAR(resting[0].centre.y, 0.0f, 1e-3f);
    EXPECT_NEAR(resting[0].normal.y, 1.0f, 1e-4f);
    EXPECT_NEAR(resting[0].opacity, ContactShadow::kMaxOpacity, 1e-3f);
    // The raised ball's is fainter but still there; the high one casts none.
    const std::vector<ContactShadow> raised = ShadowsAt(shadows, -15.0f, 2.0f);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_NEAR(raised[0].centre.y, 0.0f, 1e-3f);
    EXPECT_LT(raised[0].opacity, resting[0].opacity / 2.0f);
    EXPECT_GT(raised[0].opacity, 0.0f);
    EXPECT_TRUE(ShadowsAt(shadows, 0.0f, 12.0f).empty());
    EXPECT_EQ(shadows.size(), 5u) << "the player, the level and the gun cast no blob";
}
