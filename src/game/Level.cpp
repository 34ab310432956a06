#include "game/Level.h"

#include "game/CollisionCategories.h"
#include "physics/RigidBody.h"
#include "render/GraphicsSettings.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"

#include <iostream>

Level::Level() {
    model = ModelHandler::GetInstance().GetModel(kModelPath);
    if (GraphicsSettings::Current().lightMap)
        material = std::make_unique<LevelMaterial>();
    body->SetType(BodyType::Static);
    AddMeshCollider();
    SetCollisionCategoryBits(CollisionCategory::kLevel);
}

void Level::TakeDamage(float) {
    std::cout << "Level hit" << std::endl;
}
