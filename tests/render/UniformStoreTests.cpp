// The uniform stores against a real GL program: what reaches the program, and when.
#include "render/ShaderHandler.h"
#include "render/UniformStore.h"

#include "RenderTestUtil.h"

#include <gtest/gtest.h>

namespace {

// Every uniform is used, so the linker keeps them all.
const char* const kVertexSource = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 model;
uniform float deltaTime;
uniform float scale;
uniform vec3 offset;
uniform vec3 points[3];
void main() {
    gl_Position = model * vec4(position * scale * deltaTime + offset + points[0] + points[1] + points[2], 1.0);
}
)";
const char* const kFragmentSource = R"(#version 430 core
uniform vec3 tint;
uniform int mode;
out vec4 color;
void main() { color = vec4(tint * float(mode), 1.0); }
)";

class UniformProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::EnsureGLContext();
        static render_test::ScratchDir dir("uniforms");
        static const std::string vs = dir.Write("probe.vert", kVertexSource);
        static const std::string fs = dir.Write("probe.frag", kFragmentSource);
        // Built once per process: the shader library caches locations by program id, so a
        // deleted program's id must not come back with another layout.
        ShaderHandler& shaders = ShaderHandler::GetInstance();
        static const GLuint first = shaders.CreateProgram(vs, fs);
        static const GLuint second = shaders.CreateProgram(vs, fs);
        programA = first;
        programB = second;
        ASSERT_EQ(render_test::LinkStatusOf(programA), GL_TRUE);
        shaders.currentProgram = 0;
        glUseProgram(0);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        glUseProgram(0);
        ShaderHandler::GetInstance().currentProgram = 0;
    }

    static float FloatIn(GLuint program, const char* name) {
        float value = -1.0f;
        glGetUniformfv(program, glGetUniformLocation(program, name), &value);
        return value;
    }
    static Vec3 Vec3In(GLuint program, const char* name) {
        Vec3 value;
        glGetUniformfv(program, glGetUniformLocation(program, name), &value.x);
        return value;
    }

    GLuint programA = 0;
    GLuint programB = 0;
};

} // namespace

TEST_F(UniformProgramTest, ApplyUploadsEveryKindToTheProgram) {
    UniformStore store;
    Mat4 model = Mat4::Identity();
    model.At(3, 0) = 2.5f;
    store.SetMat4("model", model);
    store.SetFloat("scale", 3.0f);
    store.SetVec3("offset", {1.0f, 2.0f, 3.0f});
    store.SetVec3Array("points", {{1.0f, 0.0f, 0.0f}, {0.0f, 2.0f, 0.0f}, {0.0f, 0.0f, 3.0f}});
    store.SetInt("mode", 7);
    glUseProgram(programA);
    store.Apply(programA);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    EXPECT_FLOAT_EQ(FloatIn(programA, "scale"), 3.0f);
    EXPECT_EQ(Vec3In(programA, "offset"), (Vec3{1.0f, 2.0f, 3.0f}));
    // Every element of an array arrives, not just the first one.
    EXPECT_EQ(Vec3In(programA, "points[2]"), (Vec3{0.0f, 0.0f, 3.0f}));
    GLint mode = 0;
    glGetUniformiv(programA, glGetUniformLocation(programA, "mode"), &mode);
    EXPECT_EQ(mode, 7);
    float uploaded[16] = {};
    glGetUniformfv(programA, glGetUniformLocation(programA, "model"), uploaded);
    // Column-major: the translation sits in the fourth column.
    EXPECT_FLOAT_EQ(uploaded[12], 2.5f);
}

TEST_F(UniformProgramTest, LocationsAreCachedPerProgramIncludingMisses) {
    UniformStore store;
    EXPECT_EQ(store.GetLocation(programA, "noSuchUniform"), -1);
    EXPECT_EQ(store.GetLocation(programA, "noSuchUniform"), -1);
    // The miss is remembered once, like a real location.
    EXPECT_EQ(store.CachedLocationCount(programA), 1u);
    EXPECT_EQ(store.GetLocation(programA, "scale"), glGetUniformLocation(programA, "scale"));
    EXPECT_EQ(store.CachedLocationCount(programA), 2u);
    // Another program starts with its own, empty cache.
    EXPECT_EQ(store.CachedLocationCount(programB), 0u);
    EXPECT_EQ(store.GetLocation(programB, "scale"), glGetUniformLocation(programB, "scale"));
}

TEST_F(UniformProgramTest, ANameSetUnderTwoKindsIsUploadedUnderBoth) {
    UniformStore store;
    store.SetFloat("scale", 4.0f);
    store.SetVec3("scale", {9.0f, 9.0f, 9.0f});
    glUseProgram(programA);
    store.Apply(programA);
    // The vec3 upload reaches GL too, which refuses it for a float uniform...
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
    // ...while the float one sets the value.
    EXPECT_FLOAT_EQ(FloatIn(programA, "scale"), 4.0f);
}

TEST_F(UniformProgramTest, UseSwitchesProgramsOnlyOnAChange) {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.globalUniforms.SetFloat("scale", 1.0f);
    shaders.Use(programA);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), programA);
    EXPECT_EQ(shaders.currentProgram, programA);
    EXPECT_FLOAT_EQ(FloatIn(programA, "scale"), 1.0f);

    // Unbind behind the library's back: a repeated Use must not issue glUseProgram again,
    // nor upload the global store again.
    glUseProgram(0);
    shaders.globalUniforms.SetFloat("scale", 2.0f);
    shaders.Use(programA);
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    EXPECT_FLOAT_EQ(FloatIn(programA, "scale"), 1.0f);

    // A different program is made current and receives the globals as they are now.
    shaders.Use(programB);
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), programB);
    EXPECT_FLOAT_EQ(FloatIn(programB, "scale"), 2.0f);
}

TEST_F(UniformProgramTest, PerDrawValuesReachTheProgramOnEveryUse) {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    Mat4 model = Mat4::Identity();
    model.At(3, 1) = 1.0f;
    shaders.SetModel(model);
    shaders.Use(programA);
    model.At(3, 1) = 5.0f;
    shaders.SetModel(model);
    shaders.Use(programA);
    float uploaded[16] = {};
    glGetUniformfv(programA, glGetUniformLocation(programA, "model"), uploaded);
    EXPECT_FLOAT_EQ(uploaded[13], 5.0f);
}

TEST_F(UniformProgramTest, BeginFrameMakesTheNextUseUploadTheNewFrameTime) {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.BeginFrame(0.25f);
    shaders.Use(programA);
    EXPECT_FLOAT_EQ(FloatIn(programA, "deltaTime"), 0.25f);

    // The same program stays current across the frame boundary, yet it is re-bound and
    // receives the new frame's time.
    glUseProgram(0);
    shaders.BeginFrame(0.5f);
    EXPECT_EQ(shaders.currentProgram, 0u);
    shaders.Use(programA);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), programA);
    EXPECT_FLOAT_EQ(FloatIn(programA, "deltaTime"), 0.5f);
}
