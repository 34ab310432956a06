#include "core/InputHandler.h"

#include "core/ConfigHandler.h"

#include <GLFW/glfw3.h>
#include <iostream>

namespace {

constexpr Action kStickActions[] = {Action::Forward, Action::Back, Action::Left, Action::Right};
constexpr Action kFlickActions[] = {Action::MenuUp, Action::MenuDown, Action::MenuLeft, Action::MenuRight};

bool Contains(const std::vector<int>& codes, int code) {
    for (int each : codes)
        if (each == code)
            return true;
    return false;
}

} // namespace

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
    ReadSettings();
}

void InputHandler::ReadSettings() {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    bindings.Read(config, std::cout);
    look = MouseLook::FromSettings(config);
}

void InputHandler::RegisterAction(Action action, Handler handler) {
    if (action < Action::Count)
        handlers[static_cast<int>(action)].push_back(std::move(handler));
}

void InputHandler::RegisterFocusCallback(FocusAction action) {
    focusCallbacks.push_back(std::move(action));
}

std::size_t InputHandler::HandlerCount(Action action) const {
    return action < Action::Count ? handlers[static_cast<int>(action)].size() : 0;
}

void InputHandler::Queue(int code, bool down) {
    if (code < 0 || code >= InputCode::kEnd)
        return;
    // What is held is known at once; only presses wait for the frame, in the order they came.
    heldInputs[static_cast<std::size_t>(code)] = down;
    if (!down)
        return;
    if (queue.size() >= ActionRecord::kMaxEvents) {
        if (!toldOfDroppedEvents)
            std::cout << "More than " << ActionRecord::kMaxEvents
                      << " presses came in one frame; the game ignores the rest" << std::endl;
        toldOfDroppedEvents = true;
        return;
    }
    queue.push_back({code, true, false});
}

void InputHandler::OnKey(int key, int glfwAction) {
    // Repeats act on nothing, so they are not presses of the game (nor of a demo).
    if (InputCode::IsKey(key) && (glfwAction == GLFW_PRESS || glfwAction == GLFW_RELEASE))
        Queue(key, glfwAction == GLFW_PRESS);
}

void InputHandler::OnMouseButton(int button, int glfwAction) {
    if (button >= 0 && button <= GLFW_MOUSE_BUTTON_LAST &&
        (glfwAction == GLFW_PRESS || glfwAction == GLFW_RELEASE))
        Queue(InputCode::Mouse(button), glfwAction == GLFW_PRESS);
}

void InputHandler::OnFocus(bool focused) {
    if (queue.size() < ActionRecord::kMaxEvents)
        queue.push_back({0, focused, true});
}

ActionRecord InputHandler::BuildRecord() {
    ActionRecord record;
    const auto press = [this, &record](int code) {
        const std::uint32_t actions = bindings.ActionsOf(code);
        // An input that serves several states asks for each of its actions, in action order
        // (Space jumps, then starts); each handler knows whether its state is the current one.
        for (int i = 0; i < kActionCount; ++i) {
            if ((actions & (std::uint32_t{1} << i)) == 0 || (gate && !gate(static_cast<Action>(i))))
                continue;
            if (record.EventCount() >= ActionRecord::kMaxEvents) {
                if (!toldOfDroppedEvents)
                    std::cout << "More than " << ActionRecord::kMaxEvents
                              << " presses came in one frame; the game ignores the rest" << std::endl;
                toldOfDroppedEvents = true;
                return;
            }
            record.pressed.push_back(static_cast<Action>(i));
        }
    };
    pressedCodes.clear();
    for (const Queued& queued : queue) {
        if (!queued.focus) {
            pressedCodes.push_back(queued.code);
            press(queued.code);
        } else if (record.EventCount() < ActionRecord::kMaxEvents)
            record.focus.push_back({static_cast<std::uint32_t>(record.pressed.size()), queued.down});
    }
    queue.clear();

    for (int code : pad.pressed)
        if (InputCode::IsPad(code)) {
            pressedCodes.push_back(code);
            press(code);
        }
    for (StickDirection flick : pad.stickFlicks)
        if (record.EventCount() < ActionRecord::kMaxEvents)
            record.pressed.push_back(kFlickActions[static_cast<int>(flick)]);
    // A pad pulled out mid-game stops the game rather than leave the player walking blind.
    if (pad.disconnected && pauseWanted && pauseWanted() && record.EventCount() < ActionRecord::kMaxEvents)
        record.pressed.push_back(Action::Pause);

    for (Action action : queuedActions)
        if (record.EventCount() < ActionRecord::kMaxEvents)
            record.pressed.push_back(action);
    queuedActions.clear();
    const bool padHolds = pad.connected && !pad.disconnected;
    for (int i = 0; i < kActionCount; ++i) {
        for (int code : bindings.Of(static_cast<Action>(i)))
            if (heldInputs[static_cast<std::size_t>(code)] || (padHolds && Contains(pad.held, code)))
                record.held |= std::uint32_t{1} << i;
    }
    if (padHolds)
        for (StickDirection direction : pad.stickHeld)
            record.held |= ActionBit(kStickActions[static_cast<int>(direction)]);

    if (gate) {
        for (int i = 0; i < kActionCount; ++i)
            if (!gate(static_cast<Action>(i)))
                record.held &= ~ActionBit(static_cast<Action>(i));
    }

    // The scripted travel joins the cursor's before the pixels are turned into radians, so it
    // turns exactly as the same travel of the real mouse would.
    double x = simulatedRight, y = simulatedDown;
    int width = 0, height = 0;
    const bool scripted = simulatedRight != 0 || simulatedDown != 0;
    simulatedRight = simulatedDown = 0;
    GLFWwindow* window = glfwGetCurrentContext();
    // Only a captured cursor is mouse look: a released one belongs to the desktop.
    const bool captured = window != nullptr && glfwGetInputMode(window, GLFW_CURSOR) == GLFW_CURSOR_DISABLED;
    if (captured) {
        double cursorX = 0.0, cursorY = 0.0;
        glfwGetCursorPos(window, &cursorX, &cursorY);
        glfwGetWindowSize(window, &width, &height);
        glfwSetCursorPos(window, static_cast<double>(width / 2), static_cast<double>(height / 2));
        // Adding a zero leaves the live cursor's value as it was, to the bit.
        if (scripted) {
            x += cursorX;
            y += cursorY;
        } else {
            x = cursorX;
            y = cursorY;
        }
    }
    if (captured || scripted) {
        const ViewTurn turn = CursorTurn(x, y, width, height, look);
        record.turnYaw = turn.yaw;
        record.turnPitch = turn.pitch;
    }
    // Added only when the stick moved: a zero would change the sign of a zero turn.
    if (padHolds && pad.turnYaw != 0.0f)
        record.turnYaw += pad.turnYaw;
    if (padHolds && pad.turnPitch != 0.0f)
        record.turnPitch += pad.turnPitch;
    // Behind a menu the view stays put, whatever the stick or a scripted mouse does.
    if (lookHeld)
        record.turnYaw = record.turnPitch = 0.0f;
    pad = PadFrame{};
    return record;
}

void InputHandler::Apply(const ActionRecord& record) {
    appliedHeld = record.held;
    pendingTurn = {record.turnYaw, record.turnPitch};
    std::size_t focus = 0;
    const auto focusUpTo = [&](std::size_t presses) {
        for (; focus < record.focus.size() && record.focus[focus].afterPresses <= presses; ++focus)
            for (std::size_t i = 0; i < focusCallbacks.size(); ++i)
                focusCallbacks[i](record.focus[focus].focused);
    };
    for (std::size_t i = 0; i < record.pressed.size(); ++i) {
        focusUpTo(i);
        Dispatch(record.pressed[i]);
    }
    focusUpTo(record.pressed.size() + record.focus.size());
}

void InputHandler::Dispatch(Action action) {
    if (action >= Action::Count)
        return;
    // By index: a handler may register another.
    std::vector<Handler>& list = handlers[static_cast<int>(action)];
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i]();
}

void InputHandler::Press(Action action) {
    Dispatch(action);
}

void InputHandler::AnswerQuitBetweenFrames() {
    for (const Queued& queued : queue)
        if (!queued.focus && (bindings.ActionsOf(queued.code) & ActionBit(Action::Quit)) != 0 &&
            (!gate || gate(Action::Quit))) {
            Dispatch(Action::Quit);
            return;
        }
}

bool InputHandler::IsHeld(Action action) const {
    return ((appliedHeld | simulatedHeld) & ActionBit(action)) != 0;
}

void InputHandler::SetSimulatedAction(Action action, bool down) {
    if (down)
        simulatedHeld |= ActionBit(action);
    else
        simulatedHeld &= ~ActionBit(action);
}

ViewTurn InputHandler::TakeTurn() {
    const ViewTurn turn = pendingTurn;
    pendingTurn = ViewTurn{};
    return turn;
}
