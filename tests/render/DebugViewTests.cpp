// The collision wireframe: drawn in one colour, leaving no state behind that later draws trip on.
#include "render/DebugView.h"
#include "render/ShaderHandler.h"

#include "RenderTestUtil.h"

#include <gtest/gtest.h>

TEST(DebugView, DrawsTheSegmentsAndLeavesFillModeAndAttributeZeroDisabled) {
    testing_support::EnsureGLContext();
    render_test::OffscreenTarget target(32, 32);
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.BeginFrame(0.0f);
    shaders.SetCamera(Mat4::Identity(), {0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f});
    // A caller that had switched to lines must still get fill back.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    // One horizontal segment across the middle row, one vertical across the middle column.
    const std::vector<Vec3> lines = {
        {-1.0f, 0.03f, 0.0f}, {1.0f, 0.03f, 0.0f}, {0.03f, -1.0f, 0.0f}, {0.03f, 1.0f, 0.0f}};
    DebugView::GetInstance().Draw(shaders, lines);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    GLint mode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    GLint enabled = GL_TRUE;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, GL_FALSE);
    // No array buffer is left bound for a later draw to write through.
    GLint arrayBuffer = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
    EXPECT_EQ(arrayBuffer, 0);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), DebugProgram());

    // The lines show in the debug colour where they run, and nothing elsewhere.
    const auto onLine = target.Pixel(5, 16);
    EXPECT_GT(onLine[1], 200);
    EXPECT_LT(onLine[0], 100);
    EXPECT_GT(target.Pixel(16, 27)[1], 200);
    EXPECT_EQ(target.Pixel(5, 5)[1], 0);
}
