#pragma once
// The first-person view: a position the player moves, a yaw and pitch the mouse turns, and
// a perspective projection that follows the window's shape. A view kick may tilt the drawn
// view for a moment; the forward direction that aims and walks never sees it.

#include "core/MathTypes.h"

#include <functional>
#include <utility>

struct GLFWwindow;
class ShaderHandler;
class ConfigHandler;

/// What mouse look reads once a frame: the cursor and the window size it is measured against.
struct CursorSample {
    double x = 0.0;
    double y = 0.0;
    int width = 0;
    int height = 0;
};

class Camera {
public:
    static Camera& GetInstance();

    /// The window's size when the settings give none.
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultHeight = 600;

    /// Projection from the window size, cursor centred and captured (with raw motion where the
    /// platform has it and `Controls.rawMouse` allows), size callbacks installed.
    void Init();
    /// Captures the cursor for mouse look (centred, hidden, unbounded) or gives it back to the
    /// desktop. Nothing without a current window.
    void SetCursorCaptured(bool captured);
    /// Tilts the drawn view by these angles (radians) until the next call; 0, 0 is the true view.
    void SetViewKick(float pitchOffset, float yawOffset) {
        kickPitch = pitchOffset;
        kickYaw = yawOffset;
    }
    /// View-projection, eye and up to the shader library; once per drawn frame.
    void Update();
    /// Turns by the cursor's offset from the window centre, then recentres it. While the look is
    /// held the cursor is left alone and the turn is none.
    void MouseLook();
    /// Holds the view still and leaves the cursor to a menu that needs it, while the game runs
    /// its steps behind the menu (the start screen).
    void SetLookHeld(bool held) { lookHeld = held; }
    /// Sees the sample mouse look has just read (and recentred) and gives the one to turn by: a
    /// demo records it or hands back the recorded one. Empty: the live sample is used.
    void SetCursorFilter(std::function<CursorSample(const CursorSample&)> filter) {
        cursorFilter = std::move(filter);
    }
    /// The turn for a cursor at (x, y) in a w x h window: truncated pixel offsets from the
    /// centre, pitch clamped, yaw kept within (-2 pi, 2 pi).
    void ApplyMouseOffset(double x, double y, int w, int h);

    void SetPosition(const Vec3& p) { position = p; }
    Vec3 GetPosition() const { return position; }
    Vec3 GetForward() const;
    Vec3 GetUp() const;
    /// What the window-size callback does: new aspect and projection, then the resize listener
    /// (the text renderer). A zero width or height (a minimised window) changes nothing at all.
    void OnWindowSize(int width, int height);
    /// Called with every usable window size after the projection follows it; one listener, so
    /// the screen text can follow without the camera knowing about it.
    void SetResizeListener(std::function<void(int width, int height)> listener) {
        onResize = std::move(listener);
    }
    /// Perspective projection from `fov`, `aspect` and the clip planes, depth mapped to -1 ... 1.
    void BuildProjection();
    /// projection x view, the view looking from `position` along the forward direction.
    Mat4 GetViewProjection() const;
    /// The same along the drawn direction: the forward direction tilted by the view kick.
    Mat4 GetDrawnViewProjection() const;
    /// The direction the picture looks along: the forward direction tilted by the view kick.
    Vec3 GetDrawnForward() const;

    ShaderHandler& shaders;
    ConfigHandler& config;
    Vec3 position{0.0f, 0.0f, 0.0f};
    float yaw = 0.0f;
    float pitch = 0.0f;
    float sensitivity = kSensitivityPerUnit;
    float fov = 90.0f;
    float nearPlane = 0.01f;
    float farPlane = 1000.0f;
    float aspect = 1.0f;
    /// Moving the mouse up looks down (`Controls.invertY`).
    bool invertY = false;
    /// Raw (unaccelerated) mouse motion while the cursor is captured (`Controls.rawMouse`).
    bool rawMouse = true;
    float kickPitch = 0.0f;
    float kickYaw = 0.0f;
    Mat4 projection;

    static constexpr float kPitchLimit = 1.569051f;
    /// A field of view of 0 or 180 degrees would make an empty or degenerate projection.
    static constexpr float kMinFov = 1.0f;
    static constexpr float kMaxFov = 179.0f;
    /// Radians per pixel of mouse travel for a `Controls.mouseSensitivity` of 1.
    static constexpr float kSensitivityPerUnit = 0.0015f;
    /// Already nearly nine degrees a pixel; a huge setting would overflow the turn into NaN.
    static constexpr float kMaxSensitivity = 100.0f;

private:
    Camera();

    std::function<void(int, int)> onResize;
    std::function<CursorSample(const CursorSample&)> cursorFilter;
    bool lookHeld = false;
};
