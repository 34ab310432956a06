#include "core/InputHandler.h"

#include <GLFW/glfw3.h>

InputHandler& InputHandler::GetInstance() {
    static InputHandler instance;
    return instance;
}

void InputHandler::InstallCallbacks() {
    GLFWwindow* window = glfwGetCurrentContext();
    glfwSetKeyCallback(window, [](GLFWwindow*, int key, int, int action, int) {
        InputHandler::GetInstance().OnKey(key, action);
    });
    glfwSetMouseButtonCallback(window, [](GLFWwindow*, int button, int action, int) {
        InputHandler::GetInstance().OnMouseButton(button, action);
    });
    glfwSetWindowFocusCallback(
        window, [](GLFWwindow*, int focused) { InputHandler::GetInstance().OnFocus(focused == GLFW_TRUE); });
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
