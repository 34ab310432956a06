// The arena's surfaces: tileable textures for the floor, the outer walls and the blocks, the
// hazard stripes, and models/Map1_edges.obj, a low striped lip and a knee-high rail along the
// open east edge and round the pit, drawn only (the level's collision mesh stays Map1.obj).
//
// The textures multiply the level's grey, so they stay near white: seams, trims and grain show
// scale and motion without darkening the lit arena. Each wraps onto itself at its borders.

#include "AssetFamilies.h"
#include "MeshBuilder.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace assetgen {

namespace {

constexpr int kSize = 256;

float Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 2654435761u ^
                      static_cast<std::uint32_t>(y) * 2246822519u ^
                      static_cast<std::uint32_t>(seed) * 3266489917u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    h *= 3266489917u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

// Value noise on a lattice of `cells` per texture side that wraps, so the texture tiles.
float TiledNoise(float x, float y, int cells, int seed) {
    const float fx = x * static_cast<float>(cells) / kSize;
    const float fy = y * static_cast<float>(cells) / kSize;
    const int ix = static_cast<int>(std::floor(fx));
    const int iy = static_cast<int>(std::floor(fy));
    float tx = fx - static_cast<float>(ix);
    float ty = fy - static_cast<float>(iy);
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    auto at = [&](int i, int j) {
        return Hash(((i % cells) + cells) % cells, ((j % cells) + cells) % cells, seed);
    };
    const float a = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    const float b = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return a + (b - a) * ty;
}

float Grain(float x, float y, int seed) {
    return 0.5f * TiledNoise(x, y, 8, seed) + 0.3f * TiledNoise(x, y, 32, seed + 1) +
           0.2f * TiledNoise(x, y, 128, seed + 2);
}

// 0 on a line at `at` (in pixels, wrapping), 1 from `halfWidth` away on.
float Seam(float p, float at, float halfWidth) {
    float d = std::abs(p - at);
    d = std::min(d, kSize - d);
    return std::clamp((d - halfWidth) / 1.0f, 0.0f, 1.0f);
}

using Colour = std::array<float, 3>;

Colour Scale(Colour c, float s) {
    return {c[0] * s, c[1] * s, c[2] * s};
}

Colour Mix(Colour a, Colour b, float t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

template <typename Paint> bool WriteTexture(const std::string& path, Paint paint) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kSize) * kSize * 3);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Colour c = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            for (int k = 0; k < 3; ++k)
                pixels[(static_cast<std::size_t>(y) * kSize + x) * 3 + k] =
                    static_cast<unsigned char>(std::lround(std::clamp(c[k], 0.0f, 1.0f) * 255.0f));
        }
    if (stbi_write_png(path.c_str(), kSize, kSize, 3, pixels.data(), kSize * 3) == 0) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

const Colour kConcrete{0.93f, 0.92f, 0.89f};
const Colour kSteel{0.80f, 0.84f, 0.88f};
const Colour kDarkSteel{0.55f, 0.58f, 0.62f};

// A seam's groove with a bevel: darkest along the line, a pale catch of light on the side at
// `lit` (+1 or -1), so panels read as set in, not drawn on.
float Groove(float p, float at, float halfWidth, float lit) {
    float d = p - at;
    if (d > kSize * 0.5f)
        d -= kSize;
    else if (d < -kSize * 0.5f)
        d += kSize;
    const float depth = 1.0f - Seam(p, at, halfWidth);
    const float bevel =
        std::abs(d) > halfWidth && std::abs(d) < halfWidth + 2.0f && d * lit > 0.0f ? 0.1f : 0.0f;
    return 1.0f - 0.42f * depth + bevel;
}

// One shade per panel, the same wherever the texture repeats, so neighbouring panels differ
// enough to count them from across the arena.
float PanelTone(int panel) {
    constexpr std::array<float, 4> kTones{1.0f, 0.9f, 0.86f, 0.95f};
    return kTones[static_cast<std::size_t>(panel) % kTones.size()];
}

// The floor: one 4 x 4 unit tile of cast concrete split into four panels of their own shade,
// with bolt heads at each panel's middle and broad stains across them; the tile's own edges are
// panel seams too, under the floor grid's lines.
Colour Floor(float x, float y) {
    const int panel = (x < kSize * 0.5f ? 0 : 1) + (y < kSize * 0.5f ? 0 : 2);
    float shade = 1.08f * PanelTone(panel) * (0.80f + 0.22f * Grain(x, y, 11));
    shade *= 0.88f + 0.14f * TiledNoise(x, y, 3, 14);
    // Pits and pale flecks of aggregate.
    const float fleck = Hash(static_cast<int>(x), static_cast<int>(y), 12);
    if (fleck > 0.985f)
        shade -= 0.14f;
    else if (fleck < 0.01f)
        shade += 0.06f;
    for (float seam : {0.0f, kSize * 0.5f})
        shade *= Groove(x, seam, 1.5f, 1.0f) * Groove(y, seam, 1.5f, 1.0f);
    for (float bx : {kSize * 0.25f, kSize * 0.75f})
        for (float by : {kSize * 0.25f, kSize * 0.75f}) {
            const float d = std::hypot(x - bx, y - by);
            if (d < 4.0f)
                return Scale(kDarkSteel, d < 2.5f ? 1.2f : 0.85f);
        }
    return Scale(kConcrete, shade);
}

// The outer walls: a 4 x 4 unit panel (the wall's whole height) with a vertical seam, a lift
// line, form-tie holes, rain streaks and a steel kick plate along the foot. v runs up the wall.
Colour Wall(float x, float y) {
    const float up = kSize - y; // the last row is the wall's foot (images load bottom row first)
    if (up < kSize * 0.08f) {
        const float rib = Seam(x, 0.0f, 1.2f) * Seam(x, kSize * 0.5f, 1.2f);
        const float top = up > kSize * 0.08f - 3.0f ? 1.2f : 1.0f;
        return Scale(kDarkSteel, (0.8f + 0.15f * Grain(x, y, 21)) * (0.7f + 0.3f * rib) * top);
    }
    const int lift = y < kSize * 0.55f ? 0 : 1;
    float shade = 1.1f * PanelTone(lift) * (0.80f + 0.2f * Grain(x, y, 22));
    shade *= 1.0f - 0.14f * TiledNoise(x, y * 0.1f, 16, 23); // streaks run down the wall
    shade *= Groove(x, 0.0f, 2.0f, 1.0f) * Groove(y, kSize * 0.55f, 1.2f, -1.0f);
    for (float tx : {kSize * 0.25f, kSize * 0.75f})
        for (float ty : {kSize * 0.35f, kSize * 0.8f})
            if (std::hypot(x - tx, y - ty) < 3.5f)
                shade *= 0.6f;
    return Scale(kConcrete, shade);
}

// The blocks, ramps and pillars: a 2 x 2 unit plate of smoother, cooler concrete in two halves
// of their own shade, framed by a darker steel trim with a bright bevel, so their edges and size
// read against the floor.
Colour Block(float x, float y) {
    const float edge = std::min(std::min(x, kSize - x), std::min(y, kSize - y));
    if (edge < 14.0f) {
        const float bevel = edge < 2.5f ? 0.75f : (edge > 11.5f ? 0.8f : (edge < 5.0f ? 1.25f : 1.0f));
        return Scale(kDarkSteel, bevel * (0.9f + 0.1f * Grain(x, y, 31)));
    }
    const Colour cool{0.86f, 0.89f, 0.93f};
    const int half = y < kSize * 0.5f ? 0 : 1;
    float shade = PanelTone(half * 3) * (0.9f + 0.14f * Grain(x, y, 32));
    shade *= Groove(y, kSize * 0.5f, 1.0f, 1.0f);
    return Scale(cool, shade);
}

// Hazard stripes, yellow and black at 45 degrees, four pairs per tile, a little worn.
Colour Hazard(float x, float y) {
    const float t = std::fmod((x + y) / kSize * 4.0f, 1.0f);
    const float wear = Grain(x, y, 41);
    const Colour yellow{0.98f, 0.78f, 0.10f};
    const Colour black{0.10f, 0.10f, 0.09f};
    Colour c = t < 0.5f ? yellow : black;
    if (wear > 0.72f)
        c = Mix(c, {0.55f, 0.55f, 0.52f}, (wear - 0.72f) * 2.0f);
    return Scale(c, 0.9f + 0.1f * Grain(x, y, 42));
}

// The pit, in world units (as the level places it), and the east edge.
constexpr float kPitX0 = -40.0f, kPitX1 = -32.0f, kPitZ0 = 28.0f, kPitZ1 = 36.0f;
constexpr float kEastEdge = 64.0f;
constexpr float kWallInner = 63.0f; // the north and south walls' inner faces
constexpr float kLipHeight = 0.3f;
constexpr float kLipWidth = 0.35f;
constexpr float kStripesPerUnit = 0.5f; // texture repeats per unit along the lip

// A striped box on the floor, without a bottom; u runs along its length.
void AddLip(MeshBuilder& mesh, Vec3 lo, Vec3 hi) {
    const Vec3 inside = (lo + hi) * 0.5f;
    const bool alongX = hi.x - lo.x > hi.z - lo.z;
    auto uv = [alongX](Vec3 p, float, float) {
        return Vec2{(alongX ? p.x : p.z) * kStripesPerUnit,
                    p.y * kStripesPerUnit + (alongX ? p.z : p.x) * 0.5f};
    };
    const Vec3 dx{hi.x - lo.x, 0, 0}, dy{0, hi.y - lo.y, 0}, dz{0, 0, hi.z - lo.z};
    mesh.AddGridFace({lo.x, hi.y, lo.z}, dx, dz, 1, 1, inside, uv);
    mesh.AddGridFace(lo, dz, dy, 1, 1, inside, uv);
    mesh.AddGridFace({hi.x, lo.y, lo.z}, dz, dy, 1, 1, inside, uv);
    mesh.AddGridFace(lo, dx, dy, 1, 1, inside, uv);
    mesh.AddGridFace({lo.x, lo.y, hi.z}, dx, dy, 1, 1, inside, uv);
}

constexpr float kRailHeight = 0.75f;
constexpr float kRailBar = 0.1f;
constexpr float kPostSize = 0.16f;
constexpr float kPostSpacing = 4.0f;

// A knee-high rail on posts along one line at height 0 from `a` to `b` (along x or z): the
// stripes catch the eye from across the arena, where the lip alone is a hairline.
void AddRail(MeshBuilder& mesh, Vec3 a, Vec3 b) {
    const bool alongX = std::abs(b.x - a.x) > std::abs(b.z - a.z);
    const float length = alongX ? b.x - a.x : b.z - a.z;
    const int posts = std::max(1, static_cast<int>(std::lround(length / kPostSpacing)));
    const float h = kPostSize * 0.5f;
    for (int i = 0; i <= posts; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(posts);
        const Vec3 c = a + (b - a) * t;
        AddLip(mesh, {c.x - h, 0.0f, c.z - h}, {c.x + h, kRailHeight, c.z + h});
    }
    const Vec3 lo{std::min(a.x, b.x) - (alongX ? h : h * 0.6f), kRailHeight - kRailBar,
                  std::min(a.z, b.z) - (alongX ? h * 0.6f : h)};
    const Vec3 hi{std::max(a.x, b.x) + (alongX ? h : h * 0.6f), kRailHeight + 0.02f,
                  std::max(a.z, b.z) + (alongX ? h * 0.6f : h)};
    AddLip(mesh, lo, hi);
}

bool WriteEdges(const std::string& path) {
    MeshBuilder mesh;
    AddLip(mesh, {kEastEdge - kLipWidth, 0.0f, -kWallInner}, {kEastEdge, kLipHeight, kWallInner});
    const float railX = kEastEdge - kLipWidth * 0.5f;
    AddRail(mesh, {railX, 0.0f, -kWallInner + 1.0f}, {railX, 0.0f, kWallInner - 1.0f});
    // Round the pit, on the floor just outside its rim.
    AddLip(mesh, {kPitX0 - kLipWidth, 0.0f, kPitZ0 - kLipWidth}, {kPitX1 + kLipWidth, kLipHeight, kPitZ0});
    AddLip(mesh, {kPitX0 - kLipWidth, 0.0f, kPitZ1}, {kPitX1 + kLipWidth, kLipHeight, kPitZ1 + kLipWidth});
    AddLip(mesh, {kPitX0 - kLipWidth, 0.0f, kPitZ0}, {kPitX0, kLipHeight, kPitZ1});
    AddLip(mesh, {kPitX1, 0.0f, kPitZ0}, {kPitX1 + kLipWidth, kLipHeight, kPitZ1});
    const float r = kLipWidth * 0.5f;
    AddRail(mesh, {kPitX0 - r, 0.0f, kPitZ0 - r}, {kPitX1 + r, 0.0f, kPitZ0 - r});
    AddRail(mesh, {kPitX0 - r, 0.0f, kPitZ1 + r}, {kPitX1 + r, 0.0f, kPitZ1 + r});
    AddRail(mesh, {kPitX0 - r, 0.0f, kPitZ0 - r}, {kPitX0 - r, 0.0f, kPitZ1 + r});
    AddRail(mesh, {kPitX1 + r, 0.0f, kPitZ0 - r}, {kPitX1 + r, 0.0f, kPitZ1 + r});
    return mesh.WriteObj(path, "Map1_edges",
                         "hazard lips and rails at the open edge and the pit, drawn only");
}

} // namespace

bool WriteLevelSurfaces(const std::string& assetsDir) {
    const std::string textures = assetsDir + "/textures/";
    bool ok = WriteTexture(textures + "level_floor.png", Floor);
    ok = WriteTexture(textures + "level_wall.png", Wall) && ok;
    ok = WriteTexture(textures + "level_block.png", Block) && ok;
    ok = WriteTexture(textures + "level_hazard.png", Hazard) && ok;
    ok = WriteEdges(assetsDir + "/models/Map1_edges.obj") && ok;
    return ok;
}

} // namespace assetgen
