// Building programs: what the library prints, and that every shipped shader links.
#include "render/ContactShadowRenderer.h"
#include "render/ParticleRegistry.h"
#include "render/ShaderHandler.h"
#include "render/SkyRenderer.h"

#include "RenderTestUtil.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace {

const char* const kBrokenFragment = R"(#version 430 core
out vec4 color;
void main() { color = undeclaredValue; }
)";

} // namespace

TEST(ShaderLogs, ACompileErrorPrintsTheDriversLog) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("shader-broken");
    const std::string path = dir.Write("broken.frag", kBrokenFragment);
    testing_support::ConsoleCapture console;
    const GLuint shader = ShaderHandler::GetInstance().CompileShader(path, GL_FRAGMENT_SHADER);
    // The log names the offending identifier and ends with the line break the library adds.
    EXPECT_NE(console.Text().find("undeclaredValue"), std::string::npos) << console.Text();
    EXPECT_EQ(console.Text().back(), '\n');
    // A failed stage is still handed back for linking.
    EXPECT_NE(shader, 0u);
    glDeleteShader(shader);
}

TEST(ShaderLogs, MissingFilesStillGiveAProgramWithoutAMessageOfTheirOwn) {
    testing_support::EnsureGLContext();
    testing_support::ConsoleCapture console;
    const GLuint program = ShaderHandler::GetInstance().CreateProgram("assets/shaders/absent.vert",
                                                                      "assets/shaders/absent.frag");
    EXPECT_NE(program, 0u);
    EXPECT_EQ(glIsProgram(program), GL_TRUE);
    // Whatever the driver says about empty sources, the library itself names no file.
    EXPECT_EQ(console.Text().find("absent"), std::string::npos) << console.Text();
}

// Every program the game uses compiles and links from the files under assets/shaders.
TEST(ShippedShaders, EveryProgramLinks) {
    testing_support::EnsureGLContext();
    testing_support::ConsoleCapture console;
    EXPECT_EQ(render_test::LinkStatusOf(BasicProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(AnimatedProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(PBSProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(DebugProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(LevelProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(PointLightMapProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(ParticleUpdateProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(ParticleRenderProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(SkyProgram()), GL_TRUE);
    EXPECT_EQ(render_test::LinkStatusOf(ContactShadowProgram()), GL_TRUE);
    // Clean sources: no compile or link log at all.
    EXPECT_EQ(console.Text(), "");
}

TEST(ShippedShaders, ParticleUpdateCapturesTheThreeRecordFields) {
    testing_support::EnsureGLContext();
    const GLuint program = ParticleUpdateProgram();
    GLint count = 0;
    glGetProgramiv(program, GL_TRANSFORM_FEEDBACK_VARYINGS, &count);
    EXPECT_EQ(count, 3);
    GLint bufferMode = 0;
    glGetProgramiv(program, GL_TRANSFORM_FEEDBACK_BUFFER_MODE, &bufferMode);
    EXPECT_EQ(bufferMode, GL_INTERLEAVED_ATTRIBS);
    // The linked stages are released: they go with the program, nothing else holds them.
    GLuint stages[4] = {};
    GLsizei attached = 0;
    glGetAttachedShaders(program, 4, &attached, stages);
    EXPECT_EQ(attached, 2);
    for (GLsizei i = 0; i < attached; ++i) {
        GLint flagged = GL_FALSE;
        glGetShaderiv(stages[i], GL_DELETE_STATUS, &flagged);
        EXPECT_EQ(flagged, GL_TRUE);
    }
}
