#include "game/Level.h"

#include "game/CollisionCategories.h"
#include "physics/RigidBody.h"
#include "render/ModelHandler.h"

#include <iostream>

Level::Level() {
    model = ModelHandler::GetInstance().GetModel(kModelPath);
    body->SetType(BodyType::Static);
    AddMeshCollider();
    SetCollisionCategoryBits(CollisionCategory::kLevel);
}

void Level::Update(float) {}

void Level::TakeDamage(float) {
    std::cout << "Level hit" << std::endl;
}
