#pragma once
// A one-second burst of 1000 GPU particles, simulated by transform feedback between two
// buffers; and the registry that ages, draws and releases the live bursts and keeps their
// buffers for the next bursts, so that a burst on the frame path creates no GL objects.

#include "core/MathTypes.h"
#include "render/GlObject.h"

#include <GL/glew.h>
#include <map>
#include <vector>

/// One particle as the buffers and the update program's feedback outputs hold it.
struct ParticleRecord {
    Vec3 position;
    Vec3 velocity;
    float lifetime;
};
static_assert(sizeof(ParticleRecord) == 28, "particle records are 28 bytes, tightly packed");

/// The GL objects of one burst: two record buffers and the feedback object writing into each.
struct ParticleBuffers {
    GlObject buffers[2];
    GlObject feedbacks[2];

    /// Both buffers sized for a burst, each bound to its feedback object.
    static ParticleBuffers Create();
    /// Drops the names without deleting them: the context is gone and took them along.
    void Abandon();
};

class ParticleSystem {
public:
    static constexpr int kParticleCount = 1000;

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

    GLuint updateProgram = 0;
    GLuint renderProgram = 0;
    int currentSource = 0;
    // The names of the objects in `gl`, for reading.
    GLuint buffers[2] = {0, 0};
    int currentTarget = 1;
    GLuint feedbacks[2] = {0, 0};
    bool firstDraw = true;

private:
    friend class ParticleRegistry;
    ParticleBuffers gl;
    // Cleared when the registry frees a burst after the GL context is gone.
    bool ownsGLObjects = true;
};

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
    /// The two particle programs, built on first request.
    GLuint UpdateProgram();
    GLuint RenderProgram();

private:
    friend class ParticleSystem;
    ParticleRegistry() = default;
    ~ParticleRegistry();
    ParticleBuffers TakeSpare();
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
