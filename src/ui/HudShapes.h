#pragma once
// Flat shapes over the picture in one colour per batch: the crosshair's lines and the threat
// arrows. Triangles are collected in pixels, then drawn in one upload and one draw.

#include "core/MathTypes.h"
#include "render/GlObject.h"
#include "render/UniformStore.h"

#include <cstddef>
#include <vector>

class HudShapes {
public:
    static HudShapes& GetInstance();
    /// Builds the program and the buffer ahead of play, so the first crosshair makes no GL object.
    static void Prepare();

    void AddTriangle(Vec2 a, Vec2 b, Vec2 c, float opacity);
    void AddRect(float x0, float y0, float x1, float y1, float opacity);
    /// Draws what was added in `color` over a `width` x `height` screen, then empties the batch.
    void Flush(const Vec3& color, int width, int height);
    /// Frees the buffer while the context is current.
    void Release();

    /// Triangles drawn since the counter was last reset; for tests.
    std::size_t drawnTriangles = 0;

private:
    HudShapes() = default;
    std::vector<float> vertices;
    GlObject vbo;
    GLuint program = 0;
    UniformStore uniforms;
};

/// The crosshair at the centre of a `width` x `height` screen: four white lines round a small
/// gap, each inside a dark edge so it reads on the pale floor and the bright sky alike.
void DrawCrosshair(int width, int height);
