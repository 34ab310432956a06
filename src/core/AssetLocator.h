#pragma once
// Where the game's shaders, meshes, textures and fonts live. Loaders keep their fixed names
// ("assets/shaders/basic.vert") and turn them into real paths here, so the game runs the same
// from the repository, from a build tree and from an installed prefix.

#include <filesystem>
#include <string>
#include <vector>

class AssetLocator {
public:
    /// The file that tells the game's own assets directory apart from any other "assets".
    static constexpr const char* kMarkerFile = "korvane-assets.txt";
    /// The name loaders use for the assets directory; it is also the first place looked in.
    static constexpr const char* kAssetsName = "assets";

    static AssetLocator& GetInstance();

    /// Picks the first candidate that holds the marker file. False when none does; the
    /// previous choice (at first "assets" in the working directory) then stays.
    bool Locate(const std::vector<std::filesystem::path>& candidates);
    /// A name under "assets/" becomes the same name under the chosen directory; any other path
    /// is returned as given. While the choice is "assets" itself, every name is unchanged.
    std::string Resolve(const std::string& name) const;
    const std::filesystem::path& Root() const { return root; }

private:
    AssetLocator() = default;

    std::filesystem::path root = kAssetsName;
};

/// The places looked in, in order: "assets" in the working directory, "assets" next to the
/// executable (a build tree), and the installed data directory reached from the executable's
/// directory by `dataFromExeDir` ("../share/korvane/assets" for a standard prefix).
std::vector<std::filesystem::path> AssetCandidates(const std::filesystem::path& exeDir,
                                                   const std::filesystem::path& dataFromExeDir);
