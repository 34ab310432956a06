#include "PlayScenario.h"

#include "game/BonkeyGun.h"
#include "game/PlayerObject.h"
#include "game/Weapon.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::ConsoleCapture;

class BonkeyGunShot : public testing_support::PlayScenario {
protected:
    /// Hangs the player with its eye 12 units above the floor at (0, -5), looking straight down.
    void AimDownFromAbove() {
        PlaceAt(Vector3(0.0f, kFloorHeight + 11.2f, -5.0f));
        Look(0.0f, -Camera::kPitchLimit);
        Step();
    }
    void Shoot() { game.Press(Action::Shoot); }
};

TEST_F(BonkeyGunShot, ATargetBeforeTheFloorTakesTheShot) {
    GameObject* target = MakeTarget(Vector3(0.0f, kFloorHeight + 4.0f, -5.0f));
    AimDownFromAbove();
    ConsoleCapture console;
    Shoot();
    // The ray crosses the target and then the floor: only the nearer one is hit.
    EXPECT_EQ(console.Text(), "Damage " + target->name + " by 20\n");
    EXPECT_EQ(target->health, 80);
}

TEST_F(BonkeyGunShot, TheFloorShieldsATargetBelowIt) {
    GameObject* target = MakeTarget(Vector3(0.0f, kFloorHeight - 4.0f, -5.0f));
    AimDownFromAbove();
    ConsoleCapture console;
    Shoot();
    EXPECT_EQ(console.Text(), "Level hit\n");
    EXPECT_EQ(target->health, 100);
}

TEST_F(BonkeyGunShot, TheNearestReportWinsWhateverTheOrderOfReports) {
    GameObject* closer = MakeTarget(Vector3(0.0f, 50.0f, 10.0f));
    GameObject* farther = MakeTarget(Vector3(0.0f, 50.0f, 20.0f));
    const RaycastInfo nearReport{Vector3(0, 50, 9), Vector3(0, 0, -1), 0.09f, nullptr, closer->body};
    const RaycastInfo farReport{Vector3(0, 50, 19), Vector3(0, 0, -1), 0.19f, nullptr, farther->body};

    for (bool farFirst : {true, false}) {
        BonkeyGun gun;
        const RaycastInfo& first = farFirst ? farReport : nearReport;
        const RaycastInfo& second = farFirst ? nearReport : farReport;
        // Every report answers -1, so the ray is never clipped and both colliders are seen.
        EXPECT_EQ(gun.NotifyRaycastHit(first), -1.0f);
        EXPECT_EQ(gun.NotifyRaycastHit(second), -1.0f);
        EXPECT_TRUE(gun.HasHit());
        gun.ApplyHit();
    }
    EXPECT_EQ(closer->health, 60) << "both rounds hit the nearer target";
    EXPECT_EQ(farther->health, 100);
}

TEST_F(BonkeyGunShot, FiveShotsKillAFullHealthTarget) {
    GameObject* target = MakeTarget(Vector3(0.0f, kFloorHeight + 4.0f, -5.0f));
    const std::string name = target->name;
    AimDownFromAbove();
    // No cool-down: every press fires, with no step in between.
    for (int shot = 0; shot < 4; ++shot)
        Shoot();
    ASSERT_EQ(target->health, 20);
    ConsoleCapture console;
    Shoot();
    EXPECT_EQ(console.Text(), "Damage " + name + " by 20\nDestroying " + name + "\n");
    EXPECT_FALSE(InWorld(target));
}

TEST_F(BonkeyGunShot, APickupOnTheFloorOnlySaysItWasHit) {
    // The game's pickup east of the start point, half sunk into the floor.
    GameObject* pickup = nullptr;
    for (GameObject* object : game.World().GetObjects())
        if (object->name == "Pickup" && object->GetPosition().distance(Vector3(15.0f, 0.0f, 0.0f)) < 0.01f)
            pickup = object;
    ASSERT_NE(pickup, nullptr);
    PlaceAt(Vector3(15.0f, kFloorHeight + 11.2f, 0.0f));
    Look(0.0f, -Camera::kPitchLimit);
    Step();
    ConsoleCapture console;
    Shoot();
    // Its trigger sphere lies above the floor on the ray, so it takes the shot, and keeps standing.
    EXPECT_EQ(console.Text(), "pickup hit\n");
    EXPECT_TRUE(InWorld(pickup));
}

TEST_F(BonkeyGunShot, AShotAtTheFloorOnlySaysSo) {
    StandAt(0.0f, -5.0f);
    Look(0.0f, -1.0f);
    Step();
    ConsoleCapture console;
    Shoot();
    // The ray starts inside the player's own capsule and leaves it through the bottom.
    EXPECT_EQ(console.Text(), "Level hit\n");
    EXPECT_EQ(player.health, 100);
}

TEST_F(BonkeyGunShot, TheRayReachesAHundredUnitsAndAMissLeavesNothingBehind) {
    PlaceAt(Vector3(0.0f, 150.0f, 0.0f));
    Step();
    const Vector3 eye = ToVector3(camera.GetPosition());
    // Their near sides are 99.5 ahead along +Z and 100.5 behind, along -Z.
    GameObject* inReach = MakeTarget(eye + Vector3(0.0f, 0.0f, 100.5f));
    GameObject* outOfReach = MakeTarget(eye + Vector3(0.0f, 0.0f, -101.5f));
    Shoot();
    EXPECT_EQ(inReach->health, 80);

    Look(3.14159265f, 0.0f);
    ConsoleCapture console;
    Shoot();
    // Nothing within range: no damage line, and the previous shot's hit is not dealt again.
    EXPECT_EQ(console.Text(), "");
    EXPECT_EQ(outOfReach->health, 100);
    EXPECT_EQ(inReach->health, 80);
}

TEST_F(BonkeyGunShot, TheGunDescribesItsFigures) {
    Weapon* weapon = player.GetCurrentWeapon();
    ASSERT_NE(weapon, nullptr);
    const std::vector<std::string> expected{"BonkeyGun", "Damage: 20", "Speed Mod: 1", "Health Mod: 1",
                                            "Cool Down: 1"};
    EXPECT_EQ(weapon->GetStats(), expected);
    EXPECT_EQ(weapon->GetDamage(), 20.0f);

    ConsoleCapture console;
    weapon->PrintStatus();
    weapon->gauge = 42.5f;
    weapon->PrintStatus();
    EXPECT_EQ(console.Text(), "BonkeyGun 100/100\nBonkeyGun 42.5/100\n");
    weapon->gauge = 100.0f;
}

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
