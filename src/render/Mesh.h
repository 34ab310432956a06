#pragma once
// A drawable mesh: separate position, normal and texture-coordinate buffers (attribute
// locations 0, 1, 2) and a 32-bit index buffer, plus CPU copies for building collision shapes.

#include "core/MathTypes.h"

#include <GL/glew.h>
#include <cstdint>
#include <vector>

class CollisionShape;

class Mesh {
public:
    Mesh(std::vector<Vec3> positions, std::vector<Vec3> normals, std::vector<Vec2> uvs,
         std::vector<std::uint32_t> indices);
    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    /// One indexed draw of the whole mesh with the current program, on the shared VAO.
    void Draw() const;

    GLuint positionBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint uvBuffer = 0;
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;
    std::vector<std::uint32_t> indices;
    /// The concave shape last built from the CPU copies by the game (not owned here).
    CollisionShape* concaveShape = nullptr;
};
