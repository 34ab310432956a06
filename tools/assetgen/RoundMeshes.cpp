// The smooth, round models: the enemy ball, the pickup orb and a small stylised monkey head.

#include "AssetFamilies.h"
#include "MeshBuilder.h"

namespace assetgen {

namespace {

// The enemy's solid collider is a sphere of radius 1, so its mesh must match it exactly.
constexpr float kEnemyRadius = 1.0f;
// Pickups are placed at floor height, so the orb is lifted by its radius to rest on the floor
// instead of sinking half into it; every point of it stays within the pickup's 1.1 trigger
// sphere around the placement point.
constexpr float kPickupRadius = 0.5f;
constexpr float kPickupLift = kPickupRadius;

struct Ellipsoid {
    Vec3 centre;
    Vec3 radii;
    int segments = 32;
    int rings = 16;
};

// Latitude-longitude mesh with smooth normals. u runs once around the equator, eastwards seen
// from above (so that u, v and the outward normal are right-handed), v from the south pole (0)
// to the north pole (1); the seam at u = 0 and u = 1 repeats its positions.
void AddEllipsoid(MeshBuilder& mesh, const Ellipsoid& shape) {
    auto corner = [&](int segment, int ring) {
        const float u = static_cast<float>(segment) / shape.segments;
        const float v = static_cast<float>(ring) / shape.rings;
        const float longitude = u * 2.0f * kPi;
        const float latitude = -0.5f * kPi + v * kPi;
        // Exact values at the poles and around the seam keep the mesh watertight.
        const float cosLat = (ring == 0 || ring == shape.rings) ? 0.0f : std::cos(latitude);
        const float sinLat = ring == 0 ? -1.0f : (ring == shape.rings ? 1.0f : std::sin(latitude));
        const float cosLon = (segment == 0 || segment == shape.segments) ? 1.0f : std::cos(longitude);
        const float sinLon = (segment == 0 || segment == shape.segments) ? 0.0f : std::sin(longitude);
        const Vec3 unit{cosLat * cosLon, sinLat, -cosLat * sinLon};
        const Vec3 r = shape.radii;
        const Vec3 position = shape.centre + Vec3{unit.x * r.x, unit.y * r.y, unit.z * r.z};
        const Vec3 normal = Normalize({unit.x / r.x, unit.y / r.y, unit.z / r.z});
        return Corner{position, normal, {u, v}};
    };
    for (int ring = 0; ring < shape.rings; ++ring) {
        for (int segment = 0; segment < shape.segments; ++segment) {
            const Corner a = corner(segment, ring);
            const Corner b = corner(segment + 1, ring);
            const Corner c = corner(segment + 1, ring + 1);
            const Corner d = corner(segment, ring + 1);
            if (ring == 0) {
                Corner pole = a;
                pole.uv.u = (a.uv.u + b.uv.u) * 0.5f;
                mesh.AddTriangle(pole, c, d);
            } else if (ring == shape.rings - 1) {
                Corner pole = c;
                pole.uv.u = (c.uv.u + d.uv.u) * 0.5f;
                mesh.AddTriangle(a, b, pole);
            } else {
                mesh.AddQuad(a, b, c, d);
            }
        }
    }
}

// Facing +Z: a round head with a wide muzzle, two flat ears and two eyes.
void AddMonkeyHead(MeshBuilder& mesh) {
    AddEllipsoid(mesh, {{0.0f, 0.0f, 0.0f}, {0.5f, 0.52f, 0.48f}, 24, 12});
    AddEllipsoid(mesh, {{0.0f, -0.14f, 0.33f}, {0.33f, 0.22f, 0.2f}, 20, 10});
    AddEllipsoid(mesh, {{-0.52f, 0.06f, -0.02f}, {0.18f, 0.2f, 0.07f}, 16, 8});
    AddEllipsoid(mesh, {{0.52f, 0.06f, -0.02f}, {0.18f, 0.2f, 0.07f}, 16, 8});
    AddEllipsoid(mesh, {{-0.17f, 0.12f, 0.4f}, {0.09f, 0.1f, 0.07f}, 12, 6});
    AddEllipsoid(mesh, {{0.17f, 0.12f, 0.4f}, {0.09f, 0.1f, 0.07f}, 12, 6});
}

} // namespace

bool WriteRoundModels(const std::string& assetsDir) {
    const std::string models = assetsDir + "/models/";

    MeshBuilder ball;
    const Vec3 enemyRadii{kEnemyRadius, kEnemyRadius, kEnemyRadius};
    AddEllipsoid(ball, {{0, 0, 0}, enemyRadii, 32, 16});
    bool ok = ball.WriteObj(models + "1ball.obj", "1ball", "enemy ball, radius 1");

    MeshBuilder farBall;
    AddEllipsoid(farBall, {{0, 0, 0}, enemyRadii, 16, 8});
    ok = farBall.WriteObj(models + "1ball_far.obj", "1ball_far", "enemy ball seen from afar, radius 1") && ok;

    MeshBuilder orb;
    const Vec3 pickupRadii{kPickupRadius, kPickupRadius, kPickupRadius};
    AddEllipsoid(orb, {{0, kPickupLift, 0}, pickupRadii, 24, 12});
    ok = orb.WriteObj(models + "sphere.obj", "sphere", "pickup orb") && ok;

    MeshBuilder monkey;
    AddMonkeyHead(monkey);
    ok = monkey.WriteObj(models + "monkey.obj", "monkey", "stylised monkey head") && ok;
    return ok;
}

} // namespace assetgen
