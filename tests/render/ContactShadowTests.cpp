// The blob under a ball: where it lies, how it fades as the ball rises, and the quad it is
// drawn with.
#include "render/ContactShadow.h"

#include <gtest/gtest.h>

namespace {

constexpr float kRadius = 1.0f;
const Vec3 kFloorPoint{3.0f, 0.0f, -2.0f};
const Vec3 kUp{0.0f, 1.0f, 0.0f};

/// The blob of a unit ball whose bottom is `gap` above the floor point.
std::optional<ContactShadow> AtGap(float gap) {
    return ContactShadow::Under(kFloorPoint + Vec3{0.0f, kRadius + gap, 0.0f}, kRadius, kFloorPoint, kUp);
}

} // namespace

TEST(ContactShadow, LiesOnTheSurfaceBelowAndFadesOutAsTheBallRises) {
    // A ball resting on the floor casts the darkest blob, centred on the floor point below it.
    const std::optional<ContactShadow> resting = AtGap(0.0f);
    ASSERT_TRUE(resting.has_value());
    EXPECT_EQ(resting->centre, kFloorPoint);
    EXPECT_EQ(resting->normal, kUp);
    EXPECT_FLOAT_EQ(resting->opacity, ContactShadow::kMaxOpacity);
    EXPECT_GT(resting->radius, kRadius) << "the blob shows around the ball's foot";
    // A ball pushed into the floor counts as resting.
    EXPECT_FLOAT_EQ(AtGap(-kRadius)->opacity, ContactShadow::kMaxOpacity);

    // Higher up the blob grows lighter and wider at every step, and still lies on the floor.
    float lastOpacity = resting->opacity;
    float lastRadius = resting->radius;
    for (float gap = 0.5f; gap < ContactShadow::kFadeHeight; gap += 0.5f) {
        const std::optional<ContactShadow> shadow = AtGap(gap);
        ASSERT_TRUE(shadow.has_value()) << gap;
        EXPECT_LT(shadow->opacity, lastOpacity) << gap;
        EXPECT_GT(shadow->opacity, 0.0f) << gap;
        EXPECT_GT(shadow->radius, lastRadius) << gap;
        EXPECT_EQ(shadow->centre, kFloorPoint) << gap;
        lastOpacity = shadow->opacity;
        lastRadius = shadow->radius;
    }
    // From the fade height on there is no blob at all.
    EXPECT_FALSE(AtGap(ContactShadow::kFadeHeight).has_value());
    EXPECT_FALSE(AtGap(40.0f).has_value());
}

TEST(ContactShadow, TheQuadLiesInTheSurfaceAndFacesAwayFromIt) {
    // A ramp rising towards +x: the blob must lie along the slope, not flat through it.
    const Vec3 normal = Normalize(Vec3{-1.0f, 2.0f, 0.0f});
    ContactShadow shadow;
    shadow.centre = {1.0f, 2.0f, 3.0f};
    shadow.normal = normal;
    shadow.radius = 1.5f;
    shadow.opacity = 0.4f;
    // Straight up and straight down are the cases where a helper axis could be parallel.
    for (const Vec3& n : {normal, kUp, Vec3{0.0f, -1.0f, 0.0f}}) {
        shadow.normal = n;
        std::vector<ContactShadowVertex> vertices;
        AppendContactShadowQuad(vertices, shadow);
        ASSERT_EQ(vertices.size(), 6u);
        for (const ContactShadowVertex& vertex : vertices) {
            const Vec3 offset = vertex.position - shadow.centre;
            EXPECT_NEAR(Dot(offset, n), 0.0f, 1e-5f);
            // Each corner is the radius out along both of the quad's axes.
            EXPECT_NEAR(Length(offset), shadow.radius * std::sqrt(2.0f), 1e-5f);
            EXPECT_NEAR(std::fabs(vertex.local.x), 1.0f, 1e-6f);
            EXPECT_NEAR(std::fabs(vertex.local.y), 1.0f, 1e-6f);
            EXPECT_FLOAT_EQ(vertex.opacity, 0.4f);
        }
        // Both triangles wind counter-clockwise seen from the normal's side, so back-face
        // culling keeps them for a camera above the surface.
        for (int t = 0; t < 2; ++t) {
            const Vec3 a = vertices[3 * t].position, b = vertices[3 * t + 1].position,
                       c = vertices[3 * t + 2].position;
            EXPECT_GT(Dot(Cross(b - a, c - a), n), 0.0f) << "triangle " << t;
        }
    }
}
