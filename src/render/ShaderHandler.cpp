#include "render/ShaderHandler.h"

#include "core/AssetLocator.h"
#include "render/Lights.h"

#include <fstream>
#include <iostream>
#include <sstream>

ShaderHandler& ShaderHandler::GetInstance() {
    static ShaderHandler instance;
    return instance;
}

GLuint ShaderHandler::CompileShader(const std::string& path, GLenum type) {
    std::string source;
    std::ifstream file(AssetLocator::GetInstance().Resolve(path));
    if (file.is_open()) {
        std::stringstream buffer;
        buffer << file.rdbuf();
        source = buffer.str();
    }
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    // The driver's log names no file, and a broken one is rebuilt by nobody: say which it was.
    if (status != GL_TRUE)
        std::cout << "Failed to compile shader " << path << std::endl;
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length > 0) {
        std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
        glGetShaderInfoLog(shader, length, nullptr, log.data());
        std::cout << log.data() << std::endl;
    }
    return shader;
}

void ShaderHandler::PrintProgramLog(GLuint program) {
    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length > 0) {
        std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
        glGetProgramInfoLog(program, length, nullptr, log.data());
        std::cout << log.data() << std::endl;
    }
}

bool ShaderHandler::CheckLinked(GLuint program, const std::string& stages) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        std::cout << "Failed to link shader program from " << stages << "; what it draws is left out"
                  << std::endl;
        unusable.insert(program);
    }
    PrintProgramLog(program);
    glValidateProgram(program);
    return status == GL_TRUE;
}

bool ShaderHandler::IsUsable(GLuint program) const {
    return unusable.count(program) == 0;
}

GLuint ShaderHandler::CreateProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    const GlObject vs(GlObject::Kind::Shader, CompileShader(vertexPath, GL_VERTEX_SHADER));
    const GlObject fs(GlObject::Kind::Shader, CompileShader(fragmentPath, GL_FRAGMENT_SHADER));
    GlObject program = GlObject::NewProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    CheckLinked(program, vertexPath + " and " + fragmentPath);
    // The linked program keeps its code; an attached stage would only be flagged for deletion.
    glDetachShader(program, vs);
    glDetachShader(program, fs);
    programs.push_back(std::move(program));
    return programs.back();
}

GLuint ShaderHandler::SharedProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    const auto key = std::make_pair(vertexPath, fragmentPath);
    const auto found = sharedPrograms.find(key);
    if (found != sharedPrograms.end())
        return found->second;
    const GLuint program = CreateProgram(vertexPath, fragmentPath);
    sharedPrograms.emplace(key, program);
    return program;
}

void ShaderHandler::Release() {
    // A program still in use would only be flagged for deletion.
    glUseProgram(0);
    currentProgram = 0;
    sharedPrograms.clear();
    programs.clear();
    unusable.clear();
}

bool ShaderHandler::Use(GLuint program) {
    // Every draw with a program that failed to link is an error the driver reports: none is made.
    if (!IsUsable(program))
        return false;
    if (program != currentProgram) {
        glUseProgram(program);
        currentProgram = program;
        globalUniforms.Apply(program, true);
    }
    drawUniforms.Apply(program, true);
    return true;
}

void ShaderHandler::BeginFrame(float dt) {
    currentProgram = 0;
    globalUniforms.SetFloat("deltaTime", dt);
    // The game's own clock, not the wall's: whatever moves with it holds still while paused.
    animationTime += dt;
    globalUniforms.SetFloat("time", animationTime);
}

void ShaderHandler::SetCamera(const Mat4& viewProjection, const Vec3& position, const Vec3& up) {
    globalUniforms.SetMat4("viewProjection", viewProjection);
    globalUniforms.SetVec3("cameraPosition", position);
    globalUniforms.SetVec3("cameraUp", up);
}

void ShaderHandler::SetModel(const Mat4& model) {
    drawUniforms.SetMat4("model", model);
}

void ShaderHandler::SetLights(const DirectionalLight& directional, std::vector<PointLight*> pointLights) {
    globalUniforms.SetVec3("directionalLight.direction", directional.direction);
    globalUniforms.SetVec3("directionalLight.color", directional.color);
    globalUniforms.SetInt("pointLightCount", static_cast<GLint>(pointLights.size()));
    if (pointLights.empty())
        return;
    std::vector<Vec3> positions, colors, attenuations;
    positions.reserve(pointLights.size());
    colors.reserve(pointLights.size());
    attenuations.reserve(pointLights.size());
    for (const PointLight* light : pointLights) {
        positions.push_back(light->position);
        colors.push_back(light->color);
        attenuations.push_back(light->attenuation);
    }
    globalUniforms.SetVec3Array("pointLightPositions", positions);
    globalUniforms.SetVec3Array("pointLightColors", colors);
    globalUniforms.SetVec3Array("pointLightAttenuations", attenuations);
}

GLuint BasicProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/basic.vert",
                                                      "assets/shaders/basic.frag");
}

GLuint AnimatedProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/anim.vert",
                                                      "assets/shaders/basic.frag");
}

GLuint PBSProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/pbs.vert", "assets/shaders/pbs.frag");
}

GLuint LevelProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/basic.vert",
                                                      "assets/shaders/level.frag");
}

GLuint PointLightMapProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/pointlightmap.vert",
                                                      "assets/shaders/pointlightmap.frag");
}

GLuint DebugProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/debug.vert",
                                                      "assets/shaders/debug.frag");
}

GLuint TextProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/text.vert", "assets/shaders/text.frag");
}
