#pragma once
// Where this run of the game finds its settings and assets, worked out from the working
// directory, the user's environment and the executable's own location (never a fixed path).

#include <filesystem>
#include <string>
#include <vector>

/// The directory of the running executable, or empty when the system cannot tell.
std::filesystem::path ExecutableDirectory();
/// The settings files in order of precedence, as the player would write them.
std::vector<std::string> SettingsPlaces();
/// The asset directories in the order they are tried, each as an absolute path.
std::vector<std::string> AssetPlaces();
/// Chooses the assets directory for every loader. When none holds the game's files, prints
/// one line naming the places tried to stderr and returns false.
bool LocateGameAssets();
