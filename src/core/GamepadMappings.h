#pragma once
// The player's own gamepad mappings: gamecontrollerdb.txt beside the user's settings file, in
// the SDL format GLFW reads, for pads its built-in mappings do not know.

#include <optional>
#include <string>

/// $XDG_CONFIG_HOME/korvane/gamecontrollerdb.txt, with $HOME/.config when that variable is unset,
/// empty or relative; nothing without a usable home directory.
std::optional<std::string> GamepadMappingFile(const char* xdgConfigHome, const char* home);

/// Gives GLFW (initialised) every mapping line of `path`. Blank lines and # comments are fine; a
/// line that is not a mapping prints one line naming its number and is skipped, the others still
/// load. A file that does not exist prints nothing. Returns the number of mappings taken.
int LoadGamepadMappings(const std::string& path);

/// LoadGamepadMappings for the player's file, found from the environment.
int LoadUserGamepadMappings();
