#include "core/SettingsWriter.h"

#include "core/ConfigHandler.h"
#include "core/SettingsCatalog.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string SystemReason(int error) {
    return std::strerror(error);
}

/// The whole buffer to the descriptor, through short writes and interruptions.
bool WriteAll(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

/// Values as TOML, strings always in double quotes: the way a player writes them by hand.
constexpr toml::format_flags kValueFlags = toml::toml_formatter::default_flags &
                                           ~toml::format_flags::allow_literal_strings &
                                           ~toml::format_flags::allow_multi_line_strings;

std::string ValueText(const toml::node& node) {
    std::ostringstream text;
    text << toml::toml_formatter{node, kValueFlags};
    return text.str();
}

/// A key as TOML spells it: bare when it can be, quoted otherwise.
std::string KeyText(std::string_view key) {
    const bool bare =
        !key.empty() && key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                              "0123456789_-") == std::string_view::npos;
    if (bare)
        return std::string(key);
    return ValueText(toml::value<std::string>(std::string(key)));
}

std::string NumberText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string DefaultText(const SettingEntry& entry) {
    switch (entry.kind) {
    case SettingKind::Bool:
        return entry.defaultValue != 0.0 ? "true" : "false";
    case SettingKind::Choice:
        return std::string("\"").append(entry.defaultChoice).append("\"");
    case SettingKind::Int:
    case SettingKind::Float:
        break;
    }
    return NumberText(entry.defaultValue);
}

/// "# vertical field of view in degrees (1 to 179; default 90)"
std::string CommentFor(const SettingEntry& entry) {
    std::string accepted;
    switch (entry.kind) {
    case SettingKind::Bool:
        accepted = "true or false";
        break;
    case SettingKind::Choice:
        for (std::size_t i = 0; i < entry.choices.size(); ++i) {
            accepted += i == 0 ? "" : i + 1 == entry.choices.size() ? " or " : ", ";
            accepted.append("\"").append(entry.choices[i]).append("\"");
        }
        break;
    case SettingKind::Int:
    case SettingKind::Float:
        accepted = NumberText(entry.min) + " to " + NumberText(entry.max);
        break;
    }
    std::string comment =
        "# " + std::string(entry.meaning) + " (" + accepted + "; default " + DefaultText(entry);
    if (entry.automatic)
        comment += " or the game's own choice while unset";
    comment += ")";
    if (entry.needsRestart)
        comment += "; takes effect at the next start";
    return comment;
}

bool IsTableLike(const toml::node& node) {
    return node.is_table() || node.is_array_of_tables();
}

} // namespace

bool WriteFileAtomically(const std::string& file, const std::string& text, std::string& problem) {
    std::error_code error;
    fs::path target(file);
    // A settings file linked from elsewhere (a dotfiles checkout) is replaced where it lives.
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (!error)
            target = resolved;
    }
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::create_directories(directory, error);
    if (error) {
        problem = "cannot make the directory " + directory.string() + ": " + error.message();
        return false;
    }
    std::string temporary =
        (directory / (std::string(".").append(target.filename().string()).append(".XXXXXX"))).string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        problem = SystemReason(errno);
        return false;
    }
    // The new file keeps the old one's permissions; a first one is readable as any other file.
    struct stat old {};
    ::fchmod(descriptor, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool written = WriteAll(descriptor, text);
    int reason = errno;
    if (written && ::fsync(descriptor) != 0) {
        written = false;
        reason = errno;
    }
    if (::close(descriptor) != 0 && written) {
        written = false;
        reason = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        reason = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        problem = SystemReason(reason);
        return false;
    }
    // The rename itself reaches the disk with the directory.
    if (const int directoryDescriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
        directoryDescriptor >= 0) {
        ::fsync(directoryDescriptor);
        ::close(directoryDescriptor);
    }
    return true;
}

std::string SettingsText(const toml::table& settings) {
    std::ostringstream text;
    text << "# Korvane's settings, written by the game when its options change. Keys it does not know\n"
            "# are kept; every key may be left out for its default.\n";
    // Keys outside any table, and arrays of tables, before the first table header they would
    // otherwise fall under.
    toml::table loose;
    for (const auto& [key, node] : settings)
        if (!node.is_table())
            loose.insert_or_assign(key, node);
    if (!loose.empty())
        text << "\n" << toml::toml_formatter{loose, kValueFlags} << "\n";
    for (const auto& [section, node] : settings) {
        const toml::table* table = node.as_table();
        if (table == nullptr)
            continue;
        text << "\n[" << KeyText(section.str()) << "]\n";
        toml::table nested;
        for (const auto& [key, value] : *table) {
            if (IsTableLike(value)) {
                nested.insert_or_assign(key, value);
                continue;
            }
            const std::string dotted = std::string(section.str()) + "." + std::string(key.str());
            if (const SettingEntry* entry = FindSetting(dotted))
                text << CommentFor(*entry) << "\n";
            text << KeyText(key.str()) << " = " << ValueText(value) << "\n";
        }
        // Tables within a section (none of the game's own) keep their place under it.
        if (!nested.empty()) {
            toml::table wrapper;
            wrapper.insert_or_assign(section, std::move(nested));
            text << "\n" << toml::toml_formatter{wrapper, kValueFlags} << "\n";
        }
    }
    return text.str();
}

bool SaveSettings(ConfigHandler& config) {
    if (!config.HasUnsavedChanges())
        return true;
    const std::string& file = config.SaveFile();
    if (file.empty()) {
        std::cout << "Cannot save the settings: there is no home directory to keep them in" << std::endl;
        return false;
    }
    std::string problem;
    if (config.LoadedFileWasUnusable() && config.LoadedFile() == file) {
        // What the player typed into a file the game could not read is not thrown away.
        std::error_code error;
        std::filesystem::copy_file(file, file + ".bad", std::filesystem::copy_options::overwrite_existing,
                                   error);
        if (error) {
            std::cout << "Cannot save settings to " << file << ": cannot keep the unreadable file as " << file
                      << ".bad (" << error.message() << ")" << std::endl;
            return false;
        }
        std::cout << "The unreadable settings file is kept as " << file << ".bad" << std::endl;
    }
    if (!WriteFileAtomically(file, SettingsText(config.FileTable()), problem)) {
        std::cout << "Cannot save settings to " << file << ": " << problem << std::endl;
        return false;
    }
    config.MarkSaved();
    return true;
}
