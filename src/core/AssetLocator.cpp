#include "core/AssetLocator.h"

#include <system_error>

AssetLocator& AssetLocator::GetInstance() {
    static AssetLocator instance;
    return instance;
}

bool AssetLocator::Locate(const std::vector<std::filesystem::path>& candidates) {
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        // A marker rather than a few known files: a damaged install should still be found and
        // report its missing file by name, not look like no install at all.
        if (std::filesystem::is_regular_file(candidate / kMarkerFile, error)) {
            root = candidate;
            return true;
        }
    }
    return false;
}

std::string AssetLocator::Resolve(const std::string& name) const {
    const std::string prefix = std::string(kAssetsName) + "/";
    if (root == kAssetsName || name.compare(0, prefix.size(), prefix) != 0)
        return name;
    return (root / name.substr(prefix.size())).string();
}

std::vector<std::filesystem::path> AssetCandidates(const std::filesystem::path& exeDir,
                                                   const std::filesystem::path& dataFromExeDir) {
    std::vector<std::filesystem::path> candidates{AssetLocator::kAssetsName};
    if (exeDir.empty())
        return candidates;
    candidates.push_back((exeDir / AssetLocator::kAssetsName).lexically_normal());
    candidates.push_back((exeDir / dataFromExeDir).lexically_normal());
    return candidates;
}
