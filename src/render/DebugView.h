#pragma once
// The collision wireframe: physics line segments drawn in one flat colour over the frame,
// from one buffer kept for the run and refilled every frame the view is on.

#include "core/MathTypes.h"
#include "render/GlObject.h"

#include <vector>

class ShaderHandler;

class DebugView {
public:
    static DebugView& GetInstance();

    /// Uploads the segments (two points each) and draws them as lines with the debug program;
    /// leaves attribute array 0 disabled, no array buffer bound and polygon mode at fill.
    void Draw(ShaderHandler& shaders, const std::vector<Vec3>& lineVertices);
    /// Deletes the buffer while the context is still current.
    void Release() { buffer.Release(); }

private:
    DebugView() = default;
    GlObject buffer;
};
