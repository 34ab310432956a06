#include "game/GameObject.h"

#include "game/GameWorld.h"
#include "game/Weapon.h"
#include "physics/Collider.h"
#include "physics/PhysicsCommon.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"
#include "render/Lights.h"
#include "render/Materials.h"
#include "render/Mesh.h"
#include "render/SceneLighting.h"
#include "render/ShaderHandler.h"

#include <iostream>

GameObject::GameObject()
    : shaderHandler(ShaderHandler::GetInstance()), material(std::make_unique<BasicMaterial>()) {
    GameWorld& world = GameWorld::GetInstance();
    // The name takes the counter before the world counts this object in.
    name = "GameObject" + std::to_string(world.GetObjectCounter());
    world.AddObject(this);
    body = world.CreateRigidBody(MakeTransform(Vector3(0, 0, 0)));
}

GameObject::~GameObject() {
    // Only reached with lights still attached when the world releases what lives at exit.
    for (PointLight* light : pointLights)
        delete light;
}

void GameObject::Update(float) {}

void GameObject::Destroy() {
    GameWorld& world = GameWorld::GetInstance();
    world.RemoveObject(this);
    world.DestroyRigidBody(body);
    body = nullptr;
    colliders.clear();
    // Shapes made for this object serve nothing once its body is gone; kept, a new level and
    // every enemy of every game would pile up in the physics factory over a long session.
    PhysicsCommon& physics = world.GetPhysicsCommon();
    for (CollisionShape* shape : shapes)
        physics.DestroyCollisionShape(shape);
    shapes.clear();
    if (meshShape != nullptr) {
        if (model != nullptr && model->concaveShape == meshShape)
            model->concaveShape = nullptr;
        physics.DestroyCollisionShape(meshShape);
        meshShape = nullptr;
    }
    material.reset();
    for (PointLight* light : pointLights) {
        world.RemovePointLight(light);
        delete light;
    }
    pointLights.clear();
    std::cout << "Destroying " << name << std::endl;
    delete this;
}

void GameObject::TakeDamage(float amount) {
    std::cout << "Damage " << name << " by " << amount << std::endl;
    health = static_cast<std::int32_t>(static_cast<float>(health) - amount);
    if (health <= 0)
        Destroy();
}

void GameObject::Draw() {
    if (model == nullptr || !shaderHandler.IsUsable(material->program))
        return;
    shaderHandler.SetModel(ToOpenGLMatrix(body->GetTransform()));
    if (litByEveryLight)
        SetEveryLightLighting();
    else
        SetObjectLighting(GameWorld::GetInstance().GetPointLights(), ToVec3(GetPosition()));
    material->Bind();
    MeshSeenFrom(Camera::GetInstance().GetPosition())->Draw();
}

const Mesh* GameObject::MeshSeenFrom(const Vec3& eye) const {
    if (farModel == nullptr || model == nullptr)
        return model;
    return Length(ToVec3(GetPosition()) - eye) >= farModelDistance ? farModel : model;
}

Collider* GameObject::AddCapsuleCollider(float radius, float height, const Transform& local) {
    CollisionShape* shape = GameWorld::GetInstance().GetPhysicsCommon().CreateCapsuleShape(radius, height);
    Collider* collider = body->AddCollider(shape, local);
    colliders.push_back(collider);
    shapes.push_back(shape);
    return collider;
}

Collider* GameObject::AddSphereCollider(float radius, const Transform& local, bool isTrigger,
                                        std::uint16_t categoryBits, std::uint16_t maskBits) {
    CollisionShape* shape = GameWorld::GetInstance().GetPhysicsCommon().CreateSphereShape(radius);
    Collider* collider = body->AddCollider(shape, local);
    colliders.push_back(collider);
    collider->SetIsTrigger(isTrigger);
    collider->SetCollisionCategoryBits(categoryBits);
    collider->SetCollideWithMaskBits(maskBits);
    shapes.push_back(shape);
    return collider;
}

Collider* GameObject::AddMeshCollider() {
    if (model == nullptr)
        return nullptr;
    // The physics factory owns the shape; the mesh only remembers the one last built from it.
    meshShape =
        GameWorld::GetInstance().GetPhysicsCommon().CreateConcaveMeshShape(model->positions, model->indices);
    model->concaveShape = meshShape;
    Collider* collider = body->AddCollider(meshShape, Transform::getIdentity());
    colliders.push_back(collider);
    return collider;
}

void GameObject::SetCollisionCategoryBits(std::uint16_t bits) {
    for (Collider* collider : colliders)
        collider->SetCollisionCategoryBits(bits);
}

void GameObject::SetCollideWithMaskBits(std::uint16_t bits) {
    for (Collider* collider : colliders)
        collider->SetCollideWithMaskBits(bits);
}

void GameObject::SetPosition(const Vector3& p) {
    Transform transform = body->GetTransform();
    transform.setOrigin(p);
    body->SetTransform(transform);
}

Vector3 GameObject::GetPosition() const {
    return body->GetTransform().getOrigin();
}

void GameObject::ApplyForce(const Vector3& force) {
    body->ApplyWorldForceAtCenterOfMass(force);
}

Weapon* GameObject::GetCurrentWeapon() {
    if (currentWeapon < 0 || static_cast<std::size_t>(currentWeapon) >= weapons.size())
        return nullptr;
    return weapons[static_cast<std::size_t>(currentWeapon)].get();
}

void GameObject::AttachPointLight(PointLight* light) {
    pointLights.push_back(light);
    GameWorld::GetInstance().AddPointLight(light);
}
