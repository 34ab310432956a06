#pragma once
// The settings of config.toml: loaded at start-up, then typed look-ups by dotted key
// ("Display.maxFPS"), each with the caller's default for a missing or unusable value. The
// Options menus change them with Set; Revision() tells the services that cache a setting when
// to read it again, and SettingsWriter saves them to the file they came from.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <toml++/toml.h>
#include <vector>

struct SettingEntry;

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

    /// The catalog's default for a key the catalog lists (see SettingsCatalog); GetFloatSetting
    /// also holds the value to the catalog's range, as GetFloatInRange does.
    bool GetBoolSetting(std::string_view key) const;
    int GetIntSetting(std::string_view key) const;
    float GetFloatSetting(std::string_view key) const;

    /// Puts a value at a dotted key, creating its table, both in what the game runs on and in
    /// what a save writes (only in the latter for a section a replay holds: see ReplaceSection).
    /// A value equal to the one there changes nothing; any other raises Revision() and marks the
    /// settings unsaved. A key whose table is taken by a value is left as it is.
    void Set(const std::string& key, bool value);
    void Set(const std::string& key, int value);
    void Set(const std::string& key, double value);
    void Set(const std::string& key, const std::string& value);
    void Set(const std::string& key, const char* value) { Set(key, std::string(value)); }
    void Set(const std::string& key, const std::vector<std::string>& values);
    /// Takes the key out of both tables: the game's own default (or its own choice) applies again.
    void Remove(const std::string& key);
    /// Raised by every load and every change; a service that caches settings reads them again
    /// when it differs from the one it last read.
    std::uint64_t Revision() const { return revision; }
    /// Whether a Set or Remove has changed the settings since they were loaded or last saved.
    bool HasUnsavedChanges() const { return unsaved; }
    /// The save has written the file: nothing is unsaved until the next change, and the file is
    /// one the game wrote.
    void MarkSaved() {
        unsaved = false;
        unusableFile = false;
    }
    /// The file the settings were read from; empty when none was found.
    const std::string& LoadedFile() const { return loadedFile; }
    /// Where a save goes: the file that was read (or named with --config, read or not), else the
    /// user's korvane/config.toml; empty without a home directory to put it in.
    const std::string& SaveFile() const { return saveFile; }
    /// The file existed but could not be used (not TOML, nested too deep): a save first keeps it
    /// beside itself as FILE.bad rather than write over what the player typed.
    bool LoadedFileWasUnusable() const { return unusableFile; }
    /// What a save writes: the file's settings with every Set applied, without the sections a
    /// demo's replay put in place of the file's own.
    const toml::table& FileTable() const { return fileTable; }

    /// One top-level table of the settings as TOML text ("" when there is none).
    std::string SectionText(const std::string& section) const;
    /// Puts the table that `text` holds in place of `section` (removes it for empty text); a
    /// demo's replay runs on the recording's settings this way, and keeps running on them
    /// whatever is Set later; a save still writes the file's own section. False, and nothing changed, for
    /// text that is not valid TOML or nests deeper than a settings file may.
    bool ReplaceSection(const std::string& section, const std::string& text);

    const std::string path = "config.toml";

private:
    ConfigHandler() = default;
    template <typename T> T Get(const std::string& key, T defaultValue) const;
    template <typename T> void SetValue(const std::string& key, T&& value);
    void Read(const std::string& file);
    bool IsHeld(const std::string& key) const;

    /// What the game runs on.
    toml::table table;
    /// What a save writes (ReplaceSection leaves it as the file had it).
    toml::table fileTable;
    std::uint64_t revision = 0;
    bool unsaved = false;
    bool unusableFile = false;
    std::string loadedFile;
    std::string saveFile;
    /// Sections a demo's replay put in place: the game keeps running on them whatever is Set.
    std::vector<std::string> heldSections;
};
