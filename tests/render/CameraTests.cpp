// The camera's projection, mouse turning and view directions, and its reshaping with the screen
// text when the window changes size (the text renderer needs a GL context).
#include "render/Camera.h"

#include "core/InputMouseLook.h"

#include "ui/TextTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vec4 Transform(const Mat4& m, const Vec3& p) {
    Vec4 r;
    r.x = m.At(0, 0) * p.x + m.At(1, 0) * p.y + m.At(2, 0) * p.z + m.At(3, 0);
    r.y = m.At(0, 1) * p.x + m.At(1, 1) * p.y + m.At(2, 1) * p.z + m.At(3, 1);
    r.z = m.At(0, 2) * p.x + m.At(1, 2) * p.y + m.At(2, 2) * p.z + m.At(3, 2);
    r.w = m.At(0, 3) * p.x + m.At(1, 3) * p.y + m.At(2, 3) * p.z + m.At(3, 3);
    return r;
}

/// The camera with default settings, looking along +Z from the origin; put back afterwards,
/// since the one instance is shared by the whole test process.
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = {camera.position, camera.yaw, camera.pitch, camera.fov, camera.aspect, camera.projection};
        camera.position = {0.0f, 0.0f, 0.0f};
        camera.yaw = 0.0f;
        camera.pitch = 0.0f;
        camera.fov = 90.0f;
        camera.aspect = 800.0f / 600.0f;
        camera.BuildProjection();
    }
    void TearDown() override {
        camera.position = saved.position;
        camera.yaw = saved.yaw;
        camera.pitch = saved.pitch;
        camera.fov = saved.fov;
        camera.aspect = saved.aspect;
        camera.projection = saved.projection;
    }

    /// The turn mouse look makes of a cursor at (x, y) in a w x h window, applied.
    void ApplyMouseOffset(double x, double y, int w, int h) {
        const ViewTurn turn = CursorTurn(x, y, w, h, look);
        camera.ApplyTurn(turn.yaw, turn.pitch);
    }

    Camera& camera = Camera::GetInstance();
    MouseLook look;

private:
    struct State {
        Vec3 position;
        float yaw, pitch, fov, aspect;
        Mat4 projection;
    } saved{};
};

TEST_F(CameraTest, ProjectionOfANinetyDegreeViewFollowsTheAspect) {
    const Mat4 p = camera.projection;
    // tan 45 degrees is 1: the vertical scale is 1 and the horizontal one 1 / aspect.
    EXPECT_NEAR(p.At(0, 0), 0.75f, 1e-6f);
    EXPECT_NEAR(p.At(1, 1), 1.0f, 1e-6f);
    EXPECT_EQ(p.At(2, 3), -1.0f);
    EXPECT_EQ(p.At(3, 3), 0.0f);
    // Depth maps the near plane to -1 and the far plane to +1.
    const auto depthAt = [&p](float distance) {
        const Vec4 clip = Transform(p, {0.0f, 0.0f, -distance});
        return clip.z / clip.w;
    };
    EXPECT_NEAR(depthAt(camera.nearPlane), -1.0f, 1e-4f);
    EXPECT_NEAR(depthAt(camera.farPlane), 1.0f, 1e-4f);

    // A wider window changes nothing but the horizontal scale.
    camera.aspect = 1600.0f / 600.0f;
    camera.BuildProjection();
    EXPECT_NEAR(camera.projection.At(0, 0), 0.375f, 1e-6f);
    for (int i = 1; i < 16; ++i)
        EXPECT_EQ(camera.projection.m[i], p.m[i]) << "element " << i;

    // The field of view is in degrees: 60 gives 1 / tan 30 degrees.
    camera.fov = 60.0f;
    camera.BuildProjection();
    EXPECT_NEAR(camera.projection.At(1, 1), 1.7320508f, 1e-5f);
}

TEST_F(CameraTest, PitchStopsJustShortOfTheVertical) {
    // A cursor above the centre looks up.
    ApplyMouseOffset(400.0, 290.0, 800, 600);
    EXPECT_NEAR(camera.pitch, 10.0f * 0.0015f, 1e-7f);
    for (int frame = 0; frame < 100; ++frame)
        ApplyMouseOffset(400.0, -500.0, 800, 600);
    EXPECT_EQ(camera.pitch, Camera::kPitchLimit);
    EXPECT_GT(camera.GetForward().z, 0.0f) << "the view must not flip over the top";
    for (int frame = 0; frame < 100; ++frame)
        ApplyMouseOffset(400.0, 1500.0, 800, 600);
    EXPECT_EQ(camera.pitch, -Camera::kPitchLimit);
    EXPECT_EQ(camera.yaw, 0.0f);
}

TEST_F(CameraTest, TurningRightRunsTheYawNegativeAndWrapsAtMinusTwoPi) {
    float previous = camera.yaw;
    bool wrapped = false;
    for (int frame = 0; frame < 200; ++frame) {
        ApplyMouseOffset(500.0, 300.0, 800, 600); // 100 px right of the centre
        EXPECT_GT(camera.yaw, -kTwoPi);
        EXPECT_LE(camera.yaw, 0.0f);
        if (camera.yaw > previous) {
            wrapped = true;
            // Wrapping by a whole turn keeps the view where a plain subtraction would put it.
            EXPECT_NEAR(camera.yaw - kTwoPi, previous - 100.0f * 0.0015f, 1e-4f);
        } else {
            EXPECT_NEAR(camera.yaw, previous - 100.0f * 0.0015f, 1e-4f);
        }
        previous = camera.yaw;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(camera.pitch, 0.0f);
}

TEST_F(CameraTest, OffsetsCountInWholePixelsFromTheIntegerCentre) {
    // Less than a pixel either way turns nothing.
    ApplyMouseOffset(400.7, 299.3, 800, 600);
    ApplyMouseOffset(399.3, 300.7, 800, 600);
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, 0.0f);

    // 2.9 px counts as 2; an odd width centres on its lower half, 400 of 801.
    ApplyMouseOffset(397.1, 300.0, 801, 600);
    EXPECT_NEAR(camera.yaw, 2.0f * 0.0015f, 1e-7f);
    camera.yaw = 0.0f;
    ApplyMouseOffset(400.5, 300.0, 801, 601);
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
}

TEST_F(CameraTest, DoubleSensitivityDoublesTheTurn) {
    ApplyMouseOffset(390.0, 300.0, 800, 600);
    const float single = camera.yaw;
    EXPECT_NEAR(single, 0.015f, 1e-7f);
    camera.yaw = 0.0f;
    look.sensitivity = 2.0f * MouseLook::kSensitivityPerUnit;
    ApplyMouseOffset(390.0, 300.0, 800, 600);
    EXPECT_NEAR(camera.yaw, 2.0f * single, 1e-7f);
}

TEST_F(CameraTest, ForwardAndUpAreOrthogonalUnitVectors) {
    EXPECT_NEAR(camera.GetForward().z, 1.0f, 1e-6f);
    EXPECT_NEAR(camera.GetUp().y, 1.0f, 1e-6f);
    // Growing yaw turns towards +X; positive pitch looks up and tips the up vector back.
    camera.yaw = 1.5707964f;
    EXPECT_NEAR(camera.GetForward().x, 1.0f, 1e-6f);
    camera.yaw = 0.0f;
    camera.pitch = 0.5f;
    EXPECT_GT(camera.GetForward().y, 0.0f);
    EXPECT_LT(camera.GetUp().z, 0.0f);

    for (float yaw : {-5.0f, -1.0f, 0.3f, 2.5f, 6.0f})
        for (float pitch : {-Camera::kPitchLimit, -0.7f, 0.0f, 0.4f, Camera::kPitchLimit}) {
            camera.yaw = yaw;
            camera.pitch = pitch;
            const Vec3 f = camera.GetForward(), u = camera.GetUp();
            EXPECT_NEAR(Length(f), 1.0f, 1e-5f);
            EXPECT_NEAR(Length(u), 1.0f, 1e-5f);
            EXPECT_NEAR(Dot(f, u), 0.0f, 1e-5f) << "yaw " << yaw << " pitch " << pitch;
        }
}

TEST_F(CameraTest, ViewProjectionPutsWhatIsAheadAtTheScreenCentre) {
    camera.position = {3.0f, 2.0f, -5.0f};
    camera.yaw = 0.7f;
    camera.pitch = 0.3f;
    const Mat4 vp = camera.GetViewProjection();
    const Vec3 forward = camera.GetForward();
    const Vec3 ahead = camera.position + forward * 10.0f;

    const Vec4 centre = Transform(vp, ahead);
    ASSERT_GT(centre.w, 0.0f);
    EXPECT_NEAR(centre.x / centre.w, 0.0f, 1e-4f);
    EXPECT_NEAR(centre.y / centre.w, 0.0f, 1e-4f);
    EXPECT_GT(centre.z / centre.w, -1.0f);
    EXPECT_LT(centre.z / centre.w, 1.0f);

    // Up on screen is the camera's up, and right is forward x up: one unit off the line of
    // sight at distance 10 is a tenth of the half-screen, squeezed by the aspect sideways.
    const Vec4 above = Transform(vp, ahead + camera.GetUp());
    EXPECT_NEAR(above.y / above.w, 0.1f, 1e-4f);
    EXPECT_NEAR(above.x / above.w, 0.0f, 1e-4f);
    const Vec4 right = Transform(vp, ahead + Normalize(Cross(forward, camera.GetUp())));
    EXPECT_NEAR(right.x / right.w, 0.075f, 1e-4f);
    EXPECT_NEAR(right.y / right.w, 0.0f, 1e-4f);
    // Behind the eye is behind the camera.
    EXPECT_LT(Transform(vp, camera.position - forward * 10.0f).w, 0.0f);
}

class CameraResizeTest : public text_test::TextScene {
protected:
    void SetUp() override {
        TextScene::SetUp();
        savedFov = camera.fov;
        savedAspect = camera.aspect;
        savedProjection = camera.projection;
        camera.fov = 90.0f;
        camera.OnWindowSize(800, 600);
    }
    void TearDown() override {
        camera.fov = savedFov;
        camera.aspect = savedAspect;
        camera.projection = savedProjection;
        TextScene::TearDown();
    }

    /// The turn mouse look makes of a cursor at (x, y) in a w x h window, applied.
    void ApplyMouseOffset(double x, double y, int w, int h) {
        const ViewTurn turn = CursorTurn(x, y, w, h, look);
        camera.ApplyTurn(turn.yaw, turn.pitch);
    }

    Camera& camera = Camera::GetInstance();
    MouseLook look;

private:
    float savedFov = 90.0f;
    float savedAspect = 1.0f;
    Mat4 savedProjection;
};

TEST_F(CameraResizeTest, AWiderWindowWidensTheViewAndMovesTheText) {
    EXPECT_NEAR(camera.projection.At(0, 0), 0.75f, 1e-6f);
    const float w = text.TextWidth("60 FPS", 1);
    camera.OnWindowSize(1600, 600);

    EXPECT_NEAR(camera.projection.At(0, 0), 0.375f, 1e-6f);
    EXPECT_NEAR(camera.projection.At(1, 1), 1.0f, 1e-6f);
    // The text keeps pixel units: right-anchored items follow the new right edge.
    EXPECT_EQ(text.Width(), 1600);
    EXPECT_EQ(text.Height(), 600);
    EXPECT_FLOAT_EQ(text.EntryPen("60 FPS", 1, TopRight, {-20.0f, -20.0f}).x + w, 1580.0f);
}

TEST_F(CameraResizeTest, AMinimisedWindowLeavesEverythingAsItWas) {
    camera.OnWindowSize(1024, 768);
    const Mat4 before = camera.projection;
    camera.OnWindowSize(0, 0);
    camera.OnWindowSize(1024, 0);
    camera.OnWindowSize(0, 768);

    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(camera.projection.m[i], before.m[i]) << "element " << i;
    EXPECT_FLOAT_EQ(camera.aspect, 1024.0f / 768.0f);
    EXPECT_EQ(text.Width(), 1024);
    EXPECT_EQ(text.Height(), 768);
}

} // namespace
