// The code and the shaders name their uniforms separately, and a name that differs on one side
// fails silently: the value goes nowhere and the shader reads zero. A few frames of play that
// draw with every program, then both sides compared.
#include "game/BasicEnemy.h"
#include "game/CombatFeedback.h"
#include "game/GameLoop.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "render/ParticleRegistry.h"
#include "render/ShaderHandler.h"
#include "render/UniformStore.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct ActiveUniform {
    std::string name;
    GLenum type = 0;
};

std::vector<ActiveUniform> ActiveUniforms(GLuint program) {
    GLint count = 0, longest = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    glGetProgramiv(program, GL_ACTIVE_UNIFORM_MAX_LENGTH, &longest);
    std::vector<ActiveUniform> uniforms;
    for (GLint i = 0; i < count; ++i) {
        std::vector<char> name(static_cast<std::size_t>(longest) + 1, '\0');
        GLint size = 0;
        ActiveUniform uniform;
        glGetActiveUniform(program, static_cast<GLuint>(i), longest, nullptr, &size, &uniform.type,
                           name.data());
        uniform.name = name.data();
        // An array is reported by its first element; the code sets it by the array's name.
        if (const auto bracket = uniform.name.find("[0]"); bracket != std::string::npos)
            uniform.name.erase(bracket);
        uniforms.push_back(uniform);
    }
    return uniforms;
}

bool IsSampler(GLenum type) {
    return type == GL_SAMPLER_2D || type == GL_SAMPLER_3D || type == GL_SAMPLER_CUBE ||
           type == GL_SAMPLER_2D_ARRAY;
}

} // namespace

TEST(ShaderUniforms, EveryUniformAProgramDeclaresIsSetAndEveryNameTheCodeSetsIsDeclared) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    GameWorld& world = game.World();
    game.Frame();

    // A game with all there is to draw: level, gun, orbs, enemies, a burst, the muzzle flash,
    // the hurt rim, contact shadows, the sky, the text and the collision view.
    game.StartGame();
    for (int i = 0; i < 3; ++i)
        new BasicEnemy(Vector3(static_cast<float>(i) * 3.0f - 3.0f, 2.0f, -8.0f), 29.0f, 100.0f);
    for (int i = 0; i < 30; ++i)
        game.Frame();
    for (GameObject* object : std::vector<GameObject*>(world.GetObjects()))
        if (dynamic_cast<BasicEnemy*>(object) != nullptr) {
            object->TakeDamage(100.0f);
            break;
        }
    CombatFeedback::GetInstance().OnShotFired();
    CombatFeedback::GetInstance().OnPlayerHurt(5.0f, Vec3{0.0f, 1.0f, -5.0f});
    const bool collisionView = world.IsCollisionViewOn();
    if (!collisionView)
        world.ToggleCollisionView();
    for (int i = 0; i < 3; ++i)
        game.Frame();
    if (!collisionView)
        world.ToggleCollisionView();

    std::map<GLuint, std::string> programs;
    for (const auto& [stages, program] : ShaderHandler::GetInstance().SharedPrograms())
        programs[program] = stages.first + " and " + stages.second;
    programs[ParticleUpdateProgram()] = "the particle update program";
    programs[ParticleRenderProgram()] = "the particle render program";
    ASSERT_GE(programs.size(), 13u) << "a program the game draws with was not built";

    const auto& requests = UniformStore::Requests();
    std::set<std::string> declaredAnywhere;
    for (const auto& [program, files] : programs) {
        const auto asked = requests.find(program);
        ASSERT_NE(asked, requests.end()) << files << " was never drawn with";
        std::map<GLint, std::string> samplerUnits;
        for (const ActiveUniform& uniform : ActiveUniforms(program)) {
            declaredAnywhere.insert(uniform.name);
            const auto set = asked->second.find(uniform.name);
            if (set != asked->second.end())
                continue;
            // A sampler may be left to its binding, but then two must not share a unit.
            if (IsSampler(uniform.type)) {
                GLint unit = -1;
                glGetUniformiv(program, glGetUniformLocation(program, uniform.name.c_str()), &unit);
                EXPECT_EQ(samplerUnits.count(unit), 0u)
                    << files << ": samplers " << samplerUnits[unit] << " and " << uniform.name
                    << " both read unit " << unit;
                samplerUnits[unit] = uniform.name;
                continue;
            }
            ADD_FAILURE() << files << " declares '" << uniform.name << "', which nothing sets";
        }
        for (const auto& [name, request] : asked->second)
            EXPECT_TRUE(request.found || !request.meantForThisProgram)
                << "the code sets '" << name << "' for " << files << ", which does not declare it";
    }
    // A value offered to every program must be taken by one of them.
    for (const auto& [program, names] : requests) {
        if (programs.count(program) == 0)
            continue;
        for (const auto& [name, request] : names)
            EXPECT_TRUE(request.meantForThisProgram || declaredAnywhere.count(name) == 1)
                << "the code sets '" << name << "', which no program declares";
    }
}
