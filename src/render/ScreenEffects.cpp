#include "render/ScreenEffects.h"

#include "render/ShaderHandler.h"

#include <GL/glew.h>

namespace {
GLuint ScreenEffectsProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/screenEffects.vert",
                                                      "assets/shaders/screenEffects.frag");
}
} // namespace

ScreenEffects& ScreenEffects::GetInstance() {
    static ScreenEffects instance;
    return instance;
}

void ScreenEffects::Prepare() {
    ScreenEffectsProgram();
}

void ScreenEffects::Draw(const ScreenEffectsFrame& frame) {
    if (frame.hurt <= 0.0f && frame.marker <= 0.0f)
        return;
    // The marker is measured in the framebuffer's pixels, which the viewport follows.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const GLuint program = ScreenEffectsProgram();
    if (!ShaderHandler::GetInstance().Use(program))
        return;
    uniforms.SetFloat("hurt", frame.hurt);
    uniforms.SetFloat("marker", frame.marker);
    uniforms.SetFloat("markerKill", frame.markerKill ? 1.0f : 0.0f);
    uniforms.Apply(program);
    // The store has no two-component kind; these two go straight to the program.
    glUniform2f(uniforms.GetLocation(program, "screenSize"), static_cast<float>(viewport[2]),
                static_cast<float>(viewport[3]));
    glUniform2f(uniforms.GetLocation(program, "hurtDirection"), frame.hurtDirection.x, frame.hurtDirection.y);
    glDisable(GL_DEPTH_TEST);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glEnable(GL_DEPTH_TEST);
}
