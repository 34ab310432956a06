#pragma once
// Settings changed while the game runs (the Options menu calls ConfigHandler::Set) take effect
// on the next frame: the frame loop asks Follow() once per frame, which costs one comparison of
// ConfigHandler::Revision() until something changed, and then hands every service that keeps
// settings of its own their new values. This is the one way a change reaches the game; a setting
// marked needsRestart in the catalog is saved but read at the next start only.

#include <cstdint>
#include <optional>

struct GLFWwindow;

class SettingsFollower {
public:
    static SettingsFollower& GetInstance();

    /// The settings as start-up applied them are the ones in force (from StartGameServices).
    void Reset();

    struct Change {
        /// The frame cap changed: the loop paces by this interval from now on (0: no cap).
        std::optional<double> frameInterval;
    };
    /// Once per frame, before the frame is paced. Nothing happens while the revision is the one
    /// last followed. Window settings, the swap interval, the text switch, the render scale and
    /// the frame cap are applied only when their own values changed, so that a change elsewhere
    /// does not undo F1, F3 or a window the player resized.
    Change Follow(GLFWwindow* window);
    /// Whether the frame-rate readout is on screen (`Display.showFps`).
    bool ShowFps() const { return applied.showFps; }

private:
    SettingsFollower() = default;

    struct Applied {
        float maxFPS = 60.0f;
        std::optional<bool> vsync;
        bool fullscreen = false;
        int width = 0;
        int height = 0;
        bool showText = true;
        bool showFps = true;
    };
    static Applied Read();
    void ApplyWindow(GLFWwindow* window, const Applied& wanted);
    static void ApplyRenderScale();

    std::uint64_t revision = 0;
    Applied applied;
};

/// The configured frame cap. A cap that is not a number would make the pacing meaningless, so it
/// falls back to the default and says so.
float ReadMaxFPS();
