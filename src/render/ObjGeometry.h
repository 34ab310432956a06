#pragma once
// The corners of a parsed .obj file laid out as the game's meshes take them: one vertex per face
// corner, whatever indices the file gives.

#include "core/MathTypes.h"

#include <tiny_obj_loader.h>

#include <cstdint>
#include <vector>

struct ObjGeometry {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;
    std::vector<std::uint32_t> indices;
};

/// Every face corner of every shape. A corner without a normal or texture coordinate, or naming
/// one past the end of the file's lists, gets zeros rather than a read outside them.
ObjGeometry FlattenObj(const tinyobj::attrib_t& attrib, const std::vector<tinyobj::shape_t>& shapes);
