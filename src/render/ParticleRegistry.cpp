#include "render/ParticleRegistry.h"

#include "render/ParticleSystem.h"
#include "render/ShaderHandler.h"

#include <string>
#include <vector>

namespace {

constexpr float kBurstLifetime = 1.0f;

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

} // namespace

GLuint ParticleUpdateProgram() {
    return ParticleRegistry::GetInstance().UpdateProgram();
}

GLuint ParticleRenderProgram() {
    return ParticleRegistry::GetInstance().RenderProgram();
}

const GlObject& ParticleRegistry::UpdateProgram() {
    if (!updateProgram)
        updateProgram = GlObject(GlObject::Kind::Program, BuildUpdateProgram());
    return updateProgram;
}

const GlObject& ParticleRegistry::RenderProgram() {
    if (!renderProgram)
        renderProgram = GlObject(GlObject::Kind::Program, BuildRenderProgram());
    return renderProgram;
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
    UpdateProgram();
    RenderProgram();
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
