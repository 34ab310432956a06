// The gun: its mesh and the five texture maps painted chart by chart for its atlas. Dark
// gunmetal with edges worn to bright steel, a non-metallic and rougher polymer grip and stock,
// panel lines, vents and ribs in the normal map, and glass in the scope's two ends.

#include "AssetFamilies.h"
#include "GunModel.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace assetgen {

namespace {

constexpr int kAtlasSize = 512;
constexpr int kJpegQuality = 92;
constexpr float kWearWidth = 0.007f;   // world units of bare steel along a worn edge
constexpr float kGrooveDepth = 0.003f; // world units; sets how strongly relief shows

struct Surface {
    Vec3 albedo; // linear reflectance 0..1 per channel; the map stores it sRGB-encoded
    float metallic = 0.0f;
    float roughness = 0.0f;
};

Surface BaseOf(GunMaterial material) {
    switch (material) {
    case GunMaterial::Steel:
        return {{0.20f, 0.21f, 0.23f}, 0.9f, 0.38f};
    case GunMaterial::Barrel:
        return {{0.15f, 0.15f, 0.17f}, 0.95f, 0.28f};
    case GunMaterial::Polymer:
        return {{0.12f, 0.115f, 0.10f}, 0.0f, 0.85f};
    case GunMaterial::Magazine:
        return {{0.17f, 0.17f, 0.16f}, 0.8f, 0.5f};
    case GunMaterial::Optic:
        return {{0.09f, 0.09f, 0.10f}, 0.6f, 0.42f};
    }
    return {};
}

// Integer hash noise: the same numbers on every run and every machine.
float Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

float ValueNoise(float x, float y, int seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    float tx = x - fx;
    float ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    const float a = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * tx;
    const float b = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * tx;
    return a + (b - a) * ty;
}

float Fbm(float x, float y, int seed) {
    return 0.5f * ValueNoise(x, y, seed) + 0.3f * ValueNoise(x * 2.1f, y * 2.1f, seed + 1) +
           0.2f * ValueNoise(x * 4.3f, y * 4.3f, seed + 2);
}

float Smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// A groove of half-width `halfWidth` centred where `distance` is 0, rounded at its bottom.
float Groove(float distance, float halfWidth) {
    return -kGrooveDepth * (1.0f - Smoothstep(0.0f, halfWidth, std::fabs(distance)));
}

// Signed distance to a rounded rectangle centred at (cx, cy).
float RoundedRect(float x, float y, float cx, float cy, float halfW, float halfH, float radius) {
    const float dx = std::max(std::fabs(x - cx) - halfW + radius, 0.0f);
    const float dy = std::max(std::fabs(y - cy) - halfH + radius, 0.0f);
    const float outside = std::sqrt(dx * dx + dy * dy);
    const float inside =
        std::min(std::max(std::fabs(x - cx) - halfW + radius, std::fabs(y - cy) - halfH + radius), 0.0f);
    return outside + inside - radius;
}

// Relief of a chart at chart-local world coordinates (x along u, y along v): negative in
// grooves, positive on bumps.
float Relief(const AtlasChart& chart, float x, float y) {
    const float w = chart.width;
    const float h = chart.height;
    switch (chart.detail) {
    case SurfaceDetail::Plain:
        return 0.0f;
    case SurfaceDetail::PanelLines: {
        if (w < 0.1f || h < 0.06f) {
            return 0.0f;
        }
        const float inset = 0.018f;
        const float frame = RoundedRect(x, y, w * 0.5f, h * 0.5f, w * 0.5f - inset, h * 0.5f - inset, 0.01f);
        float relief = Groove(frame, 0.0022f);
        if (frame < 0.0f) {
            for (float seam : {0.36f, 0.68f}) {
                relief = std::min(relief, Groove(x - w * seam, 0.0018f));
            }
        }
        // Two pins through the receiver, each a dimple with a raised rim.
        for (float pin : {0.2f, 0.52f}) {
            const float dx = x - w * pin;
            const float dy = y - h * 0.32f;
            const float r = std::sqrt(dx * dx + dy * dy);
            relief = std::min(relief, Groove(r - 0.007f, 0.0025f));
        }
        return relief;
    }
    case SurfaceDetail::Vents: {
        // Two rows of long slots through the handguard.
        const float period = 0.07f;
        const float slotX = (std::floor(x / period) + 0.5f) * period;
        if (slotX < 0.03f || slotX > w - 0.03f) {
            return 0.0f;
        }
        float d = 1.0f;
        for (float row : {0.33f, 0.67f}) {
            d = std::min(d, RoundedRect(x, y, slotX, h * row, 0.026f, 0.011f, 0.009f));
        }
        return d < 0.0f ? -1.5f * kGrooveDepth * Smoothstep(0.0f, 0.004f, -d) : 0.0f;
    }
    case SurfaceDetail::Ribs: {
        // Rings around a tube; across the long side of a flat part.
        const bool acrossU = chart.shape == ChartShape::CylinderSide || w < h;
        const float along = acrossU ? y : x;
        const float period = 0.02f;
        const float phase = along - std::floor(along / period) * period - period * 0.5f;
        return Groove(phase, 0.004f);
    }
    case SurfaceDetail::Stipple: {
        const float bumps = ValueNoise(x * 900.0f, y * 900.0f, 11) - 0.5f;
        return 0.35f * kGrooveDepth * bumps;
    }
    case SurfaceDetail::Lens: {
        const float dx = x - w * 0.5f;
        const float dy = y - h * 0.5f;
        const float r = std::sqrt(dx * dx + dy * dy);
        return Groove(r - 0.38f * w, 0.003f);
    }
    }
    return 0.0f;
}

// World distance from a chart point to the nearest real edge of the solid.
float EdgeDistance(const AtlasChart& chart, float x, float y) {
    const float w = chart.width;
    const float h = chart.height;
    switch (chart.shape) {
    case ChartShape::BoxFace:
        return std::min({x, w - x, y, h - y});
    case ChartShape::CylinderSide:
        return std::min(y, h - y);
    case ChartShape::CylinderCap: {
        const float dx = x - w * 0.5f;
        const float dy = y - h * 0.5f;
        return w * 0.5f - std::sqrt(dx * dx + dy * dy);
    }
    }
    return 1.0f;
}

bool IsLensGlass(const AtlasChart& chart, float x, float y) {
    if (chart.detail != SurfaceDetail::Lens) {
        return false;
    }
    const float dx = x - chart.width * 0.5f;
    const float dy = y - chart.height * 0.5f;
    return std::sqrt(dx * dx + dy * dy) < 0.38f * chart.width;
}

struct Maps {
    std::vector<Vec3> albedo;
    std::vector<float> metallic;
    std::vector<float> roughness;
    std::vector<float> ao;
    std::vector<float> relief;
};

void PaintChart(Maps& maps, const AtlasChart& chart, int seed) {
    // Paint half the gutter around each chart with its clamped border, so filtering and mipmaps
    // near an edge pick up the chart's own colours.
    const int spill = 2;
    const Surface base = BaseOf(chart.material);
    const bool metal = chart.material != GunMaterial::Polymer;
    for (int py = chart.y - spill; py < chart.y + chart.h + spill; ++py) {
        for (int px = chart.x - spill; px < chart.x + chart.w + spill; ++px) {
            const float s = std::clamp((px + 0.5f - chart.x) / chart.w, 0.0f, 1.0f);
            const float t = std::clamp(1.0f - (py + 0.5f - chart.y) / chart.h, 0.0f, 1.0f);
            const float x = s * chart.width;
            const float y = t * chart.height;

            Surface surface = base;
            const float mottle = Fbm(x * 25.0f, y * 25.0f, seed);
            const float streak = ValueNoise(x * 8.0f, y * 700.0f, seed + 5);
            surface.albedo = surface.albedo * (0.86f + 0.22f * mottle + (metal ? 0.08f * streak : 0.0f));
            surface.roughness += 0.12f * (mottle - 0.5f);

            // Worn edges: ragged bands of bare metal, polished polymer on the grip and stock.
            const float ragged = Fbm(x * 70.0f, y * 70.0f, seed + 9);
            const float wear = Smoothstep(kWearWidth * (0.2f + ragged), 0.0f, EdgeDistance(chart, x, y)) *
                               Smoothstep(0.4f, 0.65f, ragged);
            if (metal) {
                surface.albedo = surface.albedo + (Vec3{0.62f, 0.62f, 0.64f} - surface.albedo) * wear;
                surface.metallic += (1.0f - surface.metallic) * wear;
                surface.roughness += (0.22f - surface.roughness) * wear;
            } else {
                surface.albedo = surface.albedo + (Vec3{0.22f, 0.21f, 0.19f} - surface.albedo) * wear;
                surface.roughness += (0.6f - surface.roughness) * wear;
            }
            if (IsLensGlass(chart, x, y)) {
                surface = {{0.05f, 0.12f, 0.16f}, 0.0f, 0.05f};
            }

            const float relief = Relief(chart, x, y);
            float ao = 1.0f - 0.5f * std::clamp(-relief / kGrooveDepth, 0.0f, 1.0f);
            if (chart.facesDown) {
                ao *= 0.72f;
            }
            ao *= 0.94f + 0.06f * mottle;

            if (px < 0 || py < 0 || px >= kAtlasSize || py >= kAtlasSize) {
                continue;
            }
            const size_t i = static_cast<size_t>(py) * kAtlasSize + static_cast<size_t>(px);
            maps.albedo[i] = surface.albedo;
            maps.metallic[i] = std::clamp(surface.metallic, 0.0f, 1.0f);
            maps.roughness[i] = std::clamp(surface.roughness, 0.0f, 1.0f);
            maps.ao[i] = std::clamp(ao, 0.0f, 1.0f);
            maps.relief[i] = relief;
        }
    }
}

std::uint8_t ToByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

bool WriteGrey(const std::string& path, const std::vector<float>& values) {
    // Three equal channels: whichever channel a shader samples reads the same value.
    std::vector<std::uint8_t> pixels;
    pixels.reserve(values.size() * 3);
    for (float value : values) {
        const std::uint8_t byte = ToByte(value);
        pixels.insert(pixels.end(), {byte, byte, byte});
    }
    if (stbi_write_jpg(path.c_str(), kAtlasSize, kAtlasSize, 3, pixels.data(), kJpegQuality) == 0) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// The albedo is a colour picture: stored sRGB-encoded, as the gun's shader decodes it. Written
// linearly, the 0.2 of steel came back as 0.03 and the gun read as a black cut-out.
bool WriteAlbedo(const std::string& path, const std::vector<Vec3>& colours) {
    const auto encode = [](float linear) {
        return ToByte(std::pow(std::clamp(linear, 0.0f, 1.0f), 1.0f / 2.2f));
    };
    std::vector<std::uint8_t> pixels;
    pixels.reserve(colours.size() * 3);
    for (const Vec3& c : colours) {
        pixels.insert(pixels.end(), {encode(c.x), encode(c.y), encode(c.z)});
    }
    if (stbi_write_jpg(path.c_str(), kAtlasSize, kAtlasSize, 3, pixels.data(), kJpegQuality) == 0) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Tangent space: x along u (image right), y along v (image up, since rows are loaded flipped),
// z out of the surface; each channel stores n * 0.5 + 0.5.
bool WriteNormals(const std::string& path, const std::vector<float>& relief, float pixelsPerUnit) {
    auto at = [&](int x, int y) {
        x = std::clamp(x, 0, kAtlasSize - 1);
        y = std::clamp(y, 0, kAtlasSize - 1);
        return relief[static_cast<size_t>(y) * kAtlasSize + static_cast<size_t>(x)];
    };
    std::vector<std::uint8_t> pixels;
    pixels.reserve(relief.size() * 3);
    for (int y = 0; y < kAtlasSize; ++y) {
        for (int x = 0; x < kAtlasSize; ++x) {
            const float du = (at(x + 1, y) - at(x - 1, y)) * 0.5f * pixelsPerUnit;
            const float dv = -(at(x, y + 1) - at(x, y - 1)) * 0.5f * pixelsPerUnit;
            const Vec3 n = Normalize({-du, -dv, 1.0f});
            pixels.insert(pixels.end(),
                          {ToByte(n.x * 0.5f + 0.5f), ToByte(n.y * 0.5f + 0.5f), ToByte(n.z * 0.5f + 0.5f)});
        }
    }
    if (stbi_write_png(path.c_str(), kAtlasSize, kAtlasSize, 3, pixels.data(), kAtlasSize * 3) == 0) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool WriteGun(const std::string& assetsDir) {
    const GunModel gun = BuildGunModel(kAtlasSize);
    bool ok = gun.mesh.WriteObj(assetsDir + "/models/gun.obj", "gun", "the player's rifle, barrel along +Z");

    const size_t count = static_cast<size_t>(kAtlasSize) * kAtlasSize;
    const Surface background = BaseOf(GunMaterial::Steel);
    Maps maps{std::vector<Vec3>(count, background.albedo), std::vector<float>(count, background.metallic),
              std::vector<float>(count, background.roughness), std::vector<float>(count, 1.0f),
              std::vector<float>(count, 0.0f)};
    int seed = 100;
    for (const AtlasChart& chart : gun.charts) {
        PaintChart(maps, chart, seed);
        seed += 17;
    }
    const std::string textures = assetsDir + "/textures/";
    ok = WriteAlbedo(textures + "gun_albedo.jpg", maps.albedo) && ok;
    ok = WriteNormals(textures + "gun_normal.png", maps.relief, gun.pixelsPerUnit) && ok;
    ok = WriteGrey(textures + "gun_metallic.jpg", maps.metallic) && ok;
    ok = WriteGrey(textures + "gun_roughness.jpg", maps.roughness) && ok;
    ok = WriteGrey(textures + "gun_ao.jpg", maps.ao) && ok;
    return ok;
}

} // namespace assetgen
