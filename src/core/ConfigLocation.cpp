#include "core/ConfigLocation.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kUserConfigName = "korvane/config.toml";

bool IsAbsoluteDirectory(const char* value) {
    return value != nullptr && value[0] == '/';
}

} // namespace

std::vector<std::string> ConfigCandidates(const std::string& local, const char* xdgConfigHome,
                                          const char* home) {
    std::vector<std::string> candidates{local};
    // The base-directory convention says a relative XDG_CONFIG_HOME is to be ignored.
    if (IsAbsoluteDirectory(xdgConfigHome))
        candidates.push_back((std::filesystem::path(xdgConfigHome) / kUserConfigName).string());
    else if (IsAbsoluteDirectory(home))
        candidates.push_back((std::filesystem::path(home) / ".config" / kUserConfigName).string());
    return candidates;
}

std::optional<std::string> FindConfigFile(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(candidate, error)))
            return candidate;
    }
    return std::nullopt;
}
