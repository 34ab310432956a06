#include "render/MuzzleFlash.h"

#include "render/ShaderHandler.h"

#include <GL/glew.h>
#include <utility>

namespace {
GLuint MuzzleFlashProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/muzzleFlash.vert",
                                                      "assets/shaders/muzzleFlash.frag");
}
} // namespace

MuzzleFlash& MuzzleFlash::GetInstance() {
    static MuzzleFlash instance;
    return instance;
}

void MuzzleFlash::Prepare() {
    MuzzleFlashProgram();
}

void MuzzleFlash::Draw(const Vec3& muzzle, float strength, float turn) {
    if (strength <= 0.0f)
        return;
    const GLuint program = MuzzleFlashProgram();
    if (!ShaderHandler::GetInstance().Use(program))
        return;
    uniforms.SetVec3("flashCentre", muzzle);
    uniforms.SetFloat("flashStrength", strength);
    uniforms.SetFloat("flashTurn", turn);
    // The glow sits over the gun, which is nearer the eye than its own muzzle: both passes are
    // drawn without the depth test and add light without writing depth.
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_ONE, GL_ONE);
    for (const auto& [size, rays] : {std::pair{kGlowSize, 0.0f}, std::pair{kSpriteSize, 1.0f}}) {
        uniforms.SetFloat("flashSize", size);
        uniforms.SetFloat("flashRays", rays);
        uniforms.Apply(program);
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
}
