#pragma once
// Saving the settings: the whole table, the keys the game knows each under a comment saying what
// it does and what it takes, written so that a crash or a full disk leaves the old file or the
// whole new one, never part of either.

#include <string>
#include <toml++/toml.h>

class ConfigHandler;

/// Writes `text` as `file` through a temporary file in the same directory (written, flushed to
/// the disk, then renamed over the file), making the directory first when it is missing. A file
/// reached through a symbolic link is written where the link points, so the link stays. False,
/// with `problem` saying why, when any step fails; the temporary file is gone then and the old
/// file as it was.
bool WriteFileAtomically(const std::string& file, const std::string& text, std::string& problem);

/// The settings file's text for `settings`: every table and key it holds, known or not, and
/// above each key of the settings catalog one comment line with its meaning and range or choices.
std::string SettingsText(const toml::table& settings);

/// Saves the settings to ConfigHandler::SaveFile() when a change since loading or the last save
/// has not been written; nothing otherwise. A file the game could not read is first kept beside
/// itself as FILE.bad. A write that fails is one line naming the file and the reason; the game
/// goes on with the changed settings, which stay unsaved. True when the file is up to date.
bool SaveSettings(ConfigHandler& config);
