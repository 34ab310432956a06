#include "core/ConfigHandler.h"

#include "core/ConfigLocation.h"
#include "core/ConfigNesting.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <type_traits>

namespace {

/// 2^63: every double below it in size converts to a 64-bit integer.
constexpr double kLargestIntegralDouble = 9223372036854775808.0;

/// The whole file, or up to and including its first NUL: the parser stops at that byte in any
/// case, and /dev/zero as a settings file must not be read for ever.
std::string ReadSettingsText(std::istream& stream) {
    std::string text;
    for (std::istreambuf_iterator<char> it(stream), end; it != end; ++it) {
        text.push_back(*it);
        if (*it == '\0')
            break;
    }
    return text;
}

} // namespace

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
    const std::string text = ReadSettingsText(stream);
    if (const std::optional<ConfigTextPosition> where = FindExcessNesting(text)) {
        std::cout << "Invalid config file " << file << ": tables, arrays or dotted keys nested more than "
                  << kMaxConfigNesting << " deep (line " << where->line << ", column " << where->column
                  << "); using defaults" << std::endl;
        return;
    }
    try {
        table = toml::parse(text, file);
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
    const toml::node_view<const toml::node> node = table.at_path(key);
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
        // Its float-to-integer conversion casts before it compares, which is undefined for a
        // value beyond any integer (width = 8e24), not a number or infinite: those give the
        // default here first, as every other unusable value does.
        if (const toml::value<double>* floating = node.as_floating_point();
            floating != nullptr && !(std::fabs(floating->get()) < kLargestIntegralDouble))
            return defaultValue;
    }
    return node.value<T>().value_or(defaultValue);
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

std::optional<std::string> ConfigHandler::FindString(std::string key) const {
    if (table.empty())
        return std::nullopt;
    const toml::node_view<const toml::node> node = table.at_path(key);
    if (const toml::value<std::string>* text = node.as_string())
        return text->get();
    return std::nullopt;
}

bool ConfigHandler::Has(std::string key) const {
    return !table.empty() && static_cast<bool>(table.at_path(key));
}

bool ConfigHandler::HasTable(std::string key) const {
    return !table.empty() && table.at_path(key).is_table();
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
    // A demo's settings text is as untrusted as a settings file: deep enough, it would run the
    // parser out of stack.
    if (FindExcessNesting(text))
        return false;
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
