#include "app/MenuController.h"

#include "core/InputHandler.h"
#include "core/PadFrame.h"
#include "game/GameLoop.h"
#include "game/GamePause.h"
#include "render/Camera.h"
#include "ui/TextHandler.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <utility>

namespace {

MenuController* ControllerOf(GLFWwindow* window) {
    return static_cast<MenuController*>(glfwGetWindowUserPointer(window));
}

std::vector<std::string> MonitorSizes() {
    std::vector<std::pair<int, int>> sizes;
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor()) {
        int count = 0;
        const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
        for (int i = 0; modes != nullptr && i < count; ++i)
            sizes.emplace_back(modes[i].width, modes[i].height);
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    std::vector<std::string> names;
    for (const auto& [width, height] : sizes)
        names.push_back(std::to_string(width) + " x " + std::to_string(height));
    return names;
}

} // namespace

MenuController::MenuController(GLFWwindow* window, std::vector<SettingEntry> settings)
    : window(window), menu(settingsAccess, bindingsAccess) {
    context.settings = std::move(settings);
    context.windowSizes = MonitorSizes();
    // Through the next record, so the game (and a recording) sees the start or the resume as
    // the player's own press.
    context.start = [] { InputHandler::GetInstance().QueueAction(Action::Start); };
    context.resume = [] { InputHandler::GetInstance().QueueAction(Action::Pause); };
    context.quit = [this] { glfwSetWindowShouldClose(this->window, GLFW_TRUE); };
    menu.onOptionsLeft = [this] {
        if (saveSettings)
            saveSettings();
    };
    InputHandler::GetInstance().SetActionGate([this](Action action) { return Allows(action); });
    if (window != nullptr) {
        glfwSetWindowUserPointer(window, this);
        previousScroll = glfwSetScrollCallback(window, [](GLFWwindow* w, double x, double y) {
            MenuController* self = ControllerOf(w);
            if (self == nullptr)
                return;
            if (self->IsOpen())
                self->OnScroll(y);
            else if (self->previousScroll != nullptr)
                self->previousScroll(w, x, y);
        });
    }
}

MenuController::~MenuController() {
    InputHandler& input = InputHandler::GetInstance();
    input.SetActionGate({});
    input.SetLookHeld(false);
    if (window == nullptr)
        return;
    glfwSetScrollCallback(window, previousScroll);
    glfwSetWindowUserPointer(window, nullptr);
}

bool MenuController::Allows(Action action) const {
    if (!menu.IsOpen())
        return true;
    // The menus read their own actions from the record.
    if (action >= Action::MenuUp)
        return true;
    // A key being bound reaches nothing else.
    if (menu.Capturing())
        return false;
    // The view keys go on working over any page.
    if (action == Action::Maximize || action == Action::CollisionView || action == Action::ToggleText)
        return true;
    // The start menu shares the start screen: Space still starts, Escape still quits.
    if (shown == Shown::Start && menu.Depth() == 1)
        return action == Action::Start || action == Action::Quit;
    // The pause key resumes from the pause menu's own page, as it always has.
    return shown == Shown::Pause && menu.Depth() == 1 && action == Action::Pause;
}

void MenuController::OnScroll(double yOffset) {
    if (yOffset > 0.0)
        ++pendingWheel;
    else if (yOffset < 0.0)
        --pendingWheel;
}

MenuInput MenuController::ReadInput(const ActionRecord& record) {
    MenuInput input;
    for (Action action : record.pressed) {
        switch (action) {
        case Action::MenuUp:
            ++input.up;
            break;
        case Action::MenuDown:
            ++input.down;
            break;
        case Action::MenuLeft:
            ++input.left;
            break;
        case Action::MenuRight:
            ++input.right;
            break;
        case Action::MenuAccept:
            input.accept = true;
            break;
        case Action::MenuBack:
            input.back = true;
            break;
        default:
            break;
        }
    }
    const std::vector<int>& codes = InputHandler::GetInstance().PressedCodes();
    if (!codes.empty())
        input.pressed = codes.front();
    input.click =
        std::find(codes.begin(), codes.end(), InputCode::Mouse(GLFW_MOUSE_BUTTON_LEFT)) != codes.end();
    input.wheel = std::exchange(pendingWheel, 0);
    if (window != nullptr && glfwGetInputMode(window, GLFW_CURSOR) == GLFW_CURSOR_NORMAL &&
        glfwGetWindowAttrib(window, GLFW_HOVERED) == GLFW_TRUE) {
        double x = 0.0, y = 0.0;
        int width = 0, height = 0;
        glfwGetCursorPos(window, &x, &y);
        glfwGetWindowSize(window, &width, &height);
        input.cursor = Vec2{static_cast<float>(x), static_cast<float>(height) - static_cast<float>(y)};
    }
    return input;
}

void MenuController::Update(const ActionRecord& record) {
    // The pause key on the pause menu's own page resumes the game by itself: should the same
    // key also go back (Escape bound to pause), the menu must not queue a second resume.
    const bool resumedByKey = shown == Shown::Pause && menu.Depth() == 1 && record.Pressed(Action::Pause);
    if (menu.IsOpen() && !resumedByKey)
        menu.Update(ReadInput(record), renderer.Rects());
    else
        pendingWheel = 0;
    Follow();
}

void MenuController::Follow() {
    const bool started = GameLoop::GetInstance().started;
    const bool paused = GamePause::GetInstance().IsPaused();
    if (!started) {
        if (shown != Shown::Start)
            OpenStart();
    } else if (paused) {
        if (shown != Shown::Pause) {
            CloseMenu();
            OpenPause();
        }
    } else if (shown != Shown::None) {
        CloseMenu();
    }
}

void MenuController::OpenStart() {
    menu.Open(StartMenuPage(context));
    shown = Shown::Start;
    // The start screen keeps running its steps behind the menu: the view stays put and the
    // cursor is the menu's.
    InputHandler::GetInstance().SetLookHeld(true);
    Camera::GetInstance().SetCursorCaptured(false);
}

void MenuController::OpenPause() {
    menu.Open(PauseMenuPage(context));
    InputHandler::GetInstance().SetLookHeld(true);
    shown = Shown::Pause;
    // The pause menu's title says it; the word in the middle would show through the dimming.
    TextHandler::GetInstance().RemoveText("paused");
}

void MenuController::CloseMenu() {
    const bool wasStart = shown == Shown::Start;
    menu.Close();
    shown = Shown::None;
    InputHandler::GetInstance().SetLookHeld(false);
    if (wasStart)
        Camera::GetInstance().SetCursorCaptured(true);
}

void MenuController::Draw() {
    if (!menu.IsOpen())
        return;
    const TextHandler& text = TextHandler::GetInstance();
    renderer.Draw(menu, text.Width(), text.Height());
}
