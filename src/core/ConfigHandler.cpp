#include "core/ConfigHandler.h"

#include "core/ConfigLocation.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

ConfigHandler& ConfigHandler::GetInstance() {
    static ConfigHandler instance;
    return instance;
}

void ConfigHandler::Load() {
    const std::optional<std::string> found =
        FindConfigFile(ConfigCandidates(path, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    // With no file anywhere, loading the working directory's name gives today's one line.
    Load(found.value_or(path));
}

void ConfigHandler::Load(const std::string& file) {
    table = toml::table{};
    std::ifstream stream(file);
    std::error_code error;
    // A directory opens like a file here but reads as nothing: it is as unreadable as a missing file.
    if (!stream.is_open() || std::filesystem::is_directory(file, error)) {
        std::cout << "Failed to open config file" << std::endl;
        return;
    }
    try {
        table = toml::parse(stream, file);
    } catch (const toml::parse_error& error) {
        // An unreadable settings file must not stop the game: report it and run on defaults.
        const auto& where = error.source().begin;
        std::cout << "Invalid config file " << file << ": " << error.description() << " (line " << where.line
                  << ", column " << where.column << "); using defaults" << std::endl;
        table = toml::table{};
    }
}

template <typename T> T ConfigHandler::Get(const std::string& key, T defaultValue) const {
    if (table.empty())
        return defaultValue;
    // toml++'s value<T>() carries the conversions the settings rely on: integers to floats only
    // when exactly representable, floats to integers only when integral and in range, integers
    // to booleans by non-zero, and nothing at all from strings, dates, arrays or tables.
    return table.at_path(key).value<T>().value_or(defaultValue);
}

bool ConfigHandler::GetBool(std::string key, bool defaultValue) const {
    return Get<bool>(key, defaultValue);
}
std::optional<bool> ConfigHandler::FindBool(std::string key) const {
    if (table.empty())
        return std::nullopt;
    return table.at_path(key).value<bool>();
}

float ConfigHandler::GetFloat(std::string key, float defaultValue) const {
    return Get<float>(key, defaultValue);
}
int ConfigHandler::GetInt(std::string key, int defaultValue) const {
    return Get<int>(key, defaultValue);
}

float ConfigHandler::GetFloatInRange(std::string key, float defaultValue, float min, float max) const {
    const float value = Get<float>(key, defaultValue);
    if (value >= min && value <= max)
        return value;
    std::cout << key << " = " << value << " cannot be used (allowed " << min << " to " << max << "); using "
              << defaultValue << std::endl;
    return defaultValue;
}

std::string ConfigHandler::SectionText(const std::string& section) const {
    const toml::table* found = table[section].as_table();
    if (found == nullptr || found->empty())
        return "";
    std::ostringstream text;
    text << *found;
    return text.str();
}

bool ConfigHandler::ReplaceSection(const std::string& section, const std::string& text) {
    toml::table parsed;
    try {
        parsed = toml::parse(text);
    } catch (const toml::parse_error&) {
        return false;
    }
    if (parsed.empty())
        table.erase(section);
    else
        table.insert_or_assign(section, std::move(parsed));
    return true;
}
