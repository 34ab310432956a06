#pragma once
// Builds GLSL programs from assets/shaders, remembers the current program and hands the
// shared uniform stores to a program when it is made current.

#include "render/UniformStore.h"

#include <GL/glew.h>
#include <string>
#include <vector>

struct DirectionalLight;
struct PointLight;

class ShaderHandler {
public:
    static ShaderHandler& GetInstance();

    /// Reads and compiles one stage; prints a non-empty info log (warnings too). A missing
    /// file compiles as empty source. Always returns the shader id.
    GLuint CompileShader(const std::string& path, GLenum type);
    /// Compiles both stages, links, prints a non-empty link log and validates.
    GLuint CreateProgram(const std::string& vertexPath, const std::string& fragmentPath);
    /// Makes `program` current: global uniforms only on a change, per-draw uniforms always.
    void Use(GLuint program);
    /// Forgets the current program and sets "deltaTime" and "time" for the new frame.
    void BeginFrame(float dt);
    void SetCamera(const Mat4& viewProjection, const Vec3& position, const Vec3& up);
    void SetModel(const Mat4& model);
    /// Light uniforms for the frame; the arrays are left as they were when the list is empty.
    void SetLights(const DirectionalLight& directional, std::vector<PointLight*> pointLights);

    /// Prints a program's link log when it has one (shared with the particle programs).
    static void PrintProgramLog(GLuint program);

    GLuint currentProgram = 0;
    UniformStore globalUniforms;
    UniformStore drawUniforms;

private:
    ShaderHandler() = default;
};

// Shared programs, each built on its first request and reused for the rest of the run.
GLuint BasicProgram();
GLuint AnimatedProgram();
GLuint PBSProgram();
GLuint DebugProgram();
GLuint TextProgram();
