// Material defaults, what Bind leaves on the texture units, and who owns which texture.
#include "render/Materials.h"
#include "render/ShaderHandler.h"
#include "render/Texture.h"

#include "RenderTestUtil.h"

#include <gtest/gtest.h>

namespace {

GLuint BoundOnUnit(GLenum unit) {
    glActiveTexture(unit);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

GLenum ActiveUnit() {
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    return static_cast<GLenum>(unit);
}

using Texel = std::array<std::uint8_t, 4>;

} // namespace

TEST(BasicMaterialTest, DefaultsAreAGreyTextureAndHalfSpecular) {
    testing_support::EnsureGLContext();
    BasicMaterial material;
    EXPECT_EQ(material.program, BasicProgram());
    ASSERT_NE(material.diffuseTexture, nullptr);
    EXPECT_EQ(render_test::InternalFormatOf(*material.diffuseTexture), GL_SRGB_ALPHA);
    EXPECT_EQ(render_test::FirstTexelOf(*material.diffuseTexture), (Texel{200, 200, 200, 255}));
    EXPECT_EQ(material.uniforms.Vec3s().at("material.specular"), (Vec3{0.5f, 0.5f, 0.5f}));
    EXPECT_FLOAT_EQ(material.uniforms.Floats().at("material.shininess"), 32.0f);
    // Every material shares the one grey texel: a material made during play creates no texture.
    BasicMaterial other;
    EXPECT_EQ(*other.diffuseTexture, *material.diffuseTexture);
}

TEST(BasicMaterialTest, TheAnimatedVariantOnlySwapsTheProgram) {
    testing_support::EnsureGLContext();
    AnimatedMaterial material;
    EXPECT_EQ(material.program, AnimatedProgram());
    EXPECT_NE(material.program, BasicProgram());
    EXPECT_EQ(render_test::FirstTexelOf(*material.diffuseTexture), (Texel{200, 200, 200, 255}));
    EXPECT_FLOAT_EQ(material.uniforms.Floats().at("material.shininess"), 32.0f);
}

TEST(BasicMaterialTest, BindMakesTheProgramCurrentAndTheDiffuseSitOnUnitZero) {
    testing_support::EnsureGLContext();
    ShaderHandler::GetInstance().currentProgram = 0;
    BasicMaterial material;
    glActiveTexture(GL_TEXTURE3);
    material.Bind();
    EXPECT_EQ(ActiveUnit(), static_cast<GLenum>(GL_TEXTURE0));
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE0), *material.diffuseTexture);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), BasicProgram());
    // The material's own values are in the program once bound.
    float shininess = 0.0f;
    glGetUniformfv(BasicProgram(), glGetUniformLocation(BasicProgram(), "material.shininess"), &shininess);
    EXPECT_FLOAT_EQ(shininess, 32.0f);
}

TEST(BasicMaterialTest, SolidColoursAreSharedSrgbTexelsMadeOnceAndKeptForPlay) {
    testing_support::EnsureGLContext();
    SolidTextures& solids = SolidTextures::GetInstance();
    GLuint solid = 0;
    GLuint grey = 0;
    {
        AnimatedMaterial material;
        grey = *material.diffuseTexture;
        SetSolidColor(material, 0, 255, 0);
        solid = *material.diffuseTexture;
        EXPECT_NE(solid, grey);
        EXPECT_EQ(render_test::InternalFormatOf(solid), GL_SRGB_ALPHA);
        EXPECT_EQ(render_test::FirstTexelOf(solid), (Texel{0, 255, 0, 255}));

        // A second orb of the same colour, as every pickup during play, makes no texture of its own.
        const std::size_t made = solids.Count();
        AnimatedMaterial another;
        SetSolidColor(another, 0, 255, 0);
        EXPECT_EQ(*another.diffuseTexture, solid);
        EXPECT_EQ(*another.diffuseTexture, *material.diffuseTexture);
        EXPECT_EQ(solids.Count(), made);
    }
    // The shared textures outlive the materials; the release pass at shut-down deletes them.
    EXPECT_EQ(glIsTexture(solid), GL_TRUE);
    EXPECT_EQ(glIsTexture(grey), GL_TRUE);
}

TEST(BasicMaterialTest, ATextureHandedInOutlivesTheMaterial) {
    testing_support::EnsureGLContext();
    GlObject shared = CreateSolidTexture(1, 2, 3);
    {
        BasicMaterial material;
        material.SetDiffuseTexture(&shared);
        material.Bind();
        EXPECT_EQ(BoundOnUnit(GL_TEXTURE0), shared);
    }
    EXPECT_EQ(glIsTexture(shared), GL_TRUE);
}

TEST(PBSMaterialTest, DefaultsAreDielectricRoughAndUnoccluded) {
    testing_support::EnsureGLContext();
    PBSMaterial material;
    EXPECT_EQ(material.program, PBSProgram());
    EXPECT_EQ(render_test::FirstTexelOf(*material.metallicTexture), (Texel{0, 0, 0, 255}));
    EXPECT_EQ(render_test::FirstTexelOf(*material.roughnessTexture), (Texel{255, 255, 255, 255}));
    EXPECT_EQ(render_test::FirstTexelOf(*material.aoTexture), (Texel{255, 255, 255, 255}));
    const auto& ints = material.uniforms.Ints();
    EXPECT_EQ(ints.at("albedoMap"), 0);
    EXPECT_EQ(ints.at("normalMap"), 1);
    EXPECT_EQ(ints.at("metallicMap"), 2);
    EXPECT_EQ(ints.at("roughnessMap"), 3);
    EXPECT_EQ(ints.at("aoMap"), 4);
}

TEST(PBSMaterialTest, BindPutsTheFiveMapsOnUnitsZeroToFourAndLeavesFourActive) {
    testing_support::EnsureGLContext();
    PBSMaterial material;
    BasicMaterial basic;
    const GlObject albedo = CreateSolidTexture(9, 9, 9);
    const GlObject normal = CreateSolidTexture(128, 128, 255);
    material.SetAlbedoTexture(&albedo);
    material.SetNormalTexture(&normal);
    material.Bind();
    EXPECT_EQ(ActiveUnit(), static_cast<GLenum>(GL_TEXTURE4));
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE0), albedo);
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE1), normal);
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE2), *material.metallicTexture);
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE3), *material.roughnessTexture);
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE4), *material.aoTexture);
    // The samplers point at their units in the program.
    GLint unit = -1;
    glGetUniformiv(PBSProgram(), glGetUniformLocation(PBSProgram(), "aoMap"), &unit);
    EXPECT_EQ(unit, 4);

    // A basic draw after it still binds its diffuse texture to unit 0.
    basic.Bind();
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE0), *basic.diffuseTexture);
    EXPECT_EQ(BoundOnUnit(GL_TEXTURE4), *material.aoTexture);
}

TEST(PBSMaterialTest, UnsetAlbedoAndNormalBindSharedNeutralDefaults) {
    testing_support::EnsureGLContext();
    GLuint albedo = 0;
    GLuint normal = 0;
    GLuint metallic = 0;
    {
        PBSMaterial first;
        metallic = *first.metallicTexture;
        first.Bind();
        albedo = BoundOnUnit(GL_TEXTURE0);
        normal = BoundOnUnit(GL_TEXTURE1);
        // Making the defaults on first use must not disturb the units bound before them.
        EXPECT_NE(albedo, normal);
        ASSERT_NE(albedo, 0u);
        ASSERT_NE(normal, 0u);
        EXPECT_EQ(render_test::FirstTexelOf(albedo), (Texel{128, 128, 128, 255}));
        // A flat normal (0, 0, 1) encoded as plain data, not decoded from sRGB.
        EXPECT_EQ(render_test::FirstTexelOf(normal), (Texel{128, 128, 255, 255}));
        EXPECT_EQ(render_test::InternalFormatOf(normal), GL_RGBA);

        PBSMaterial second;
        second.Bind();
        EXPECT_EQ(BoundOnUnit(GL_TEXTURE0), albedo);
        EXPECT_EQ(BoundOnUnit(GL_TEXTURE1), normal);
    }
    // The defaults and the 1x1 colour maps are shared, so a material's end leaves them alone.
    EXPECT_EQ(glIsTexture(albedo), GL_TRUE);
    EXPECT_EQ(glIsTexture(normal), GL_TRUE);
    EXPECT_EQ(glIsTexture(metallic), GL_TRUE);
}
