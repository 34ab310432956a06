#pragma once
// Where the settings file is looked for: the working directory first, so a config.toml
// beside the game always wins, then the user's configuration directory.

#include <optional>
#include <string>
#include <vector>

/// The settings files in order of precedence: `local`, then
/// $XDG_CONFIG_HOME/korvane/config.toml, where an unset, empty or relative value means
/// $HOME/.config. Without a usable home directory only `local` is listed.
std::vector<std::string> ConfigCandidates(const std::string& local, const char* xdgConfigHome,
                                          const char* home);
/// The first candidate that exists (as anything: a directory in its place is read, and
/// reported, as unreadable), or nothing.
std::optional<std::string> FindConfigFile(const std::vector<std::string>& candidates);
