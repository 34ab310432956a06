#include "render/SkyRenderer.h"

#include "render/GraphicsSettings.h"
#include "render/Lights.h"
#include "render/ShaderHandler.h"
#include "render/SkyColours.h"

#include <algorithm>
#include <cmath>

namespace {

// In normalised device coordinates: a few pixels on any window.
constexpr float kHorizonMargin = 0.02f;

void SetVec3(ShaderHandler& shaders, GLuint program, const char* name, const Vec3& value) {
    glUniform3f(shaders.drawUniforms.GetLocation(program, name), value.x, value.y, value.z);
}

/// The sun drawn at full brightness in the light's own tint.
Vec3 SunDiscColour() {
    const float brightest = std::max({kSunColour.x, kSunColour.y, kSunColour.z});
    return brightest > 0.0f ? kSunColour * (1.0f / brightest) : Vec3{1.0f, 1.0f, 1.0f};
}

} // namespace

float SkyBottom(float forwardHeight, float halfHeight) {
    // Without roll the horizon is a level line across the screen, where the view direction's
    // height sin(pitch) + y tan(fov / 2) cos(pitch) is zero.
    const float cosPitch = std::sqrt(std::max(1.0f - forwardHeight * forwardHeight, 0.0f));
    if (cosPitch * halfHeight <= 0.0f)
        return forwardHeight > 0.0f ? -1.0f : 1.0f;
    const float horizon = -forwardHeight / (cosPitch * halfHeight);
    // A little below the line, so that its row of pixels is covered whatever the rounding.
    return std::clamp(horizon - kHorizonMargin, -1.0f, 1.0f);
}

SkyRenderer& SkyRenderer::GetInstance() {
    static SkyRenderer instance;
    return instance;
}

GLuint SkyProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/sky.vert", "assets/shaders/sky.frag");
}

void SkyRenderer::Prepare(ShaderHandler& shaders) {
    const GLuint program = SkyProgram();
    if (!shaders.Use(program))
        return;
    SetVec3(shaders, program, "horizonColour", kSkyHorizonColour);
    SetVec3(shaders, program, "zenithColour", kSkyZenithColour);
    // The light shines along kSunDirection, so the sun stands the other way.
    SetVec3(shaders, program, "towardSun", Normalize(kSunDirection * -1.0f));
    SetVec3(shaders, program, "sunDiscColour", SunDiscColour());
}

bool SkyRenderer::IsEnabled() {
    return GraphicsSettings::Current().sky;
}

void SkyRenderer::Draw(ShaderHandler& shaders, const Vec3& forward, float fovDegrees, float aspect) {
    if (!IsEnabled())
        return;
    const GLuint program = SkyProgram();
    if (!shaders.Use(program))
        return;
    // The same axes as the camera's view: side and up from the forward direction and world up.
    const Vec3 side = Normalize(Cross(forward, Vec3{0.0f, 1.0f, 0.0f}));
    const Vec3 up = Cross(side, forward);
    const float halfHeight = std::tan(fovDegrees * kDegreesToRadians * 0.5f);
    SetVec3(shaders, program, "skyForward", forward);
    SetVec3(shaders, program, "skyRight", side * (halfHeight * aspect));
    SetVec3(shaders, program, "skyUp", up * halfHeight);
    const float bottom = SkyBottom(forward.y, halfHeight);
    glUniform1f(shaders.drawUniforms.GetLocation(program, "skyBottom"), bottom);
    // Below the horizon the sky is the horizon colour: the frame's clear paints it from the next
    // frame on, so the quad only covers what lies above the horizon's line.
    glClearColor(kSkyHorizonColour.x, kSkyHorizonColour.y, kSkyHorizonColour.z, 1.0f);
    if (bottom >= 1.0f)
        return;

    // The quad needs no vertex data; an array left enabled by an earlier draw would still
    // be fetched from.
    for (GLuint location = 0; location < 3; ++location)
        glDisableVertexAttribArray(location);
    GLint depthFunc = GL_LESS;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    // The sky is opaque: blending would only make a software renderer read every pixel back.
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glDisable(GL_BLEND);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    if (blending == GL_TRUE)
        glEnable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDepthFunc(static_cast<GLenum>(depthFunc));
}
