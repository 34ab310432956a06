#pragma once
// Small value types for rendering: tightly packed vectors and a column-major 4x4 matrix,
// laid out exactly as GL expects them in uniforms and vertex buffers.

#include <cmath>

inline constexpr float kTwoPi = 6.2831855f;
inline constexpr float kDegreesToRadians = 0.017453292f;

struct Vec2 {
    float x = 0.0f, y = 0.0f;
};

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct Vec4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

inline float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}
inline Vec3 Normalize(const Vec3& v) {
    float len = Length(v);
    return len > 0.0f ? v * (1.0f / len) : v;
}

/// Column-major 4x4 matrix: m[column * 4 + row], the layout glUniformMatrix4fv takes unchanged.
struct Mat4 {
    float m[16] = {0};

    float& At(int column, int row) { return m[column * 4 + row]; }
    float At(int column, int row) const { return m[column * 4 + row]; }

    static Mat4 Identity() {
        Mat4 r;
        r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
        return r;
    }

    Mat4 operator*(const Mat4& b) const {
        Mat4 r;
        for (int c = 0; c < 4; ++c)
            for (int row = 0; row < 4; ++row) {
                float sum = 0.0f;
                for (int k = 0; k < 4; ++k)
                    sum += At(k, row) * b.At(c, k);
                r.At(c, row) = sum;
            }
        return r;
    }
};
