#include "render/LevelSurfaces.h"

#include "core/AssetLocator.h"
#include "render/Materials.h"
#include "render/Mesh.h"
#include "render/ModelHandler.h"
#include "render/ReadabilitySettings.h"
#include "render/SceneLighting.h"
#include "render/ShaderHandler.h"
#include "render/UniformStore.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr GLint kSurfaceUnit = 3;

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
    textures = settings.levelTextures && Present(kFloorPath) && Present(kWallPath) && Present(kBlockPath);
    markings = settings.hazardMarkings && Present(kHazardPath) && Present(kEdgesPath);
    if (!textures && !markings)
        return;
    // The four surfaces share one texture array, so the level's shader reads one texel per pixel
    // whichever surface it is on: a software renderer runs every branch of a shader, and one
    // texture per surface cost it a read for each.
    const char* const paths[kLayers] = {kFloorPath, kWallPath, kBlockPath, kHazardPath};
    std::vector<DecodedImage> images(kLayers);
    int width = 0, height = 0;
    for (int layer = 0; layer < kLayers; ++layer) {
        if (!(layer == kHazardLayer ? markings : textures))
            continue;
        const std::string file = AssetLocator::GetInstance().Resolve(paths[layer]);
        std::string problem;
        DecodedImage image = DecodeImageFile(file, true, 3, problem);
        if (image.pixels && width != 0 && (image.width != width || image.height != height))
            problem = std::to_string(image.width) + " x " + std::to_string(image.height) +
                      " pixels, where the other surfaces have " + std::to_string(width) + " x " +
                      std::to_string(height);
        if (!problem.empty()) {
            std::cout << "Failed to load texture " << file << ": " << problem << std::endl;
            (layer == kHazardLayer ? markings : textures) = false;
            continue;
        }
        width = image.width;
        height = image.height;
        images[layer] = std::move(image);
    }
    if (textures || markings)
        BuildLayers(images, width, height);
    if (markings) {
        ModelHandler::GetInstance().GetModel(kEdgesPath);
        SampleNearest(kHazardPath);
        EdgeMaterial();
    }
}

// Layers left out (their part off or their file unreadable) stay white, the surfaces' "no change".
void LevelSurfaces::BuildLayers(const std::vector<DecodedImage>& images, int width, int height) {
    layers = GlObject::NewTexture();
    glBindTexture(GL_TEXTURE_2D_ARRAY, layers);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGB8, width, height, kLayers, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 nullptr);
    const std::vector<unsigned char> white(static_cast<std::size_t>(width) * height * 3, 255);
    for (int layer = 0; layer < kLayers; ++layer) {
        const unsigned char* pixels = images[layer].pixels ? images[layer].pixels.get() : white.data();
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, layer, width, height, 1, GL_RGB, GL_UNSIGNED_BYTE,
                        pixels);
    }
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenerateMipmap(GL_TEXTURE_2D_ARRAY);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
}

void LevelSurfaces::BindForLevel(unsigned int program) {
    UniformStore uniforms;
    uniforms.SetInt("levelTextures", textures ? 1 : 0);
    uniforms.SetInt("hazardMarkings", markings ? 1 : 0);
    uniforms.SetInt("surfaces", kSurfaceUnit);
    uniforms.Apply(program);
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + kSurfaceUnit));
    glBindTexture(GL_TEXTURE_2D_ARRAY, layers.Get());
    glActiveTexture(GL_TEXTURE0);
}

void LevelSurfaces::Release() {
    layers.Release();
    prepared = textures = markings = false;
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
