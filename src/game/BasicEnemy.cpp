#include "game/BasicEnemy.h"

#include "game/CollisionCategories.h"
#include "game/GameWorld.h"
#include "physics/RigidBody.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ReadabilitySettings.h"
#include "render/Texture.h"

#include <string>

BasicEnemy::BasicEnemy(const Vector3& position, float chaseForce, float health) : chaseForce(chaseForce) {
    this->health = static_cast<std::int32_t>(health);
    name = "BasicEnemy" + std::to_string(GameWorld::GetInstance().GetObjectCounter());
    model = models.GetModel(kModelPath);
    farModel = models.GetModel(kFarModelPath);
    farModelDistance = kFarModelDistance;
    body->SetTransform(MakeTransform(position));

    AddSphereCollider(kSensorRadius, Transform::getIdentity(), true, CollisionCategory::kSphere,
                      CollisionCategory::kTriggerMask);
    AddSphereCollider(kBodyRadius, Transform::getIdentity(), false, CollisionCategory::kSphere,
                      CollisionCategory::kEnemyBodyMask);

    auto skin = std::make_unique<BasicMaterial>();
    skin->SetDiffuseTexture(GradientTexture::GetInstance().handle);
    if (ReadabilitySettings::Current().enemyPattern)
        skin->uniforms.SetInt("ballPattern", 1);
    material = std::move(skin);
}

void BasicEnemy::Update(float) {
    const Vector3 p = target->GetPosition();
    const Vector3 e = GetPosition();
    Vector3 direction(p.x() - e.x(), kUpwardShare, p.z() - e.z());
    const float length = direction.length();
    if (length > kVectorEpsilon)
        direction /= length;
    const Vector3 force = chaseForce * direction;
    if (force.length2() >= kVectorEpsilon)
        ApplyForce(force);

    const Vector3 velocity = body->GetLinearVelocity();
    const Vector3 against(-velocity.x(), 0.0f, -velocity.z());
    const float speed = against.length();
    if (speed < kStopSpeed) {
        body->SetLinearVelocity(Vector3(0.0f, velocity.y(), 0.0f));
        return;
    }
    ApplyForce(brakingForce * against / speed);
}
