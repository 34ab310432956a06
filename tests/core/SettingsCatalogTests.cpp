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

std::string DefaultWord(const SettingSpec& spec) {
    if (spec.kind == SettingKind::Bool)
        return spec.defaultValue != 0.0 ? "true" : "false";
    return "\"" + std::string(spec.defaultChoice) + "\"";
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
    for (const SettingSpec& spec : SettingsCatalog()) {
        const std::string key(spec.key);
        SCOPED_TRACE(key);
        EXPECT_TRUE(listed.insert(key).second) << "listed twice";
        EXPECT_EQ(FindSetting(key), &spec);
        EXPECT_TRUE(pages.count(std::string(spec.page))) << spec.page;
        EXPECT_FALSE(spec.meaning.empty());
        EXPECT_FALSE(spec.label.empty());
        const auto found = documented.find(key);
        ASSERT_NE(found, documented.end()) << "not in docs/settings.md";
        EXPECT_EQ(found->second.type, TypeWord(spec.kind));
        const std::string& doc = found->second.defaultText;
        if (spec.kind == SettingKind::Int || spec.kind == SettingKind::Float) {
            EXPECT_LE(spec.min, spec.defaultValue);
            EXPECT_GE(spec.max, spec.defaultValue);
            EXPECT_GT(spec.step, 0.0);
            EXPECT_EQ(std::strtod(doc.c_str(), nullptr), spec.defaultValue) << doc;
        } else if (spec.kind == SettingKind::Choice) {
            EXPECT_NE(std::find(spec.choices.begin(), spec.choices.end(), spec.defaultChoice),
                      spec.choices.end());
        }
        if (spec.kind == SettingKind::Bool || spec.kind == SettingKind::Choice) {
            // A default the game chooses itself is described in words that name the fallback.
            if (spec.automatic)
                EXPECT_TRUE(doc == "not set" || doc.find(DefaultWord(spec)) != std::string::npos) << doc;
            else
                EXPECT_EQ(doc, DefaultWord(spec));
        }
    }
    for (const auto& [key, row] : documented)
        EXPECT_TRUE(listed.count(key)) << key << " is documented but the game does not list it";
    EXPECT_EQ(FindSetting("Display.nothing"), nullptr);
}
