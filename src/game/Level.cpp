#include "game/Level.h"

#include "game/CollisionCategories.h"
#include "game/GameWorld.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"
#include "render/GraphicsSettings.h"
#include "render/LevelSurfaces.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"

#include <iostream>

Level::Level() {
    model = ModelHandler::GetInstance().GetModel(kModelPath);
    if (GraphicsSettings::Current().lightMap)
        material = std::make_unique<LevelMaterial>();
    else
        litByEveryLight = true;
    body->SetType(BodyType::Static);
    AddMeshCollider();
    SetCollisionCategoryBits(CollisionCategory::kLevel);
}

void Level::Draw() {
    // The lips first: the level's own draw leaves its transform as the last one set.
    LevelSurfaces::GetInstance().DrawEdges(GameWorld::GetInstance().GetPointLights(),
                                           Camera::GetInstance().GetPosition());
    GameObject::Draw();
}

void Level::TakeDamage(float) {
    std::cout << "Level hit" << std::endl;
}
