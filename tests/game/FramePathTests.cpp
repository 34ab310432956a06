// What a frame may not do: once start-up is over, starting games, waves, kills with their bursts
// and orbs make no GL object and build no program, so none of them stalls the frame it falls in.
#include "game/BasicEnemy.h"
#include "game/GameLoop.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "render/ParticleSystem.h"
#include "render/SceneTarget.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

/// The names GL would hand out next. Mesa never reuses a name, so a probe taken twice with
/// nothing made in between differs by exactly the one name the first probe used.
struct NextNames {
    GLuint texture = 0, buffer = 0, program = 0, framebuffer = 0, renderbuffer = 0;

    static NextNames Probe() {
        NextNames next;
        glGenTextures(1, &next.texture);
        glDeleteTextures(1, &next.texture);
        glGenBuffers(1, &next.buffer);
        glDeleteBuffers(1, &next.buffer);
        // Programs and shader stages share one namespace: a compile would move it too.
        next.program = glCreateProgram();
        glDeleteProgram(next.program);
        glGenFramebuffers(1, &next.framebuffer);
        glDeleteFramebuffers(1, &next.framebuffer);
        glGenRenderbuffers(1, &next.renderbuffer);
        glDeleteRenderbuffers(1, &next.renderbuffer);
        return next;
    }
};

/// The textures, framebuffers and renderbuffers made between two probes (the first probe's own
/// names excluded), and how many of them still exist.
struct Made {
    int made = 0;
    int alive = 0;
};

Made Between(const NextNames& from, const NextNames& to) {
    Made result;
    const auto count = [&result](GLuint first, GLuint end, GLboolean (*exists)(GLuint)) {
        for (GLuint name = first + 1; name < end; ++name) {
            ++result.made;
            result.alive += exists(name) ? 1 : 0;
        }
    };
    count(from.texture, to.texture, [](GLuint name) { return glIsTexture(name); });
    count(from.framebuffer, to.framebuffer, [](GLuint name) { return glIsFramebuffer(name); });
    count(from.renderbuffer, to.renderbuffer, [](GLuint name) { return glIsRenderbuffer(name); });
    return result;
}

} // namespace

TEST(FramePath, PlayAfterStartUpMakesNoGlObjectAndBuildsNoProgram) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    game.Frame();
    const NextNames before = NextNames::Probe();

    // The first game: level, gun, orbs and lamps, then a wave, a kill and a dropped orb.
    game.StartGame();
    for (int i = 0; i < 5; ++i)
        new BasicEnemy(Vector3(static_cast<float>(i) * 3.0f - 6.0f, 2.0f, -10.0f), 29.0f, 100.0f);
    game.Frame();
    for (GameObject* object : std::vector<GameObject*>(game.World().GetObjects()))
        if (dynamic_cast<BasicEnemy*>(object) != nullptr)
            object->TakeDamage(100.0f);
    new PickupObject(Vector3(4.0f, 0.0f, 4.0f));
    for (int i = 0; i < 10; ++i)
        game.Frame();
    // A death and the next game at once, with bursts still in the air.
    GameLoop::GetInstance().OnPlayerDeath(true);
    for (int i = 0; i < 70; ++i)
        game.Frame();

    const NextNames after = NextNames::Probe();
    EXPECT_EQ(after.texture, before.texture + 1) << "textures were made during play";
    EXPECT_EQ(after.buffer, before.buffer + 1) << "buffers were made during play";
    EXPECT_EQ(after.program, before.program + 1) << "a program or shader was built during play";
}

TEST(FramePath, SceneTargetIsBuiltOnceForEachSizeAndScaleAndLeavesNothingBehind) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    GLFWwindow* window = glfwGetCurrentContext();
    int width = 0, height = 0;
    glfwGetWindowSize(window, &width, &height);
    SceneTarget& target = SceneTarget::GetInstance();
    RenderQuality quality;
    quality.samples = 4;
    game.StartGame();
    game.Frame();

    const auto framesAt = [&](int w, int h) {
        glfwSetWindowSize(window, w, h);
        // The window system takes the new size in its own time.
        for (int i = 0; i < 100; ++i) {
            glfwPollEvents();
            int fw = 0, fh = 0;
            glfwGetFramebufferSize(window, &fw, &fh);
            if (fw == w && fh == h)
                break;
            glfwWaitEventsTimeout(0.01);
        }
        for (int i = 0; i < 5; ++i)
            game.Frame();
    };
    std::vector<NextNames> probes{NextNames::Probe()};
    target.Configure(quality);
    framesAt(width, height);
    probes.push_back(NextNames::Probe());
    const Made first = Between(probes[0], probes[1]);
    ASSERT_GT(first.made, 0) << "the multisampled scene made no picture of its own";
    EXPECT_EQ(first.alive, first.made);

    // A resize, the window maximised and restored (F1), a new largest scale, post-process
    // anti-aliasing: each makes one new picture and the one before is gone.
    struct Step {
        const char* what;
        int width, height;
        Antialiasing antialiasing;
        float scale;
    };
    for (const Step& step : {Step{"resize", 640, 480, Antialiasing::Msaa, 1.0f},
                             Step{"maximise", 1024, 700, Antialiasing::Msaa, 1.0f},
                             Step{"restore", 640, 480, Antialiasing::Msaa, 1.0f},
                             Step{"scale", 640, 480, Antialiasing::Msaa, 0.75f},
                             Step{"post", 640, 480, Antialiasing::Post, 0.75f}}) {
        SCOPED_TRACE(step.what);
        quality.antialiasing = step.antialiasing;
        quality.renderScale = step.scale;
        quality.minRenderScale = std::min(quality.minRenderScale, step.scale);
        target.Configure(quality);
        framesAt(step.width, step.height);
        probes.push_back(NextNames::Probe());
        const std::size_t last = probes.size() - 1;
        const Made now = Between(probes[last - 1], probes[last]);
        EXPECT_EQ(now.made, now.alive) << "objects made and dropped again within the frames";
        EXPECT_GT(now.made, 0) << "the picture was not built again";
        EXPECT_LE(now.made, first.made) << "built more than once";
        EXPECT_EQ(Between(probes[last - 2], probes[last - 1]).alive, 0) << "the last picture was left behind";
    }
    // A dynamic scale change draws into the same picture.
    quality.dynamicResolution = true;
    quality.minRenderScale = 0.5f;
    target.Configure(quality);
    target.SetFrameBudget(1.0 / 60.0);
    for (int i = 0; i < 10 && target.Scale() == quality.renderScale; ++i)
        target.FrameDone(static_cast<double>(i), 1.0);
    EXPECT_LT(target.Scale(), quality.renderScale);
    const NextNames beforeDynamic = NextNames::Probe();
    framesAt(640, 480);
    EXPECT_EQ(Between(beforeDynamic, NextNames::Probe()).made, 0);

    target.Configure(RenderQuality{Antialiasing::Off, 0, 1.0f, 0.5f, false});
    target.SetFrameBudget(0.0);
    target.Release();
    framesAt(width, height);
}
