#pragma once
// A one-second burst of 1000 GPU particles, simulated by transform feedback between two
// buffers; and the registry that ages, draws and releases the live bursts.

#include "core/MathTypes.h"

#include <GL/glew.h>
#include <map>

/// One particle as the buffers and the update program's feedback outputs hold it.
struct ParticleRecord {
    Vec3 position;
    Vec3 velocity;
    float lifetime;
};
static_assert(sizeof(ParticleRecord) == 28, "particle records are 28 bytes, tightly packed");

class ParticleSystem {
public:
    static constexpr int kParticleCount = 1000;

    /// A burst at a world position, registered with the ParticleRegistry. Draws two random
    /// numbers per particle for its direction.
    explicit ParticleSystem(const Vec3& position);
    /// Releases both buffers and both feedback objects.
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    /// One update pass (feedback into the other buffer) and one render pass.
    void Draw();

    GLuint updateProgram = 0;
    GLuint renderProgram = 0;
    int currentSource = 0;
    GLuint buffers[2] = {0, 0};
    int currentTarget = 1;
    GLuint feedbacks[2] = {0, 0};
    bool firstDraw = true;

private:
    friend class ParticleRegistry;
    // Cleared when the registry frees a burst after the GL context is gone.
    bool ownsGLObjects = true;
};

class ParticleRegistry {
public:
    static ParticleRegistry& GetInstance();
    /// Registers a burst with 1.0 s to live; an existing entry keeps its time.
    void Add(ParticleSystem* system);
    /// Ages every burst by dt, releases those whose time went below zero, draws the rest.
    void Update(float dt);
    std::size_t Count() const { return systems.size(); }
    /// Releases every burst (used at exit).
    void Clear();

private:
    ParticleRegistry() = default;
    ~ParticleRegistry();
    std::map<ParticleSystem*, float> systems;
};

// The two shared particle programs, built on first request.
GLuint ParticleUpdateProgram();
GLuint ParticleRenderProgram();
