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

TEST(ShaderLogs, FailuresNameTheirFilesAndAProgramThatDidNotLinkIsNeverUsed) {
    testing_support::EnsureGLContext();
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    render_test::ScratchDir dir("shader-unlinked");
    const std::string broken = dir.Write("broken.frag", kBrokenFragment);
    testing_support::ConsoleCapture console;
    const GLuint program = shaders.CreateProgram("assets/shaders/absent.vert", broken);
    EXPECT_NE(program, 0u);
    EXPECT_EQ(glIsProgram(program), GL_TRUE);
    // A missing file compiles as empty source, which fails like the broken one: both are named.
    const std::string text = console.Text();
    EXPECT_NE(text.find("Failed to compile shader assets/shaders/absent.vert\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Failed to compile shader " + broken + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Failed to link shader program from assets/shaders/absent.vert and " + broken +
                        "; what it draws is left out\n"),
              std::string::npos)
        << text;

    // Drawing with it is refused, so the driver has no error to report each frame.
    glUseProgram(0);
    shaders.currentProgram = 0;
    EXPECT_FALSE(shaders.IsUsable(program));
    EXPECT_FALSE(shaders.Use(program));
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    EXPECT_TRUE(shaders.Use(BasicProgram())) << "the shipped programs stay usable";
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
