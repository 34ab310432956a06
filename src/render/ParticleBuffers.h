#pragma once
// The GL objects one particle burst runs on: two record buffers and the transform-feedback
// object writing into each, owned here and handed between the registry's spares and a burst.

#include "core/MathTypes.h"
#include "render/GlObject.h"

#include <GL/glew.h>

/// One particle as the buffers and the update program's feedback outputs hold it.
struct ParticleRecord {
    Vec3 position;
    Vec3 velocity;
    float lifetime;
};
static_assert(sizeof(ParticleRecord) == 28, "particle records are 28 bytes, tightly packed");

struct ParticleBuffers {
    /// Particles in one burst; each buffer holds exactly this many records.
    static constexpr int kParticleCount = 1000;
    static constexpr GLsizeiptr kBytes = kParticleCount * static_cast<GLsizeiptr>(sizeof(ParticleRecord));

    GlObject buffers[2];
    GlObject feedbacks[2];

    /// Both buffers sized for a burst, each bound to its feedback object.
    static ParticleBuffers Create();
    /// Drops the names without deleting them: the context is gone and took them along.
    void Abandon();
};
