#include "core/SettingsCatalog.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct DocumentedKey {
    std::string type;
    std::string defaultText;
};

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" `");
    const std::size_t last = text.find_last_not_of(" `");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

/// The rows of the "Every key" table of the settings page: key, type and default.
std::map<std::string, DocumentedKey> DocumentedKeys() {
    std::ifstream page(std::string(KORVANE_SOURCE_DIR) + "/docs/settings.md");
    std::map<std::string, DocumentedKey> keys;
    bool inTable = false;
    for (std::string line; std::getline(page, line);) {
        if (line.rfind("## ", 0) == 0)
            inTable = line == "## Every key";
        if (!inTable || line.rfind("| `", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(cell);
        if (cells.size() < 3)
            continue;
        keys[Trim(cells[0])] = DocumentedKey{Trim(cells[1]), Trim(cells[2])};
    }
    return keys;
}

std::string TypeWord(SettingKind kind) {
    switch (kind) {
    case SettingKind::Bool:
        return "boolean";
    case SettingKind::Int:
        return "integer";
    case SettingKind::Float:
        return "float";
    case SettingKind::Choice:
        return "string";
    }
    return "";
}

std::string DefaultWord(const SettingEntry& entry) {
    if (entry.kind == SettingKind::Bool)
        return entry.defaultValue != 0.0 ? "true" : "false";
    return "\"" + std::string(entry.defaultChoice) + "\"";
}

} // namespace

// The docs' table, the loader's defaults, the saved file's comments and the menus all come from
// one list: a setting added to the game but missing from either side, or documented with another
// default than the game uses, fails here.
TEST(SettingsCatalogTest, EveryKeyIsDocumentedWithItsDefaultAndEveryDocumentedKeyIsListed) {
    const std::map<std::string, DocumentedKey> documented = DocumentedKeys();
    ASSERT_GT(documented.size(), 30u) << "the settings page's table was not found";
    const std::set<std::string> pages{"", "Controls", "Video", "Audio", "Game"};
    std::set<std::string> listed;
    for (const SettingEntry& entry : SettingsCatalog()) {
        const std::string key(entry.key);
        SCOPED_TRACE(key);
        EXPECT_TRUE(listed.insert(key).second) << "listed twice";
        EXPECT_EQ(FindSetting(key), &entry);
        EXPECT_TRUE(pages.count(std::string(entry.page))) << entry.page;
        EXPECT_FALSE(entry.meaning.empty());
        EXPECT_FALSE(entry.label.empty());
        const auto found = documented.find(key);
        ASSERT_NE(found, documented.end()) << "not in docs/settings.md";
        EXPECT_EQ(found->second.type, TypeWord(entry.kind));
        const std::string& doc = found->second.defaultText;
        if (entry.kind == SettingKind::Int || entry.kind == SettingKind::Float) {
            EXPECT_LE(entry.min, entry.defaultValue);
            EXPECT_GE(entry.max, entry.defaultValue);
            EXPECT_GT(entry.step, 0.0);
            EXPECT_EQ(std::strtod(doc.c_str(), nullptr), entry.defaultValue) << doc;
        } else if (entry.kind == SettingKind::Choice) {
            EXPECT_NE(std::find(entry.choices.begin(), entry.choices.end(), entry.defaultChoice),
                      entry.choices.end());
        }
        if (entry.kind == SettingKind::Bool || entry.kind == SettingKind::Choice) {
            // A default the game chooses itself is described in words that name the fallback.
            if (entry.automatic)
                EXPECT_TRUE(doc == "not set" || doc.find(DefaultWord(entry)) != std::string::npos) << doc;
            else
                EXPECT_EQ(doc, DefaultWord(entry));
        }
    }
    for (const auto& [key, row] : documented)
        EXPECT_TRUE(listed.count(key)) << key << " is documented but the game does not list it";
    EXPECT_EQ(FindSetting("Display.nothing"), nullptr);
}
