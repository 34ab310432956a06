#include "physics/PhysicsTypes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.z(), expected.z(), tolerance);
}

TEST(PhysicsMath, UnitVectorLeavesTinyVectorsAlone) {
    ExpectNear(GetUnit(Vector3(3, 0, 4)), Vector3(0.6f, 0, 0.8f));
    // Below the epsilon the vector comes back as it was, not blown up or turned into NaN.
    const Vector3 tiny(1e-8f, 0, 0);
    EXPECT_EQ(GetUnit(tiny), tiny);
    EXPECT_EQ(GetUnit(Vector3(0, 0, 0)), Vector3(0, 0, 0));
}

TEST(PhysicsMath, EulerAnglesAlignLocalZWithTheViewDirection) {
    // The gun's recipe: pitch asin(-F.y), heading atan2(F.x, F.z) must turn +Z onto F.
    const Vector3 views[] = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-0.3f, 0.5f, 0.8f}, {0.6f, -0.7f, -0.2f}};
    for (Vector3 f : views) {
        f = GetUnit(f);
        const Quaternion q = FromEulerAngles(std::asin(-f.y()), std::atan2(f.x(), f.z()), 0.7f);
        ExpectNear(quatRotate(q, Vector3(0, 0, 1)), f);
    }
}

TEST(PhysicsMath, EulerAnglesComposeHeadingThenPitchThenRoll) {
    // R = Ry * Rx * Rz: roll about the local view axis is applied first, heading last.
    const float x = 0.4f, y = -1.1f, z = 0.9f;
    const Quaternion expected =
        Quaternion(Vector3(0, 1, 0), y) * Quaternion(Vector3(1, 0, 0), x) * Quaternion(Vector3(0, 0, 1), z);
    const Quaternion q = FromEulerAngles(x, y, z);
    for (const Vector3& v : {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1)})
        ExpectNear(quatRotate(q, v), quatRotate(expected, v));
}

TEST(PhysicsMath, SlerpTurnsHalfWayPerStep) {
    // The gun chases a 90 degree turn: 45 degrees behind after one half-way step, 22.5 after two.
    const Quaternion target(Vector3(0, 1, 0), kPi / 2);
    Quaternion q = Quaternion::getIdentity();
    q = Slerp(q, target, 0.5f);
    EXPECT_NEAR(q.angleShortestPath(target), kPi / 4, 1e-5f);
    q = Slerp(q, target, 0.5f);
    EXPECT_NEAR(q.angleShortestPath(target), kPi / 8, 1e-5f);
    EXPECT_NEAR(Slerp(Quaternion::getIdentity(), target, 1.0f).angleShortestPath(target), 0.0f, 1e-3f);
}

TEST(PhysicsMath, OpenGLMatrixIsColumnMajorWithPositionInLastColumn) {
    const Mat4 m = ToOpenGLMatrix(MakeTransform(Vector3(1, 2, 3), Quaternion(Vector3(0, 0, 1), kPi / 2)));
    // Column 0 is the rotated X axis, which a quarter turn about Z points along +Y.
    EXPECT_NEAR(m.At(0, 0), 0.0f, 1e-6f);
    EXPECT_NEAR(m.At(0, 1), 1.0f, 1e-6f);
    EXPECT_NEAR(m.At(1, 0), -1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(m.At(3, 0), 1.0f);
    EXPECT_FLOAT_EQ(m.At(3, 1), 2.0f);
    EXPECT_FLOAT_EQ(m.At(3, 2), 3.0f);
    EXPECT_FLOAT_EQ(m.At(3, 3), 1.0f);
    EXPECT_FLOAT_EQ(m.At(0, 3), 0.0f);
    EXPECT_FLOAT_EQ(m.At(2, 2), 1.0f);
}

} // namespace
