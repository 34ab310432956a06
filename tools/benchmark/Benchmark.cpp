// Measures where a frame's time goes: the real game on the current display, driven through
// scripted scenes with the frame cap off, next to the floor of an empty frame.
//
//   korvane_benchmark                 both window sizes, one child process each
//   korvane_benchmark --size 800x600  one size
//   korvane_benchmark --timedemo 800x600  only the recorded game, replayed as fast as it goes
//   KORVANE_BENCHMARK_DEMO=FILE        the demo replayed (tests/demos/play30.kvd by default)
//   KORVANE_BENCHMARK_FRAMES=N         measured frames per scene (90 by default)
//
// Each game scene runs twice: with 4x MSAA at the window's resolution, and at the settings the
// game chooses for this machine (the settings file's keys winning), the dynamic resolution held to
// 60 FPS as under the game's cap and given time to settle first; the scale it settled at is shown.
//
// Run it from the repository root: its ./assets and ./config.toml are the ones measured.

#include "app/Application.h"
#include "app/DemoPlayer.h"
#include "app/FrameLoop.h"
#include "app/FramePacer.h"
#include "app/MenuController.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/SettingsCatalog.h"
#include "game/BasicEnemy.h"
#include "game/EnemySpawner.h"
#include "game/GameLoop.h"
#include "game/GamePause.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "physics/PhysicsWorld.h"
#include "render/ParticleSystem.h"
#include "render/RenderQuality.h"
#include "render/SceneTarget.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Both sizes in about six minutes on a software renderer.
constexpr int kMeasuredFrames = 90;

/// Measured frames per scene: 90, or KORVANE_BENCHMARK_FRAMES.
int MeasuredFrames() {
    const char* value = std::getenv("KORVANE_BENCHMARK_FRAMES");
    const int frames = value != nullptr ? std::atoi(value) : 0;
    return frames > 0 ? frames : kMeasuredFrames;
}
// Enough for the driver to build its shader variants and the enemies to settle.
constexpr int kWarmUpFrames = 30;
constexpr float kStep = GameWorld::kFixedStep;
constexpr float kPacedFPS = 60.0f;
constexpr double kPacedSeconds = 10.0;
// The dynamic resolution counts as settled once its scale has held this long...
constexpr double kSettledSeconds = 3.0;
// ...or, for a scene that keeps it moving, after this long.
constexpr double kLongestSettling = 20.0;

/// CPU time of the whole process (every thread, the renderer's included), in seconds.
double ProcessCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Sample {
    double total = 0, physics = 0, gameplay = 0, scene = 0, particles = 0, present = 0, text = 0,
           collision = 0, cpu = 0, scale = 1;
};

double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t index =
        static_cast<std::size_t>(std::lround(p * static_cast<double>(values.size() - 1)));
    return values[index];
}

double Median(const std::vector<Sample>& samples, double Sample::*field) {
    std::vector<double> values;
    for (const Sample& s : samples)
        values.push_back(s.*field);
    return Percentile(values, 0.5);
}

class Bench {
public:
    Bench(GLFWwindow* window, std::ostream& out) : window(window), out(out) {}

    void Floor() {
        std::vector<Sample> samples;
        for (int i = 0; i < kWarmUpFrames + measuredFrames; ++i) {
            const double start = Now();
            const double cpuStart = ProcessCpu();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glfwPollEvents();
            glfwSwapBuffers(window);
            glFinish();
            if (i >= kWarmUpFrames) {
                Sample sample{Now() - start};
                sample.cpu = ProcessCpu() - cpuStart;
                samples.push_back(sample);
            }
        }
        floor = Median(samples, &Sample::total);
        Report("empty frame (clear, poll, swap)", samples);
    }

    /// The start screen for `seconds` through the game's own frame loop and pacer at `maxFPS`:
    /// the process's CPU time against the time the frames themselves took.
    void Paced(float maxFPS, double seconds) {
        GameWorld& world = GameWorld::GetInstance();
        const double begin = glfwGetTime();
        FramePacer pacer(FrameIntervalFor(maxFPS), begin, begin);
        const double cpuBegin = ProcessCpu();
        double work = 0.0, workCpu = 0.0;
        int lastReadout = 0, frames = 0;
        for (double now = begin; now - begin < seconds; now = glfwGetTime()) {
            if (!pacer.IsFrameDue(now)) {
                SleepFor(pacer.SleepBeforeFrame(now));
                continue;
            }
            const FramePacer::Frame frame = pacer.BeginFrame(now);
            if (frame.readoutFrames > 0)
                lastReadout = frame.readoutFrames;
            const double cpuStart = ProcessCpu();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glfwPollEvents();
            world.Update(frame.dt);
            world.Draw(frame.dt);
            glfwSwapBuffers(window);
            // Drained so that the renderer's threads do the frame's work inside the frame.
            glFinish();
            work += glfwGetTime() - now;
            workCpu += ProcessCpu() - cpuStart;
            ++frames;
        }
        const double elapsed = glfwGetTime() - begin;
        const double cpu = ProcessCpu() - cpuBegin;
        char line[512];
        // Against wall time the ratio holds only on an idle machine; against the CPU spent inside
        // the frames it shows the waiting's own cost even when other work competes for the cores.
        std::snprintf(
            line, sizeof line,
            "Start screen at the %.0f FPS cap for %.1f s: %d frames, last readout %d FPS; process CPU "
            "%.2f s (%.2f cores) for %.2f s of frame work, %.2f s CPU inside the frames: CPU = %.2f x "
            "frame work, %.2f x the frames' CPU.",
            static_cast<double>(maxFPS), elapsed, frames, lastReadout, cpu, cpu / elapsed, work, workCpu,
            work > 0.0 ? cpu / work : 0.0, workCpu > 0.0 ? cpu / workCpu : 0.0);
        out << line << std::endl;
    }

    /// Full game frames with a fixed 1/60 s of game time each; `perFrame` runs before each. With
    /// the dynamic resolution on, the frames before the measured ones go on until its scale settles.
    template <typename F> void Scene(const std::string& name, F perFrame) {
        GameWorld& world = GameWorld::GetInstance();
        SceneTarget& target = SceneTarget::GetInstance();
        std::vector<Sample> samples;
        int frame = 0;
        const auto run = [&](bool measured) {
            perFrame(frame++);
            FrameProfile profile;
            world.SetProfile(&profile);
            const double start = Now();
            const double cpuStart = ProcessCpu();
            const float scale = target.Scale();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glfwPollEvents();
            world.Update(kStep);
            world.Draw(kStep);
            glfwSwapBuffers(window);
            glFinish();
            const double total = Now() - start;
            const double cpu = ProcessCpu() - cpuStart;
            world.SetProfile(nullptr);
            target.FrameDone(Now(), total);
            if (measured)
                samples.push_back(Sample{total, profile.physics, profile.gameplay, profile.scene,
                                         profile.particles, profile.present, profile.text,
                                         profile.collisionView, cpu, scale});
        };
        for (int i = 0; i < kWarmUpFrames; ++i)
            run(false);
        if (target.Quality().dynamicResolution) {
            const double begin = Now();
            double lastChange = begin;
            float last = target.Scale();
            while (Now() - lastChange < kSettledSeconds && Now() - begin < kLongestSettling) {
                run(false);
                if (target.Scale() != last) {
                    last = target.Scale();
                    lastChange = Now();
                }
            }
        }
        for (int i = 0; i < measuredFrames; ++i)
            run(true);
        Report(name, samples);
    }

    void Report(const std::string& name, const std::vector<Sample>& samples) {
        std::vector<double> totals;
        for (const Sample& s : samples)
            totals.push_back(s.total);
        const double median = Percentile(totals, 0.5);
        // The scale of the measured frames: one value once settled, else the range it moved in.
        double lowest = 1e9, highest = 0.0;
        for (const Sample& s : samples) {
            lowest = std::min(lowest, s.scale);
            highest = std::max(highest, s.scale);
        }
        char scale[32];
        if (samples.empty() || lowest == highest)
            std::snprintf(scale, sizeof scale, "%.2f", samples.empty() ? 1.0 : lowest);
        else
            std::snprintf(scale, sizeof scale, "%.2f-%.2f", lowest, highest);
        char line[640];
        std::snprintf(
            line, sizeof line,
            "| %-44s | %9s | %7.2f | %7.2f | %7.2f | %6.2f / %6.2f | %6.2f / %6.2f / %6.2f / %6.2f / %6.2f "
            "| %6.1f |",
            name.c_str(), scale, median * 1e3, Percentile(totals, 0.95) * 1e3,
            Median(samples, &Sample::cpu) * 1e3, Median(samples, &Sample::physics) * 1e3,
            Median(samples, &Sample::gameplay) * 1e3, Median(samples, &Sample::scene) * 1e3,
            Median(samples, &Sample::particles) * 1e3, Median(samples, &Sample::present) * 1e3,
            Median(samples, &Sample::text) * 1e3, Median(samples, &Sample::collision) * 1e3,
            floor > 0 ? median / floor : 1.0);
        out << line << std::endl;
        lastMedian = median;
        lastCpuMedian = Median(samples, &Sample::cpu);
    }

    /// One full game frame: its time and the process's CPU time in it, in seconds; `before` runs
    /// first, inside the frame.
    template <typename F> std::pair<double, double> Frame(F before) {
        const double start = Now();
        const double cpuStart = ProcessCpu();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        before();
        GameWorld::GetInstance().Update(kStep);
        GameWorld::GetInstance().Draw(kStep);
        glfwSwapBuffers(window);
        glFinish();
        return {Now() - start, ProcessCpu() - cpuStart};
    }

    /// The median frame time and CPU time of the last scene, in seconds.
    double lastMedian = 0.0;
    double lastCpuMedian = 0.0;

private:
    GLFWwindow* window;
    std::ostream& out;
    double floor = 0.0;
    int measuredFrames = MeasuredFrames();
};

/// The pause menu's Video page, the longest of the Options, open over the paused game: whole
/// frames, and the menu's own drawing with the renderer drained before and after it, so that its
/// time is the menu's alone. One line for the summary.
std::string MenuOpenLine(GLFWwindow* window, int frames) {
    ConfigMenuSettings settings;
    GameMenuBindings bindings;
    Menu menu(settings, bindings);
    MenuContext context;
    context.settings = SettingsCatalog();
    context.windowSizes = {"800 x 600", "1280 x 720", "1920 x 1080"};
    context.start = context.resume = context.quit = [] {};
    MenuRenderer renderer;
    menu.Open(PauseMenuPage(context));
    menu.Push(OptionsPage(context));
    menu.Push(SettingsPage(context, "Video", menu));
    GamePause::GetInstance().Pause();
    const TextHandler& text = TextHandler::GetInstance();
    std::vector<double> totals, menuTimes, syncTimes;
    for (int i = 0; i < kWarmUpFrames + frames; ++i) {
        menu.MoveSelection(+1);
        const double start = Now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        GameWorld::GetInstance().Update(kStep);
        GameWorld::GetInstance().Draw(kStep);
        glFinish();
        // What draining the renderer costs with nothing to draw: the floor under the menu's figure.
        const double syncStart = Now();
        glFinish();
        const double menuStart = Now();
        renderer.Draw(menu, text.Width(), text.Height());
        glFinish();
        const double menuEnd = Now();
        glfwSwapBuffers(window);
        if (i >= kWarmUpFrames) {
            totals.push_back(Now() - start);
            menuTimes.push_back(menuEnd - menuStart);
            syncTimes.push_back(menuStart - syncStart);
        }
    }
    GamePause::GetInstance().Resume();
    char line[320];
    std::snprintf(line, sizeof line,
                  "Menu open (Options > Video over the paused game): frames took a median of %.2f ms, of "
                  "which the menu's own drawing %.3f ms (p95 %.3f ms; draining the renderer with nothing "
                  "to draw takes %.3f ms).",
                  Percentile(totals, 0.5) * 1e3, Percentile(menuTimes, 0.5) * 1e3,
                  Percentile(menuTimes, 0.95) * 1e3, Percentile(syncTimes, 0.5) * 1e3);
    return line;
}

/// Keeps the benchmark player alive and the clock from ending the game.
void KeepGameGoing() {
    PlayerObject* player = GameWorld::GetInstance().GetPlayer();
    player->maxHealth = 1000000;
    player->health = 1000000;
    GameLoop::GetInstance().timeRemaining = 250.0f;
    if (EnemySpawner* spawner = GameLoop::GetInstance().GetSpawner())
        spawner->spawnTimer = 1.0e9f;
}

std::size_t EnemyCount() {
    std::size_t n = 0;
    for (GameObject* object : GameWorld::GetInstance().GetObjects())
        if (dynamic_cast<BasicEnemy*>(object) != nullptr)
            ++n;
    return n;
}

/// Drops enemies on a ring around the player until there are `target`.
void FillEnemies(std::size_t target) {
    std::size_t n = EnemyCount();
    for (std::size_t i = n; i < target; ++i) {
        const float angle = static_cast<float>(i) * 0.7f;
        const float radius = 8.0f + static_cast<float>(i % 5) * 2.5f;
        new BasicEnemy(Vector3(std::cos(angle) * radius, 2.0f + static_cast<float>(i % 4) * 2.5f,
                               std::sin(angle) * radius),
                       29.0f, 100.0f);
    }
}

int RunSize(int width, int height) {
    std::ostream& out = std::cerr;
    // The game's own console lines (one per particle burst per frame) would only slow the run.
    std::ofstream devNull("/dev/null");
    std::streambuf* console = std::cout.rdbuf(devNull.rdbuf());

    // Settings such as Display.MSAA come from config.toml in the working directory, as in the game.
    ConfigHandler::GetInstance().Load();
    GLFWwindow* window = StartUp(width, height);
    if (window == nullptr)
        return 1;
    const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    out << "\n### " << width << " x " << height << ", " << renderer << "\n\n[auto] "
        << ChooseRenderQuality(ConfigHandler::GetInstance(), renderer).line << "\n\n"
        << "| scene | scale | median ms | p95 ms | CPU ms | update: physics / gameplay | draw: scene / "
           "particles / "
           "present / text / collision | x floor |\n"
        << "|---|---|---|---|---|---|---|---|" << std::endl;

    // Each scene at 4x MSAA at the window's resolution, then at the settings chosen for this machine.
    SceneTarget& target = SceneTarget::GetInstance();
    const RenderQuality automatic = target.Quality();
    const auto bothWays = [&](Bench& bench, const std::string& name, auto perFrame) {
        target.Configure(RenderQuality{});
        target.SetFrameBudget(0.0);
        bench.Scene(name + " [4x MSAA]", perFrame);
        target.Configure(automatic);
        target.SetFrameBudget(1.0 / kPacedFPS);
        bench.Scene(name + " [auto]", perFrame);
    };

    Bench bench(window, out);
    bench.Floor();
    bothWays(bench, "start screen", [](int) {});
    // Before the game starts: the paced run stays on the start screen; its line follows the table.
    std::ostringstream pacedLine;
    Bench paced(window, pacedLine);
    paced.Paced(kPacedFPS, kPacedSeconds);

    // The frame in which Space starts the first game, and the two after it: a hitch would show here.
    std::ostringstream startLine;
    startLine << "First game: the frame that starts it and the next two took";
    for (int i = 0; i < 3; ++i) {
        const double start = Now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        if (i == 0) {
            // What Space asks for on the start screen.
            InputHandler::GetInstance().Press(Action::Jump);
            InputHandler::GetInstance().Press(Action::Start);
        }
        GameWorld::GetInstance().Update(kStep);
        GameWorld::GetInstance().Draw(kStep);
        glfwSwapBuffers(window);
        glFinish();
        char ms[32];
        std::snprintf(ms, sizeof ms, "%s %.2f", i == 0 ? "" : ",", (Now() - start) * 1e3);
        startLine << ms;
    }
    startLine << " ms.";
    KeepGameGoing();
    bothWays(bench, "game, 0 enemies", [](int) { KeepGameGoing(); });
    const std::string menuLine = MenuOpenLine(window, MeasuredFrames());
    // An orb's light comes and goes with it: the frames in which one appears and is used.
    PickupObject* orb = nullptr;
    const auto orbAppears = bench.Frame([&] { orb = new PickupObject(Vector3(3.0f, 0.0f, -10.0f)); });
    const auto orbUsed = bench.Frame([&] { orb->Destroy(); });
    char orbLine[320];
    std::snprintf(
        orbLine, sizeof orbLine,
        "Orbs: the frame in which one appears took %.2f ms (%.2f ms CPU) and the one in which it is "
        "used %.2f ms (%.2f ms CPU), against the fresh game's median of %.2f ms (%.2f ms CPU).",
        orbAppears.first * 1e3, orbAppears.second * 1e3, orbUsed.first * 1e3, orbUsed.second * 1e3,
        bench.lastMedian * 1e3, bench.lastCpuMedian * 1e3);
    for (int i = 0; i < 5; ++i)
        new PickupObject(Vector3(-6.0f + 3.0f * static_cast<float>(i), 0.0f, -10.0f));
    for (std::size_t enemies : {25u, 50u, 100u}) {
        FillEnemies(enemies);
        bothWays(bench, "game, " + std::to_string(enemies) + " enemies, bursts, pickups",
                 [enemies](int frame) {
                     KeepGameGoing();
                     FillEnemies(enemies);
                     if (frame % 20 == 0)
                         new ParticleSystem(Vec3{static_cast<float>(frame % 7) - 3.0f, 1.0f, 6.0f});
                 });
    }
    GameWorld::GetInstance().ToggleCollisionView();
    bothWays(bench, "game, 100 enemies, collision view", [](int) {
        KeepGameGoing();
        FillEnemies(100);
    });
    GameWorld::GetInstance().ToggleCollisionView();

    out << "\nPhysics step against live enemies (median of 120 steps):\n\n| enemies | physics step ms "
           "|\n|---|---|\n";
    for (std::size_t enemies : {10u, 25u, 50u, 100u, 200u}) {
        GameLoop::GetInstance().OnPlayerDeath(false);
        GameWorld::GetInstance().Update(kStep);
        KeepGameGoing();
        FillEnemies(enemies);
        for (int i = 0; i < 60; ++i) {
            KeepGameGoing();
            GameWorld::GetInstance().Update(kStep);
        }
        std::vector<double> steps;
        for (int i = 0; i < 120; ++i) {
            KeepGameGoing();
            FillEnemies(enemies);
            FrameProfile profile;
            GameWorld::GetInstance().SetProfile(&profile);
            GameWorld::GetInstance().Update(kStep);
            GameWorld::GetInstance().SetProfile(nullptr);
            steps.push_back(profile.physics);
        }
        char line[128];
        std::snprintf(line, sizeof line, "| %zu | %.3f |", enemies, Percentile(steps, 0.5) * 1e3);
        out << line << std::endl;
    }

    out << "\n"
        << pacedLine.str() << "\n"
        << startLine.str() << "\n"
        << orbLine << "\n"
        << menuLine << std::endl;

    ShutDown(window);
    std::cout.rdbuf(console);
    return 0;
}

/// A whole recorded game replayed through the game's own frame loop with no cap: real play,
/// its waves, kills and bursts, drawn at this size. A fresh process, as the replay starts from
/// start-up.
int RunTimedemo(int width, int height) {
    const char* chosen = std::getenv("KORVANE_BENCHMARK_DEMO");
    const std::string path = chosen != nullptr ? chosen : "tests/demos/play30.kvd";
    std::ofstream devNull("/dev/null");
    std::streambuf* console = std::cout.rdbuf(devNull.rdbuf());
    ConfigHandler& config = ConfigHandler::GetInstance();
    config.Load();
    const LoadedDemo demo = LoadDemo(path);
    if (!demo.error.empty() || !config.ReplaceSection("Controls", demo.summary.header.controls) ||
        !config.ReplaceSection("Physics", demo.summary.header.physics)) {
        std::cerr << (demo.error.empty() ? "Demo " + path + " has settings that are not valid" : demo.error)
                  << std::endl;
        return 1;
    }
    GLFWwindow* window = StartUp(width, height);
    if (window == nullptr)
        return 1;
    // As the game's own timedemo: no cap, so no frame time for the dynamic resolution to hold.
    SceneTarget::GetInstance().SetFrameBudget(0.0);
    std::string line, desync;
    {
        DemoPlayer player(demo, false);
        RunFrameLoop(window, 0.0, player, false);
        line = TimedemoLine(player.FrameSeconds());
        desync = player.Desync();
    }
    ShutDown(window);
    std::cout.rdbuf(console);
    std::cerr << "\nTimedemo " << path << " at " << width << " x " << height << ": " << line << std::endl;
    if (!desync.empty())
        std::cerr << desync << std::endl;
    return desync.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && (std::string(argv[1]) == "--size" || std::string(argv[1]) == "--timedemo")) {
        int width = 0, height = 0;
        if (std::sscanf(argv[2], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) {
            std::cerr << "usage: korvane_benchmark [--size WIDTHxHEIGHT | --timedemo WIDTHxHEIGHT]"
                      << std::endl;
            return 2;
        }
        return std::string(argv[1]) == "--size" ? RunSize(width, height) : RunTimedemo(width, height);
    }
    // Each size in a process of its own: the game's services live once per process.
    int status = 0;
    for (const char* size : {"800x600", "1920x1080"}) {
        for (const char* what : {"--size", "--timedemo"}) {
            const std::string command = std::string("\"") + argv[0] + "\" " + what + " " + size;
            status |= std::system(command.c_str());
        }
    }
    return status == 0 ? 0 : 1;
}
