#pragma once
// The first-person view: a position the player moves, a yaw and pitch the mouse or the stick turn, and
// a perspective projection that follows the window's shape. A view kick may tilt the drawn
// view for a moment; the forward direction that aims and walks never sees it.

#include "core/MathTypes.h"

#include <functional>
#include <utility>

struct GLFWwindow;
class ShaderHandler;
class ConfigHandler;

class Camera {
public:
    static Camera& GetInstance();

    /// The window's size when the settings give none.
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultHeight = 600;

    /// Projection from the window size, cursor centred and captured (with raw motion where the
    /// platform has it and `Controls.rawMouse` allows), size callbacks installed.
    void Init();
    /// Reads the view settings again (field of view, raw mouse) and
    /// rebuilds the projection: a change in the Options menu shows on the next frame.
    void ApplySettings();
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
    /// Turns the view by a frame's turn (radians, positive yaw left, positive pitch up): pitch
    /// clamped short of the vertical, yaw kept within (-2 pi, 2 pi).
    void ApplyTurn(float turnYaw, float turnPitch);

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
    float fov = 90.0f;
    float nearPlane = 0.01f;
    float farPlane = 1000.0f;
    float aspect = 1.0f;
    /// Raw (unaccelerated) mouse motion while the cursor is captured (`Controls.rawMouse`).
    bool rawMouse = true;
    float kickPitch = 0.0f;
    float kickYaw = 0.0f;
    Mat4 projection;

    static constexpr float kPitchLimit = 1.569051f;
    /// A field of view of 0 or 180 degrees would make an empty or degenerate projection.
    static constexpr float kMinFov = 1.0f;
    static constexpr float kMaxFov = 179.0f;

private:
    Camera();

    std::function<void(int, int)> onResize;
};
