#include "app/GameFiles.h"

#include "app/BuildInfo.h"
#include "core/AssetLocator.h"
#include "core/ConfigHandler.h"
#include "core/ConfigLocation.h"

#include <cstdlib>
#include <iostream>
#include <system_error>

namespace {

std::vector<std::filesystem::path> Candidates() {
    return AssetCandidates(ExecutableDirectory(), KORVANE_DATA_FROM_BINDIR);
}

} // namespace

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

std::vector<std::string> SettingsPlaces() {
    return ConfigCandidates(ConfigHandler::GetInstance().path, std::getenv("XDG_CONFIG_HOME"),
                            std::getenv("HOME"));
}

std::vector<std::string> AssetPlaces() {
    std::vector<std::string> places;
    for (const std::filesystem::path& candidate : Candidates()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(candidate, error);
        places.push_back(error ? candidate.string() : absolute.string());
    }
    return places;
}

bool LocateGameAssets() {
    if (AssetLocator::GetInstance().Locate(Candidates()))
        return true;
    std::cerr << "Cannot find the game's assets (a directory holding " << AssetLocator::kMarkerFile
              << "); looked in:";
    const std::vector<std::string> places = AssetPlaces();
    for (std::size_t i = 0; i < places.size(); ++i)
        std::cerr << (i == 0 ? " " : ", ") << places[i];
    std::cerr << std::endl;
    return false;
}
