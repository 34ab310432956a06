#include "game/PickupObject.h"

#include "game/CollisionCategories.h"
#include "physics/RigidBody.h"
#include "render/Lights.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"

#include <iostream>

PickupObject::PickupObject(const Vector3& position) {
    model = ModelHandler::GetInstance().GetModel(kModelPath);

    auto orb = std::make_unique<AnimatedMaterial>();
    SetSolidColor(*orb, kOrbRed, kOrbGreen, kOrbBlue);
    material = std::move(orb);

    // The light stays where the pickup was made: a pickup never moves.
    AttachPointLight(new PointLight{kLightColor, ToVec3(position), kLightAttenuation});

    body->SetType(BodyType::Static);
    SetPosition(position);
    name = kName;
    AddSphereCollider(kTriggerRadius, Transform::getIdentity(), true, CollisionCategory::kSphere,
                      CollisionCategory::kTriggerMask);
}

void PickupObject::TakeDamage(float) {
    std::cout << "pickup hit" << std::endl;
}
