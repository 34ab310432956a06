#pragma once
// The collision wireframe: physics line segments drawn in one flat colour over the frame.

#include "core/MathTypes.h"

#include <vector>

class ShaderHandler;

/// Uploads the segments (two points each) to a fresh buffer and draws them as lines with the
/// debug program; leaves attribute array 0 disabled and polygon mode at fill.
void DrawDebugLines(ShaderHandler& shaders, const std::vector<Vec3>& lineVertices);
