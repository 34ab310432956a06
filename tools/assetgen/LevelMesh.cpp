// The arena, models/Map1.obj. Compass used below: north is -Z, east is +X.
//
// A 128 x 128 floor slab with its top at y = 0, walled on the north, west and south sides and
// open to the east, where the floor simply ends over the void. The player drops in at the
// origin; the three health pickups stand at (-15, 0, 0), (0, 0, 15) and (15, 0, 0), so the
// plaza around them is kept clear. Around it: a bastion with a ramp and a jump-up deck in the
// north-west, a staircase of jump-up blocks in the north-east, a terrace on a long ramp in the
// south, a low ledge in the west, square pillars and knee-high walls as cover, and an 8 x 8
// pit in the south-west.
//
// The mesh is drawn in plain grey, so its shape has to read through lighting alone: every face
// has its own flat normal and large faces are cut into tiles of a few units so that point
// lights shade them. Texture coordinates place each face in the baked light map.

#include "AssetFamilies.h"
#include "LightBake.h"
#include "LightMapAtlas.h"
#include "MeshBuilder.h"

#include <algorithm>
#include <array>

namespace assetgen {

namespace {

constexpr float kHalfExtent = 64.0f; // the floor runs from -64 to 64 in x and z
constexpr float kFloorTile = 4.0f;
constexpr int kFloorCells = static_cast<int>(2.0f * kHalfExtent / kFloorTile);
constexpr float kSlabDepth = 2.0f; // how far the floor's edges reach down, seen from a pit
constexpr float kStructureTile = 4.0f;
constexpr float kWallTile = 8.0f;

constexpr float kWallHeight = 4.0f; // out of reach: a jump lifts the feet about 2.7
constexpr float kWallThickness = 1.0f;
constexpr float kCoverHeight = 1.4f; // low walls: stop rolling enemies, can be jumped
constexpr float kCoverThickness = 0.8f;
constexpr float kPillarSize = 1.6f;
constexpr float kPillarHeight = 6.0f;

// The pit, in floor cells: x from -40 to -32, z from 28 to 36.
constexpr int kPitCellX0 = 6;
constexpr int kPitCellZ0 = 23;
constexpr int kPitCells = 2;

struct Box {
    Vec3 min;
    Vec3 max;
};

enum class Rise { East, West, South, North };

// A wedge standing on the floor: y = 0 along its low edge, `height` along the opposite edge.
struct Ramp {
    float x0, x1, z0, z1;
    float height;
    Rise rise;
};

// Anything standing on the floor (its bottom at y = 0 is never seen and is left out).
const std::array kPlatforms = {
    // North-west bastion and the deck one jump above it.
    Box{{-44.0f, 0.0f, -44.0f}, {-24.0f, 1.5f, -28.0f}},
    Box{{-44.0f, 0.0f, -44.0f}, {-34.0f, 3.0f, -36.0f}},
    // North-east staircase: three blocks, each one jump above the last.
    Box{{22.0f, 0.0f, -38.0f}, {30.0f, 1.25f, -30.0f}},
    Box{{30.0f, 0.0f, -38.0f}, {38.0f, 2.5f, -30.0f}},
    Box{{38.0f, 0.0f, -38.0f}, {46.0f, 3.75f, -30.0f}},
    // South terrace and a step up to its east side.
    Box{{-18.0f, 0.0f, 34.0f}, {18.0f, 2.0f, 46.0f}},
    Box{{18.0f, 0.0f, 38.0f}, {24.0f, 1.0f, 44.0f}},
    // West ledge.
    Box{{-52.0f, 0.0f, -6.0f}, {-40.0f, 1.0f, 6.0f}},
};

const std::array kRamps = {
    Ramp{-24.0f, -16.0f, -40.0f, -32.0f, 1.5f, Rise::West}, // onto the bastion, about 11 degrees
    Ramp{-6.0f, 6.0f, 26.0f, 34.0f, 2.0f, Rise::South},     // onto the terrace, about 14 degrees
    Ramp{-40.0f, -34.0f, -3.0f, 3.0f, 1.0f, Rise::West},    // onto the west ledge, about 9 degrees
};

constexpr float P = kPillarSize * 0.5f;
const std::array kPillars = {
    Box{{-9.0f - P, 0.0f, -9.0f - P}, {-9.0f + P, kPillarHeight, -9.0f + P}},
    Box{{9.0f - P, 0.0f, -9.0f - P}, {9.0f + P, kPillarHeight, -9.0f + P}},
    Box{{-9.0f - P, 0.0f, 9.0f - P}, {-9.0f + P, kPillarHeight, 9.0f + P}},
    Box{{9.0f - P, 0.0f, 9.0f - P}, {9.0f + P, kPillarHeight, 9.0f + P}},
    Box{{-28.0f - P, 0.0f, 24.0f - P}, {-28.0f + P, kPillarHeight, 24.0f + P}},
    Box{{40.0f - P, 0.0f, 2.0f - P}, {40.0f + P, kPillarHeight, 2.0f + P}},
    Box{{-24.0f - P, 0.0f, -18.0f - P}, {-24.0f + P, kPillarHeight, -18.0f + P}},
    Box{{48.0f - P, 0.0f, -14.0f - P}, {48.0f + P, kPillarHeight, -14.0f + P}},
    Box{{44.0f - P, 0.0f, 40.0f - P}, {44.0f + P, kPillarHeight, 40.0f + P}},
    Box{{-50.0f - P, 0.0f, 42.0f - P}, {-50.0f + P, kPillarHeight, 42.0f + P}},
    // Two on the terrace.
    Box{{-14.0f - P, 2.0f, 42.0f - P}, {-14.0f + P, 2.0f + kPillarHeight, 42.0f + P}},
    Box{{14.0f - P, 2.0f, 42.0f - P}, {14.0f + P, 2.0f + kPillarHeight, 42.0f + P}},
};

constexpr float C = kCoverThickness * 0.5f;
const std::array kCover = {
    Box{{-4.0f, 0.0f, -14.0f - C}, {4.0f, kCoverHeight, -14.0f + C}},    // north of the plaza
    Box{{24.0f - C, 0.0f, -4.0f}, {24.0f + C, kCoverHeight, 4.0f}},      // east of the plaza
    Box{{-24.0f - C, 0.0f, -4.0f}, {-24.0f + C, kCoverHeight, 4.0f}},    // west of the plaza
    Box{{30.0f, 0.0f, 20.0f - C}, {38.0f, kCoverHeight, 20.0f + C}},     // south-east corner piece...
    Box{{30.0f - C, 0.0f, 20.0f + C}, {30.0f + C, kCoverHeight, 28.0f}}, // ...and its other arm
    Box{{-30.0f, 0.0f, 18.0f - C}, {-22.0f, kCoverHeight, 18.0f + C}},   // between plaza and pit
    Box{{8.0f, 0.0f, -24.0f - C}, {16.0f, kCoverHeight, -24.0f + C}},    // before the staircase
    Box{{-6.0f, 0.0f, -44.0f - C}, {6.0f, kCoverHeight, -44.0f + C}},    // the open north field
    Box{{56.0f - C, 0.0f, -20.0f}, {56.0f + C, kCoverHeight, -8.0f}},    // a stretch of rail near the drop
    Box{{50.0f, 0.0f, 26.0f - C}, {58.0f, kCoverHeight, 26.0f + C}},     // south-east field
};

const std::array kOuterWalls = {
    Box{{-kHalfExtent, 0.0f, -kHalfExtent}, {kHalfExtent, kWallHeight, -kHalfExtent + kWallThickness}},
    Box{{-kHalfExtent, 0.0f, kHalfExtent - kWallThickness}, {kHalfExtent, kWallHeight, kHalfExtent}},
    Box{{-kHalfExtent, 0.0f, -kHalfExtent + kWallThickness},
        {-kHalfExtent + kWallThickness, kWallHeight, kHalfExtent - kWallThickness}},
};

int CellsFor(float length, float tile) {
    return std::max(1, static_cast<int>(std::ceil(length / tile - 0.001f)));
}

// Every face is laid out in the light map: a chart of its own, or the one the whole floor shares.
// The level is built twice: the first build collects the charts, which are then packed, and the
// second hands out the same charts in the same order with their places known.
class LightMapCharts {
public:
    explicit LightMapCharts(LightMapAtlas& atlas, bool packed) : atlas(atlas), packed(packed) {}

    int Add(Vec3 origin, Vec3 edgeU, Vec3 edgeV, Vec3 inside,
            float texelsPerUnit = LightMapAtlas::kTexelsPerUnit) {
        if (packed)
            return next++;
        Vec3 normal = Normalize(Cross(edgeU, edgeV));
        if (Dot(normal, origin + edgeU * 0.5f + edgeV * 0.5f - inside) < 0.0f)
            normal = normal * -1.0f;
        return atlas.AddChart(origin, edgeU, edgeV, normal, texelsPerUnit);
    }
    auto Uv(int chart) const {
        return [this, chart](Vec3 p, float, float) { return atlas.UvOf(chart, p); };
    }

private:
    LightMapAtlas& atlas;
    bool packed;
    int next = 0;
};

void AddFace(MeshBuilder& mesh, LightMapCharts& charts, Vec3 origin, Vec3 edgeU, Vec3 edgeV, float tile,
             Vec3 inside) {
    const int chart = charts.Add(origin, edgeU, edgeV, inside);
    mesh.AddGridFace(origin, edgeU, edgeV, CellsFor(Length(edgeU), tile), CellsFor(Length(edgeV), tile),
                     inside, charts.Uv(chart));
}

// A right triangle a, b, c with its right angle at b: its chart is the rectangle a, b - a, c - b.
void AddRightTriangle(MeshBuilder& mesh, LightMapCharts& charts, Vec3 a, Vec3 b, Vec3 c, Vec3 inside) {
    const int chart = charts.Add(a, b - a, c - b, inside);
    const auto uv = charts.Uv(chart);
    Vec3 normal = Normalize(Cross(b - a, c - a));
    if (Dot(normal, a - inside) < 0.0f) {
        std::swap(b, c);
        normal = normal * -1.0f;
    }
    mesh.AddTriangle({a, normal, uv(a, 0, 0)}, {b, normal, uv(b, 0, 0)}, {c, normal, uv(c, 0, 0)});
}

// A closed box without its bottom, which rests on the floor or a platform.
void AddStandingBox(MeshBuilder& mesh, LightMapCharts& charts, const Box& box, float tile) {
    const Vec3 lo = box.min;
    const Vec3 hi = box.max;
    const Vec3 size = hi - lo;
    const Vec3 inside = (lo + hi) * 0.5f;
    const Vec3 dx{size.x, 0, 0};
    const Vec3 dy{0, size.y, 0};
    const Vec3 dz{0, 0, size.z};
    AddFace(mesh, charts, {lo.x, hi.y, lo.z}, dx, dz, tile, inside); // top
    AddFace(mesh, charts, lo, dz, dy, tile, inside);                 // west
    AddFace(mesh, charts, {hi.x, lo.y, lo.z}, dz, dy, tile, inside); // east
    AddFace(mesh, charts, lo, dx, dy, tile, inside);                 // north
    AddFace(mesh, charts, {lo.x, lo.y, hi.z}, dx, dy, tile, inside); // south
}

void AddRamp(MeshBuilder& mesh, LightMapCharts& charts, const Ramp& ramp) {
    // Corners of the footprint named by where they sit relative to the rise: the low edge runs
    // from low0 to low1, the high edge from high0 to high1.
    Vec3 low0, low1, high0, high1;
    switch (ramp.rise) {
    case Rise::East:
        low0 = {ramp.x0, 0, ramp.z0}, low1 = {ramp.x0, 0, ramp.z1};
        high0 = {ramp.x1, 0, ramp.z0}, high1 = {ramp.x1, 0, ramp.z1};
        break;
    case Rise::West:
        low0 = {ramp.x1, 0, ramp.z0}, low1 = {ramp.x1, 0, ramp.z1};
        high0 = {ramp.x0, 0, ramp.z0}, high1 = {ramp.x0, 0, ramp.z1};
        break;
    case Rise::South:
        low0 = {ramp.x0, 0, ramp.z0}, low1 = {ramp.x1, 0, ramp.z0};
        high0 = {ramp.x0, 0, ramp.z1}, high1 = {ramp.x1, 0, ramp.z1};
        break;
    case Rise::North:
        low0 = {ramp.x0, 0, ramp.z1}, low1 = {ramp.x1, 0, ramp.z1};
        high0 = {ramp.x0, 0, ramp.z0}, high1 = {ramp.x1, 0, ramp.z0};
        break;
    }
    const Vec3 up{0, ramp.height, 0};
    // The centroid of the wedge's triangular cross-section, inside the solid.
    const Vec3 inside = (low0 + low1) * (1.0f / 6.0f) + (high0 + high1) * (1.0f / 3.0f) + up * (1.0f / 3.0f);
    AddFace(mesh, charts, low0, low1 - low0, high0 + up - low0, kStructureTile, inside);
    AddRightTriangle(mesh, charts, low0, high0, high0 + up, inside);
    AddRightTriangle(mesh, charts, low1, high1, high1 + up, inside);
    // The tall end usually meets a platform's side, but closing it keeps the wedge solid
    // wherever it stands on its own.
    AddFace(mesh, charts, high0, high1 - high0, up, kStructureTile, inside);
}

bool IsFloorCell(int i, int k) {
    if (i < 0 || k < 0 || i >= kFloorCells || k >= kFloorCells) {
        return false;
    }
    const bool inPit =
        i >= kPitCellX0 && i < kPitCellX0 + kPitCells && k >= kPitCellZ0 && k < kPitCellZ0 + kPitCells;
    return !inPit;
}

float CellEdge(int index) {
    return -kHalfExtent + index * kFloorTile;
}

// The slab: one quad per floor tile on top, its rim faces down to the slab's depth wherever the
// floor ends (the open east edge, the pit), and a bottom merged into runs along x.
void AddFloor(MeshBuilder& mesh, LightMapCharts& charts) {
    // All floor tiles share one chart over the whole floor plan; the slab's underside, never
    // seen, shares a chart of a few texels.
    const Vec3 floorCorner{-kHalfExtent, 0, -kHalfExtent};
    const int floorChart = charts.Add(floorCorner, {2.0f * kHalfExtent, 0, 0}, {0, 0, 2.0f * kHalfExtent},
                                      floorCorner + Vec3{0, -1, 0});
    const int undersideChart =
        charts.Add({-kHalfExtent, -kSlabDepth, -kHalfExtent}, {2.0f * kHalfExtent, 0, 0},
                   {0, 0, 2.0f * kHalfExtent}, {0, 0, 0}, 0.0f);
    const Vec3 dx{kFloorTile, 0, 0};
    const Vec3 dz{0, 0, kFloorTile};
    const Vec3 depth{0, -kSlabDepth, 0};
    for (int k = 0; k < kFloorCells; ++k) {
        for (int i = 0; i < kFloorCells; ++i) {
            if (!IsFloorCell(i, k)) {
                continue;
            }
            const Vec3 corner{CellEdge(i), 0, CellEdge(k)};
            const Vec3 inside = corner + Vec3{kFloorTile * 0.5f, -kSlabDepth * 0.5f, kFloorTile * 0.5f};
            mesh.AddGridFace(corner, dx, dz, 1, 1, inside, charts.Uv(floorChart));
            if (!IsFloorCell(i - 1, k)) {
                AddFace(mesh, charts, corner, dz, depth, kFloorTile, inside);
            }
            if (!IsFloorCell(i + 1, k)) {
                AddFace(mesh, charts, corner + dx, dz, depth, kFloorTile, inside);
            }
            if (!IsFloorCell(i, k - 1)) {
                AddFace(mesh, charts, corner, dx, depth, kFloorTile, inside);
            }
            if (!IsFloorCell(i, k + 1)) {
                AddFace(mesh, charts, corner + dz, dx, depth, kFloorTile, inside);
            }
        }
        for (int i = 0; i < kFloorCells;) {
            if (!IsFloorCell(i, k)) {
                ++i;
                continue;
            }
            int end = i;
            while (IsFloorCell(end, k)) {
                ++end;
            }
            const Vec3 corner{CellEdge(i), -kSlabDepth, CellEdge(k)};
            const Vec3 run{(end - i) * kFloorTile, 0, 0};
            mesh.AddGridFace(corner, run, dz, 1, 1, corner + run * 0.5f + dz * 0.5f + Vec3{0, 1, 0},
                             charts.Uv(undersideChart));
            i = end;
        }
    }
}

void BuildLevel(MeshBuilder& mesh, LightMapCharts& charts) {
    AddFloor(mesh, charts);
    for (const Box& wall : kOuterWalls) {
        AddStandingBox(mesh, charts, wall, kWallTile);
    }
    for (const Box& platform : kPlatforms) {
        AddStandingBox(mesh, charts, platform, kStructureTile);
    }
    for (const Ramp& ramp : kRamps) {
        AddRamp(mesh, charts, ramp);
    }
    for (const Box& pillar : kPillars) {
        AddStandingBox(mesh, charts, pillar, kStructureTile);
    }
    for (const Box& cover : kCover) {
        AddStandingBox(mesh, charts, cover, kStructureTile);
    }
}

} // namespace

bool WriteLevel(const std::string& assetsDir) {
    LightMapAtlas atlas;
    {
        MeshBuilder layout;
        LightMapCharts collecting(atlas, false);
        BuildLevel(layout, collecting);
    }
    atlas.Pack();
    MeshBuilder mesh;
    LightMapCharts placed(atlas, true);
    BuildLevel(mesh, placed);
    const bool written = mesh.WriteObj(assetsDir + "/models/Map1.obj", "Map1", "the arena");
    return BakeLevelLight(mesh, atlas, assetsDir) && written;
}

} // namespace assetgen
