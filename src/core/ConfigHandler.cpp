#include "core/ConfigHandler.h"

#include "core/ConfigLocation.h"
#include "core/ConfigNesting.h"
#include "core/SettingsCatalog.h"

#include <algorithm>
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
    const std::vector<std::string> candidates =
        ConfigCandidates(path, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    const std::optional<std::string> found = FindConfigFile(candidates);
    // With no file anywhere, loading the working directory's name gives today's one line.
    Load(found.value_or(path));
    // Settings first saved go to the user's own directory rather than wherever the game was run.
    if (!found)
        saveFile = candidates.size() > 1 ? candidates.back() : std::string();
}

void ConfigHandler::Load(const std::string& file) {
    heldSections.clear();
    Read(file);
    fileTable = table;
    saveFile = file;
    unsaved = false;
    ++revision;
}

void ConfigHandler::Read(const std::string& file) {
    table = toml::table{};
    loadedFile.clear();
    unusableFile = false;
    std::ifstream stream(file);
    std::error_code error;
    // A directory opens like a file here but reads as nothing: it is as unreadable as a missing file.
    if (!stream.is_open() || std::filesystem::is_directory(file, error)) {
        std::cout << "Failed to open config file" << std::endl;
        return;
    }
    loadedFile = file;
    const std::string text = ReadSettingsText(stream);
    if (const std::optional<ConfigTextPosition> where = FindExcessNesting(text)) {
        std::cout << "Invalid config file " << file << ": tables, arrays or dotted keys nested more than "
                  << kMaxConfigNesting << " deep (line " << where->line << ", column " << where->column
                  << "); using defaults" << std::endl;
        unusableFile = true;
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
        unusableFile = true;
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

namespace {

/// The catalog's entry for a key the game reads; a key missing from it is a fault of the game
/// itself, which the catalog test would have caught.
const SettingEntry& CatalogEntry(std::string_view key) {
    const SettingEntry* entry = FindSetting(key);
    if (entry == nullptr) {
        std::cerr << "Setting " << key << " is not in the settings catalog" << std::endl;
        std::abort();
    }
    return *entry;
}

/// The table a dotted key's last part goes in, made on the way; null when a value (not a
/// table) already holds one of the parts before it.
toml::table* TableFor(toml::table& root, const std::string& key, std::string& leaf) {
    toml::table* current = &root;
    std::size_t begin = 0;
    for (std::size_t dot = key.find('.'); dot != std::string::npos; dot = key.find('.', begin)) {
        const std::string part = key.substr(begin, dot - begin);
        toml::node* node = current->get(part);
        if (node == nullptr)
            node = &current->insert_or_assign(part, toml::table{}).first->second;
        current = node->as_table();
        if (current == nullptr)
            return nullptr;
        begin = dot + 1;
    }
    leaf = key.substr(begin);
    return current;
}

template <typename T> bool PutValue(toml::table& root, const std::string& key, const T& value) {
    std::string leaf;
    toml::table* owner = TableFor(root, key, leaf);
    if (owner == nullptr || leaf.empty())
        return false;
    if (const toml::node* old = owner->get(leaf)) {
        // The same value again is no change: the file need not be written for it.
        if constexpr (std::is_same_v<T, toml::array>) {
            if (const toml::array* oldArray = old->as_array(); oldArray != nullptr && *oldArray == value)
                return false;
        } else if (const auto* same = old->as<T>(); same != nullptr && same->get() == value) {
            return false;
        }
    }
    owner->insert_or_assign(leaf, value);
    return true;
}

} // namespace

bool ConfigHandler::GetBoolSetting(std::string_view key) const {
    const SettingEntry& entry = CatalogEntry(key);
    return GetBool(std::string(key), entry.defaultValue != 0.0);
}

int ConfigHandler::GetIntSetting(std::string_view key) const {
    const SettingEntry& entry = CatalogEntry(key);
    return GetInt(std::string(key), static_cast<int>(entry.defaultValue));
}

float ConfigHandler::GetFloatSetting(std::string_view key) const {
    const SettingEntry& entry = CatalogEntry(key);
    return GetFloatInRange(std::string(key), static_cast<float>(entry.defaultValue),
                           static_cast<float>(entry.min), static_cast<float>(entry.max));
}

bool ConfigHandler::IsHeld(const std::string& key) const {
    const std::string section = key.substr(0, key.find('.'));
    return std::find(heldSections.begin(), heldSections.end(), section) != heldSections.end();
}

template <typename T> void ConfigHandler::SetValue(const std::string& key, T&& value) {
    // The running table may hold a demo's section in place of the file's: both take the change.
    const bool changedFile = PutValue(fileTable, key, value);
    const bool changedGame = !IsHeld(key) && PutValue(table, key, value);
    if (changedFile)
        unsaved = true;
    if (changedFile || changedGame)
        ++revision;
}

void ConfigHandler::Set(const std::string& key, bool value) {
    SetValue(key, value);
}
void ConfigHandler::Set(const std::string& key, int value) {
    SetValue(key, static_cast<std::int64_t>(value));
}
void ConfigHandler::Set(const std::string& key, double value) {
    SetValue(key, value);
}
void ConfigHandler::Set(const std::string& key, const std::string& value) {
    SetValue(key, value);
}
void ConfigHandler::Set(const std::string& key, const std::vector<std::string>& values) {
    toml::array array;
    for (const std::string& value : values)
        array.push_back(value);
    SetValue(key, array);
}

void ConfigHandler::Remove(const std::string& key) {
    bool changedFile = false;
    bool changedGame = false;
    for (toml::table* root : {&fileTable, &table}) {
        if (root == &table && IsHeld(key))
            continue;
        std::string leaf;
        const std::size_t dot = key.rfind('.');
        toml::table* owner = root;
        if (dot != std::string::npos)
            owner = root->at_path(key.substr(0, dot)).as_table();
        leaf = dot == std::string::npos ? key : key.substr(dot + 1);
        if (owner != nullptr && owner->erase(leaf) > 0)
            (root == &fileTable ? changedFile : changedGame) = true;
    }
    if (changedFile)
        unsaved = true;
    if (changedFile || changedGame)
        ++revision;
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
    if (std::find(heldSections.begin(), heldSections.end(), section) == heldSections.end())
        heldSections.push_back(section);
    if (parsed.empty())
        table.erase(section);
    else
        table.insert_or_assign(section, std::move(parsed));
    ++revision;
    return true;
}
