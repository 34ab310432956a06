#pragma once
// Collects faces whose every corner carries a position, a normal and a texture coordinate, and
// writes them as a byte-stable Wavefront file. Shared by every mesh the generator makes.

#include <cmath>
#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec2 {
    float u = 0.0f;
    float v = 0.0f;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Normalize(Vec3 a) {
    const float len = Length(a);
    return len > 0.0f ? a * (1.0f / len) : a;
}

constexpr float kPi = 3.14159265358979f;

struct Corner {
    Vec3 position;
    Vec3 normal;
    Vec2 uv;
};

class MeshBuilder {
public:
    /// Corners in counter-clockwise order as seen from the side the face is lit from.
    void AddTriangle(const Corner& a, const Corner& b, const Corner& c);
    /// A planar convex quad, corners counter-clockwise as seen from outside.
    void AddQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d);

    /// A flat rectangle origin + s*edgeU + t*edgeV (s, t in [0, 1]) cut into a grid of
    /// `cellsU` x `cellsV` quads with one shared face normal. The winding is chosen so that the
    /// face looks away from `inside`, a point within the solid the face bounds (the U edge is
    /// reversed to turn it). `uvAt(point, s, t)` gives the texture coordinate of a grid point.
    template <typename UvFn>
    void AddGridFace(Vec3 origin, Vec3 edgeU, Vec3 edgeV, int cellsU, int cellsV, Vec3 inside, UvFn uvAt);

    /// The triangle count once quads are split, as the game's loader will see it.
    int TriangleCount() const;
    bool Empty() const { return faces.empty(); }
    /// The faces as added (triangles and quads), corners in their drawing order.
    const std::vector<std::vector<Corner>>& Faces() const { return faces; }

    /// Writes `v`, `vt`, `vn` and `f v/vt/vn` lines with fixed formatting; identical corners
    /// share one line. Returns false (after a message on stderr) when the file cannot be written.
    bool WriteObj(const std::string& path, const std::string& objectName, const std::string& about) const;

private:
    std::vector<std::vector<Corner>> faces;
};

template <typename UvFn>
void MeshBuilder::AddGridFace(Vec3 origin, Vec3 edgeU, Vec3 edgeV, int cellsU, int cellsV, Vec3 inside,
                              UvFn uvAt) {
    // Running the U edge backwards turns the face over and keeps (U, V, normal) right-handed,
    // which tangent-space normal maps rely on.
    const Vec3 centre = origin + edgeU * 0.5f + edgeV * 0.5f;
    if (Dot(Cross(edgeU, edgeV), centre - inside) < 0.0f) {
        origin = origin + edgeU;
        edgeU = edgeU * -1.0f;
    }
    const Vec3 normal = Normalize(Cross(edgeU, edgeV));
    for (int j = 0; j < cellsV; ++j) {
        for (int i = 0; i < cellsU; ++i) {
            const float s0 = static_cast<float>(i) / cellsU;
            const float s1 = static_cast<float>(i + 1) / cellsU;
            const float t0 = static_cast<float>(j) / cellsV;
            const float t1 = static_cast<float>(j + 1) / cellsV;
            auto corner = [&](float s, float t) {
                const Vec3 p = origin + edgeU * s + edgeV * t;
                return Corner{p, normal, uvAt(p, s, t)};
            };
            AddQuad(corner(s0, t0), corner(s1, t0), corner(s1, t1), corner(s0, t1));
        }
    }
}

} // namespace assetgen
