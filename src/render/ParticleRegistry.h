#pragma once
// The registry of live particle bursts: it ages, draws and releases them, keeps their buffers
// for the next bursts and owns the two particle programs, so that a burst on the frame path
// creates no GL objects.

#include "render/GlObject.h"
#include "render/ParticleBuffers.h"

#include <GL/glew.h>
#include <cstddef>
#include <map>
#include <vector>

class ParticleSystem;

class ParticleRegistry {
public:
    /// Spare burst buffers kept between bursts; more live bursts than this make buffers of their
    /// own, released when they end.
    static constexpr std::size_t kSpareBursts = 16;

    static ParticleRegistry& GetInstance();
    /// Builds both particle programs and the spare buffers, so that bursts during play compile
    /// and create nothing. Needs a current context.
    void Prepare();
    /// Registers a burst with 1.0 s to live; an existing entry keeps its time.
    void Add(ParticleSystem* system);
    /// Ages every burst by dt, releases those whose time went below zero, draws the rest.
    void Update(float dt);
    std::size_t Count() const { return systems.size(); }
    std::size_t SpareCount() const { return spares.size(); }
    /// Releases every burst, the spare buffers and both programs (used at exit, while the
    /// context is current); a later burst builds the programs again.
    void Clear();
    /// The two particle programs, built on first request. A burst keeps a reference to these
    /// owners, never a copy of their names.
    const GlObject& UpdateProgram();
    const GlObject& RenderProgram();

private:
    friend class ParticleSystem;
    ParticleRegistry() = default;
    ~ParticleRegistry();
    /// Buffers for a new burst: a spare when one is left, else freshly made.
    ParticleBuffers TakeSpare();
    /// A finished burst's buffers: kept as a spare while there is room (after Prepare), else
    /// released with them.
    void ReturnSpare(ParticleBuffers&& buffers);

    std::map<ParticleSystem*, float> systems;
    std::vector<ParticleBuffers> spares;
    GlObject updateProgram;
    GlObject renderProgram;
    bool prepared = false;
};

// The registry's two particle programs, built on first request.
GLuint ParticleUpdateProgram();
GLuint ParticleRenderProgram();
