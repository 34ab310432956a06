#include "physics/PhysicsTypes.h"

Vector3 GetUnit(const Vector3& v) {
    const float length = v.length();
    if (length < kVectorEpsilon)
        return v;
    return v / length;
}

Quaternion FromEulerAngles(float angleX, float angleY, float angleZ) {
    // Bullet's yaw/pitch/roll order is R = Ry * Rx * Rz: roll about the local view axis first,
    // then pitch, then the heading, which keeps +Z on the view direction.
    Quaternion q;
    q.setEuler(angleY, angleX, angleZ);
    return q;
}

Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t) {
    return a.slerp(b, t);
}

Mat4 ToOpenGLMatrix(const Transform& transform) {
    Mat4 result;
    transform.getOpenGLMatrix(result.m);
    return result;
}
