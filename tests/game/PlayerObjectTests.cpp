#include "PlayScenario.h"

#include "game/PlayerObject.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using testing_support::ConsoleCapture;

constexpr float kPi = 3.14159265f;
// With the default controls, what one step of W does to a player at rest, and how much
// faster than the cap a step may end: the force acts after the clip, minus the drag.
constexpr float kOneStepOfW = 100.0f / 60.0f;
constexpr float kOneStepOfDrag = 50.0f / 60.0f;
constexpr float kOneStepOverCap = kOneStepOfW - kOneStepOfDrag;

class PlayerMovement : public testing_support::PlayScenario {};
class PlayerJump : public testing_support::PlayScenario {};
class PlayerLifecycle : public testing_support::PlayScenario {};

TEST_F(PlayerMovement, ADiagonalPushesNoHarderThanAStraightLine) {
    StandAt(0.0f, -5.0f);
    Hold({Action::Forward});
    Step();
    const float straight = HorizontalSpeed();
    Release({Action::Forward});
    // W along +Z from rest: the full acceleration for one step, no friction from the floor.
    EXPECT_NEAR(straight, kOneStepOfW, 0.01f);
    EXPECT_NEAR(Velocity().z(), straight, 0.01f);

    StandAt(0.0f, -5.0f);
    Hold({Action::Forward, Action::Left});
    Step();
    // The same gain along the diagonal of forward (+Z) and left (+X), not sqrt(2) times it.
    EXPECT_NEAR(HorizontalSpeed(), straight, 0.001f);
    EXPECT_NEAR(Velocity().x(), Velocity().z(), 0.001f);
    EXPECT_GT(Velocity().x(), 0.0f);
}

TEST_F(PlayerMovement, OppositeKeysCancelButTheDragStillBrakes) {
    StandAt(0.0f, -5.0f);
    Hold({Action::Forward, Action::Back});
    Run(0.5f);
    EXPECT_LT(HorizontalSpeed(), 1e-4f) << "W and S together must not move a player at rest";

    player.body->SetLinearVelocity(Vector3(0.0f, 0.0f, 5.0f));
    Step();
    // Only the constant drag acts on the moving player.
    EXPECT_NEAR(HorizontalSpeed(), 5.0f - kOneStepOfDrag, 0.01f);
}

TEST_F(PlayerMovement, TheViewSteersTheKeysAlongTheGround) {
    StandAt(0.0f, -5.0f);
    // Looking along -X and steeply down: W still pushes horizontally, along -X.
    Look(-kPi / 2.0f, -1.2f);
    Hold({Action::Forward});
    Step();
    EXPECT_NEAR(Velocity().x(), -kOneStepOfW, 0.01f);
    EXPECT_NEAR(Velocity().z(), 0.0f, 0.01f);
    Release({Action::Forward});

    StandAt(0.0f, -5.0f);
    Hold({Action::Right});
    Step();
    // D is the right hand of a view along -X, that is -Z.
    EXPECT_NEAR(Velocity().z(), -kOneStepOfW, 0.01f);
    EXPECT_NEAR(Velocity().x(), 0.0f, 0.01f);
}

TEST_F(PlayerMovement, ASlowDriftStopsDeadWhileAFasterOneIsBraked) {
    StandAt(0.0f, -5.0f);
    player.body->SetLinearVelocity(Vector3(0.4f, 0.0f, 0.0f));
    Step();
    // Contacts with the floor's tiles may leave a trace of motion; a brake would leave -0.43.
    EXPECT_LT(HorizontalSpeed(), 0.01f) << "below 0.5 the drift is cut, not braked";

    player.body->SetLinearVelocity(Vector3(0.6f, 0.0f, 0.0f));
    Step();
    // The brake of 50 overshoots a drift of 0.6 within the step and sends it slightly back.
    EXPECT_NEAR(Velocity().x(), 0.6f - kOneStepOfDrag, 0.01f);
    Step();
    EXPECT_LT(HorizontalSpeed(), 0.01f);

    // The cut also happens with a key held, and that key's force then starts the walk afresh.
    player.body->SetLinearVelocity(Vector3(0.4f, 0.0f, 0.0f));
    Hold({Action::Forward});
    Step();
    EXPECT_NEAR(Velocity().x(), 0.0f, 0.01f);
    EXPECT_NEAR(Velocity().z(), kOneStepOfW, 0.01f);
}

TEST_F(PlayerMovement, WalkingIsCappedAtTenOnTheGround) {
    // Westwards across the open middle of the arena, between the pillars and the pickups.
    StandAt(22.0f, -6.0f);
    Look(-kPi / 2.0f, 0.0f);
    Hold({Action::Forward});
    float fastest = 0.0f;
    for (int step = 0; step < 180; ++step) {
        Step();
        // The clip comes before the step's own forces are integrated.
        ASSERT_LE(HorizontalSpeed(), 10.0f + kOneStepOverCap + 0.01f) << "after step " << step;
        fastest = std::max(fastest, HorizontalSpeed());
    }
    EXPECT_GE(fastest, 10.0f) << "the walk should have reached the cap";
    EXPECT_TRUE(player.IsGrounded());
}

TEST_F(PlayerMovement, AirborneTheCapIsFifteenAndTheFallIsNeverClipped) {
    PlaceAt(Vector3(0.0f, 150.0f, 0.0f));
    Hold({Action::Forward});
    float fastest = 0.0f;
    for (int step = 0; step < 90; ++step) {
        Step();
        ASSERT_LE(HorizontalSpeed(), 15.0f + kOneStepOverCap + 0.01f) << "after step " << step;
        fastest = std::max(fastest, HorizontalSpeed());
    }
    EXPECT_GE(fastest, 15.0f) << "in the air the ground cap of 10 must not apply";
    // After 1.5 s of free fall under gravity 25 the body falls at 37.5, far above either cap.
    EXPECT_NEAR(Velocity().y(), -37.5f, 0.5f);
}

TEST_F(PlayerMovement, AnythingWithinReachBelowCountsAsGroundTriggersToo) {
    // A trigger ball whose top is at y = 51.1; the ground ray reaches 1.2 below the centre.
    auto* ball = new GameObject();
    ball->body->SetType(BodyType::Static);
    ball->SetPosition(Vector3(0.0f, 50.0f, 0.0f));
    ball->AddSphereCollider(1.1f, Transform::getIdentity(), true, CollisionCategory::kSphere,
                            CollisionCategory::kTriggerMask);

    PlaceAt(Vector3(0.0f, 52.25f, 0.0f));
    EXPECT_TRUE(player.IsGrounded());
    PlaceAt(Vector3(0.0f, 52.35f, 0.0f));
    // Nothing within reach: in particular not our own capsule, in which the ray starts.
    EXPECT_FALSE(player.IsGrounded());
}

TEST_F(PlayerJump, AJumpFromTheFloorRisesAboutTwoAndAHalfUnits) {
    StandAt(0.0f, -5.0f);
    const float floor = player.GetPosition().y();
    game.Press(Action::Jump);
    float top = floor;
    for (int step = 0; step < 90; ++step) {
        Step();
        top = std::max(top, player.GetPosition().y());
    }
    // One push of 700 on the 1 kg body for one step: about 11.7 up against gravity 25.
    EXPECT_NEAR(top - floor, 2.7f, 0.3f);
    EXPECT_NEAR(player.GetPosition().y(), floor, 0.05f) << "back on the floor after 1.5 s";
}

TEST_F(PlayerJump, SpaceInTheAirDoesNothing) {
    StandAt(0.0f, -5.0f);
    const float floor = player.GetPosition().y();
    game.Press(Action::Jump);
    Run(0.2f);
    ASSERT_GT(player.GetPosition().y() - floor, 1.0f) << "well off the ground by now";
    const float rising = Velocity().y();
    game.Press(Action::Jump);
    Step();
    // Gravity alone acts in the step: no second push.
    EXPECT_NEAR(Velocity().y(), rising - 25.0f / 60.0f, 0.01f);

    float top = floor;
    for (int step = 0; step < 60; ++step) {
        Step();
        top = std::max(top, player.GetPosition().y());
    }
    EXPECT_LT(top - floor, 3.0f);
}

TEST_F(PlayerJump, PressesPilingUpBeforeAStepPushOnlyOnce) {
    StandAt(0.0f, -5.0f);
    // A slow frame can bring six presses before its first step: one push, the same as one press.
    for (int press = 0; press < 6; ++press)
        game.Press(Action::Jump);
    Step();
    const float oneJump = Velocity().y();
    EXPECT_NEAR(oneJump, 700.0f / 60.0f - 25.0f / 60.0f, 0.5f);

    // Back on the floor, the next press jumps just as high: nothing stays blocked.
    Run(1.5f);
    game.Press(Action::Jump);
    game.Press(Action::Jump);
    Step();
    EXPECT_NEAR(Velocity().y(), oneJump, 0.5f);
}

TEST_F(PlayerLifecycle, FallingBelowMinusThirtyReportsTheDeath) {
    ConsoleCapture console;
    PlaceAt(Vector3(0.0f, -30.0f, 0.0f));
    Step();
    EXPECT_FALSE(console.Contains("Player destroyed")) << "exactly at the limit the player lives";

    PlaceAt(Vector3(0.0f, -30.01f, 0.0f));
    Step();
    // Reported once, in the step that found the body below the limit.
    const std::string text = console.Text();
    EXPECT_NE(text.find("Player destroyed\n"), std::string::npos);
    EXPECT_EQ(text.find("Player destroyed"), text.rfind("Player destroyed"));
}

TEST_F(PlayerLifecycle, TheEyeRidesPointEightAboveTheBody) {
    const Vector3 p(3.0f, 20.0f, -4.0f);
    PlaceAt(p);
    player.body->SetLinearVelocity(Vector3(2.0f, 1.0f, 0.0f));
    Step();
    // The eye takes the body's position as the step found it.
    EXPECT_FLOAT_EQ(camera.GetPosition().x, p.x());
    EXPECT_FLOAT_EQ(camera.GetPosition().y, p.y() + 0.8f);
    EXPECT_FLOAT_EQ(camera.GetPosition().z, p.z());

    const Vector3 q = player.GetPosition();
    ASSERT_NE(q.x(), p.x()) << "the body moved in the physics step";
    Step();
    EXPECT_FLOAT_EQ(camera.GetPosition().x, q.x());
    EXPECT_FLOAT_EQ(camera.GetPosition().y, q.y() + 0.8f);
    EXPECT_FLOAT_EQ(camera.GetPosition().z, q.z());
}

} // namespace
