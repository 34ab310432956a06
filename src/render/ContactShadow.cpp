#include "render/ContactShadow.h"

#include <algorithm>
#include <cmath>

std::optional<ContactShadow> ContactShadow::Under(const Vec3& objectCentre, float objectRadius,
                                                  const Vec3& surfacePoint, const Vec3& surfaceNormal) {
    const float gap = std::max(objectCentre.y - surfacePoint.y - objectRadius, 0.0f);
    if (!(gap < kFadeHeight))
        return std::nullopt;
    const float rise = gap / kFadeHeight;
    const float fade = 1.0f - rise;
    ContactShadow shadow;
    shadow.centre = surfacePoint;
    shadow.normal = surfaceNormal;
    shadow.radius = objectRadius * kRadiusScale * (1.0f + 0.5f * rise);
    // Squared, so that the blob thins out quickly once the ball leaves the ground.
    shadow.opacity = kMaxOpacity * fade * fade;
    return shadow;
}

void AppendContactShadowQuad(std::vector<ContactShadowVertex>& vertices, const ContactShadow& shadow) {
    // Any axis not along the normal gives the plane's two directions.
    const Vec3 n = shadow.normal;
    const Vec3 helper = std::fabs(n.y) < 0.9f ? Vec3{0.0f, 1.0f, 0.0f} : Vec3{1.0f, 0.0f, 0.0f};
    const Vec3 u = Normalize(Cross(helper, n)) * shadow.radius;
    const Vec3 v = Cross(n, u);
    const auto corner = [&](float a, float b) {
        return ContactShadowVertex{shadow.centre + u * a + v * b, {a, b}, shadow.opacity};
    };
    const ContactShadowVertex c00 = corner(-1.0f, -1.0f), c10 = corner(1.0f, -1.0f), c11 = corner(1.0f, 1.0f),
                              c01 = corner(-1.0f, 1.0f);
    vertices.insert(vertices.end(), {c00, c10, c11, c00, c11, c01});
}
