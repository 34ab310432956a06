#include "render/Mesh.h"

#include <utility>

namespace {

template <typename T> GlObject UploadBuffer(GLenum target, const std::vector<T>& data) {
    GlObject buffer = GlObject::NewBuffer();
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)),
                 data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
    return buffer;
}

void PointAttribute(GLuint location, GLuint buffer, GLint components) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

} // namespace

Mesh::Mesh(std::vector<Vec3> positions, std::vector<Vec3> normals, std::vector<Vec2> uvs,
           std::vector<std::uint32_t> indices) {
    static_assert(sizeof(Vec3) == 12 && sizeof(Vec2) == 8, "vertex attributes are tightly packed floats");
    positionBuffer = UploadBuffer(GL_ARRAY_BUFFER, positions);
    normalBuffer = UploadBuffer(GL_ARRAY_BUFFER, normals);
    uvBuffer = UploadBuffer(GL_ARRAY_BUFFER, uvs);
    indexBuffer = UploadBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    this->positions = std::move(positions);
    this->normals = std::move(normals);
    this->uvs = std::move(uvs);
    this->indices = std::move(indices);
}

void Mesh::Draw() const {
    PointAttribute(0, positionBuffer, 3);
    PointAttribute(1, normalBuffer, 3);
    PointAttribute(2, uvBuffer, 2);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
}
