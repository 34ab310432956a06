// The shut-down's release pass: once it has run, no GL object the game made is left for the
// services' destructors at exit, when there is no context to delete it in.
#include "app/Application.h"
#include "game/BasicEnemy.h"
#include "game/GameWorld.h"
#include "render/Materials.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>

namespace {

/// Live names below the next one GL would hand out (Mesa never reuses a name).
int LiveNames(const char* kind, void (*generate)(GLsizei, GLuint*), void (*remove)(GLsizei, const GLuint*),
              GLboolean (*exists)(GLuint)) {
    GLuint next = 0;
    generate(1, &next);
    remove(1, &next);
    int live = 0;
    for (GLuint name = 1; name < next; ++name)
        if (exists(name) == GL_TRUE) {
            std::cerr << "still alive: " << kind << " " << name << std::endl;
            ++live;
        }
    return live;
}

/// Programs and shaders share one namespace.
int LiveProgramsAndShaders() {
    const GLuint next = glCreateProgram();
    glDeleteProgram(next);
    int live = 0;
    for (GLuint name = 1; name < next; ++name)
        if (glIsProgram(name) == GL_TRUE || glIsShader(name) == GL_TRUE) {
            std::cerr << "still alive: program or shader " << name << std::endl;
            ++live;
        }
    return live;
}

} // namespace

TEST(ShutDown, TheReleasePassLeavesNoGlObjectAlive) {
    // In a process of its own: the pass ends the game for whatever would run after it.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            testing_support::GameHarness& game = testing_support::GameHarness::Get();
            game.StartGame();
            new BasicEnemy(Vector3(0.0f, 2.0f, -8.0f), 29.0f, 100.0f);
            game.World().ToggleCollisionView();
            {
                // Its first bind makes the shared fall-back maps, which outlive it.
                PBSMaterial unmapped;
                unmapped.Bind();
            }
            for (int i = 0; i < 5; ++i)
                game.Frame();

            GameWorld::GetInstance().Cleanup();
            ReleaseGlObjects();
            const int live =
                LiveNames("buffer", glGenBuffers, glDeleteBuffers, glIsBuffer) +
                LiveNames("texture", glGenTextures, glDeleteTextures, glIsTexture) +
                LiveNames("vertex array", glGenVertexArrays, glDeleteVertexArrays, glIsVertexArray) +
                LiveProgramsAndShaders();
            // Straight out: the destructors at exit are not what this checks.
            std::_Exit(live == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
