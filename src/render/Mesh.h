#pragma once
// A drawable mesh: separate position, normal and texture-coordinate buffers (attribute
// locations 0, 1, 2) and a 32-bit index buffer, plus CPU copies for building collision shapes.

#include "core/MathTypes.h"
#include "render/GlObject.h"

#include <GL/glew.h>
#include <cstdint>
#include <vector>

class CollisionShape;

class Mesh {
public:
    Mesh(std::vector<Vec3> positions, std::vector<Vec3> normals, std::vector<Vec2> uvs,
         std::vector<std::uint32_t> indices);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    /// One indexed draw of the whole mesh with the current program, on the shared VAO.
    void Draw() const;

    // The mesh owns its buffers: they go with it (or at the model library's release).
    GlObject positionBuffer;
    GlObject indexBuffer;
    GlObject normalBuffer;
    GlObject uvBuffer;
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;
    std::vector<std::uint32_t> indices;
    /// The concave shape last built from the CPU copies by the game (not owned here).
    CollisionShape* concaveShape = nullptr;
};
