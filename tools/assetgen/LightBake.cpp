#include "LightBake.h"

#include "render/Lights.h"

#include <BulletCollision/NarrowPhaseCollision/btRaycastCallback.h>
#include <btBulletCollisionCommon.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace assetgen {

namespace {

constexpr float kSurfaceOffset = 0.02f; // rays start this far off the surface
constexpr float kSunRayLength = 200.0f;
constexpr float kSkyRayLength = 12.0f; // occlusion is local: corners, wall feet, under ledges
constexpr int kSkyRays = 48;
constexpr float kGoldenAngle = 2.39996323f;

btVector3 ToBt(Vec3 v) {
    return {v.x, v.y, v.z};
}

Vec3 SunwardDirection() {
    return Normalize(Vec3{-kSunDirection.x, -kSunDirection.y, -kSunDirection.z});
}

// The first triangle a segment meets, and whether it was met from behind.
struct ClosestHit : btTriangleRaycastCallback {
    ClosestHit(const btVector3& from, const btVector3& to, const std::vector<Vec3>& normals)
        : btTriangleRaycastCallback(from, to), faceNormals(normals), direction(to - from) {}

    btScalar reportHit(const btVector3& normal, btScalar fraction, int, int triangleIndex) override {
        hit = true;
        hitNormal = normal;
        const Vec3& n = faceNormals[static_cast<std::size_t>(triangleIndex)];
        fromBehind = direction.dot(ToBt(n)) > 0.0f;
        return fraction;
    }

    const std::vector<Vec3>& faceNormals;
    btVector3 direction;
    btVector3 hitNormal{0, 1, 0};
    bool hit = false;
    bool fromBehind = false;
};

class RayScene {
public:
    explicit RayScene(const MeshBuilder& mesh) {
        for (const auto& face : mesh.Faces()) {
            for (std::size_t k = 1; k + 1 < face.size(); ++k) {
                triangles.addTriangle(ToBt(face[0].position), ToBt(face[k].position),
                                      ToBt(face[k + 1].position));
                normals.push_back(face[0].normal);
            }
        }
        shape = std::make_unique<btBvhTriangleMeshShape>(&triangles, true);
    }

    ClosestHit Cast(Vec3 from, Vec3 to) const {
        ClosestHit hit(ToBt(from), ToBt(to), normals);
        shape->performRaycast(&hit, ToBt(from), ToBt(to));
        return hit;
    }

    bool SeesSun(Vec3 point, Vec3 normal) const {
        const Vec3 sun = SunwardDirection();
        if (Dot(normal, sun) <= 0.0f)
            return false;
        const Vec3 from = point + normal * kSurfaceOffset;
        return !Cast(from, from + sun * kSunRayLength).hit;
    }

private:
    btTriangleMesh triangles;
    std::vector<Vec3> normals;
    std::unique_ptr<btBvhTriangleMeshShape> shape;
};

// A fixed cosine-weighted spiral over the hemisphere around +z: the same rays for every texel, so
// the bake needs no random numbers and neighbouring texels shade smoothly.
std::vector<Vec3> HemisphereRays() {
    std::vector<Vec3> rays;
    for (int k = 0; k < kSkyRays; ++k) {
        const float u = (k + 0.5f) / kSkyRays;
        const float r = std::sqrt(u);
        const float phi = k * kGoldenAngle;
        rays.push_back({r * std::cos(phi), r * std::sin(phi), std::sqrt(1.0f - u)});
    }
    return rays;
}

struct TexelLight {
    float sun = 0.0f;
    float sky = 0.0f;
    bool inside = false; // the point lies within a solid (a floor texel under a wall)
};

TexelLight BakeTexel(const RayScene& scene, const LightMapChart& chart, int i, int j,
                     const std::vector<Vec3>& hemisphere) {
    TexelLight light;
    const Vec3 n = chart.normal;
    // Four sun samples a quarter texel around the centre soften the shadows' stair steps.
    int lit = 0;
    for (const float di : {-0.25f, 0.25f}) {
        for (const float dj : {-0.25f, 0.25f}) {
            const float si = std::clamp(i + di, 0.0f, static_cast<float>(chart.width - 1));
            const float sj = std::clamp(j + dj, 0.0f, static_cast<float>(chart.height - 1));
            lit += scene.SeesSun(chart.PointAt(si, sj), n) ? 1 : 0;
        }
    }
    light.sun = lit / 4.0f;

    const Vec3 helper = std::fabs(n.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    const Vec3 tangent = Normalize(Cross(helper, n));
    const Vec3 bitangent = Cross(n, tangent);
    const Vec3 from = chart.PointAt(static_cast<float>(i), static_cast<float>(j)) + n * kSurfaceOffset;
    int open = 0;
    int behind = 0;
    for (const Vec3& local : hemisphere) {
        const Vec3 direction = tangent * local.x + bitangent * local.y + n * local.z;
        const ClosestHit hit = scene.Cast(from, from + direction * kSkyRayLength);
        open += hit.hit ? 0 : 1;
        behind += hit.hit && hit.fromBehind ? 1 : 0;
    }
    light.sky = static_cast<float>(open) / kSkyRays;
    light.inside = 2 * behind > kSkyRays;
    return light;
}

// Texels inside solids take the mean of their outside neighbours, ring by ring, so filtering at
// the foot of a wall does not darken the open floor beside it.
void FillInsideTexels(std::vector<TexelLight>& texels, int width, int height) {
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<TexelLight> next = texels;
        bool changed = false;
        for (int j = 0; j < height; ++j) {
            for (int i = 0; i < width; ++i) {
                if (!texels[j * width + i].inside)
                    continue;
                TexelLight sum;
                int count = 0;
                for (int dj = -1; dj <= 1; ++dj) {
                    for (int di = -1; di <= 1; ++di) {
                        const int ni = i + di;
                        const int nj = j + dj;
                        if (ni < 0 || nj < 0 || ni >= width || nj >= height || texels[nj * width + ni].inside)
                            continue;
                        sum.sun += texels[nj * width + ni].sun;
                        sum.sky += texels[nj * width + ni].sky;
                        ++count;
                    }
                }
                if (count > 0) {
                    next[j * width + i] = {sum.sun / count, sum.sky / count, false};
                    changed = true;
                }
            }
        }
        texels = std::move(next);
        if (!changed)
            break;
    }
}

unsigned char ToByte(float v) {
    return static_cast<unsigned char>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
}

// Runs body(index) for index in [0, count) on two threads; each index writes only its own
// result, so the output does not depend on the threads' timing.
template <typename Body> void ForEachParallel(int count, Body body) {
    std::thread helper([&] {
        for (int k = 1; k < count; k += 2)
            body(k);
    });
    for (int k = 0; k < count; k += 2)
        body(k);
    helper.join();
}

bool WritePng(const std::string& path, int width, int height, int channels,
              const std::vector<unsigned char>& pixels) {
    if (stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels) == 0) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool BakeLevelLight(const MeshBuilder& mesh, const LightMapAtlas& atlas, const std::string& assetsDir) {
    const RayScene scene(mesh);
    const std::vector<Vec3> hemisphere = HemisphereRays();

    const int atlasHeight = atlas.Height();
    std::vector<unsigned char> lightPixels(static_cast<std::size_t>(LightMapAtlas::kWidth) * atlasHeight * 2,
                                           0);
    const auto& charts = atlas.Charts();
    std::vector<std::vector<TexelLight>> baked(charts.size());
    ForEachParallel(static_cast<int>(charts.size()), [&](int c) {
        const LightMapChart& chart = charts[c];
        std::vector<TexelLight>& texels = baked[c];
        texels.resize(static_cast<std::size_t>(chart.width) * chart.height);
        for (int j = 0; j < chart.height; ++j)
            for (int i = 0; i < chart.width; ++i)
                texels[j * chart.width + i] = BakeTexel(scene, chart, i, j, hemisphere);
        FillInsideTexels(texels, chart.width, chart.height);
    });
    for (std::size_t c = 0; c < charts.size(); ++c) {
        const LightMapChart& chart = charts[c];
        for (int j = 0; j < chart.height; ++j) {
            for (int i = 0; i < chart.width; ++i) {
                const TexelLight& light = baked[c][j * chart.width + i];
                // The game loads images bottom row first: texel row y is file row height - 1 - y.
                const int row = atlasHeight - 1 - (chart.y + j);
                const std::size_t at =
                    (static_cast<std::size_t>(row) * LightMapAtlas::kWidth + chart.x + i) * 2;
                lightPixels[at] = ToByte(light.sun);
                lightPixels[at + 1] = ToByte(light.sky);
            }
        }
    }

    // From above: the first surface a vertical line meets, and whether it sees the sun.
    std::vector<unsigned char> sunPixels(static_cast<std::size_t>(kSunMapSize) * kSunMapSize, 255);
    const float texel = 2.0f * kSunMapExtent / kSunMapSize;
    ForEachParallel(kSunMapSize, [&](int row) {
        const float z = -kSunMapExtent + (row + 0.5f) * texel;
        for (int column = 0; column < kSunMapSize; ++column) {
            const float x = -kSunMapExtent + (column + 0.5f) * texel;
            const ClosestHit down = scene.Cast({x, 40.0f, z}, {x, -10.0f, z});
            if (!down.hit)
                continue;
            const float y = 40.0f - 50.0f * down.m_hitFraction;
            const Vec3 normal{down.hitNormal.x(), down.hitNormal.y(), down.hitNormal.z()};
            sunPixels[static_cast<std::size_t>(row) * kSunMapSize + column] =
                scene.SeesSun({x, y, z}, normal) ? 255 : 0;
        }
    });

    bool ok =
        WritePng(assetsDir + "/textures/Map1_light.png", LightMapAtlas::kWidth, atlasHeight, 2, lightPixels);
    ok = WritePng(assetsDir + "/textures/Map1_sun.png", kSunMapSize, kSunMapSize, 1, sunPixels) && ok;
    return ok;
}

} // namespace assetgen
