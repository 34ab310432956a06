#include "render/ParticleSystem.h"

#include "core/Random.h"
#include "render/ShaderHandler.h"

#include <cmath>
#include <cstddef>
#include <iostream>
#include <vector>

namespace {

constexpr float kParticleLifetime = 1.0f;
constexpr float kBurstLifetime = 1.0f;
constexpr float kDegreesToRadians = 0.017453292f;
constexpr GLsizei kRecordStride = sizeof(ParticleRecord);

const void* FieldOffset(std::size_t offset) {
    return reinterpret_cast<const void*>(offset);
}

void PointRecordAttribute(GLuint location, GLint components, std::size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, kRecordStride, FieldOffset(offset));
}

// The particle programs delete their stages once linked: nothing else ever attaches them.
GLuint LinkParticleProgram(GLuint program, const std::vector<GLuint>& stages) {
    glLinkProgram(program);
    for (GLuint stage : stages)
        glDeleteShader(stage);
    ShaderHandler::PrintProgramLog(program);
    glValidateProgram(program);
    return program;
}

GLuint BuildUpdateProgram() {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    const GLuint vs = shaders.CompileShader("assets/shaders/particleUpdate.vert", GL_VERTEX_SHADER);
    const GLuint gs = shaders.CompileShader("assets/shaders/particleUpdate.geom", GL_GEOMETRY_SHADER);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, gs);
    const char* const varyings[3] = {"PositionOut", "VelocityOut", "LifetimeOut"};
    glTransformFeedbackVaryings(program, 3, varyings, GL_INTERLEAVED_ATTRIBS);
    return LinkParticleProgram(program, {vs, gs});
}

GLuint BuildRenderProgram() {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    const GLuint vs = shaders.CompileShader("assets/shaders/particleRender.vert", GL_VERTEX_SHADER);
    const GLuint gs = shaders.CompileShader("assets/shaders/particleRender.geom", GL_GEOMETRY_SHADER);
    const GLuint fs = shaders.CompileShader("assets/shaders/particleRender.frag", GL_FRAGMENT_SHADER);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, gs);
    glAttachShader(program, fs);
    return LinkParticleProgram(program, {vs, gs, fs});
}

// Pitch and yaw are drawn uniformly in angle, so the directions gather towards the poles.
Vec3 RandomDirection() {
    const float a = static_cast<float>(Random());
    const float b = static_cast<float>(Random());
    const float pitch = (a / static_cast<float>(kRandomMax) * 180.0f - 90.0f) * kDegreesToRadians;
    const float yaw = b / static_cast<float>(kRandomMax) * 360.0f * kDegreesToRadians;
    return {std::cos(yaw) * std::cos(pitch), std::sin(pitch), std::sin(yaw) * std::cos(pitch)};
}

} // namespace

GLuint ParticleUpdateProgram() {
    static GLuint program = BuildUpdateProgram();
    return program;
}

GLuint ParticleRenderProgram() {
    static GLuint program = BuildRenderProgram();
    return program;
}

ParticleSystem::ParticleSystem(const Vec3& position) {
    updateProgram = ParticleUpdateProgram();
    renderProgram = ParticleRenderProgram();
    currentSource = 0;
    currentTarget = 1;
    firstDraw = true;
    glGenBuffers(2, buffers);
    glGenTransformFeedbacks(2, feedbacks);

    std::vector<ParticleRecord> records(kParticleCount);
    for (ParticleRecord& record : records) {
        record.position = position;
        record.velocity = RandomDirection();
        record.lifetime = kParticleLifetime;
    }
    for (int i = 0; i < 2; ++i) {
        glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, feedbacks[i]);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[i]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(records.size() * sizeof(ParticleRecord)),
                     records.data(), GL_DYNAMIC_DRAW);
        glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffers[i]);
    }
    ParticleRegistry::GetInstance().Add(this);
}

ParticleSystem::~ParticleSystem() {
    if (!ownsGLObjects)
        return;
    glDeleteTransformFeedbacks(2, feedbacks);
    glDeleteBuffers(2, buffers);
}

void ParticleSystem::Draw() {
    std::cout << "Drawing particle system" << std::endl;
    ShaderHandler& shaders = ShaderHandler::GetInstance();

    shaders.Use(updateProgram);
    glEnable(GL_RASTERIZER_DISCARD);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[currentSource]);
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, feedbacks[currentTarget]);
    PointRecordAttribute(0, 3, offsetof(ParticleRecord, position));
    PointRecordAttribute(1, 3, offsetof(ParticleRecord, velocity));
    PointRecordAttribute(2, 1, offsetof(ParticleRecord, lifetime));
    glBeginTransformFeedback(GL_POINTS);
    if (firstDraw) {
        glDrawArrays(GL_POINTS, 0, kParticleCount);
        firstDraw = false;
    } else {
        glDrawTransformFeedback(GL_POINTS, feedbacks[currentSource]);
    }
    glEndTransformFeedback();

    shaders.Use(renderProgram);
    glDisable(GL_RASTERIZER_DISCARD);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[currentTarget]);
    // The sprites fade with their age, so the render pass reads the lifetime as well.
    glDisableVertexAttribArray(1);
    PointRecordAttribute(0, 3, offsetof(ParticleRecord, position));
    PointRecordAttribute(2, 1, offsetof(ParticleRecord, lifetime));
    glDrawTransformFeedback(GL_POINTS, feedbacks[currentTarget]);
    // Only array 0 stays enabled, as after the debug view; meshes re-point all three anyway.
    glDisableVertexAttribArray(2);

    const int oldTarget = currentTarget;
    currentSource = oldTarget;
    currentTarget = 1 - oldTarget;
}

ParticleRegistry& ParticleRegistry::GetInstance() {
    static ParticleRegistry instance;
    return instance;
}

ParticleRegistry::~ParticleRegistry() {
    // At exit the context is gone already: free the bursts' memory without touching GL.
    for (auto& [system, remaining] : systems) {
        system->ownsGLObjects = false;
        delete system;
    }
}

void ParticleRegistry::Add(ParticleSystem* system) {
    systems.emplace(system, kBurstLifetime);
}

void ParticleRegistry::Update(float dt) {
    for (auto entry = systems.begin(); entry != systems.end();) {
        if (entry->second < 0.0f) {
            delete entry->first;
            entry = systems.erase(entry);
        } else {
            entry->second -= dt;
            ++entry;
        }
    }
    for (auto& [system, remaining] : systems)
        system->Draw();
}

void ParticleRegistry::Clear() {
    for (auto& [system, remaining] : systems)
        delete system;
    systems.clear();
}
