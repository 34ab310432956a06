// Writes every generated mesh, texture and sound of the game. The output depends on nothing but this
// code (no clock, no seeds), so the committed files can always be reproduced byte for byte:
//
//   korvane_assetgen <repo>/assets
//   korvane_assetgen --icon <file.png>     (the menu icon alone, rendered by the build)

#include "AssetFamilies.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icon")
        return assetgen::WriteIcon(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <assets directory> | --icon <file.png>\n", argv[0]);
        return 2;
    }
    const std::string assetsDir = argv[1];
    for (const char* sub : {"models", "textures", "sounds"}) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(assetsDir) / sub, error);
        if (error) {
            std::fprintf(stderr, "korvane_assetgen: cannot create %s/%s: %s\n", assetsDir.c_str(), sub,
                         error.message().c_str());
            return 1;
        }
    }
    bool ok = assetgen::WriteLevel(assetsDir);
    ok = assetgen::WriteRoundModels(assetsDir) && ok;
    ok = assetgen::WriteGun(assetsDir) && ok;
    ok = assetgen::WriteLevelSurfaces(assetsDir) && ok;
    ok = assetgen::WriteSounds(assetsDir) && ok;
    return ok ? 0 : 1;
}
