#pragma once
// The read-only view of config.toml: loaded once at start-up, then typed look-ups by dotted
// key ("Display.maxFPS"), each with the caller's default for a missing or unusable value.

#include <optional>
#include <string>
#include <toml++/toml.h>

class ConfigHandler {
public:
    static ConfigHandler& GetInstance();

    /// Parses config.toml from the working directory or, when there is none, the user's
    /// korvane/config.toml (see ConfigCandidates). No file anywhere prints "Failed to open
    /// config file"; a file that is not valid TOML prints one line with the parser's reason and
    /// position. Either way every look-up then yields its default.
    void Load();
    /// The same for exactly this file (the --config option, tests); a missing one prints
    /// "Failed to open config file". Replaces whatever was loaded before.
    void Load(const std::string& file);

    bool GetBool(std::string key, bool defaultValue) const;
    /// The boolean at `key`, or nothing when the key is missing or its value is not a boolean
    /// (integers count, by non-zero): for settings whose absence means "leave it to the system".
    std::optional<bool> FindBool(std::string key) const;
    float GetFloat(std::string key, float defaultValue) const;
    int GetInt(std::string key, int defaultValue) const;
    /// GetFloat for a value the game can only use within [min, max]: anything else (NaN and
    /// the infinities included) falls back to the default with one line naming the key.
    float GetFloatInRange(std::string key, float defaultValue, float min, float max) const;
    /// The string at `key`, or nothing when the key is missing or holds anything but a string.
    std::optional<std::string> FindString(std::string key) const;
    /// Whether the settings name `key` at all, whatever its value: for defaults that the
    /// game chooses itself unless the player has said something.
    bool Has(std::string key) const;
    /// Whether `key` holds a table (an empty one included).
    bool HasTable(std::string key) const;

    /// One top-level table of the settings as TOML text ("" when there is none).
    std::string SectionText(const std::string& section) const;
    /// Puts the table that `text` holds in place of `section` (removes it for empty text); a
    /// demo's replay runs on the recording's settings this way. False, and nothing changed, for
    /// text that is not valid TOML or nests deeper than a settings file may.
    bool ReplaceSection(const std::string& section, const std::string& text);

    const std::string path = "config.toml";

private:
    ConfigHandler() = default;
    template <typename T> T Get(const std::string& key, T defaultValue) const;

    toml::table table;
};
