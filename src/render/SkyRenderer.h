#pragma once
// The sky behind the arena during play: a gradient from the horizon colour to the zenith with
// the sun where the directional light comes from, drawn as one screen-covering triangle at
// the far plane after the scene, so only the pixels the scene left empty are shaded.

#include "core/MathTypes.h"

#include <GL/glew.h>

class ShaderHandler;

class SkyRenderer {
public:
    static SkyRenderer& GetInstance();

    /// Builds the sky program and sets its fixed colours; at start-up, with a current context.
    /// The program belongs to the ShaderHandler and goes with its release.
    void Prepare(ShaderHandler& shaders);
    /// `Graphics.sky` (default true); off leaves the void behind the scene as it was.
    static bool IsEnabled();
    /// Fills every pixel still at the far plane for a view along `forward` with a vertical field
    /// of view of `fovDegrees` and width / height `aspect`. Draws nothing when the sky is off.
    /// Leaves the vertex attribute arrays 0 to 2 disabled.
    void Draw(ShaderHandler& shaders, const Vec3& forward, float fovDegrees, float aspect);

private:
    SkyRenderer() = default;
};

/// The sky's program, built on its first request and reused for the rest of the run.
GLuint SkyProgram();
