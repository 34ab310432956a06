// The point lights' texture on the level: drawn when the list of lights changes, and only then.
#include "render/Lights.h"
#include "render/Mesh.h"
#include "render/PointLightMap.h"
#include "render/ShaderHandler.h"

#include "RenderTestUtil.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kMapSize = 16;

// Every texel of the point lights' texture, four floats each.
std::vector<float> MapTexels() {
    std::vector<float> texels(kMapSize * kMapSize * 4);
    glBindTexture(GL_TEXTURE_2D, PointLightMap::GetInstance().Texture());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

// The texel in the middle, as red, green, blue.
std::vector<float> Centre(const std::vector<float>& texels) {
    const std::size_t at = ((kMapSize / 2) * kMapSize + kMapSize / 2) * 4;
    return {texels[at], texels[at + 1], texels[at + 2]};
}

} // namespace

TEST(PointLightMap, IsDrawnWhenTheLightsChangeAndKeptOtherwise) {
    testing_support::EnsureGLContext();
    // A 10 x 10 floor at y = 0 laid over the whole light map as the level's charts are: its
    // edges on the centres of the outermost texels.
    const std::vector<Vec3> positions = {{-5, 0, -5}, {5, 0, -5}, {5, 0, 5}, {-5, 0, 5}};
    const std::vector<Vec3> normals(4, Vec3{0, 1, 0});
    const float lo = 0.5f / kMapSize;
    const float hi = 1.0f - lo;
    const std::vector<Vec2> uvs = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
    const Mesh floor(positions, normals, uvs, {0, 1, 2, 0, 2, 3});

    PointLightMap& map = PointLightMap::GetInstance();
    map.Release();
    map.Prepare(kMapSize, kMapSize);
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    DirectionalLight sun;
    PointLight cyan{{0.0f, 1.0f, 1.0f}, {0.0f, 2.0f, 0.0f}, {1.0f, 0.0f, 0.0f}};
    std::vector<PointLight*> lights = {&cyan};
    const int before = map.UpdateCount();

    shaders.SetLights(sun, lights);
    EXPECT_TRUE(map.Update(floor, lights));
    std::vector<float> centre = Centre(MapTexels());
    // Straight under the light: its full colour, nothing in red.
    EXPECT_NEAR(centre[0], 0.0f, 1e-3f);
    EXPECT_NEAR(centre[1], 1.0f, 0.05f);
    EXPECT_NEAR(centre[2], 1.0f, 0.05f);
    // The rim texels, whose centres lie on the floor's edges, are lit as well.
    const std::vector<float> texels = MapTexels();
    EXPECT_GT(texels[1], 0.1f) << "corner texel left dark";

    // The same lights again, even from another list object: nothing to draw.
    PointLight same = cyan;
    EXPECT_FALSE(map.Update(floor, {&same}));
    EXPECT_EQ(map.UpdateCount(), before + 1);

    // An orb appears: the map is drawn again with both lights.
    PointLight green{{0.0f, 1.0f, 0.0f}, {0.0f, 2.0f, 0.0f}, {1.0f, 0.0f, 0.0f}};
    lights.push_back(&green);
    shaders.SetLights(sun, lights);
    EXPECT_TRUE(map.Update(floor, lights));
    EXPECT_NEAR(Centre(MapTexels())[1], 2.0f, 0.1f);

    // A light that moves or changes colour counts as a change too.
    green.color = {1.0f, 0.0f, 0.0f};
    shaders.SetLights(sun, lights);
    EXPECT_TRUE(map.Update(floor, lights));
    centre = Centre(MapTexels());
    EXPECT_NEAR(centre[0], 1.0f, 0.05f);
    EXPECT_NEAR(centre[1], 1.0f, 0.05f);

    // The list emptied (a new game): the map goes dark.
    lights.clear();
    shaders.SetLights(sun, lights);
    EXPECT_TRUE(map.Update(floor, lights));
    centre = Centre(MapTexels());
    EXPECT_NEAR(centre[1] + centre[2], 0.0f, 1e-3f);
    EXPECT_EQ(map.UpdateCount(), before + 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    map.Release();
}
