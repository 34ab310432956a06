#pragma once
// The physics factory: creates worlds and collision shapes and owns every shape it made
// until it is destroyed itself (shapes outlive the bodies that use them).

#include "core/MathTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class btCollisionShape;
class PhysicsWorld;
struct WorldSettings;

/// A collision shape owned by the PhysicsCommon that made it.
class CollisionShape {
public:
    enum class Kind { Sphere, Capsule, ConcaveMesh };
    virtual ~CollisionShape();
    Kind GetKind() const { return kind; }
    btCollisionShape* GetBulletShape() const { return shape; }

protected:
    CollisionShape(Kind kind, btCollisionShape* shape) : kind(kind), shape(shape) {}
    Kind kind;
    btCollisionShape* shape;
};

class PhysicsCommon {
public:
    PhysicsCommon();
    ~PhysicsCommon();
    PhysicsCommon(const PhysicsCommon&) = delete;
    PhysicsCommon& operator=(const PhysicsCommon&) = delete;

    PhysicsWorld* CreatePhysicsWorld(const WorldSettings& settings);
    void DestroyPhysicsWorld(PhysicsWorld* world);

    CollisionShape* CreateSphereShape(float radius);
    /// A capsule along Y: `height` is the straight part between the two half-spheres.
    CollisionShape* CreateCapsuleShape(float radius, float height);
    /// A static triangle mesh; the shape keeps its own copy of the vertices and indices
    /// (three indices per triangle).
    CollisionShape* CreateConcaveMeshShape(const std::vector<Vec3>& positions,
                                           const std::vector<std::uint32_t>& indices);

    /// Releases a shape no collider uses any more; unknown pointers are ignored.
    void DestroyCollisionShape(CollisionShape* shape);
    std::size_t ShapeCount() const { return shapes.size(); }

private:
    std::vector<std::unique_ptr<CollisionShape>> shapes;
    std::vector<std::unique_ptr<PhysicsWorld>> worlds;
};
