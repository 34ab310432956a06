#pragma once
// Math shared by the game and the physics layer: Bullet's single-precision vectors,
// quaternions and transforms, plus the few helpers the gameplay code relies on.

#include "core/MathTypes.h"

#include <LinearMath/btQuaternion.h>
#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

using Vector3 = btVector3;
using Quaternion = btQuaternion;
using Transform = btTransform;

/// Single-precision machine epsilon; the threshold below which vectors are left unnormalised.
inline constexpr float kVectorEpsilon = 1.1920929e-7f;

/// The unit vector of v, or v unchanged when its length is below kVectorEpsilon.
Vector3 GetUnit(const Vector3& v);
/// Rotation by angleX about X, angleY about Y and angleZ about Z, composed so that the
/// local +Z axis ends up along (sin Y cos X, -sin X, cos Y cos X): the gun's view alignment.
Quaternion FromEulerAngles(float angleX, float angleY, float angleZ);
/// Spherical interpolation from a to b by t (t = 0 gives a, 1 gives b).
Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t);
/// Column-major matrix: rotation in the upper 3x3, position in the fourth column, no scale.
Mat4 ToOpenGLMatrix(const Transform& transform);
inline Transform MakeTransform(const Vector3& position,
                               const Quaternion& orientation = Quaternion::getIdentity()) {
    return Transform(orientation, position);
}

inline Vec3 ToVec3(const Vector3& v) {
    return {v.x(), v.y(), v.z()};
}
inline Vector3 ToVector3(const Vec3& v) {
    return {v.x, v.y, v.z};
}
