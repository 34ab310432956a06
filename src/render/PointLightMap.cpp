#include "render/PointLightMap.h"

#include "render/Mesh.h"
#include "render/ShaderHandler.h"

#include <array>

namespace {

bool SameLights(const std::vector<PointLight>& drawn, const std::vector<PointLight*>& lights) {
    if (drawn.size() != lights.size())
        return false;
    for (std::size_t i = 0; i < lights.size(); ++i) {
        const PointLight& a = drawn[i];
        const PointLight& b = *lights[i];
        if (!(a.color == b.color && a.position == b.position && a.attenuation == b.attenuation))
            return false;
    }
    return true;
}

} // namespace

PointLightMap& PointLightMap::GetInstance() {
    static PointLightMap instance;
    return instance;
}

void PointLightMap::Prepare(int mapWidth, int mapHeight) {
    program = PointLightMapProgram();
    if (texture && mapWidth == width && mapHeight == height)
        return;
    width = mapWidth;
    height = mapHeight;
    texture = GlObject::NewTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_HALF_FLOAT, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    stencil = GlObject::NewRenderbuffer();
    glBindRenderbuffer(GL_RENDERBUFFER, stencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    framebuffer = GlObject::NewFramebuffer();
    GLint previous = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, stencil);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    drawn = false;
    lastDrawn.clear();
}

bool PointLightMap::Update(const Mesh& level, const std::vector<PointLight*>& lights) {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    // A pass that did not link leaves the texture dark rather than drawing with another program.
    if (!texture || !shaders.IsUsable(program) || (drawn && SameLights(lastDrawn, lights)))
        return false;
    GLint previousFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFramebuffer);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    const GLboolean blending = glIsEnabled(GL_BLEND);
    const GLboolean stencilTest = glIsEnabled(GL_STENCIL_TEST);
    GLint stencilClear = 0;
    glGetIntegerv(GL_STENCIL_CLEAR_VALUE, &stencilClear);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearStencil(0);
    glStencilMask(0xFF);
    glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    shaders.currentProgram = 0; // the global uniforms may have changed since it was last used
    shaders.Use(program);
    const GLint offset = shaders.drawUniforms.GetLocation(program, "texelOffset");
    // Drawn in place, then a texel off in each direction for the texels on a chart's rim, whose
    // centres lie on its faces' edges; the stencil keeps every texel to its first (the shader
    // tests it first), so the later draws only light the few texels still empty.
    const std::array<std::array<float, 2>, 5> offsets = {{{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
    for (const auto& o : offsets) {
        glUniform2f(offset, 2.0f * o[0] / static_cast<float>(width),
                    2.0f * o[1] / static_cast<float>(height));
        level.Draw();
    }

    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    if (depthTest)
        glEnable(GL_DEPTH_TEST);
    if (culling)
        glEnable(GL_CULL_FACE);
    if (blending)
        glEnable(GL_BLEND);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    if (!stencilTest)
        glDisable(GL_STENCIL_TEST);
    glClearStencil(stencilClear);

    lastDrawn.clear();
    for (const PointLight* light : lights)
        lastDrawn.push_back(*light);
    drawn = true;
    ++updates;
    return true;
}

void PointLightMap::Release() {
    framebuffer.Release();
    texture.Release();
    program = 0;
    width = height = 0;
    drawn = false;
    lastDrawn.clear();
}
