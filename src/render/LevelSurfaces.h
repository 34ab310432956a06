#pragma once
// What the arena's surface shows beyond its light: tileable concrete and steel on the floor,
// walls and blocks, hazard stripes on the floor along the drops, and the striped lips at the
// open edge and the pit. The lips are a mesh of their own that is only drawn: the level's
// collision mesh does not know them, so they neither hold the player back nor stop a fall.

#include "core/MathTypes.h"
#include "render/GlObject.h"
#include "render/Texture.h"

#include <vector>

struct PointLight;

class LevelSurfaces {
public:
    static LevelSurfaces& GetInstance();

    /// Loads the textures and the lips' mesh the settings ask for; a missing file turns its part off.
    void Prepare();
    /// Binds the surfaces' texture array on unit 3 for the level's program and sets its switches.
    void BindForLevel(unsigned int program);
    /// Deletes the texture array while the context is current; the next Prepare loads it again.
    void Release();
    /// Draws the lips (when the markings are on), lit as objects near `eye` are.
    void DrawEdges(const std::vector<PointLight*>& lights, const Vec3& eye);

    static constexpr const char* kFloorPath = "assets/textures/level_floor.png";
    static constexpr const char* kWallPath = "assets/textures/level_wall.png";
    static constexpr const char* kBlockPath = "assets/textures/level_block.png";
    static constexpr const char* kHazardPath = "assets/textures/level_hazard.png";
    static constexpr const char* kEdgesPath = "assets/models/Map1_edges.obj";

    /// The layers of the surfaces' texture array, as the level's shader names them.
    static constexpr int kLayers = 4;
    static constexpr int kHazardLayer = 3;

private:
    LevelSurfaces() = default;
    void BuildLayers(const std::vector<DecodedImage>& images, int width, int height);
    GlObject layers;
    bool prepared = false;
    bool textures = false;
    bool markings = false;
};
