#pragma once
// Loads .obj meshes and image textures by path and keeps each for the life of the process.

#include "render/Mesh.h"
#include "render/Texture.h"

#include <memory>
#include <string>
#include <unordered_map>

class ModelHandler {
public:
    static ModelHandler& GetInstance();

    /// The cached mesh, loading it on first request.
    Mesh* GetModel(const std::string& path);
    /// The cached texture; the sRGB flag only matters for the first request of a path.
    TextureHandle GetTexture(const std::string& path, bool srgb);
    /// Preloads the game's fixed list of meshes and textures.
    void LoadAll();
    /// Deletes every cached mesh and texture while the context is still current and empties
    /// the caches; handles given out before are dangling afterwards.
    void Release();

private:
    ModelHandler() = default;

    std::unordered_map<std::string, std::unique_ptr<Mesh>> models;
    // Cells on the heap: the handles given out point into them.
    std::unordered_map<std::string, std::unique_ptr<GlObject>> textures;
};

/// Reads an .obj file into a new mesh, one vertex per face corner. A file the reader cannot
/// parse prints "TinyObjReader: " and its error to stderr and ends the process with status 1.
Mesh* LoadModel(const std::string& path);
