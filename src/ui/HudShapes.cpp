#include "ui/HudShapes.h"

#include "render/ShaderHandler.h"
#include "ui/TextHandler.h"

namespace {

constexpr int kFloatsPerVertex = 4;
constexpr GLsizei kStride = kFloatsPerVertex * sizeof(float);

constexpr float kCrosshairGap = 3.0f;
constexpr float kCrosshairArm = 8.0f;
constexpr float kCrosshairHalfWidth = 1.0f;
constexpr float kCrosshairEdge = 1.0f;
constexpr float kCrosshairEdgeOpacity = 0.85f;
constexpr Vec3 kEdgeColour{0.0f, 0.0f, 0.0f};

GLuint HudProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/hud.vert", "assets/shaders/hud.frag");
}

void AddArms(HudShapes& shapes, float cx, float cy, float grow, float opacity) {
    const float w = kCrosshairHalfWidth + grow;
    const float near = kCrosshairGap - grow;
    const float far = kCrosshairGap + kCrosshairArm + grow;
    shapes.AddRect(cx + near, cy - w, cx + far, cy + w, opacity);
    shapes.AddRect(cx - far, cy - w, cx - near, cy + w, opacity);
    shapes.AddRect(cx - w, cy + near, cx + w, cy + far, opacity);
    shapes.AddRect(cx - w, cy - far, cx + w, cy - near, opacity);
}

} // namespace

HudShapes& HudShapes::GetInstance() {
    static HudShapes instance;
    return instance;
}

void HudShapes::Prepare() {
    HudShapes& shapes = GetInstance();
    shapes.program = HudProgram();
    if (!shapes.vbo)
        shapes.vbo = GlObject::NewBuffer();
}

void HudShapes::AddTriangle(Vec2 a, Vec2 b, Vec2 c, float opacity) {
    for (const Vec2& p : {a, b, c})
        vertices.insert(vertices.end(), {p.x, p.y, opacity, 0.0f});
}

void HudShapes::AddRect(float x0, float y0, float x1, float y1, float opacity) {
    AddTriangle({x0, y0}, {x1, y0}, {x1, y1}, opacity);
    AddTriangle({x0, y0}, {x1, y1}, {x0, y1}, opacity);
}

void HudShapes::Flush(const Vec3& color, int width, int height) {
    if (vertices.empty())
        return;
    // Only what Prepare made is used: a frame never builds a program or a buffer, and after
    // Release nothing is drawn, as with the text.
    if (!vbo || width <= 0 || height <= 0 || !ShaderHandler::GetInstance().Use(program)) {
        vertices.clear();
        return;
    }
    uniforms.SetMat4("projection", TextProjection(static_cast<float>(width), static_cast<float>(height)));
    uniforms.SetVec3("shapeColor", color);
    uniforms.Apply(program);
    glDisable(GL_DEPTH_TEST);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STREAM_DRAW);
    // The one vertex-array object is shared with every other draw: point attribute 0 here.
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, kFloatsPerVertex, GL_FLOAT, GL_FALSE, kStride, nullptr);
    const GLsizei count = static_cast<GLsizei>(vertices.size() / kFloatsPerVertex);
    glDrawArrays(GL_TRIANGLES, 0, count);
    drawnTriangles += static_cast<std::size_t>(count / 3);
    glEnable(GL_DEPTH_TEST);
    vertices.clear();
}

void HudShapes::Release() {
    vbo.Release();
    program = 0;
    vertices.clear();
}

void DrawCrosshair(int width, int height) {
    HudShapes& shapes = HudShapes::GetInstance();
    const float cx = static_cast<float>(width / 2);
    const float cy = static_cast<float>(height / 2);
    AddArms(shapes, cx, cy, kCrosshairEdge, kCrosshairEdgeOpacity);
    shapes.Flush(kEdgeColour, width, height);
    AddArms(shapes, cx, cy, 0.0f, 1.0f);
    shapes.Flush(kTextWhite, width, height);
}
