#pragma once
// The gun's geometry and its texture atlas layout. Every box face and every cylinder side or cap
// gets its own rectangle ("chart") in the atlas, sized in proportion to the surface it covers,
// so the texture painter knows where each surface's edges and material are.

#include "MeshBuilder.h"

#include <vector>

namespace assetgen {

enum class GunMaterial { Steel, Barrel, Polymer, Magazine, Optic };

// Relief painted into the normal map (and echoed in the ambient occlusion) of one chart.
enum class SurfaceDetail { Plain, PanelLines, Vents, Ribs, Stipple, Lens };

enum class ChartShape {
    BoxFace,      // all four chart edges are real edges of the solid
    CylinderSide, // u wraps around (its edges meet at a seam), v edges are the rims
    CylinderCap,  // the disc inscribed in the chart
};

struct AtlasChart {
    float width = 0.0f;  // world units covered along the chart's u
    float height = 0.0f; // world units covered along the chart's v
    GunMaterial material = GunMaterial::Steel;
    SurfaceDetail detail = SurfaceDetail::Plain;
    ChartShape shape = ChartShape::BoxFace;
    bool facesDown = false; // undersides sit in the gun's own shadow
    // Placement in the atlas after packing, in pixels, y counted from the image's top row.
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct GunModel {
    MeshBuilder mesh;
    std::vector<AtlasChart> charts;
    float pixelsPerUnit = 0.0f;
};

/// Barrel along +Z, up +Y, centred on the origin, about 1.5 units long; charts packed into a
/// square atlas of `atlasSize` pixels with gutters between them.
GunModel BuildGunModel(int atlasSize);

} // namespace assetgen
