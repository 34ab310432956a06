#include "render/LevelSurfaces.h"

#include "core/AssetLocator.h"
#include "render/Materials.h"
#include "render/Mesh.h"
#include "render/ModelHandler.h"
#include "render/ReadabilitySettings.h"
#include "render/SceneLighting.h"
#include "render/ShaderHandler.h"

#include <filesystem>
#include <memory>

namespace {

constexpr GLint kFirstSurfaceUnit = 3;

bool Present(const char* path) {
    std::error_code error;
    return std::filesystem::is_regular_file(AssetLocator::GetInstance().Resolve(path), error);
}

// Read as plain data: the surfaces are multipliers near white, where decoding would change little.
// Sampled from the nearest texel of the nearest mip level: the floor covers most of the screen and
// filtering it costs a software renderer a quarter of the frame, while a texel is a 64th of a unit,
// so the steps show only at the player's feet.
TextureHandle Surface(const char* path) {
    return ModelHandler::GetInstance().GetTexture(path, false);
}

void SampleNearest(const char* path) {
    glBindTexture(GL_TEXTURE_2D, Surface(path)->Get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// The lips' material: the stripes on the basic shading, made once the textures are there.
BasicMaterial& EdgeMaterial() {
    static std::unique_ptr<BasicMaterial> material;
    if (!material) {
        material = std::make_unique<BasicMaterial>();
        material->SetDiffuseTexture(Surface(LevelSurfaces::kHazardPath));
    }
    return *material;
}

} // namespace

LevelSurfaces& LevelSurfaces::GetInstance() {
    static LevelSurfaces instance;
    return instance;
}

void LevelSurfaces::Prepare() {
    if (prepared)
        return;
    prepared = true;
    const ReadabilitySettings& settings = ReadabilitySettings::Current();
    if (settings.levelTextures) {
        textures = Present(kFloorPath) && Present(kWallPath) && Present(kBlockPath);
        if (textures)
            for (const char* path : {kFloorPath, kWallPath, kBlockPath})
                SampleNearest(path);
    }
    if (settings.hazardMarkings) {
        markings = Present(kHazardPath) && Present(kEdgesPath);
        if (markings) {
            SampleNearest(kHazardPath);
            ModelHandler::GetInstance().GetModel(kEdgesPath);
            EdgeMaterial();
        }
    }
}

void LevelSurfaces::BindForLevel(unsigned int program) {
    UniformStore uniforms;
    uniforms.SetInt("levelTextures", textures ? 1 : 0);
    uniforms.SetInt("hazardMarkings", markings ? 1 : 0);
    const char* const paths[] = {kFloorPath, kWallPath, kBlockPath, kHazardPath};
    const char* const names[] = {"floorTexture", "wallTexture", "blockTexture", "hazardTexture"};
    for (int i = 0; i < 4; ++i) {
        const bool wanted = i < 3 ? textures : markings;
        uniforms.SetInt(names[i], kFirstSurfaceUnit + i);
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + kFirstSurfaceUnit + i));
        glBindTexture(GL_TEXTURE_2D, wanted ? Surface(paths[i])->Get() : 0);
    }
    uniforms.Apply(program);
    glActiveTexture(GL_TEXTURE0);
}

void LevelSurfaces::DrawEdges(const std::vector<PointLight*>& lights, const Vec3& eye) {
    if (!markings)
        return;
    BasicMaterial& material = EdgeMaterial();
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    if (!shaders.IsUsable(material.program))
        return;
    shaders.SetModel(Mat4::Identity());
    SetObjectLighting(lights, eye);
    material.Bind();
    ModelHandler::GetInstance().GetModel(kEdgesPath)->Draw();
}
