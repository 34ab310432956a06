#pragma once
// The base of everything in the world: one rigid body with its colliders, an optional mesh
// and a material, integer health, a name, weapons and the point lights it carries. Objects
// register themselves on construction and free themselves in Destroy().

#include "core/MathTypes.h"
#include "physics/PhysicsTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ShaderHandler;
class ShaderMaterial;
class Mesh;
class RigidBody;
class Collider;
class CollisionShape;
class Weapon;
struct PointLight;

struct GameObject {
    GameObject();
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    virtual void Update(float dt);
    /// Removes the object from the world with its body, material and lights and frees it.
    virtual void Destroy();
    /// Prints "Damage <name> by <amount>", truncates health, destroys at 0 or below.
    virtual void TakeDamage(float amount);

    /// Draws the mesh with the body's transform; nothing without a model.
    virtual void Draw();
    /// True for what is drawn over the finished scene (the gun) rather than with the world.
    virtual bool DrawnOverScene() const { return false; }
    /// The mesh to draw seen from `eye`: `farModel` from `farModelDistance` on, else `model`.
    const Mesh* MeshSeenFrom(const Vec3& eye) const;

    Collider* AddCapsuleCollider(float radius, float height, const Transform& local);
    Collider* AddSphereCollider(float radius, const Transform& local, bool isTrigger,
                                std::uint16_t categoryBits, std::uint16_t maskBits);
    /// A concave collider of the model's mesh; null (and nothing added) without a model.
    Collider* AddMeshCollider();
    void SetCollisionCategoryBits(std::uint16_t bits);
    void SetCollideWithMaskBits(std::uint16_t bits);
    /// Moves the body, keeping its orientation.
    void SetPosition(const Vector3& p);
    Vector3 GetPosition() const;
    void ApplyForce(const Vector3& force);
    /// The weapon in use, or null when the index is outside the list.
    Weapon* GetCurrentWeapon();
    /// The light shines while this object exists and is released with it.
    void AttachPointLight(PointLight* light);

    ShaderHandler& shaderHandler;
    std::unique_ptr<ShaderMaterial> material;
    std::int32_t maxHealth = 100;
    std::int32_t health = maxHealth;
    std::int32_t currentWeapon = 0;
    std::vector<std::unique_ptr<Weapon>> weapons;
    RigidBody* body = nullptr;
    std::vector<Collider*> colliders;
    std::string name = "GameObject";
    Mesh* model = nullptr;
    /// A coarser mesh of the same shape for when the object is far from the camera (or null):
    /// small triangles cost a software renderer as much as their pixels.
    Mesh* farModel = nullptr;
    float farModelDistance = 0.0f;
    /// Lit per pixel by every point light rather than by the few strongest at its origin: for
    /// a surface as wide as the arena, where the origin says nothing about what lights it.
    bool litByEveryLight = false;
    std::vector<PointLight*> pointLights;
    std::vector<CollisionShape*> shapes;
    /// The concave shape AddMeshCollider made for this object, released with it.
    CollisionShape* meshShape = nullptr;

protected:
    friend class GameWorld;
    /// Objects end only through Destroy(), which deletes them (or the world's cleanup at exit).
    virtual ~GameObject();
};
