#include "render/ObjGeometry.h"

namespace {

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

ObjGeometry FlattenObj(const tinyobj::attrib_t& attrib, const std::vector<tinyobj::shape_t>& shapes) {
    ObjGeometry geometry;
    for (const tinyobj::shape_t& shape : shapes) {
        std::size_t offset = 0;
        for (const unsigned char faceVertices : shape.mesh.num_face_vertices) {
            for (std::size_t corner = 0; corner < faceVertices; ++corner) {
                const tinyobj::index_t index = shape.mesh.indices[offset + corner];
                geometry.positions.push_back(ReadVec3(attrib.vertices, index.vertex_index));
                geometry.normals.push_back(ReadVec3(attrib.normals, index.normal_index));
                geometry.uvs.push_back(ReadVec2(attrib.texcoords, index.texcoord_index));
                geometry.indices.push_back(static_cast<std::uint32_t>(geometry.indices.size()));
            }
            offset += faceVertices;
        }
    }
    return geometry;
}
