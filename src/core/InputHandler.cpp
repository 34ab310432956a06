#include "core/InputHandler.h"

#include <GLFW/glfw3.h>

InputHandler& InputHandler::GetInstance() {
    static InputHandler instance;
    return instance;
}

void InputHandler::InstallCallbacks() {
    GLFWwindow* window = glfwGetCurrentContext();
    glfwSetKeyCallback(window, [](GLFWwindow*, int key, int, int action, int) {
        // Repeats act on nothing, so they are not events of the game (nor of a demo).
        if (action == GLFW_PRESS || action == GLFW_RELEASE)
            InputHandler::GetInstance().FromWindow({InputEventKind::Key, key, action == GLFW_PRESS ? 1 : 0});
    });
    glfwSetMouseButtonCallback(window, [](GLFWwindow*, int button, int action, int) {
        InputHandler::GetInstance().FromWindow(
            {InputEventKind::MouseButton, button, action == GLFW_PRESS ? 1 : 0});
    });
    glfwSetWindowFocusCallback(window, [](GLFWwindow*, int focused) {
        InputHandler::GetInstance().FromWindow({InputEventKind::Focus, 0, focused == GLFW_TRUE ? 1 : 0});
    });
}

void InputHandler::RegisterCallback(int code, Action action) {
    callbacks[code].push_back(std::move(action));
}

void InputHandler::Dispatch(int code) {
    auto found = callbacks.find(code);
    if (found == callbacks.end())
        return;
    for (auto& action : found->second)
        action();
}

bool InputHandler::IsKeyDown(int key) const {
    auto simulated = simulatedKeys.find(key);
    if (simulated != simulatedKeys.end() && simulated->second)
        return true;
    if (liveKeysIgnored)
        return false;
    GLFWwindow* window = glfwGetCurrentContext();
    return window != nullptr && glfwGetKey(window, key) == GLFW_PRESS;
}

void InputHandler::OnKey(int key, int action) {
    if (action == GLFW_PRESS)
        Dispatch(key);
}

void InputHandler::OnMouseButton(int button, int action) {
    if (action == GLFW_PRESS)
        Dispatch(button);
}

void InputHandler::SetWindowEventFilter(std::function<bool(const InputEvent&)> filter) {
    windowEventFilter = std::move(filter);
}

void InputHandler::FromWindow(const InputEvent& event) {
    if (windowEventFilter && !windowEventFilter(event))
        return;
    if (event.kind == InputEventKind::Key)
        OnKey(event.a, event.b != 0 ? GLFW_PRESS : GLFW_RELEASE);
    else if (event.kind == InputEventKind::MouseButton)
        OnMouseButton(event.a, event.b != 0 ? GLFW_PRESS : GLFW_RELEASE);
    else if (event.kind == InputEventKind::Focus)
        OnFocus(event.b != 0);
}

void InputHandler::RegisterFocusCallback(FocusAction action) {
    focusCallbacks.push_back(std::move(action));
}

void InputHandler::OnFocus(bool focused) {
    for (auto& action : focusCallbacks)
        action(focused);
}

std::size_t InputHandler::BindingCount(int code) const {
    auto found = callbacks.find(code);
    return found == callbacks.end() ? 0 : found->second.size();
}

void InputHandler::SetSimulatedKey(int key, bool down) {
    simulatedKeys[key] = down;
}
