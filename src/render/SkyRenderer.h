#pragma once
// The sky behind the arena during play: a gradient from the horizon colour to the zenith with
// the sun where the directional light comes from. The frame is cleared to the horizon colour and
// one quad at the far plane, drawn after the scene, covers only the screen above the horizon,
// so only the pixels there that the scene left empty are shaded.

#include "core/MathTypes.h"

#include <GL/glew.h>

class ShaderHandler;

class SkyRenderer {
public:
    static SkyRenderer& GetInstance();

    /// Builds the sky program and sets its fixed colours; at start-up, with a current context.
    /// The program belongs to the ShaderHandler and goes with its release.
    void Prepare(ShaderHandler& shaders);
    /// `Graphics.sky` as read at start-up (default true); off leaves the void behind the scene as it was.
    static bool IsEnabled();
    /// Fills every pixel above the horizon still at the far plane for a view along `forward`
    /// with a vertical field of view of `fovDegrees` and width / height `aspect`, and sets the
    /// clear colour to the horizon colour for the part below it. Does nothing when the sky is
    /// off. Leaves the vertex attribute arrays 0 to 2 disabled.
    void Draw(ShaderHandler& shaders, const Vec3& forward, float fovDegrees, float aspect);

private:
    SkyRenderer() = default;
};

/// The sky's program, built on its first request and reused for the rest of the run.
GLuint SkyProgram();

/// Where on the screen (normalised device y, -1 at the bottom, 1 at the top) the sky starts for
/// a view whose forward direction has height `forwardHeight` (the sine of the pitch) and whose
/// vertical half-extent at distance 1 is `halfHeight`: just below the horizon's line, clamped to
/// the screen; 1 when the horizon is above the screen's top.
float SkyBottom(float forwardHeight, float halfHeight);
