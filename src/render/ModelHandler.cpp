#include "render/ModelHandler.h"

#include "core/AssetLocator.h"
#include "render/ObjGeometry.h"

#include <tiny_obj_loader.h>

#include <cstdlib>
#include <iostream>

namespace {

const char* const kPreloadedModels[] = {
    "assets/models/1ball.obj", "assets/models/1ball_far.obj", "assets/models/Map1.obj",
    "assets/models/gun.obj",   "assets/models/monkey.obj",    "assets/models/sphere.obj",
};

// The gun's maps are sampled as plain data; its shader decodes the albedo itself.
const char* const kPreloadedTextures[] = {
    "assets/textures/gun_albedo.jpg",    "assets/textures/gun_normal.png", "assets/textures/gun_metallic.jpg",
    "assets/textures/gun_roughness.jpg", "assets/textures/gun_ao.jpg",
};

} // namespace

ModelHandler& ModelHandler::GetInstance() {
    static ModelHandler instance;
    return instance;
}

Mesh* ModelHandler::GetModel(const std::string& path) {
    auto found = models.find(path);
    if (found != models.end())
        return found->second.get();
    Mesh* mesh = LoadModel(path);
    models.emplace(path, std::unique_ptr<Mesh>(mesh));
    return mesh;
}

TextureHandle ModelHandler::GetTexture(const std::string& path, bool srgb) {
    auto found = textures.find(path);
    if (found != textures.end())
        return found->second.get();
    auto cell = std::make_unique<GlObject>(LoadTexture(path, srgb));
    TextureHandle handle = cell.get();
    textures.emplace(path, std::move(cell));
    return handle;
}

void ModelHandler::LoadAll() {
    for (const char* path : kPreloadedModels)
        GetModel(path);
    for (const char* path : kPreloadedTextures)
        GetTexture(path, false);
}

void ModelHandler::Release() {
    models.clear();
    textures.clear();
}

Mesh* LoadModel(const std::string& path) {
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(AssetLocator::GetInstance().Resolve(path), tinyobj::ObjReaderConfig())) {
        if (!reader.Error().empty())
            std::cerr << "TinyObjReader: " << reader.Error();
        std::exit(1);
    }
    if (!reader.Warning().empty())
        std::cout << "TinyObjReader: " << reader.Warning();

    ObjGeometry geometry = FlattenObj(reader.GetAttrib(), reader.GetShapes());
    return new Mesh(std::move(geometry.positions), std::move(geometry.normals), std::move(geometry.uvs),
                    std::move(geometry.indices));
}
