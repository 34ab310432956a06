#include "physics/PhysicsCommon.h"

#include "physics/PhysicsTypes.h"
#include "physics/PhysicsWorld.h"

#include <BulletCollision/CollisionShapes/btBvhTriangleMeshShape.h>
#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <BulletCollision/CollisionShapes/btEmptyShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <BulletCollision/CollisionShapes/btTriangleMesh.h>

#include <algorithm>
#include <cassert>

namespace {

class ConvexShape final : public CollisionShape {
public:
    ConvexShape(Kind kind, btCollisionShape* shape) : CollisionShape(kind, shape) {}
};

/// The triangle data must outlive the BVH that points into it, so the mesh is kept here.
class ConcaveMeshShape final : public CollisionShape {
public:
    explicit ConcaveMeshShape(std::unique_ptr<btTriangleMesh> mesh)
        : CollisionShape(Kind::ConcaveMesh, nullptr), triangles(std::move(mesh)) {
        // Bullet cannot build a BVH over no triangles; a mesh without any meets nothing instead.
        if (triangles->getNumTriangles() > 0)
            shape = new btBvhTriangleMeshShape(triangles.get(), true);
        else
            shape = new btEmptyShape();
    }
    ~ConcaveMeshShape() override {
        delete shape;
        shape = nullptr;
    }

private:
    std::unique_ptr<btTriangleMesh> triangles;
};

} // namespace

CollisionShape::~CollisionShape() {
    delete shape;
}

PhysicsCommon::PhysicsCommon() = default;

PhysicsCommon::~PhysicsCommon() {
    // Bodies refer to the shapes, so the worlds (and their bodies) go first.
    worlds.clear();
    shapes.clear();
}

PhysicsWorld* PhysicsCommon::CreatePhysicsWorld(const WorldSettings& settings) {
    worlds.push_back(std::make_unique<PhysicsWorld>(settings));
    return worlds.back().get();
}

void PhysicsCommon::DestroyCollisionShape(CollisionShape* shape) {
    std::erase_if(shapes,
                  [shape](const std::unique_ptr<CollisionShape>& owned) { return owned.get() == shape; });
}

void PhysicsCommon::DestroyPhysicsWorld(PhysicsWorld* world) {
    if (world == nullptr)
        return;
    auto it = std::find_if(worlds.begin(), worlds.end(), [world](const auto& w) { return w.get() == world; });
    assert(it != worlds.end() && "world not made by this PhysicsCommon");
    if (it != worlds.end())
        worlds.erase(it);
}

CollisionShape* PhysicsCommon::CreateSphereShape(float radius) {
    shapes.push_back(std::make_unique<ConvexShape>(CollisionShape::Kind::Sphere, new btSphereShape(radius)));
    return shapes.back().get();
}

CollisionShape* PhysicsCommon::CreateCapsuleShape(float radius, float height) {
    // btCapsuleShape's height is also the distance between the two sphere centres, along Y.
    shapes.push_back(
        std::make_unique<ConvexShape>(CollisionShape::Kind::Capsule, new btCapsuleShape(radius, height)));
    return shapes.back().get();
}

CollisionShape* PhysicsCommon::CreateConcaveMeshShape(const std::vector<Vec3>& positions,
                                                      const std::vector<std::uint32_t>& indices) {
    assert(indices.size() % 3 == 0 && "a triangle mesh takes three indices per triangle");
    auto mesh = std::make_unique<btTriangleMesh>(true, false);
    mesh->preallocateVertices(static_cast<int>(positions.size()));
    for (const Vec3& p : positions)
        mesh->findOrAddVertex(ToVector3(p), false);
    mesh->preallocateIndices(static_cast<int>(indices.size()));
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        const std::uint32_t a = indices[i], b = indices[i + 1], c = indices[i + 2];
        assert(a < positions.size() && b < positions.size() && c < positions.size());
        if (a >= positions.size() || b >= positions.size() || c >= positions.size())
            continue;
        mesh->addTriangleIndices(static_cast<int>(a), static_cast<int>(b), static_cast<int>(c));
    }
    shapes.push_back(std::make_unique<ConcaveMeshShape>(std::move(mesh)));
    return shapes.back().get();
}
