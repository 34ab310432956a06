#include "core/GamepadMappings.h"

#include "core/ConfigLocation.h"

#include <GLFW/glfw3.h>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>

namespace {

constexpr const char* kFileName = "gamecontrollerdb.txt";
constexpr std::size_t kGuidLength = 32;
// GLFW keeps a name in 128 bytes and reads no line of 1024 or more: it would drop either
// without a word.
constexpr std::size_t kMaxNameLength = 127;
constexpr std::size_t kMaxLineLength = 1023;

// The pad's inputs a mapping assigns, space-separated for a whole-word search: each must be given
// a joystick input GLFW can read.
constexpr std::string_view kElements = " a b x y back start guide leftshoulder rightshoulder leftstick "
                                       "rightstick dpup dpright dpdown dpleft lefttrigger righttrigger "
                                       "leftx lefty rightx righty ";

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool IsDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

/// A joystick input as a mapping names it: b3, a2 (with an optional +/- half and ~ inversion)
/// or h0.4.
bool IsJoystickInput(std::string_view value) {
    if (!value.empty() && (value.front() == '+' || value.front() == '-'))
        value.remove_prefix(1);
    if (!value.empty() && value.back() == '~')
        value.remove_suffix(1);
    if (value.size() < 2)
        return false;
    const char kind = value.front();
    value.remove_prefix(1);
    if (kind == 'a' || kind == 'b')
        return IsDigits(value);
    if (kind != 'h')
        return false;
    const std::size_t dot = value.find('.');
    return dot != std::string_view::npos && IsDigits(value.substr(0, dot)) && IsDigits(value.substr(dot + 1));
}

/// Why `line` is not a mapping, or "" when it is one. Fields GLFW does not use (SDL's newer ones,
/// another platform's) are fine as long as they are name:value.
std::string Fault(std::string_view line) {
    if (line.size() > kMaxLineLength)
        return "is longer than " + std::to_string(kMaxLineLength) + " characters";
    std::size_t comma = line.find(',');
    const std::string_view guid = line.substr(0, comma);
    bool hex = guid.size() == kGuidLength;
    for (char c : guid)
        hex = hex && std::isxdigit(static_cast<unsigned char>(c));
    if (!hex || comma == std::string_view::npos)
        return "does not start with a 32-digit hexadecimal GUID and a comma";
    line.remove_prefix(comma + 1);
    comma = line.find(',');
    if (comma == std::string_view::npos || comma == 0 || comma > kMaxNameLength)
        return "has no name (1 to " + std::to_string(kMaxNameLength) +
               " characters, then a comma) after the GUID";
    line.remove_prefix(comma + 1);
    while (!line.empty()) {
        comma = line.find(',');
        const std::string_view field = line.substr(0, comma);
        line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
        if (field.empty())
            continue;
        const std::size_t colon = field.find(':');
        if (colon == std::string_view::npos || colon == 0)
            return "has a field that is not name:value (\"" + std::string(field) + "\")";
        const std::string_view key = field.substr(0, colon);
        const std::string_view value = field.substr(colon + 1);
        // GLFW drops a whole mapping for one of these, without a word.
        if (key.front() == '+' || key.front() == '-')
            return std::string("maps to half an axis (\"") + std::string(key) + "\"), which GLFW cannot load";
        if (kElements.find(std::string(" ").append(key).append(" ")) != std::string_view::npos &&
            !IsJoystickInput(value))
            return std::string("maps ") + std::string(key) + " to \"" + std::string(value) +
                   "\", which is no button (b0), axis (a0) or hat (h0.1)";
    }
    return "";
}

// GLFW's error callback carries no user pointer: the loader collects the errors of one line here
// while it owns the callback.
std::string* lineErrors = nullptr;

void CollectError(int, const char* description) {
    if (lineErrors != nullptr)
        *lineErrors += description != nullptr ? description : "rejected";
}

} // namespace

std::optional<std::string> GamepadMappingFile(const char* xdgConfigHome, const char* home) {
    const std::vector<std::string> candidates = ConfigCandidates("", xdgConfigHome, home);
    if (candidates.size() < 2)
        return std::nullopt;
    return (std::filesystem::path(candidates[1]).parent_path() / kFileName).string();
}

int LoadGamepadMappings(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return 0;
    std::ifstream file(path);
    if (!file || std::filesystem::is_directory(path, error)) {
        std::cout << "Gamepad mapping file " << path << " cannot be read; using the built-in mappings"
                  << std::endl;
        return 0;
    }
    int taken = 0;
    int number = 0;
    std::string text;
    while (std::getline(file, text)) {
        ++number;
        const std::string_view line = Trim(text);
        if (line.empty() || line.front() == '#')
            continue;
        std::string fault = Fault(line);
        if (fault.empty()) {
            // One line at a time, so that a line GLFW turns away cannot take the others with it,
            // and its complaint is said here once instead of by the game's general callback.
            std::string errors;
            lineErrors = &errors;
            const GLFWerrorfun previous = glfwSetErrorCallback(CollectError);
            const int accepted = glfwUpdateGamepadMappings(std::string(line).c_str());
            glfwSetErrorCallback(previous);
            lineErrors = nullptr;
            if (accepted == GLFW_TRUE && errors.empty()) {
                ++taken;
                continue;
            }
            fault =
                "was refused by GLFW (" + (errors.empty() ? std::string("no reason given") : errors) + ")";
        }
        std::cout << "Gamepad mapping file " << path << " line " << number << " " << fault << "; skipped"
                  << std::endl;
    }
    return taken;
}

int LoadUserGamepadMappings() {
    const std::optional<std::string> path =
        GamepadMappingFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    return path ? LoadGamepadMappings(*path) : 0;
}
