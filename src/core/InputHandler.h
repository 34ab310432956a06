#pragma once
// Turns key and mouse-button presses into the actions registered for them, and answers
// whether a key is held right now (for walking, which polls every fixed step). The window's
// gaining or losing the focus arrives here too, as an event of its own.

#include "core/InputEvent.h"

#include <functional>
#include <unordered_map>
#include <vector>

struct GLFWwindow;

class InputHandler {
public:
    using Action = std::function<void()>;
    using FocusAction = std::function<void(bool focused)>;

    static InputHandler& GetInstance();

    /// Installs the key, mouse-button and focus callbacks on the window whose context is current.
    void InstallCallbacks();
    /// Appends an action for a GLFW key code (32 and up) or mouse button (0-7).
    void RegisterCallback(int code, Action action);
    /// Runs every action of the code in registration order; nothing for an unbound code.
    void Dispatch(int code);
    bool IsKeyDown(int key) const;
    /// Appends an action run with the new state whenever the window gains or loses the focus.
    void RegisterFocusCallback(FocusAction action);

    /// What the window callbacks do: presses dispatch, releases and repeats are ignored.
    void OnKey(int key, int action);
    void OnMouseButton(int button, int action);
    /// What the focus callback does: every focus action, in registration order.
    void OnFocus(bool focused);

    /// Sees every press and release the window reports before it is acted on; an event the
    /// filter answers false to is dropped. Recording a demo keeps them; replaying one lets
    /// only the view keys through. An empty filter lets everything through.
    void SetWindowEventFilter(std::function<bool(const InputEvent&)> filter);
    /// A press or release as the window reports it: through the filter, then OnKey/OnMouseButton.
    void FromWindow(const InputEvent& event);
    /// While set, IsKeyDown answers from the simulated keys alone: a replay walks as recorded
    /// whatever the keyboard does.
    void SetLiveKeysIgnored(bool ignored) { liveKeysIgnored = ignored; }

    /// Number of actions bound to a code; for tests and diagnostics.
    std::size_t BindingCount(int code) const;
    /// Holds a key down as if the player pressed it; scripted play (tests, benchmark) walks so.
    void SetSimulatedKey(int key, bool down);

private:
    InputHandler() = default;

    std::unordered_map<int, std::vector<Action>> callbacks;
    std::unordered_map<int, bool> simulatedKeys;
    std::function<bool(const InputEvent&)> windowEventFilter;
    bool liveKeysIgnored = false;
    std::vector<FocusAction> focusCallbacks;
};
