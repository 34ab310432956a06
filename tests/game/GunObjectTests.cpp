#include "PlayScenario.h"

#include "game/GunObject.h"
#include "physics/RigidBody.h"
#include "render/ReadabilitySettings.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kDegrees = 180.0f / kPi;

class GunObjectFollow : public testing_support::PlayScenario {
protected:
    GunObject* Gun() const {
        for (GameObject* object : game.World().GetObjects())
            if (auto* gun = dynamic_cast<GunObject*>(object))
                return gun;
        return nullptr;
    }

    /// Where the gun model's barrel (its local +Z) points.
    Vector3 GunAim() const { return quatRotate(Gun()->body->GetTransform().getRotation(), Vector3(0, 0, 1)); }
    Vector3 GunUp() const { return quatRotate(Gun()->body->GetTransform().getRotation(), Vector3(0, 1, 0)); }

    static float AngleBetween(const Vector3& a, const Vector3& b) {
        return std::acos(std::fmin(1.0f, a.normalized().dot(b.normalized()))) * kDegrees;
    }
    Vector3 View() const { return ToVector3(camera.GetForward()); }

    /// One frame drawn over a cleared screen, read back as RGBA bytes.
    std::vector<std::uint8_t> DrawnFrame() {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        game.DrawOnly(0.0f);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(viewport[2]) * viewport[3] * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    /// How many pixels the gun changes in the frame: drawn once with it and once without.
    int GunPixels() {
        const std::vector<std::uint8_t> with = DrawnFrame();
        Mesh* const model = Gun()->model;
        Gun()->model = nullptr;
        const std::vector<std::uint8_t> without = DrawnFrame();
        Gun()->model = model;
        int differing = 0;
        for (std::size_t i = 0; i + 3 < with.size(); i += 4)
            differing +=
                (with[i] != without[i] || with[i + 1] != without[i + 1] || with[i + 2] != without[i + 2]);
        return differing;
    }
    Vector3 ViewUp() const { return ToVector3(camera.GetUp()); }
};

TEST_F(GunObjectFollow, TheGunTurnsHalfWayToTheViewEachStep) {
    ASSERT_NE(Gun(), nullptr) << "every game builds a gun";
    Run(1.0f);
    ASSERT_LT(AngleBetween(GunAim(), View()), 0.1f) << "settled along the view";

    Look(kPi / 2.0f, 0.0f);
    Step();
    EXPECT_NEAR(AngleBetween(GunAim(), View()), 45.0f, 0.1f);
    Step();
    EXPECT_NEAR(AngleBetween(GunAim(), View()), 22.5f, 0.1f);
    // The turn is a pure yaw: the barrel stays level.
    EXPECT_NEAR(GunAim().y(), 0.0f, 1e-4f);
}

TEST_F(GunObjectFollow, ASettledGunPointsAlongAPitchedViewWithoutRolling) {
    Look(1.0f, 0.4f);
    Run(1.0f);
    EXPECT_LT(AngleBetween(GunAim(), View()), 0.1f);
    EXPECT_LT(AngleBetween(GunUp(), ViewUp()), 0.1f);
}

TEST_F(GunObjectFollow, TheGunSitsRightOfAndAheadOfThePlayer) {
    ASSERT_NE(Gun(), nullptr);
    const Vector3 p(4.0f, 30.0f, -6.0f);

    // Looking along +Z the right hand is -X: two right, three ahead, half a unit up.
    PlaceAt(p);
    Step();
    Vector3 at = Gun()->GetPosition();
    EXPECT_NEAR(at.x(), p.x() - 2.0f, 1e-4f);
    EXPECT_NEAR(at.y(), p.y() + 0.5f, 1e-4f);
    EXPECT_NEAR(at.z(), p.z() + 3.0f, 1e-4f);

    // Looking along +X the right hand is +Z.
    Look(kPi / 2.0f, 0.0f);
    PlaceAt(p);
    Step();
    at = Gun()->GetPosition();
    EXPECT_NEAR(at.x(), p.x() + 3.0f, 1e-4f);
    EXPECT_NEAR(at.y(), p.y() + 0.5f, 1e-4f);
    EXPECT_NEAR(at.z(), p.z() + 2.0f, 1e-4f);

    // Looking up, "ahead" follows the view while "right" stays level.
    Look(0.0f, 0.5f);
    PlaceAt(p);
    Step();
    at = Gun()->GetPosition();
    EXPECT_NEAR(at.x(), p.x() - 2.0f, 1e-4f);
    EXPECT_NEAR(at.y(), p.y() + 0.5f + 3.0f * std::sin(0.5f), 1e-4f);
    EXPECT_NEAR(at.z(), p.z() + 3.0f * std::cos(0.5f), 1e-4f);
}

TEST_F(GunObjectFollow, AWallJustAheadNeverCutsIntoTheGun) {
    ASSERT_NE(Gun(), nullptr);
    // Facing the south wall from a step away: the gun, three units ahead, lies wholly behind its face.
    StandAt(0.0f, 61.5f);
    Step();
    ReadabilitySettings& settings = ReadabilitySettings::Current();
    const bool saved = settings.gunOverScene;
    settings.gunOverScene = true;
    const int overScene = GunPixels();
    settings.gunOverScene = false;
    const int withTheWorld = GunPixels();
    settings.gunOverScene = saved;
    // Drawn over the scene the whole gun shows; drawn with the world the wall hides it.
    EXPECT_GT(overScene, 2000);
    EXPECT_LT(withTheWorld, overScene / 20);
}

} // namespace
