// A window-size event reshapes the camera and the screen text together; it lives with the
// text tests because the text renderer needs a GL context.
#include "render/Camera.h"

#include "TextTestUtil.h"

#include <gtest/gtest.h>

namespace {

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

    Camera& camera = Camera::GetInstance();

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
