// The menu icon: one of the enemy balls, striped violet to cyan and lit from the upper left,
// under the game's white crosshair, on a dark rounded tile. Rendered with 4x4 supersampling.

#include "AssetFamilies.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace assetgen {

namespace {

constexpr int kIconSize = 256;
constexpr int kSamples = 4; // per axis
constexpr float kTileRadius = 40.0f;
constexpr float kBallX = 128.0f;
constexpr float kBallY = 136.0f;
constexpr float kBallRadius = 84.0f;
constexpr float kStripesAround = 3.0f; // stripe periods across the visible half
constexpr float kCrossArm = 34.0f;
constexpr float kCrossHalfWidth = 5.0f;
constexpr float kCrossOutline = 3.0f;

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

Rgba Over(Rgba top, Rgba under) {
    const float a = top.a + under.a * (1.0f - top.a);
    if (a <= 0.0f)
        return {};
    auto mix = [&](float t, float u) { return (t * top.a + u * under.a * (1.0f - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

bool InsideTile(float x, float y) {
    const float dx = std::max(std::abs(x - kIconSize * 0.5f) - (kIconSize * 0.5f - kTileRadius), 0.0f);
    const float dy = std::max(std::abs(y - kIconSize * 0.5f) - (kIconSize * 0.5f - kTileRadius), 0.0f);
    return dx * dx + dy * dy <= kTileRadius * kTileRadius;
}

Rgba Tile(float y) {
    const float t = y / kIconSize;
    return {0.08f + 0.06f * t, 0.09f + 0.07f * t, 0.15f + 0.09f * t, 1.0f};
}

// The same violet-to-cyan sine stripes the game paints on its enemies, lit like a plastic ball.
Rgba Ball(float x, float y) {
    const float nx = (x - kBallX) / kBallRadius;
    const float ny = (kBallY - y) / kBallRadius;
    const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
    const float longitude = std::atan2(nx, nz) + 0.3f * ny;
    const float s = 0.5f + 0.5f * std::sin(longitude * kStripesAround * 2.0f);
    const float base[3] = {(1.0f - s) * 134.0f / 255.0f, s * 200.0f / 255.0f, 1.0f};
    const float light[3] = {-0.45f, 0.6f, 0.66f};
    const float diffuse = std::max(0.0f, nx * light[0] + ny * light[1] + nz * light[2]);
    const float hx = light[0], hy = light[1], hz = light[2] + 1.0f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float specular = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl), 40.0f);
    const float shade = 0.18f + 0.82f * diffuse;
    auto channel = [&](float c) { return std::min(1.0f, c * shade + 0.6f * specular); };
    return {channel(base[0]), channel(base[1]), channel(base[2]), 1.0f};
}

float CrossDistance(float x, float y) {
    const float dx = std::abs(x - kBallX);
    const float dy = std::abs(y - kBallY);
    const float horizontal = std::max(dx - kCrossArm, dy - kCrossHalfWidth);
    const float vertical = std::max(dy - kCrossArm, dx - kCrossHalfWidth);
    return std::min(horizontal, vertical);
}

Rgba Sample(float x, float y) {
    Rgba colour;
    if (InsideTile(x, y))
        colour = Tile(y);
    const float bx = x - kBallX, by = y - kBallY;
    if (bx * bx + by * by <= kBallRadius * kBallRadius)
        colour = Ball(x, y);
    const float cross = CrossDistance(x, y);
    if (cross <= 0.0f)
        colour = Over({1.0f, 1.0f, 1.0f, 1.0f}, colour);
    else if (cross <= kCrossOutline)
        colour = Over({0.0f, 0.0f, 0.0f, 0.7f}, colour);
    return colour;
}

unsigned char Byte(float value) {
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

} // namespace

bool WriteIcon(const std::string& file) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kIconSize) * kIconSize * 4);
    for (int py = 0; py < kIconSize; ++py) {
        for (int px = 0; px < kIconSize; ++px) {
            // Premultiplied sums, so that edge samples against transparency do not darken.
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba c = Sample(px + (sx + 0.5f) / kSamples, py + (sy + 0.5f) / kSamples);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            unsigned char* out = &pixels[(static_cast<std::size_t>(py) * kIconSize + px) * 4];
            const float samples = static_cast<float>(kSamples * kSamples);
            out[0] = a > 0.0f ? Byte(r / a) : 0;
            out[1] = a > 0.0f ? Byte(g / a) : 0;
            out[2] = a > 0.0f ? Byte(b / a) : 0;
            out[3] = Byte(a / samples);
        }
    }
    if (stbi_write_png(file.c_str(), kIconSize, kIconSize, 4, pixels.data(), kIconSize * 4) == 0) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", file.c_str());
        return false;
    }
    return true;
}

} // namespace assetgen
