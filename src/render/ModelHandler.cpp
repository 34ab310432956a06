#include "render/ModelHandler.h"

#include "core/AssetLocator.h"

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

// A corner may lack a normal or texture coordinate, or name one past the end of the file's
// list; it then gets zeros rather than a read outside the arrays.
bool InRange(int index, std::size_t stride, const std::vector<tinyobj::real_t>& values) {
    return index >= 0 && (static_cast<std::size_t>(index) + 1) * stride <= values.size();
}

Vec3 ReadVec3(const std::vector<tinyobj::real_t>& values, int index) {
    if (!InRange(index, 3, values))
        return {};
    const std::size_t at = static_cast<std::size_t>(index) * 3;
    return {values[at], values[at + 1], values[at + 2]};
}

Vec2 ReadVec2(const std::vector<tinyobj::real_t>& values, int index) {
    if (!InRange(index, 2, values))
        return {};
    const std::size_t at = static_cast<std::size_t>(index) * 2;
    return {values[at], values[at + 1]};
}

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

    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;
    std::vector<std::uint32_t> indices;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        std::size_t offset = 0;
        for (const unsigned char faceVertices : shape.mesh.num_face_vertices) {
            for (std::size_t corner = 0; corner < faceVertices; ++corner) {
                const tinyobj::index_t index = shape.mesh.indices[offset + corner];
                positions.push_back(ReadVec3(attrib.vertices, index.vertex_index));
                normals.push_back(ReadVec3(attrib.normals, index.normal_index));
                uvs.push_back(ReadVec2(attrib.texcoords, index.texcoord_index));
                indices.push_back(static_cast<std::uint32_t>(indices.size()));
            }
            offset += faceVertices;
        }
    }
    return new Mesh(std::move(positions), std::move(normals), std::move(uvs), std::move(indices));
}
