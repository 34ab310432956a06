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
constexpr GLsizeiptr kBurstBytes =
    ParticleSystem::kParticleCount * static_cast<GLsizeiptr>(sizeof(ParticleRecord));

const void* FieldOffset(std::size_t offset) {
    return reinterpret_cast<const void*>(offset);
}

void PointRecordAttribute(GLuint location, GLint components, std::size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, kRecordStride, FieldOffset(offset));
}

// The particle programs delete their stages once linked: nothing else ever attaches them.
GLuint LinkParticleProgram(GLuint program, const std::vector<GLuint>& stages, const std::string& files) {
    glLinkProgram(program);
    for (GLuint stage : stages)
        glDeleteShader(stage);
    ShaderHandler::GetInstance().CheckLinked(program, files);
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
    return LinkParticleProgram(program, {vs, gs},
                               "assets/shaders/particleUpdate.vert and assets/shaders/particleUpdate.geom");
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
    return LinkParticleProgram(program, {vs, gs, fs},
                               "assets/shaders/particleRender.vert, assets/shaders/particleRender.geom and "
                               "assets/shaders/particleRender.frag");
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
    return ParticleRegistry::GetInstance().UpdateProgram();
}

GLuint ParticleRenderProgram() {
    return ParticleRegistry::GetInstance().RenderProgram();
}

GLuint ParticleRegistry::UpdateProgram() {
    if (!updateProgram)
        updateProgram = GlObject(GlObject::Kind::Program, BuildUpdateProgram());
    return updateProgram.Get();
}

GLuint ParticleRegistry::RenderProgram() {
    if (!renderProgram)
        renderProgram = GlObject(GlObject::Kind::Program, BuildRenderProgram());
    return renderProgram.Get();
}

ParticleBuffers ParticleBuffers::Create() {
    ParticleBuffers made;
    for (int i = 0; i < 2; ++i) {
        made.buffers[i] = GlObject::NewBuffer();
        made.feedbacks[i] = GlObject::NewTransformFeedback();
        glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, made.feedbacks[i].Get());
        glBindBuffer(GL_ARRAY_BUFFER, made.buffers[i].Get());
        glBufferData(GL_ARRAY_BUFFER, kBurstBytes, nullptr, GL_DYNAMIC_DRAW);
        glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, made.buffers[i].Get());
    }
    return made;
}

void ParticleBuffers::Abandon() {
    for (int i = 0; i < 2; ++i) {
        buffers[i].Abandon();
        feedbacks[i].Abandon();
    }
}

ParticleSystem::ParticleSystem(const Vec3& position) {
    ParticleRegistry& registry = ParticleRegistry::GetInstance();
    updateProgram = ParticleUpdateProgram();
    renderProgram = ParticleRenderProgram();
    currentSource = 0;
    currentTarget = 1;
    firstDraw = true;
    gl = registry.TakeSpare();
    for (int i = 0; i < 2; ++i) {
        buffers[i] = gl.buffers[i].Get();
        feedbacks[i] = gl.feedbacks[i].Get();
    }

    std::vector<ParticleRecord> records(kParticleCount);
    for (ParticleRecord& record : records) {
        record.position = position;
        record.velocity = RandomDirection();
        record.lifetime = kParticleLifetime;
    }
    for (GLuint buffer : buffers) {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferSubData(GL_ARRAY_BUFFER, 0, kBurstBytes, records.data());
    }
    registry.Add(this);
}

ParticleSystem::~ParticleSystem() {
    if (!ownsGLObjects) {
        gl.Abandon();
        return;
    }
    ParticleRegistry::GetInstance().ReturnSpare(std::move(gl));
}

void ParticleSystem::Draw() {
    std::cout << "Drawing particle system" << std::endl;
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    if (!shaders.IsUsable(updateProgram) || !shaders.IsUsable(renderProgram))
        return;

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
    for (ParticleBuffers& spare : spares)
        spare.Abandon();
    updateProgram.Abandon();
    renderProgram.Abandon();
}

void ParticleRegistry::Prepare() {
    ParticleUpdateProgram();
    ParticleRenderProgram();
    while (spares.size() < kSpareBursts)
        spares.push_back(ParticleBuffers::Create());
    prepared = true;
}

ParticleBuffers ParticleRegistry::TakeSpare() {
    if (spares.empty())
        return ParticleBuffers::Create();
    ParticleBuffers spare = std::move(spares.back());
    spares.pop_back();
    return spare;
}

void ParticleRegistry::ReturnSpare(ParticleBuffers&& buffers) {
    // Without Prepare (a burst on its own) a burst's objects end with it.
    if (prepared && spares.size() < kSpareBursts)
        spares.push_back(std::move(buffers));
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
    spares.clear();
    updateProgram.Release();
    renderProgram.Release();
}
