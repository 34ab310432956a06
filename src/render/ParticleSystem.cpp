#include "render/ParticleSystem.h"

#include "core/Random.h"
#include "render/ParticleRegistry.h"
#include "render/ShaderHandler.h"

#include <cmath>
#include <cstddef>
#include <iostream>
#include <vector>

namespace {

constexpr float kParticleLifetime = 1.0f;
constexpr GLsizei kRecordStride = sizeof(ParticleRecord);

const void* FieldOffset(std::size_t offset) {
    return reinterpret_cast<const void*>(offset);
}

void PointRecordAttribute(GLuint location, GLint components, std::size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, kRecordStride, FieldOffset(offset));
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

ParticleSystem::ParticleSystem(const Vec3& position)
    : gl(ParticleRegistry::GetInstance().TakeSpare()),
      updateProgram(ParticleRegistry::GetInstance().UpdateProgram()),
      renderProgram(ParticleRegistry::GetInstance().RenderProgram()) {
    std::vector<ParticleRecord> records(kParticleCount);
    for (ParticleRecord& record : records) {
        record.position = position;
        record.velocity = RandomDirection();
        record.lifetime = kParticleLifetime;
    }
    for (const GlObject& buffer : buffers) {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferSubData(GL_ARRAY_BUFFER, 0, ParticleBuffers::kBytes, records.data());
    }
    ParticleRegistry::GetInstance().Add(this);
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
