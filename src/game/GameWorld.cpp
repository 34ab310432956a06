#include "game/GameWorld.h"

#include "audio/AudioService.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "game/CollisionCategories.h"
#include "game/CombatFeedback.h"
#include "game/ContactShadowCasters.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GamePause.h"
#include "game/GameSounds.h"
#include "game/Level.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "game/ThreatHud.h"
#include "physics/PhysicsWorld.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"
#include "render/ContactShadowRenderer.h"
#include "render/DebugView.h"
#include "render/LevelSurfaces.h"
#include "render/Lights.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ParticleRegistry.h"
#include "render/ReadabilitySettings.h"
#include "render/SceneLighting.h"
#include "render/SceneTarget.h"
#include "render/ShaderHandler.h"
#include "render/SkyRenderer.h"
#include "render/Texture.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <algorithm>
#include <chrono>
#include <iostream>

namespace {

// Forty times the default pull, and finite: a huge gravity would turn positions into NaN.
constexpr float kGravityLimit = 1000.0f;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

/// Adds the time since `start` to `slot` when profiling; `drain` first waits for the GPU so
/// that a drawing phase is charged with its own work.
void Charge(FrameProfile* profile, double FrameProfile::*slot, double& start, bool drain) {
    if (profile == nullptr)
        return;
    if (drain)
        glFinish();
    const double now = Now();
    profile->*slot += now - start;
    start = now;
}

} // namespace

GameWorld& GameWorld::GetInstance() {
    static GameWorld instance;
    return instance;
}

GameWorld::GameWorld()
    : shaders(ShaderHandler::GetInstance()), input(InputHandler::GetInstance()),
      camera(Camera::GetInstance()), config(ConfigHandler::GetInstance()),
      models(ModelHandler::GetInstance()), text(TextHandler::GetInstance()),
      gameLoop(GameLoop::GetInstance()), particles(ParticleRegistry::GetInstance()),
      showCollision(config.GetBool("Debug.showCollisionAtStart", false)) {}

GameWorld::~GameWorld() = default;

void GameWorld::Init() {
    ReadabilitySettings::Current().Load(config);
    BasicProgram();
    DebugProgram();
    // Everything the first game, its waves, orbs and bursts will draw with is built now, so that
    // starting a game or spawning neither compiles a program nor creates a texture mid-play.
    AnimatedProgram();
    PBSProgram();
    SkyRenderer::GetInstance().Prepare(shaders);
    ContactShadowRenderer::GetInstance().Prepare();
    SolidTextures::GetInstance().Prepare();
    SolidTextures::GetInstance().Get(PickupObject::kOrbRed, PickupObject::kOrbGreen, PickupObject::kOrbBlue);
    GradientTexture::GetInstance();
    particles.Prepare();
    models.LoadAll();
    LevelSurfaces::GetInstance().Prepare();
    AudioService::GetInstance().Init();
    camera.Init();

    WorldSettings settings;
    settings.gravity =
        Vector3(0.0f, -config.GetFloatInRange("Physics.gravity", 25.0f, -kGravityLimit, kGravityLimit), 0.0f);
    physicsWorld = physicsCommon.CreatePhysicsWorld(settings);

    InitDebugRenderer();
    player = new PlayerObject();
    gameLoop.Init();
    CombatFeedback::GetInstance().Prepare();
    directionalLight = new DirectionalLight{kSunColour, kSunDirection};
    PrepareSceneLighting(config);
    std::cout << "Game world initialized..." << std::endl;
}

void GameWorld::InitDebugRenderer() {
    physicsWorld->SetIsDebugRenderingEnabled(showCollision);
    input.RegisterAction(Action::CollisionView, [this] { ToggleCollisionView(); });
}

void GameWorld::ToggleCollisionView() {
    showCollision = !showCollision;
    physicsWorld->SetIsDebugRenderingEnabled(showCollision);
}

void GameWorld::Update(float dt) {
    // Shots are fired between frames: their kills are in the game's count before anything else of
    // the frame happens, and before the frame's checkpoint even when no step runs in it.
    gameLoop.ReadEvents();
    // A paused game banks no time: resuming must not catch up on the pause in a burst of steps.
    if (!GamePause::GetInstance().IsPaused()) {
        accumulator += dt;
        const double start = Now();
        while (accumulator >= kFixedStep) {
            Step();
            accumulator -= kFixedStep;
        }
        lastStepsSeconds = Now() - start;
        // The view turns after the steps, as it always has: they walk and aim along the last view.
        const ViewTurn turn = input.TakeTurn();
        camera.ApplyTurn(turn.yaw, turn.pitch);
    }
    PresentEvents();
}

void GameWorld::PresentEvents() {
    const std::vector<GameEvent>& happened = events.All();
    CombatFeedback::GetInstance().Present(happened);
    PlayGameSounds(happened);
    if (std::any_of(happened.begin(), happened.end(),
                    [](const GameEvent& event) { return std::holds_alternative<EnemyKilled>(event); }))
        gameLoop.UpdateKills();
    events.EndFrame();
}

void GameWorld::Step() {
    double start = profile ? Now() : 0.0;
    // By index: an update may not add objects, but this stays sound if one ever does.
    for (std::size_t i = 0; i < objects.size(); ++i)
        objects[i]->Update(kFixedStep);

    // Destroying removes from the live list and a dying enemy may add a pickup, so walk a copy.
    const std::vector<GameObject*> snapshot = objects;
    for (GameObject* object : snapshot) {
        if (std::find(objects.begin(), objects.end(), object) == objects.end())
            continue;
        if (object->GetPosition().y() < kFallOutHeight)
            object->Destroy();
    }

    Charge(profile, &FrameProfile::gameplay, start, false);
    physicsWorld->Update(kFixedStep);
    Charge(profile, &FrameProfile::physics, start, false);
    gameLoop.Update(kFixedStep);
    Charge(profile, &FrameProfile::gameplay, start, false);
    if (profile)
        ++profile->steps;
    ++stepCount;
}

void GameWorld::Draw(float frameDt) {
    double start = profile ? Now() : 0.0;
    // While paused the picture holds still: the orbs' bobbing, the bursts and the effects wait.
    const float dt = GamePause::GetInstance().IsPaused() ? 0.0f : frameDt;
    shaders.BeginFrame(dt);
    SceneTarget& target = SceneTarget::GetInstance();
    target.BeginScene();
    CombatFeedback::GetInstance().BeginFrame(camera);
    camera.Update();
    AudioService::GetInstance().UpdateListener(camera.GetPosition(), camera.GetForward(), camera.GetUp());
    shaders.SetLights(*directionalLight, pointLights);
    UpdateSceneLighting(models.GetModel(Level::kModelPath), pointLights, camera.GetPosition());
    // The world's objects are opaque: blending them would only make a software renderer read back
    // every sample they cover.
    glDisable(GL_BLEND);
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (!objects[i]->DrawnOverScene())
            objects[i]->Draw();
    glEnable(GL_BLEND);
    // Blobs and sky go after the opaque scene: blobs blend over what lies below them, and the
    // sky shades only the pixels the scene left at the far plane.
    if (ContactShadowRenderer::IsEnabled())
        ContactShadowRenderer::GetInstance().Draw(shaders, FindContactShadows(objects, *physicsWorld));
    if (gameLoop.started)
        SkyRenderer::GetInstance().Draw(shaders, camera.GetDrawnForward(), camera.fov, camera.aspect);
    glDisable(GL_BLEND);
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (objects[i]->DrawnOverScene())
            objects[i]->Draw();
    glEnable(GL_BLEND);
    Charge(profile, &FrameProfile::scene, start, true);
    particles.Update(dt);
    CombatFeedback::GetInstance().DrawInScene();
    Charge(profile, &FrameProfile::particles, start, true);
    // What follows lies over the scene and keeps the window's own resolution.
    target.EndScene();
    Charge(profile, &FrameProfile::present, start, true);
    CombatFeedback::GetInstance().DrawOverScene(camera);
    CombatFeedback::GetInstance().Advance(dt);
    DrawThreatHud(camera, objects, gameLoop);
    text.Draw();
    Charge(profile, &FrameProfile::text, start, true);
    if (showCollision && !physicsWorld->GetDebugLineVertices().empty()) {
        glClear(GL_DEPTH_BUFFER_BIT);
        DebugView::GetInstance().Draw(shaders, physicsWorld->GetDebugLineVertices());
    }
    Charge(profile, &FrameProfile::collisionView, start, true);
}

void GameWorld::Cleanup() {
    // Whatever still lives at exit is released quietly: no "Destroying" lines after the window closed.
    for (GameObject* object : objects)
        delete object;
    objects.clear();
    events.Clear();
    CombatFeedback::GetInstance().Reset();
    player = nullptr;
    pointLights.clear();
    gameLoop.Release();
    delete directionalLight;
    directionalLight = nullptr;
    physicsCommon.DestroyPhysicsWorld(physicsWorld);
    physicsWorld = nullptr;
    particles.Clear();
    AudioService::GetInstance().Release();
}

void GameWorld::AddObject(GameObject* object) {
    objects.push_back(object);
    ++objectCounter;
}

void GameWorld::RemoveObject(GameObject* object) {
    std::erase(objects, object);
}

void GameWorld::AddPointLight(PointLight* light) {
    pointLights.push_back(light);
}

void GameWorld::RemovePointLight(PointLight* light) {
    std::erase(pointLights, light);
}

RigidBody* GameWorld::CreateRigidBody(const Transform& transform) {
    return physicsWorld->CreateRigidBody(transform);
}

void GameWorld::DestroyRigidBody(RigidBody* body) {
    physicsWorld->DestroyRigidBody(body);
}

GameObject* GameWorld::FindObjectByBody(const RigidBody* body) const {
    for (GameObject* object : objects)
        if (object->body == body)
            return object;
    return nullptr;
}

void GameWorld::Raycast(const Ray& ray, RaycastCallback* callback) {
    physicsWorld->Raycast(ray, callback, CollisionCategory::kAll);
}

void GameWorld::ResetForNewGame() {
    const std::vector<GameObject*> snapshot = objects;
    resetting = true;
    for (GameObject* object : snapshot) {
        if (IsPlayer(object) || std::find(objects.begin(), objects.end(), object) == objects.end())
            continue;
        object->Destroy();
    }
    resetting = false;
    pointLights.clear();
    objectCounter = 1;
}

void GameWorld::SetEventListener(EventListener* listener) {
    physicsWorld->SetEventListener(listener);
}

bool GameWorld::IsPlayer(const GameObject* object) const {
    return player != nullptr && object == static_cast<const GameObject*>(player);
}
