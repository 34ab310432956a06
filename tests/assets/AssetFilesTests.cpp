// The committed meshes, textures and sounds, read the way the game reads them: what in these
// files would break loading, collisions, the spawn, the pickups or the mix.

#include "core/MathTypes.h"
#include "game/Level.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <stb/stb_image.h>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::array<const char*, 6> kModels = {"assets/models/1ball.obj",  "assets/models/1ball_far.obj",
                                            "assets/models/Map1.obj",   "assets/models/gun.obj",
                                            "assets/models/monkey.obj", "assets/models/sphere.obj"};
const std::array<const char*, 5> kTextures = {
    "assets/textures/gun_albedo.jpg", "assets/textures/gun_normal.png", "assets/textures/gun_metallic.jpg",
    "assets/textures/gun_roughness.jpg", "assets/textures/gun_ao.jpg"};
const std::array<const char*, 2> kLightMaps = {"assets/textures/Map1_light.png",
                                               "assets/textures/Map1_sun.png"};
// The arena's surfaces and the drawn-only hazard lips.
const std::array<const char*, 5> kSurfaces = {
    "assets/textures/level_floor.png", "assets/textures/level_wall.png", "assets/textures/level_block.png",
    "assets/textures/level_hazard.png", "assets/models/Map1_edges.obj"};
const std::array<const char*, 9> kSounds = {
    "assets/sounds/shot.wav",        "assets/sounds/shot_hit.wav",       "assets/sounds/enemy_death.wav",
    "assets/sounds/pickup_used.wav", "assets/sounds/contact_damage.wav", "assets/sounds/wave_arrival.wav",
    "assets/sounds/win.wav",         "assets/sounds/death.wav",          "assets/sounds/game_start.wav"};

struct Triangle {
    std::array<Vec3, 3> positions;
    std::array<Vec3, 3> normals;
    std::array<Vec2, 3> uvs;
};

struct LoadedModel {
    bool parsed = false;
    int cornersWithoutNormal = 0;
    int cornersWithoutTexcoord = 0;
    std::vector<Triangle> triangles;
    Vec3 min{1e9f, 1e9f, 1e9f};
    Vec3 max{-1e9f, -1e9f, -1e9f};
};

LoadedModel Load(const std::string& path) {
    LoadedModel model;
    tinyobj::ObjReader reader;
    model.parsed = reader.ParseFromFile(path, tinyobj::ObjReaderConfig());
    if (!model.parsed) {
        return model;
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        size_t offset = 0;
        for (const unsigned char count : shape.mesh.num_face_vertices) {
            Triangle triangle;
            for (size_t k = 0; k < count && k < 3; ++k) {
                const tinyobj::index_t index = shape.mesh.indices[offset + k];
                const float* p = &attrib.vertices[3 * static_cast<size_t>(index.vertex_index)];
                triangle.positions[k] = {p[0], p[1], p[2]};
                if (index.normal_index < 0) {
                    ++model.cornersWithoutNormal;
                } else {
                    const float* n = &attrib.normals[3 * static_cast<size_t>(index.normal_index)];
                    triangle.normals[k] = {n[0], n[1], n[2]};
                }
                if (index.texcoord_index < 0) {
                    ++model.cornersWithoutTexcoord;
                } else {
                    const float* t = &attrib.texcoords[2 * static_cast<size_t>(index.texcoord_index)];
                    triangle.uvs[k] = {t[0], t[1]};
                }
                model.min = {std::min(model.min.x, p[0]), std::min(model.min.y, p[1]),
                             std::min(model.min.z, p[2])};
                model.max = {std::max(model.max.x, p[0]), std::max(model.max.y, p[1]),
                             std::max(model.max.z, p[2])};
            }
            model.triangles.push_back(triangle);
            offset += count;
        }
    }
    return model;
}

Vec3 FaceNormal(const Triangle& t) {
    return Normalize(Cross(t.positions[1] - t.positions[0], t.positions[2] - t.positions[0]));
}

// Answers "what does a vertical line through (x, z) cross?" for the level, with the triangles
// bucketed by their footprint so that scanning the whole arena stays quick.
class VerticalProbe {
public:
    explicit VerticalProbe(const std::vector<Triangle>& triangles) : triangles(triangles) {
        for (size_t i = 0; i < triangles.size(); ++i) {
            const auto& p = triangles[i].positions;
            if (std::fabs(FaceNormal(triangles[i]).y) < 1e-4f) {
                continue; // walls have no footprint for a vertical line to cross
            }
            const int x0 = Bucket(std::min({p[0].x, p[1].x, p[2].x}));
            const int x1 = Bucket(std::max({p[0].x, p[1].x, p[2].x}));
            const int z0 = Bucket(std::min({p[0].z, p[1].z, p[2].z}));
            const int z1 = Bucket(std::max({p[0].z, p[1].z, p[2].z}));
            for (int bz = z0; bz <= z1; ++bz) {
                for (int bx = x0; bx <= x1; ++bx) {
                    buckets[Index(bx, bz)].push_back(i);
                }
            }
        }
    }

    struct Crossing {
        float y;
        float normalY;
    };

    std::vector<Crossing> At(float x, float z) const {
        std::vector<Crossing> crossings;
        for (size_t i : buckets[Index(Bucket(x), Bucket(z))]) {
            const auto& p = triangles[i].positions;
            const float area = (p[1].x - p[0].x) * (p[2].z - p[0].z) - (p[2].x - p[0].x) * (p[1].z - p[0].z);
            const float w0 = ((p[1].x - x) * (p[2].z - z) - (p[2].x - x) * (p[1].z - z)) / area;
            const float w1 = ((p[2].x - x) * (p[0].z - z) - (p[0].x - x) * (p[2].z - z)) / area;
            const float w2 = 1.0f - w0 - w1;
            const float eps = -1e-5f;
            if (w0 >= eps && w1 >= eps && w2 >= eps) {
                crossings.push_back({w0 * p[0].y + w1 * p[1].y + w2 * p[2].y, FaceNormal(triangles[i]).y});
            }
        }
        return crossings;
    }

private:
    static constexpr float kBucketSize = 4.0f;
    static constexpr int kBucketsPerSide = 64; // covers -128 .. 128

    static int Bucket(float coordinate) {
        return std::clamp(static_cast<int>(std::floor(coordinate / kBucketSize)) + kBucketsPerSide / 2, 0,
                          kBucketsPerSide - 1);
    }
    static size_t Index(int bx, int bz) {
        return static_cast<size_t>(bz) * kBucketsPerSide + static_cast<size_t>(bx);
    }

    const std::vector<Triangle>& triangles;
    std::vector<std::vector<size_t>> buckets =
        std::vector<std::vector<size_t>>(kBucketsPerSide * kBucketsPerSide);
};

// Points of a disc: its centre and two rings of eight.
std::vector<std::array<float, 2>> DiscSamples(float cx, float cz, float radius) {
    std::vector<std::array<float, 2>> points = {{cx, cz}};
    for (float r : {radius * 0.5f, radius}) {
        for (int k = 0; k < 8; ++k) {
            const float angle = static_cast<float>(k) * 0.785398f;
            points.push_back({cx + r * std::cos(angle), cz + r * std::sin(angle)});
        }
    }
    return points;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AssetFilesTest, EveryFaceCornerCarriesANormalAndATexcoord) {
    for (const char* path : kModels) {
        const LoadedModel model = Load(path);
        ASSERT_TRUE(model.parsed) << path;
        // The loader reads a normal and a texcoord for every corner, present or not.
        EXPECT_FALSE(model.triangles.empty()) << path;
        EXPECT_EQ(model.cornersWithoutNormal, 0) << path;
        EXPECT_EQ(model.cornersWithoutTexcoord, 0) << path;
    }
}

TEST(AssetFilesTest, FacesWindCounterClockwiseAroundTheirOutwardNormals) {
    // With back-face culling on, a face wound against its normal vanishes from the front.
    for (const char* path : kModels) {
        const LoadedModel model = Load(path);
        ASSERT_TRUE(model.parsed) << path;
        int againstNormal = 0;
        for (const Triangle& t : model.triangles) {
            const Vec3 corners = t.normals[0] + t.normals[1] + t.normals[2];
            if (Dot(FaceNormal(t), corners) <= 0.0f) {
                ++againstNormal;
            }
        }
        EXPECT_EQ(againstNormal, 0) << path;
    }
}

TEST(AssetFilesTest, EnemyBallMatchesItsUnitSphereCollider) {
    // Near and far, the ball is the same sphere: only the number of its triangles differs.
    for (const char* path : {"assets/models/1ball.obj", "assets/models/1ball_far.obj"}) {
        const LoadedModel ball = Load(path);
        ASSERT_TRUE(ball.parsed) << path;
        float nearest = 1e9f;
        float farthest = 0.0f;
        for (const Triangle& t : ball.triangles) {
            for (const Vec3& p : t.positions) {
                nearest = std::min(nearest, Length(p));
                farthest = std::max(farthest, Length(p));
            }
        }
        // Every vertex sits on the radius-1 sphere the physics uses, centred on the origin.
        EXPECT_NEAR(nearest, 1.0f, 1e-3f) << path;
        EXPECT_NEAR(farthest, 1.0f, 1e-3f) << path;
        EXPECT_NEAR(ball.max.y, 1.0f, 1e-3f) << path;
        EXPECT_NEAR(ball.min.y, -1.0f, 1e-3f) << path;
    }
    EXPECT_LT(Load("assets/models/1ball_far.obj").triangles.size(),
              Load("assets/models/1ball.obj").triangles.size());
}

TEST(AssetFilesTest, EnemyBallWrapsTheStripeTextureOnceAroundItsEquator) {
    const LoadedModel ball = Load("assets/models/1ball.obj");
    ASSERT_TRUE(ball.parsed);
    float minU = 1e9f;
    float maxU = -1e9f;
    for (const Triangle& t : ball.triangles) {
        for (const Vec2& uv : t.uvs) {
            minU = std::min(minU, uv.x);
            maxU = std::max(maxU, uv.x);
        }
    }
    EXPECT_NEAR(minU, 0.0f, 1e-4f);
    EXPECT_NEAR(maxU, 1.0f, 1e-4f);
}

TEST(AssetFilesTest, PickupOrbRestsOnTheFloorInsideItsTriggerSphere) {
    const LoadedModel orb = Load("assets/models/sphere.obj");
    ASSERT_TRUE(orb.parsed);
    float farthest = 0.0f;
    for (const Triangle& t : orb.triangles) {
        for (const Vec3& p : t.positions) {
            farthest = std::max(farthest, Length(p));
        }
    }
    // Pickups are placed at floor height: the orb sits on the floor, not half inside it, and
    // stays within the 1.1 trigger sphere around the placement point.
    EXPECT_NEAR(orb.min.y, 0.0f, 0.05f);
    EXPECT_GT(orb.max.y, 0.6f);
    EXPECT_LT(farthest, 1.1f);
}

TEST(AssetFilesTest, LevelCoversTheArenaWithinATriangleBudget) {
    const LoadedModel level = Load("assets/models/Map1.obj");
    ASSERT_TRUE(level.parsed);
    // Waves land up to 26 units from the player; the floor must reach well beyond.
    EXPECT_LE(level.min.x, -60.0f);
    EXPECT_GE(level.max.x, 60.0f);
    EXPECT_LE(level.min.z, -60.0f);
    EXPECT_GE(level.max.z, 60.0f);
    // Bullet builds a BVH of it at every game start and it is drawn every frame.
    EXPECT_LT(level.triangles.size(), 5000u);
}

TEST(AssetFilesTest, SpawnAndPickupSpotsStandOnOpenFloor) {
    const LoadedModel level = Load("assets/models/Map1.obj");
    ASSERT_TRUE(level.parsed);
    const VerticalProbe probe(level.triangles);
    std::vector<Vec3> spots(Level::kPickupSpots.begin(), Level::kPickupSpots.end());
    spots.push_back(Level::kPlayerStart);
    const float drop = Level::kPlayerStart.y;
    for (const Vec3& spot : spots) {
        for (const auto& point : DiscSamples(spot.x, spot.z, 3.0f)) {
            bool floorAtZero = false;
            bool blocked = false;
            for (const auto& crossing : probe.At(point[0], point[1])) {
                if (std::fabs(crossing.y) < 1e-4f && crossing.normalY > 0.99f) {
                    floorAtZero = true;
                }
                if (crossing.y > 1e-4f && crossing.y <= drop) {
                    blocked = true;
                }
            }
            // The player drops in from its start height and pickups sit at y = 0: upward floor
            // at 0, and nothing in the units above it up to that height.
            EXPECT_TRUE(floorAtZero) << "no floor at (" << point[0] << ", " << point[1] << ")";
            EXPECT_FALSE(blocked) << "something solid above (" << point[0] << ", " << point[1] << ")";
        }
    }
}

TEST(AssetFilesTest, LevelHasAHoleWideEnoughToFallThrough) {
    const LoadedModel level = Load("assets/models/Map1.obj");
    ASSERT_TRUE(level.parsed);
    const VerticalProbe probe(level.triangles);
    // A disc of radius 3 through which a vertical line meets nothing at all, well away from
    // the spawn: a 0.5-radius capsule falls through it.
    bool found = false;
    for (float z = -58.0f; z <= 58.0f && !found; z += 2.0f) {
        for (float x = -58.0f; x <= 58.0f && !found; x += 2.0f) {
            if (std::hypot(x, z) < 20.0f) {
                continue;
            }
            const auto points = DiscSamples(x, z, 3.0f);
            found = std::all_of(points.begin(), points.end(),
                                [&](const auto& p) { return probe.At(p[0], p[1]).empty(); });
        }
    }
    EXPECT_TRUE(found);
}

TEST(AssetFilesTest, LevelSlopesAreWalkable) {
    const LoadedModel level = Load("assets/models/Map1.obj");
    ASSERT_TRUE(level.parsed);
    // Any upward-facing surface is either flat enough to walk (30 degrees at most) or a wall.
    const float cos30 = 0.866f;
    int tooSteep = 0;
    for (const Triangle& t : level.triangles) {
        const float ny = FaceNormal(t).y;
        if (ny > 0.01f && ny < cos30) {
            ++tooSteep;
        }
    }
    EXPECT_EQ(tooSteep, 0);
}

// The baked light at a point of the level's upward faces, read the way the level's shader reads
// it: through the face's light map coordinates into the image loaded bottom row first.
class BakedLightProbe {
public:
    BakedLightProbe() : level(Load("assets/models/Map1.obj")) {
        stbi_set_flip_vertically_on_load(1);
        pixels = stbi_load("assets/textures/Map1_light.png", &width, &height, &channels, 2);
        stbi_set_flip_vertically_on_load(0);
        sunMap = stbi_load("assets/textures/Map1_sun.png", &sunSize, &sunHeight, &channels, 1);
    }
    ~BakedLightProbe() {
        stbi_image_free(pixels);
        stbi_image_free(sunMap);
    }
    bool Ready() const {
        return level.parsed && pixels != nullptr && sunMap != nullptr && sunSize == sunHeight;
    }

    /// Sun visibility and sky visibility (0 to 1) on the upward face at height y under (x, z).
    std::array<float, 2> At(float x, float y, float z) const {
        for (const Triangle& t : level.triangles) {
            const Vec3 n = FaceNormal(t);
            if (n.y < 0.99f || std::fabs(t.positions[0].y - y) > 1e-3f)
                continue;
            // Barycentric coordinates in the x-z plane.
            const Vec3 a = t.positions[0], b = t.positions[1], c = t.positions[2];
            const float d = (b.z - c.z) * (a.x - c.x) + (c.x - b.x) * (a.z - c.z);
            const float wa = ((b.z - c.z) * (x - c.x) + (c.x - b.x) * (z - c.z)) / d;
            const float wb = ((c.z - a.z) * (x - c.x) + (a.x - c.x) * (z - c.z)) / d;
            const float wc = 1.0f - wa - wb;
            if (wa < -1e-4f || wb < -1e-4f || wc < -1e-4f)
                continue;
            const float u = wa * t.uvs[0].x + wb * t.uvs[1].x + wc * t.uvs[2].x;
            const float v = wa * t.uvs[0].y + wb * t.uvs[1].y + wc * t.uvs[2].y;
            const int i = std::clamp(static_cast<int>(u * width), 0, width - 1);
            const int j = std::clamp(static_cast<int>(v * height), 0, height - 1);
            const unsigned char* texel = pixels + (static_cast<size_t>(j) * width + i) * 2;
            return {texel[0] / 255.0f, texel[1] / 255.0f};
        }
        ADD_FAILURE() << "no upward face at (" << x << ", " << y << ", " << z << ")";
        return {0.0f, 0.0f};
    }

    /// The top-down sun map under (x, z): first row at z = -64, 128 units across.
    float SunFromAbove(float x, float z) const {
        const float texel = 128.0f / static_cast<float>(sunSize);
        const int i = std::clamp(static_cast<int>((x + 64.0f) / texel), 0, sunSize - 1);
        const int k = std::clamp(static_cast<int>((z + 64.0f) / texel), 0, sunSize - 1);
        return sunMap[static_cast<size_t>(k) * sunSize + i] / 255.0f;
    }

private:
    LoadedModel level;
    unsigned char* pixels = nullptr;
    unsigned char* sunMap = nullptr;
    int width = 0, height = 0, channels = 0, sunSize = 0, sunHeight = 0;
};

TEST(AssetFilesTest, LightMapShadowsBehindPillarsLightsOpenFloorAndDarkensCorners) {
    const BakedLightProbe probe;
    ASSERT_TRUE(probe.Ready());
    // The plaza's open floor sees the sun and nearly all of the sky.
    const auto open = probe.At(0.3f, 0.0f, 0.4f);
    EXPECT_GT(open[0], 0.95f);
    EXPECT_GT(open[1], 0.9f);
    EXPECT_GT(probe.SunFromAbove(0.3f, 0.4f), 0.95f);
    // The sun shines along (-0.3, -1, -0.5): the pillar at (9, 9), 1.6 wide and 6 high, shades
    // the floor on its north-west side, and the ground just south-east of it is lit.
    const auto behindPillar = probe.At(8.3f, 0.0f, 7.9f);
    EXPECT_LT(behindPillar[0], 0.1f);
    EXPECT_LT(probe.SunFromAbove(8.3f, 7.9f), 0.1f);
    EXPECT_GT(probe.At(10.6f, 0.0f, 10.6f)[0], 0.95f);
    // The terrace (2 high) in the south is lit on top, and its edge shades the floor north of it.
    EXPECT_GT(probe.At(0.0f, 2.0f, 40.0f)[0], 0.95f);
    EXPECT_GT(probe.SunFromAbove(0.0f, 40.0f), 0.95f);
    EXPECT_LT(probe.At(-10.0f, 0.0f, 33.5f)[0], 0.1f);
    // The inner corner of the north and west walls sees far less sky than the open floor,
    // and less than the foot of one wall alone.
    const float corner = probe.At(-62.6f, 0.0f, -62.6f)[1];
    const float wallFoot = probe.At(-30.0f, 0.0f, -62.6f)[1];
    EXPECT_LT(corner, 0.6f * open[1]);
    EXPECT_LT(corner, wallFoot - 0.05f);
    EXPECT_LT(wallFoot, 0.85f * open[1]);
}

TEST(AssetFilesTest, GunPointsAlongZAndStaysInsideItsAtlas) {
    const LoadedModel gun = Load("assets/models/gun.obj");
    ASSERT_TRUE(gun.parsed);
    const float length = gun.max.z - gun.min.z;
    EXPECT_NEAR(length, 1.5f, 0.2f);
    EXPECT_GT(length, 3.0f * (gun.max.x - gun.min.x));
    EXPECT_GT(length, gun.max.y - gun.min.y);
    for (const Triangle& t : gun.triangles) {
        for (const Vec2& uv : t.uvs) {
            ASSERT_GE(uv.x, 0.0f);
            ASSERT_LE(uv.x, 1.0f);
            ASSERT_GE(uv.y, 0.0f);
            ASSERT_LE(uv.y, 1.0f);
        }
    }
}

TEST(AssetFilesTest, GunTexturesDecodeAtAtlasSize) {
    for (const char* path : kTextures) {
        int width = 0;
        int height = 0;
        int channels = 0;
        unsigned char* pixels = stbi_load(path, &width, &height, &channels, 0);
        ASSERT_NE(pixels, nullptr) << path;
        EXPECT_EQ(width, 512) << path;
        EXPECT_EQ(height, 512) << path;
        // One channel becomes a red-only texture and three an RGB one; both read correctly.
        EXPECT_TRUE(channels == 1 || channels == 3) << path << " has " << channels << " channels";
        stbi_image_free(pixels);
    }
}

TEST(AssetFilesTest, GunNormalMapHoldsUnitVectorsFacingOut) {
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load("assets/textures/gun_normal.png", &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    int badLength = 0;
    int facingIn = 0;
    int tilted = 0;
    for (int i = 0; i < width * height; ++i) {
        const Vec3 n{pixels[3 * i] / 127.5f - 1.0f, pixels[3 * i + 1] / 127.5f - 1.0f,
                     pixels[3 * i + 2] / 127.5f - 1.0f};
        badLength += std::fabs(Length(n) - 1.0f) > 0.03f ? 1 : 0;
        facingIn += n.z <= 0.0f ? 1 : 0;
        tilted += n.z < 0.98f ? 1 : 0;
    }
    stbi_image_free(pixels);
    EXPECT_EQ(badLength, 0);
    EXPECT_EQ(facingIn, 0);
    // Some relief is there at all (panel lines, vents, ribs).
    EXPECT_GT(tilted, width * height / 100);
}

TEST(AssetFilesTest, SoundsAreShortUnclippedMono16BitClips) {
    for (const char* path : kSounds) {
        SF_INFO info{};
        SNDFILE* file = sf_open(path, SFM_READ, &info);
        ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
        std::vector<short> samples(static_cast<std::size_t>(info.frames));
        const sf_count_t read = sf_readf_short(file, samples.data(), info.frames);
        sf_close(file);
        EXPECT_EQ(read, info.frames) << path;
        // Mono, or OpenAL could not place it in the arena.
        EXPECT_EQ(info.channels, 1) << path;
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << path;
        EXPECT_GT(info.frames, info.samplerate / 20) << path << " is too short to hear";
        EXPECT_LE(info.frames, 2 * info.samplerate) << path << " is longer than an effect";
        int peak = 0;
        for (short s : samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        // Loud enough to hear, with headroom below full scale: no clipped samples.
        EXPECT_GT(peak, 32767 / 2) << path;
        EXPECT_LT(peak, 32000) << path;
        // Starts and ends near silence: no click when a source starts or stops.
        EXPECT_LT(std::abs(static_cast<int>(samples.front())), 200) << path;
        EXPECT_LT(std::abs(static_cast<int>(samples.back())), 200) << path;
    }
}

TEST(AssetFilesTest, TheArenaSurfacesTileWithoutASeamAndStayPale) {
    for (std::size_t t = 0; t + 1 < kSurfaces.size(); ++t) {
        const char* path = kSurfaces[t];
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load(path, &width, &height, &channels, 3);
        ASSERT_NE(pixels, nullptr) << path;
        ASSERT_GT(width, 16);
        ASSERT_GT(height, 16);
        auto at = [&](int x, int y, int c) { return static_cast<int>(pixels[(y * width + x) * 3 + c]); };
        // Across the wrap (last column to first, last row to first) the step is no larger than
        // between neighbours inside: laid side by side, the copies show no edge.
        auto columnStep = [&](int a, int b) {
            double sum = 0.0;
            for (int y = 0; y < height; ++y)
                sum += std::abs(at(a, y, 1) - at(b, y, 1));
            return sum / height;
        };
        auto rowStep = [&](int a, int b) {
            double sum = 0.0;
            for (int x = 0; x < width; ++x)
                sum += std::abs(at(x, a, 1) - at(x, b, 1));
            return sum / width;
        };
        double inside = 0.0;
        for (int x = 1; x < width; ++x)
            inside += std::max(columnStep(x - 1, x), rowStep(x - 1, x)) / (width - 1);
        // Panels of their own shade meet at the wrap as they meet across the seam in the middle;
        // that seam is the most the wrap may show.
        const double middleColumn = columnStep(width / 2 - 1, width / 2);
        const double middleRow = rowStep(height / 2 - 1, height / 2);
        EXPECT_LT(columnStep(width - 1, 0), std::max(2.0 * inside + 2.0, 1.25 * middleColumn)) << path;
        // The wall's texture is the wall's whole height, kick plate at its foot: it repeats along only.
        if (std::string(path).find("wall") == std::string::npos) {
            EXPECT_LT(rowStep(height - 1, 0), std::max(2.0 * inside + 2.0, 1.25 * middleRow)) << path;
        }
        // The surfaces multiply the lit grey: all but the stripes stay pale, so the arena keeps its light.
        double mean = 0.0;
        for (int i = 0; i < width * height * 3; ++i)
            mean += pixels[i];
        mean /= width * height * 3.0;
        if (std::string(path).find("hazard") == std::string::npos) {
            EXPECT_GT(mean, 185.0) << path;
        }
        stbi_image_free(pixels);
    }
}

TEST(AssetFilesTest, GeneratorReproducesTheCommittedAssetsByteForByte) {
    const fs::path generator = fs::path(KORVANE_BINARY).parent_path() / "korvane_assetgen";
    if (!fs::exists(generator)) {
        GTEST_SKIP() << "korvane_assetgen is not built next to " << KORVANE_BINARY;
    }
    const fs::path scratch =
        fs::temp_directory_path() / ("korvane_assetgen_test_" + std::to_string(getpid()));
    fs::remove_all(scratch);
    for (const char* run : {"first", "second"}) {
        const std::string command = "\"" + generator.string() + "\" \"" + (scratch / run).string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::vector<std::string> files(kModels.begin(), kModels.end());
    files.insert(files.end(), kTextures.begin(), kTextures.end());
    files.insert(files.end(), kLightMaps.begin(), kLightMaps.end());
    files.insert(files.end(), kSounds.begin(), kSounds.end());
    files.insert(files.end(), kSurfaces.begin(), kSurfaces.end());
    for (const std::string& file : files) {
        const std::string relative = file.substr(std::string("assets/").size());
        const std::string first = ReadBytes(scratch / "first" / relative);
        ASSERT_FALSE(first.empty()) << relative;
        // Same bytes on every run, and the committed file is what the generator makes today.
        EXPECT_TRUE(first == ReadBytes(scratch / "second" / relative)) << relative << " differs between runs";
        EXPECT_TRUE(first == ReadBytes(file)) << file << " is stale: run korvane_assetgen assets";
    }
    fs::remove_all(scratch);
}

} // namespace
