#pragma once
// A one-second burst of 1000 GPU particles, simulated by transform feedback between two
// buffers it takes from the ParticleRegistry's spares and hands back when it ends.

#include "core/MathTypes.h"
#include "render/GlObject.h"
#include "render/ParticleBuffers.h"

class ParticleSystem {
public:
    static constexpr int kParticleCount = ParticleBuffers::kParticleCount;

    /// A burst at a world position, registered with the ParticleRegistry, on buffers from the
    /// registry's spares (new ones only when none is left). Draws two random numbers per
    /// particle for its direction.
    explicit ParticleSystem(const Vec3& position);
    /// Hands both buffers and both feedback objects back to the registry, which keeps or releases them.
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    /// One update pass (feedback into the other buffer) and one render pass.
    void Draw();

private:
    friend class ParticleRegistry;
    // The burst's own objects, declared before the views on them below.
    ParticleBuffers gl;
    // Cleared when the registry frees a burst after the GL context is gone.
    bool ownsGLObjects = true;

public:
    // Views of the objects the burst draws with: its own buffers and the registry's programs.
    // They read the owners' names and never hold a copy that could outlive them.
    const GlObject& updateProgram;
    const GlObject& renderProgram;
    int currentSource = 0;
    const GlObject (&buffers)[2] = gl.buffers;
    int currentTarget = 1;
    const GlObject (&feedbacks)[2] = gl.feedbacks;
    bool firstDraw = true;
};
