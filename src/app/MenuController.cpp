#include "app/MenuController.h"

#include "core/InputHandler.h"
#include "core/KeyBindings.h"
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

bool IsNavigationKey(int key) {
    return key == GLFW_KEY_UP || key == GLFW_KEY_DOWN || key == GLFW_KEY_LEFT || key == GLFW_KEY_RIGHT ||
           key == GLFW_KEY_ENTER || key == GLFW_KEY_KP_ENTER;
}

} // namespace

const std::vector<SettingSpec>& OfferedSettings() {
    const auto toggle = [](std::string_view key, bool on, std::string_view page, std::string_view label) {
        SettingSpec spec;
        spec.key = key;
        spec.kind = SettingKind::Bool;
        spec.defaultValue = on ? 1.0 : 0.0;
        spec.page = page;
        spec.label = label;
        return spec;
    };
    const auto number = [](std::string_view key, SettingKind kind, double value, double min, double max,
                           double step, std::string_view page, std::string_view label) {
        SettingSpec spec;
        spec.key = key;
        spec.kind = kind;
        spec.defaultValue = value;
        spec.min = min;
        spec.max = max;
        spec.step = step;
        spec.page = page;
        spec.label = label;
        return spec;
    };
    static const std::vector<SettingSpec> settings = [&] {
        std::vector<SettingSpec> list = {
            number("Controls.mouseSensitivity", SettingKind::Float, 1.0, 0.1, 10.0, 0.1, "Controls",
                   "Mouse sensitivity"),
            toggle("Controls.invertY", false, "Controls", "Invert mouse Y"),
            toggle("Controls.rawMouse", true, "Controls", "Raw mouse motion"),
            toggle("Display.fullscreen", false, "Video", "Full screen"),
            number("Display.width", SettingKind::Int, 800, 320, 7680, 1, "Video", "Window width"),
            number("Display.height", SettingKind::Int, 600, 240, 4320, 1, "Video", "Window height"),
            toggle("Display.vsync", false, "Video", "Vertical sync"),
            number("Display.maxFPS", SettingKind::Float, 60.0, 0.0, 360.0, 5.0, "Video", "Frame cap"),
            number("Display.fov", SettingKind::Float, 90.0, 60.0, 120.0, 1.0, "Video", "Field of view"),
            number("Display.MSAA", SettingKind::Int, 4, 0, 8, 1, "Video", "Multisampling"),
            toggle("Graphics.sky", true, "Video", "Sky"),
            toggle("Graphics.fog", true, "Video", "Fog"),
            toggle("Graphics.contactShadows", true, "Video", "Contact shadows"),
            toggle("Display.screenFlashes", true, "Video", "Screen flashes"),
            toggle("Display.viewKick", true, "Video", "View kick"),
            number("Audio.volume", SettingKind::Float, 0.8, 0.0, 1.0, 0.05, "Audio", "Volume"),
            toggle("Audio.enabled", true, "Audio", "Sound"),
            toggle("Display.threatMarkers", true, "Game", "Threat arrows"),
            toggle("Display.waveWarning", true, "Game", "Wave warning"),
            toggle("Controls.pauseOnFocusLoss", true, "Game", "Pause on focus loss"),
        };
        // Read once at start-up: a change shows from the next start.
        for (SettingSpec& spec : list)
            spec.needsRestart = spec.key == "Display.fullscreen" || spec.key == "Display.MSAA";
        // Left to the driver or to the machine's renderer until the player picks a value.
        for (SettingSpec& spec : list)
            spec.automatic = spec.key == "Display.vsync" || spec.key == "Display.MSAA";
        return list;
    }();
    return settings;
}

MenuController::MenuController(GLFWwindow* window, std::vector<SettingSpec> settings)
    : window(window), menu(settingsAccess, bindingsAccess) {
    context.settings = std::move(settings);
    context.windowSizes = MonitorSizes();
    context.start = [] { PressForGame(KeyBindings::kStart); };
    context.resume = [] { PressForGame(KeyBindings::kPause); };
    context.quit = [this] { glfwSetWindowShouldClose(this->window, GLFW_TRUE); };
    menu.onOptionsLeft = [this] {
        if (saveSettings)
            saveSettings();
    };
}

MenuController::~MenuController() {
    if (!installed)
        return;
    glfwSetKeyCallback(window, previousKey);
    glfwSetMouseButtonCallback(window, previousButton);
    glfwSetScrollCallback(window, previousScroll);
    glfwSetWindowUserPointer(window, nullptr);
}

void MenuController::InstallInput() {
    if (installed || window == nullptr)
        return;
    installed = true;
    glfwSetWindowUserPointer(window, this);
    previousKey = glfwSetKeyCallback(window, [](GLFWwindow* w, int key, int scancode, int action, int mods) {
        MenuController* self = ControllerOf(w);
        if (self != nullptr && self->TakesKey(key)) {
            self->OnKey(key, action);
        } else if (self != nullptr && self->previousKey != nullptr) {
            self->previousKey(w, key, scancode, action, mods);
        }
    });
    previousButton = glfwSetMouseButtonCallback(window, [](GLFWwindow* w, int button, int action, int mods) {
        MenuController* self = ControllerOf(w);
        if (self != nullptr && self->IsOpen()) {
            self->OnMouseButton(button, action);
        } else if (self != nullptr && self->previousButton != nullptr) {
            self->previousButton(w, button, action, mods);
        }
    });
    previousScroll = glfwSetScrollCallback(window, [](GLFWwindow* w, double x, double y) {
        MenuController* self = ControllerOf(w);
        if (self != nullptr && self->IsOpen()) {
            self->OnScroll(y);
        } else if (self != nullptr && self->previousScroll != nullptr) {
            self->previousScroll(w, x, y);
        }
    });
}

bool MenuController::TakesKey(int key) const {
    if (!menu.IsOpen())
        return false;
    if (menu.Capturing())
        return true;
    // The start menu shares the start screen: Space still starts, Escape still quits.
    if (shown == Shown::Start && menu.Depth() == 1)
        return IsNavigationKey(key);
    // The view keys go on working, and the pause key resumes as it always has.
    if (KeyBindings::IsViewKey(key) && key != KeyBindings::kQuit)
        return false;
    if (shown == Shown::Pause && menu.Depth() == 1 && key == KeyBindings::kPause)
        return false;
    return true;
}

void MenuController::OnKey(int key, int action) {
    if (action == GLFW_RELEASE)
        return;
    // Held arrows repeat through a list; a binding takes only a real press.
    if (action == GLFW_PRESS && !pending.pressed)
        pending.pressed = key;
    switch (key) {
    case GLFW_KEY_UP:
        ++pending.up;
        break;
    case GLFW_KEY_DOWN:
        ++pending.down;
        break;
    case GLFW_KEY_LEFT:
        ++pending.left;
        break;
    case GLFW_KEY_RIGHT:
        ++pending.right;
        break;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER:
        pending.accept = action == GLFW_PRESS || pending.accept;
        break;
    case GLFW_KEY_ESCAPE:
        pending.back = action == GLFW_PRESS || pending.back;
        break;
    default:
        break;
    }
}

void MenuController::OnMouseButton(int button, int action) {
    if (action != GLFW_PRESS)
        return;
    if (!pending.pressed)
        pending.pressed = InputCode::Mouse(button);
    if (button == GLFW_MOUSE_BUTTON_LEFT)
        pending.click = true;
}

void MenuController::OnScroll(double yOffset) {
    if (yOffset > 0.0)
        ++pending.wheel;
    else if (yOffset < 0.0)
        --pending.wheel;
}

MenuInput MenuController::ReadInput() {
    MenuInput input = std::exchange(pending, MenuInput{});
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

void MenuController::Update() {
    if (menu.IsOpen())
        menu.Update(ReadInput(), renderer.Rects());
    else
        pending = MenuInput{};
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
    Camera& camera = Camera::GetInstance();
    camera.SetLookHeld(true);
    camera.SetCursorCaptured(false);
}

void MenuController::OpenPause() {
    menu.Open(PauseMenuPage(context));
    shown = Shown::Pause;
    // The pause menu's title says it; the word in the middle would show through the dimming.
    TextHandler::GetInstance().RemoveText("paused");
}

void MenuController::CloseMenu() {
    const bool wasStart = shown == Shown::Start;
    menu.Close();
    shown = Shown::None;
    if (wasStart) {
        Camera& camera = Camera::GetInstance();
        camera.SetLookHeld(false);
        camera.SetCursorCaptured(true);
    }
}

void MenuController::Draw() {
    if (!menu.IsOpen())
        return;
    const TextHandler& text = TextHandler::GetInstance();
    renderer.Draw(menu, text.Width(), text.Height());
}

void MenuController::PressForGame(int key) {
    InputHandler& input = InputHandler::GetInstance();
    input.FromWindow({InputEventKind::Key, key, 1});
    input.FromWindow({InputEventKind::Key, key, 0});
}
