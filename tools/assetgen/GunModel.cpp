#include "GunModel.h"

#include <algorithm>
#include <numeric>

namespace assetgen {

namespace {

constexpr int kGutter = 4; // pixels between charts, so mipmaps do not bleed across surfaces
constexpr int kCylinderSegments = 20;

// A box tilted about the X axis by `pitch` (positive tips its top towards +Z).
struct GunBox {
    Vec3 centre;
    Vec3 half;
    float pitch = 0.0f;
    GunMaterial material = GunMaterial::Steel;
    SurfaceDetail sideDetail = SurfaceDetail::Plain; // on the two faces looking along +-X
};

// A cylinder along +Z around `centre`.
struct GunCylinder {
    Vec3 centre;
    float radius = 0.0f;
    float length = 0.0f;
    GunMaterial material = GunMaterial::Barrel;
    SurfaceDetail sideDetail = SurfaceDetail::Plain;
    SurfaceDetail capDetail = SurfaceDetail::Plain;
};

// Receiver, stock, handguard, pistol grip with trigger and guard, magazine, top rail with a
// scope on two mounts, front sight, charging handle.
const std::vector<GunBox> kBoxes = {
    {{0.0f, 0.0f, -0.10f}, {0.07f, 0.08f, 0.35f}, 0.0f, GunMaterial::Steel, SurfaceDetail::PanelLines},
    {{0.0f, -0.03f, -0.60f}, {0.05f, 0.09f, 0.15f}, 0.0f, GunMaterial::Polymer, SurfaceDetail::Stipple},
    {{0.0f, 0.0f, 0.40f}, {0.06f, 0.065f, 0.15f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Vents},
    {{0.0f, -0.17f, -0.26f}, {0.045f, 0.13f, 0.06f}, 0.3f, GunMaterial::Polymer, SurfaceDetail::Stipple},
    {{0.0f, -0.135f, -0.12f}, {0.015f, 0.008f, 0.075f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Plain},
    {{0.0f, -0.105f, -0.05f}, {0.015f, 0.03f, 0.008f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Plain},
    {{0.0f, -0.10f, -0.13f}, {0.008f, 0.025f, 0.008f}, 0.3f, GunMaterial::Steel, SurfaceDetail::Plain},
    {{0.0f, -0.22f, 0.06f}, {0.035f, 0.16f, 0.055f}, -0.2f, GunMaterial::Magazine, SurfaceDetail::Ribs},
    {{0.0f, 0.095f, -0.08f}, {0.03f, 0.015f, 0.30f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Ribs},
    {{0.0f, 0.12f, -0.22f}, {0.025f, 0.02f, 0.02f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Plain},
    {{0.0f, 0.12f, 0.0f}, {0.025f, 0.02f, 0.02f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Plain},
    {{0.0f, 0.10f, 0.52f}, {0.008f, 0.035f, 0.01f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Plain},
    {{0.085f, 0.03f, 0.05f}, {0.02f, 0.012f, 0.012f}, 0.0f, GunMaterial::Steel, SurfaceDetail::Plain},
};

const std::vector<GunCylinder> kCylinders = {
    // Barrel from the handguard's front to the muzzle brake, then the brake itself.
    {{0.0f, 0.01f, 0.475f}, 0.028f, 0.45f, GunMaterial::Barrel, SurfaceDetail::Plain, SurfaceDetail::Plain},
    {{0.0f, 0.01f, 0.705f}, 0.042f, 0.09f, GunMaterial::Barrel, SurfaceDetail::Ribs, SurfaceDetail::Plain},
    // Scope tube, objective bell, eyepiece.
    {{0.0f, 0.17f, -0.11f}, 0.045f, 0.38f, GunMaterial::Optic, SurfaceDetail::Plain, SurfaceDetail::Plain},
    {{0.0f, 0.17f, 0.08f}, 0.055f, 0.08f, GunMaterial::Optic, SurfaceDetail::Plain, SurfaceDetail::Lens},
    {{0.0f, 0.17f, -0.31f}, 0.05f, 0.06f, GunMaterial::Optic, SurfaceDetail::Ribs, SurfaceDetail::Lens},
};

struct BoxFrame {
    Vec3 x, y, z;
};

BoxFrame FrameOf(const GunBox& box) {
    const float c = std::cos(box.pitch);
    const float s = std::sin(box.pitch);
    return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
}

struct FaceLayout {
    Vec3 origin;
    Vec3 edgeU;
    Vec3 edgeV;
};

// The six faces, each with its u along the part's length where it has one, so panel lines and
// vents run the way the eye expects.
std::vector<FaceLayout> FacesOf(const GunBox& box) {
    const BoxFrame f = FrameOf(box);
    const Vec3 ex = f.x * box.half.x;
    const Vec3 ey = f.y * box.half.y;
    const Vec3 ez = f.z * box.half.z;
    const Vec3 c = box.centre;
    return {
        {c + ex - ez - ey, ez * 2.0f, ey * 2.0f}, // +X
        {c - ex - ez - ey, ez * 2.0f, ey * 2.0f}, // -X
        {c + ey - ex - ez, ex * 2.0f, ez * 2.0f}, // +Y
        {c - ey - ex - ez, ex * 2.0f, ez * 2.0f}, // -Y
        {c + ez - ex - ey, ex * 2.0f, ey * 2.0f}, // +Z
        {c - ez - ex - ey, ex * 2.0f, ey * 2.0f}, // -Z
    };
}

std::vector<AtlasChart> ChartsFor(const GunBox& box) {
    std::vector<AtlasChart> charts;
    int index = 0;
    for (const FaceLayout& face : FacesOf(box)) {
        AtlasChart chart;
        chart.width = Length(face.edgeU);
        chart.height = Length(face.edgeV);
        chart.material = box.material;
        chart.detail = index < 2 ? box.sideDetail : SurfaceDetail::Plain;
        chart.shape = ChartShape::BoxFace;
        chart.facesDown = index == 3;
        charts.push_back(chart);
        ++index;
    }
    return charts;
}

std::vector<AtlasChart> ChartsFor(const GunCylinder& cylinder) {
    AtlasChart side;
    side.width = 2.0f * kPi * cylinder.radius;
    side.height = cylinder.length;
    side.material = cylinder.material;
    side.detail = cylinder.sideDetail;
    side.shape = ChartShape::CylinderSide;
    AtlasChart cap;
    cap.width = cap.height = 2.0f * cylinder.radius;
    cap.material = cylinder.material;
    cap.detail = cylinder.capDetail;
    cap.shape = ChartShape::CylinderCap;
    AtlasChart back = cap;
    back.detail = SurfaceDetail::Plain;
    return {side, cap, back};
}

// Shelf packing, tallest charts first (ties keep their order), at `scale` pixels per unit.
// Returns false when the charts do not fit.
bool Pack(std::vector<AtlasChart>& charts, float scale, int atlasSize) {
    for (AtlasChart& chart : charts) {
        chart.w = std::max(4, static_cast<int>(std::lround(chart.width * scale)));
        chart.h = std::max(4, static_cast<int>(std::lround(chart.height * scale)));
    }
    std::vector<size_t> order(charts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return charts[a].h > charts[b].h; });
    int x = kGutter;
    int y = kGutter;
    int shelfHeight = 0;
    for (size_t i : order) {
        AtlasChart& chart = charts[i];
        if (x + chart.w + kGutter > atlasSize) {
            x = kGutter;
            y += shelfHeight + kGutter;
            shelfHeight = 0;
        }
        if (x + chart.w + kGutter > atlasSize || y + chart.h + kGutter > atlasSize) {
            return false;
        }
        chart.x = x;
        chart.y = y;
        x += chart.w + kGutter;
        shelfHeight = std::max(shelfHeight, chart.h);
    }
    return true;
}

// Chart coordinates (s, t in [0, 1], t up) to texture coordinates. Images are loaded flipped,
// so v = 0 is the bottom row of the image file.
Vec2 AtlasUv(const AtlasChart& chart, int atlasSize, float s, float t) {
    const float size = static_cast<float>(atlasSize);
    return {(chart.x + s * chart.w) / size, 1.0f - (chart.y + (1.0f - t) * chart.h) / size};
}

void EmitBox(MeshBuilder& mesh, const GunBox& box, const AtlasChart* charts, int atlasSize) {
    int index = 0;
    for (const FaceLayout& face : FacesOf(box)) {
        const AtlasChart& chart = charts[index++];
        mesh.AddGridFace(face.origin, face.edgeU, face.edgeV, 1, 1, box.centre,
                         [&](Vec3, float s, float t) { return AtlasUv(chart, atlasSize, s, t); });
    }
}

// Smooth around the tube, flat on the two caps (a fan around each cap's centre).
void EmitCylinder(MeshBuilder& mesh, const GunCylinder& cylinder, const AtlasChart* charts, int atlasSize) {
    const AtlasChart& side = charts[0];
    const AtlasChart& front = charts[1];
    const AtlasChart& back = charts[2];
    const float z0 = cylinder.centre.z - cylinder.length * 0.5f;
    const float z1 = cylinder.centre.z + cylinder.length * 0.5f;
    auto ring = [&](int i, float z) {
        const float angle = 2.0f * kPi * static_cast<float>(i % kCylinderSegments) / kCylinderSegments;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        return Vec3{cylinder.centre.x + cylinder.radius * c, cylinder.centre.y + cylinder.radius * s, z};
    };
    auto radial = [&](int i) {
        const float angle = 2.0f * kPi * static_cast<float>(i % kCylinderSegments) / kCylinderSegments;
        return Vec3{std::cos(angle), std::sin(angle), 0.0f};
    };
    for (int i = 0; i < kCylinderSegments; ++i) {
        const float s0 = static_cast<float>(i) / kCylinderSegments;
        const float s1 = static_cast<float>(i + 1) / kCylinderSegments;
        mesh.AddQuad({ring(i, z0), radial(i), AtlasUv(side, atlasSize, s0, 0.0f)},
                     {ring(i + 1, z0), radial(i + 1), AtlasUv(side, atlasSize, s1, 0.0f)},
                     {ring(i + 1, z1), radial(i + 1), AtlasUv(side, atlasSize, s1, 1.0f)},
                     {ring(i, z1), radial(i), AtlasUv(side, atlasSize, s0, 1.0f)});
    }
    // On the front cap u follows +X; on the back cap it follows -X, keeping both frames
    // right-handed about their outward normals.
    const Vec3 frontCentre{cylinder.centre.x, cylinder.centre.y, z1};
    const Vec3 backCentre{cylinder.centre.x, cylinder.centre.y, z0};
    auto capUv = [&](const AtlasChart& chart, Vec3 n, float mirror) {
        return AtlasUv(chart, atlasSize, 0.5f + 0.5f * n.x * mirror, 0.5f + 0.5f * n.y);
    };
    const Vec3 forward{0, 0, 1};
    const Vec3 backward{0, 0, -1};
    for (int i = 0; i < kCylinderSegments; ++i) {
        mesh.AddTriangle({frontCentre, forward, AtlasUv(front, atlasSize, 0.5f, 0.5f)},
                         {ring(i, z1), forward, capUv(front, radial(i), 1.0f)},
                         {ring(i + 1, z1), forward, capUv(front, radial(i + 1), 1.0f)});
        mesh.AddTriangle({backCentre, backward, AtlasUv(back, atlasSize, 0.5f, 0.5f)},
                         {ring(i + 1, z0), backward, capUv(back, radial(i + 1), -1.0f)},
                         {ring(i, z0), backward, capUv(back, radial(i), -1.0f)});
    }
}

} // namespace

GunModel BuildGunModel(int atlasSize) {
    GunModel model;
    for (const GunBox& box : kBoxes) {
        for (const AtlasChart& chart : ChartsFor(box)) {
            model.charts.push_back(chart);
        }
    }
    for (const GunCylinder& cylinder : kCylinders) {
        for (const AtlasChart& chart : ChartsFor(cylinder)) {
            model.charts.push_back(chart);
        }
    }
    // The densest texel scale that still fits, searched in whole pixels per unit.
    int scale = atlasSize * 2;
    while (scale > 1 && !Pack(model.charts, static_cast<float>(scale), atlasSize)) {
        --scale;
    }
    model.pixelsPerUnit = static_cast<float>(scale);

    const AtlasChart* next = model.charts.data();
    for (const GunBox& box : kBoxes) {
        EmitBox(model.mesh, box, next, atlasSize);
        next += 6;
    }
    for (const GunCylinder& cylinder : kCylinders) {
        EmitCylinder(model.mesh, cylinder, next, atlasSize);
        next += 3;
    }
    return model;
}

} // namespace assetgen
