#include "render/Camera.h"

#include "core/ConfigHandler.h"
#include "render/ShaderHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>

namespace {

constexpr float kHalfPi = 1.5707964f;

void OnFramebufferSize(GLFWwindow*, int width, int height) {
    glViewport(0, 0, width, height);
}

void OnWindowSizeEvent(GLFWwindow*, int width, int height) {
    Camera::GetInstance().OnWindowSize(width, height);
}

Vec3 Direction(float yaw, float pitch) {
    return {std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch)};
}

/// Right-handed look-at: the rows of the rotation are side, up and back.
Mat4 LookAt(const Vec3& eye, const Vec3& target, const Vec3& worldUp) {
    const Vec3 f = Normalize(target - eye);
    const Vec3 s = Normalize(Cross(f, worldUp));
    const Vec3 u = Cross(s, f);
    Mat4 view;
    view.At(0, 0) = s.x;
    view.At(1, 0) = s.y;
    view.At(2, 0) = s.z;
    view.At(0, 1) = u.x;
    view.At(1, 1) = u.y;
    view.At(2, 1) = u.z;
    view.At(0, 2) = -f.x;
    view.At(1, 2) = -f.y;
    view.At(2, 2) = -f.z;
    view.At(3, 0) = -Dot(s, eye);
    view.At(3, 1) = -Dot(u, eye);
    view.At(3, 2) = Dot(f, eye);
    view.At(3, 3) = 1.0f;
    return view;
}

} // namespace

Camera& Camera::GetInstance() {
    static Camera instance;
    return instance;
}

Camera::Camera()
    : shaders(ShaderHandler::GetInstance()), config(ConfigHandler::GetInstance()),
      sensitivity(
          config.GetFloatInRange("Controls.mouseSensitivity", 1.0f, -kMaxSensitivity, kMaxSensitivity) *
          kSensitivityPerUnit),
      fov(config.GetFloatInRange("Display.fov", 90.0f, kMinFov, kMaxFov)),
      invertY(config.GetBool("Controls.invertY", false)),
      rawMouse(config.GetBool("Controls.rawMouse", true)) {}

void Camera::Init() {
    GLFWwindow* window = glfwGetCurrentContext();
    int width = 0, height = 0;
    glfwGetWindowSize(window, &width, &height);
    aspect = static_cast<float>(width) / static_cast<float>(height);
    BuildProjection();

    SetCursorCaptured(true);
    glfwSetFramebufferSizeCallback(window, OnFramebufferSize);
    glfwSetWindowSizeCallback(window, OnWindowSizeEvent);
}

void Camera::SetCursorCaptured(bool captured) {
    GLFWwindow* window = glfwGetCurrentContext();
    if (window == nullptr)
        return;
    if (!captured) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
        return;
    }
    int width = 0, height = 0;
    glfwGetWindowSize(window, &width, &height);
    // Centred first, so the first look after capturing does not turn by wherever the cursor was.
    glfwSetCursorPos(window, static_cast<double>(width / 2), static_cast<double>(height / 2));
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    if (glfwRawMouseMotionSupported())
        glfwSetInputMode(window, GLFW_RAW_MOUSE_MOTION, rawMouse ? GLFW_TRUE : GLFW_FALSE);
}

void Camera::BuildProjection() {
    const float t = std::tan(fov * kDegreesToRadians * 0.5f);
    projection = Mat4{};
    projection.At(0, 0) = 1.0f / (aspect * t);
    projection.At(1, 1) = 1.0f / t;
    projection.At(2, 2) = -(farPlane + nearPlane) / (farPlane - nearPlane);
    projection.At(2, 3) = -1.0f;
    projection.At(3, 2) = -(2.0f * farPlane * nearPlane) / (farPlane - nearPlane);
}

void Camera::OnWindowSize(int width, int height) {
    // A minimised window reports 0 x 0; keeping the last shape avoids an infinite aspect that
    // would poison the projection until the next real size arrives.
    if (width == 0 || height == 0)
        return;
    aspect = static_cast<float>(width) / static_cast<float>(height);
    BuildProjection();
    if (onResize)
        onResize(width, height);
}

Mat4 Camera::GetViewProjection() const {
    const Vec3 eye = position;
    return projection * LookAt(eye, eye + GetForward(), Vec3{0.0f, 1.0f, 0.0f});
}

Vec3 Camera::GetDrawnForward() const {
    // Kept off the poles, where looking along the world's up would leave the view undefined.
    return Direction(yaw + kickYaw, std::clamp(pitch + kickPitch, -kPitchLimit, kPitchLimit));
}

Mat4 Camera::GetDrawnViewProjection() const {
    return projection * LookAt(position, position + GetDrawnForward(), Vec3{0.0f, 1.0f, 0.0f});
}

void Camera::Update() {
    shaders.SetCamera(GetDrawnViewProjection(), position, GetUp());
}

void Camera::MouseLook() {
    GLFWwindow* window = glfwGetCurrentContext();
    int width = 0, height = 0;
    glfwGetWindowSize(window, &width, &height);
    // A held look still passes a (centred) sample on, so a recording stores "no turn" for it.
    double x = static_cast<double>(width / 2), y = static_cast<double>(height / 2);
    if (!lookHeld) {
        glfwGetCursorPos(window, &x, &y);
        glfwSetCursorPos(window, static_cast<double>(width / 2), static_cast<double>(height / 2));
    }
    CursorSample sample{x, y, width, height};
    if (cursorFilter)
        sample = cursorFilter(sample);
    ApplyMouseOffset(sample.x, sample.y, sample.width, sample.height);
}

void Camera::ApplyMouseOffset(double x, double y, int w, int h) {
    // Whole pixels only: the sub-pixel jitter of a recentred cursor must not drift the view.
    int dy = static_cast<int>(static_cast<double>(h / 2) - y);
    if (invertY)
        dy = -dy;
    pitch += static_cast<float>(dy) * sensitivity;
    if (pitch < -kPitchLimit)
        pitch = -kPitchLimit;
    if (pitch > kPitchLimit)
        pitch = kPitchLimit;

    const int dx = static_cast<int>(static_cast<double>(w / 2) - x);
    // fmod by exactly this float keeps the yaw within (-2 pi, 2 pi) with the sign of the turn.
    yaw = std::fmod(yaw + static_cast<float>(dx) * sensitivity, kTwoPi);
}

Vec3 Camera::GetForward() const {
    return Direction(yaw, pitch);
}

Vec3 Camera::GetUp() const {
    return Direction(yaw, pitch + kHalfPi);
}
