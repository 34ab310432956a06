#include "render/ContactShadowRenderer.h"

#include "render/GraphicsSettings.h"
#include "render/ShaderHandler.h"

#include <GL/glew.h>
#include <cstddef>

namespace {

constexpr std::size_t kVerticesPerShadow = 6;
constexpr GLsizeiptr kBufferBytes =
    ContactShadowRenderer::kMaxShadows * kVerticesPerShadow * sizeof(ContactShadowVertex);
// Pulls the blobs a little towards the camera, in depth-buffer steps, so they win against the
// surface they lie in at every distance.
constexpr float kOffsetFactor = -1.0f;
constexpr float kOffsetUnits = -2.0f;

void PointVertexAttribute(GLuint location, GLint components, std::size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, sizeof(ContactShadowVertex),
                          reinterpret_cast<const void*>(offset));
}

} // namespace

ContactShadowRenderer& ContactShadowRenderer::GetInstance() {
    static ContactShadowRenderer instance;
    return instance;
}

GLuint ContactShadowProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/contactShadow.vert",
                                                      "assets/shaders/contactShadow.frag");
}

void ContactShadowRenderer::Prepare() {
    ContactShadowProgram();
    if (!buffer) {
        buffer = GlObject::NewBuffer();
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_DYNAMIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    vertices.reserve(kMaxShadows * kVerticesPerShadow);
}

bool ContactShadowRenderer::IsEnabled() {
    return GraphicsSettings::Current().contactShadows;
}

void ContactShadowRenderer::Draw(ShaderHandler& shaders, const std::vector<ContactShadow>& shadows) {
    if (shadows.empty() || !IsEnabled())
        return;
    // Without Prepare (a test drawing on its own) the buffer is made on first use.
    if (!buffer)
        Prepare();
    vertices.clear();
    for (std::size_t i = 0; i < shadows.size() && i < kMaxShadows; ++i)
        AppendContactShadowQuad(vertices, shadows[i]);

    if (!shaders.Use(ContactShadowProgram()))
        return;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0,
                    static_cast<GLsizeiptr>(vertices.size() * sizeof(ContactShadowVertex)), vertices.data());
    PointVertexAttribute(0, 3, offsetof(ContactShadowVertex, position));
    PointVertexAttribute(1, 2, offsetof(ContactShadowVertex, local));
    PointVertexAttribute(2, 1, offsetof(ContactShadowVertex, opacity));

    // Blended over the surface, tested against it but never hiding what is drawn later.
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(kOffsetFactor, kOffsetUnits);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);

    for (GLuint location = 0; location < 3; ++location)
        glDisableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
