#include "render/ShaderHandler.h"

#include "render/Lights.h"

#include <GLFW/glfw3.h>
#include <fstream>
#include <iostream>
#include <sstream>

ShaderHandler& ShaderHandler::GetInstance() {
    static ShaderHandler instance;
    return instance;
}

GLuint ShaderHandler::CompileShader(const std::string& path, GLenum type) {
    std::string source;
    std::ifstream file(path);
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

GLuint ShaderHandler::CreateProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    GLuint vs = CompileShader(vertexPath, GL_VERTEX_SHADER);
    GLuint fs = CompileShader(fragmentPath, GL_FRAGMENT_SHADER);
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    PrintProgramLog(program);
    glValidateProgram(program);
    return program;
}

void ShaderHandler::Use(GLuint program) {
    if (program != currentProgram) {
        glUseProgram(program);
        currentProgram = program;
        globalUniforms.Apply(program);
    }
    drawUniforms.Apply(program);
}

void ShaderHandler::BeginFrame(float dt) {
    currentProgram = 0;
    globalUniforms.SetFloat("deltaTime", dt);
    globalUniforms.SetFloat("time", static_cast<float>(glfwGetTime()));
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
    static GLuint program =
        ShaderHandler::GetInstance().CreateProgram("assets/shaders/basic.vert", "assets/shaders/basic.frag");
    return program;
}

GLuint AnimatedProgram() {
    static GLuint program =
        ShaderHandler::GetInstance().CreateProgram("assets/shaders/anim.vert", "assets/shaders/basic.frag");
    return program;
}

GLuint PBSProgram() {
    static GLuint program =
        ShaderHandler::GetInstance().CreateProgram("assets/shaders/pbs.vert", "assets/shaders/pbs.frag");
    return program;
}

GLuint DebugProgram() {
    static GLuint program =
        ShaderHandler::GetInstance().CreateProgram("assets/shaders/debug.vert", "assets/shaders/debug.frag");
    return program;
}

GLuint TextProgram() {
    static GLuint program =
        ShaderHandler::GetInstance().CreateProgram("assets/shaders/text.vert", "assets/shaders/text.frag");
    return program;
}
