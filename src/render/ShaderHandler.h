#pragma once
// Builds GLSL programs from assets/shaders, remembers the current program and hands the
// shared uniform stores to a program when it is made current.

#include "render/GlObject.h"
#include "render/UniformStore.h"

#include <GL/glew.h>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct DirectionalLight;
struct PointLight;

class ShaderHandler {
public:
    static ShaderHandler& GetInstance();

    /// Reads and compiles one stage; a failure is named on one line with the file, then a
    /// non-empty info log is printed (warnings too). A missing file compiles as empty source. Always returns
    /// the shader id, which the caller owns.
    GLuint CompileShader(const std::string& path, GLenum type);
    /// Compiles both stages, links, checks the link (CheckLinked) and validates; the stages are
    /// deleted once linked. Each call makes a new program, owned here until Release().
    GLuint CreateProgram(const std::string& vertexPath, const std::string& fragmentPath);
    /// The program of these two stages, created on its first request and reused afterwards.
    GLuint SharedProgram(const std::string& vertexPath, const std::string& fragmentPath);
    /// Deletes every program made here while the context is still current; a shared program
    /// is built again if it is ever requested afterwards.
    void Release();
    /// Makes `program` current: global uniforms only on a change, per-draw uniforms always.
    /// False, and nothing done, for a program that failed to link: the caller draws nothing.
    bool Use(GLuint program);
    /// Whether `program` may be drawn with: anything but a program that failed to link here.
    bool IsUsable(GLuint program) const;
    /// After linking: a failure is named on one line with `stages` (the files) and the program
    /// is marked unusable; then the link log, if any, and validation. True when it linked.
    bool CheckLinked(GLuint program, const std::string& stages);
    /// Forgets the current program and sets "deltaTime" and "time" for the new frame: "time"
    /// is the sum of the frames' dt, so a frame of 0 (a paused game) leaves it where it was.
    void BeginFrame(float dt);
    void SetCamera(const Mat4& viewProjection, const Vec3& position, const Vec3& up);
    void SetModel(const Mat4& model);
    /// Light uniforms for the frame; the arrays are left as they were when the list is empty.
    void SetLights(const DirectionalLight& directional, std::vector<PointLight*> pointLights);

    /// The shared programs by their two stage files.
    const std::map<std::pair<std::string, std::string>, GLuint>& SharedPrograms() const {
        return sharedPrograms;
    }

    /// Prints a program's link log when it has one (shared with the particle programs).
    static void PrintProgramLog(GLuint program);

    GLuint currentProgram = 0;
    UniformStore globalUniforms;
    UniformStore drawUniforms;

private:
    ShaderHandler() = default;

    std::vector<GlObject> programs;
    std::map<std::pair<std::string, std::string>, GLuint> sharedPrograms;
    std::set<GLuint> unusable;
    float animationTime = 0.0f;
};

// The game's shared programs, each built on its first request and reused for the rest of the run.
GLuint BasicProgram();
GLuint AnimatedProgram();
GLuint PBSProgram();
GLuint LevelProgram();
GLuint PointLightMapProgram();
GLuint DebugProgram();
GLuint TextProgram();
