#include "game/GunObject.h"

#include "game/GameEvents.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ReadabilitySettings.h"
#include "render/SceneLighting.h"
#include "render/ShaderHandler.h"

#include <cmath>

GunObject::GunObject() : player(GameWorld::GetInstance().GetPlayer()), camera(Camera::GetInstance()) {
    ModelHandler& models = ModelHandler::GetInstance();
    model = models.GetModel(kModelPath);
    body->SetType(BodyType::Static);

    auto pbs = std::make_unique<PBSMaterial>();
    pbs->SetAlbedoTexture(models.GetTexture(kAlbedoPath, false));
    pbs->SetNormalTexture(models.GetTexture(kNormalPath, false));
    pbs->SetMetallicTexture(models.GetTexture(kMetallicPath, false));
    pbs->SetRoughnessTexture(models.GetTexture(kRoughnessPath, false));
    pbs->SetAOTexture(models.GetTexture(kAOPath, false));
    // Lit as the ground around the player, with its lights held in bounds: the gun hangs at the
    // eye, so an orb or a sunlit patch beside it must not turn it neon, nor its shaded side black.
    if (ReadabilitySettings::Current().gunOverScene)
        pbs->uniforms.SetInt("heldLighting", 1);
    material = std::move(pbs);
}

bool GunObject::DrawnOverScene() const {
    return ReadabilitySettings::Current().gunOverScene;
}

void GunObject::Draw() {
    if (!DrawnOverScene()) {
        GameObject::Draw();
        return;
    }
    if (model == nullptr || !shaderHandler.IsUsable(material->program))
        return;
    shaderHandler.SetModel(ToOpenGLMatrix(body->GetTransform()));
    SetObjectLighting(GameWorld::GetInstance().GetPointLights(), ToVec3(player->GetPosition()));
    material->Bind();
    glDepthRange(0.0, kDepthShare);
    model->Draw();
    glDepthRange(0.0, 1.0);
}

void GunObject::Update(float dt) {
    const Vector3 base = player->GetPosition();
    const Vector3 forward = GetUnit(ToVector3(camera.GetForward()));
    const Vector3 up = GetUnit(ToVector3(camera.GetUp()));
    const Vector3 right = GetUnit(forward.cross(up));
    const Vector3 upright = GetUnit(up);
    const Quaternion target = FromEulerAngles(std::asin(-forward.y()), std::atan2(forward.x(), forward.z()),
                                              std::atan2(right.y(), upright.y()));

    const Vector3 side = GetUnit(forward.cross(Vector3(0.0f, 1.0f, 0.0f)));
    const Vector3 position =
        base + side * kRightOffset + forward * kAheadOffset + Vector3(0.0f, kUpOffset, 0.0f);
    orientation = Slerp(orientation, target, kTurnRate * dt);
    const Transform placed = MakeTransform(position, orientation);
    body->SetTransform(placed);
    GameWorld::GetInstance().GetEvents().Add(
        GunMoved{ToVec3(placed * Vector3(0.0f, kMuzzleUp, kMuzzleAhead))});
}
