// Drawing a lit mesh end to end: mesh buffers, material, lights and the shipped shaders.
#include "render/Lights.h"
#include "render/Materials.h"
#include "render/Mesh.h"
#include "render/ShaderHandler.h"

#include "RenderTestUtil.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSize = 64;

int Brightness(const std::array<std::uint8_t, 4>& rgba) {
    return rgba[0] + rgba[1] + rgba[2];
}

// Draws a unit-radius sphere at the origin, seen from +z through an orthographic view, lit
// only by one white point light to its right, and returns the left and right sample points.
std::pair<int, int> DrawLitSphere(ShaderMaterial& material) {
    render_test::OffscreenTarget target(kSize, kSize);
    EXPECT_TRUE(target.Complete());
    const render_test::SphereData data = render_test::MakeSphere(0.8f);
    Mesh sphere(data.positions, data.normals, data.uvs, data.indices);

    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.BeginFrame(1.0f / 60.0f);
    // Orthographic, looking down -z: nearer surfaces have smaller depth.
    Mat4 viewProjection = Mat4::Identity();
    viewProjection.At(2, 2) = -0.5f;
    shaders.SetCamera(viewProjection, {0.0f, 0.0f, 5.0f}, {0.0f, 1.0f, 0.0f});
    DirectionalLight dark;
    dark.color = {0.0f, 0.0f, 0.0f};
    dark.direction = {0.0f, -1.0f, 0.0f};
    PointLight light;
    light.position = {3.0f, 0.0f, 1.0f};
    shaders.SetLights(dark, {&light});
    shaders.SetModel(Mat4::Identity());
    material.Bind();
    sphere.Draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A mesh draw leaves its three attribute arrays enabled and its index buffer bound.
    for (GLuint location = 0; location < 3; ++location) {
        GLint enabled = GL_FALSE;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, GL_TRUE) << "attribute " << location;
    }
    GLint elements = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elements);
    EXPECT_EQ(static_cast<GLuint>(elements), sphere.indexBuffer);

    const int left = Brightness(target.Pixel(kSize / 2 - 20, kSize / 2));
    const int right = Brightness(target.Pixel(kSize / 2 + 20, kSize / 2));
    EXPECT_EQ(Brightness(target.Pixel(1, 1)), 0) << "the corner outside the sphere stays clear";
    return {left, right};
}

} // namespace

TEST(SceneRendering, TheBasicSphereIsBrighterOnTheSideFacingTheLight) {
    testing_support::EnsureGLContext();
    BasicMaterial material;
    const auto [left, right] = DrawLitSphere(material);
    EXPECT_GT(right, left + 150) << "left " << left << " right " << right;
    // The far side still shows the ambient term rather than black.
    EXPECT_GT(left, 0);
}

TEST(SceneRendering, TheAnimatedSphereIsLitTheSameWay) {
    testing_support::EnsureGLContext();
    AnimatedMaterial material;
    SetSolidColor(material, 0, 255, 0);
    const auto [left, right] = DrawLitSphere(material);
    EXPECT_GT(right, left + 20) << "left " << left << " right " << right;
}

TEST(SceneRendering, ThePhysicallyBasedSphereWithDefaultMapsIsBrighterTowardsTheLight) {
    testing_support::EnsureGLContext();
    PBSMaterial material;
    const auto [left, right] = DrawLitSphere(material);
    EXPECT_GT(right, left + 150) << "left " << left << " right " << right;
}
