#pragma once
// A contact shadow: the soft dark blob a ball or orb casts on the surface right below it,
// darkest while the object rests on the surface and gone once it is high enough above it.

#include "core/MathTypes.h"

#include <optional>
#include <vector>

struct ContactShadow {
    /// Where the blob lies: the point of the surface straight below the object.
    Vec3 centre;
    /// The surface's unit normal there; the blob lies in the surface's plane.
    Vec3 normal{0.0f, 1.0f, 0.0f};
    float radius = 1.0f;
    /// 0 (invisible) to kMaxOpacity.
    float opacity = 0.0f;

    /// Darkness at the blob's centre for an object touching the surface.
    static constexpr float kMaxOpacity = 0.6f;
    /// Gap between the object's bottom and the surface at which the blob has faded out.
    static constexpr float kFadeHeight = 4.0f;
    /// The blob's radius over the object's for an object touching the surface: wide enough to
    /// show around the foot of a ball seen from eye height. It widens by half as it fades, like
    /// a penumbra growing with distance.
    static constexpr float kRadiusScale = 1.5f;

    /// The blob of a ball of `objectRadius` around `objectCentre` over the surface point
    /// `surfacePoint` with unit normal `surfaceNormal`, or none when the ball's bottom is
    /// kFadeHeight or more above it. A ball sunk into the surface counts as touching it.
    static std::optional<ContactShadow> Under(const Vec3& objectCentre, float objectRadius,
                                              const Vec3& surfacePoint, const Vec3& surfaceNormal);
};

/// One corner of a blob's quad as the shadow program reads it: position, position within the
/// blob (-1 to 1 on both axes) and the blob's opacity.
struct ContactShadowVertex {
    Vec3 position;
    Vec2 local;
    float opacity;
};
static_assert(sizeof(ContactShadowVertex) == 24, "shadow vertices are tightly packed floats");

/// Appends the blob's quad as two triangles, counter-clockwise seen from the normal's side.
void AppendContactShadowQuad(std::vector<ContactShadowVertex>& vertices, const ContactShadow& shadow);
