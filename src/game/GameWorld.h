#pragma once
// The hub of the running game: the physics world with its fixed 1/60 s step, the list of
// every live object and of the point lights, the events of play, and the order in which a
// frame is drawn.

#include "game/GameEvents.h"
#include "physics/PhysicsCommon.h"
#include "physics/PhysicsTypes.h"
#include "physics/Raycast.h"

#include <cstdint>
#include <vector>

class ShaderHandler;
class InputHandler;
class Camera;
class ConfigHandler;
class ModelHandler;
class TextHandler;
class GameLoop;
class ParticleRegistry;
class PhysicsWorld;
class RigidBody;
class EventListener;
struct GameObject;
struct PlayerObject;
struct DirectionalLight;
struct PointLight;

/// Where the time of the last frames went, in seconds; filled only while a profile is attached
/// (the benchmark does), with the GL pipeline drained between the drawing phases.
struct FrameProfile {
    double physics = 0.0;
    double gameplay = 0.0;
    double scene = 0.0;
    double particles = 0.0;
    /// Putting the scene onto the window: resolve, post pass, scaling.
    double present = 0.0;
    double text = 0.0;
    double collisionView = 0.0;
    int steps = 0;
};

class GameWorld {
public:
    static GameWorld& GetInstance();

    /// Programs, particle buffers, preloaded assets and sounds, camera, physics world, collision view,
    /// player, start screen and the directional light, then "Game world initialized...".
    void Init();
    /// Runs as many fixed steps as the accumulated time allows (no cap), then mouse look; then
    /// the feedback, sounds and HUD take the frame's events and the list is emptied.
    void Update(float dt);
    /// One fixed step: object updates, the fall-out pass, the physics step, the game flow.
    void Step();
    void Draw(float dt);
    /// Frees what is left of the game without a word, destroys the physics world and lets the
    /// sound device go.
    void Cleanup();

    void AddObject(GameObject* object);
    void RemoveObject(GameObject* object);
    void AddPointLight(PointLight* light);
    void RemovePointLight(PointLight* light);
    RigidBody* CreateRigidBody(const Transform& transform);
    void DestroyRigidBody(RigidBody* body);
    /// The first object of the list whose body is `body`, or null.
    GameObject* FindObjectByBody(const RigidBody* body) const;
    /// Casts through every collision category.
    void Raycast(const Ray& ray, RaycastCallback* callback);
    /// Destroys every object but the player (enemies dying here leave no pickup), empties the
    /// point lights, restarts the names at 1.
    void ResetForNewGame();
    void SetEventListener(EventListener* listener);
    void ToggleCollisionView();

    PlayerObject* GetPlayer() const { return player; }
    bool IsPlayer(const GameObject* object) const;
    std::uint64_t GetObjectCounter() const { return objectCounter; }
    PhysicsCommon& GetPhysicsCommon() { return physicsCommon; }
    PhysicsWorld* GetPhysicsWorld() const { return physicsWorld; }
    const std::vector<GameObject*>& GetObjects() const { return objects; }
    const std::vector<PointLight*>& GetPointLights() const { return pointLights; }
    bool IsCollisionViewOn() const { return showCollision; }
    float GetAccumulator() const { return accumulator; }
    /// Wall seconds the fixed steps of the last Update took, and nothing else: the mouse look
    /// after them asks the window system, which can stall while a window is being resized.
    double GetLastStepsSeconds() const { return lastStepsSeconds; }
    /// Fixed steps run since start-up.
    std::uint64_t GetStepCount() const { return stepCount; }
    /// The length of one physics step, in seconds of game time.
    float GetFixedStep() const { return kFixedStep; }
    GameEvents& GetEvents() { return events; }
    /// True while ResetForNewGame destroys the last game's objects.
    bool IsResetting() const { return resetting; }
    /// Where the following steps and draws charge their time; null (the default) measures nothing.
    void SetProfile(FrameProfile* frameProfile) { profile = frameProfile; }

    static constexpr float kFallOutHeight = -50.0f;
    /// Fixed steps per second of game time: the rate everything in play, and every demo, runs at.
    static constexpr int kStepsPerSecond = 60;
    static constexpr float kFixedStep = 1.0f / kStepsPerSecond;

private:
    GameWorld();
    ~GameWorld();
    void InitDebugRenderer();
    void PresentEvents();

    ShaderHandler& shaders;
    InputHandler& input;
    Camera& camera;
    ConfigHandler& config;
    ModelHandler& models;
    TextHandler& text;
    GameLoop& gameLoop;
    ParticleRegistry& particles;
    PlayerObject* player = nullptr;
    std::uint64_t objectCounter = 0;
    std::vector<GameObject*> objects;
    DirectionalLight* directionalLight = nullptr;
    std::vector<PointLight*> pointLights;
    PhysicsCommon physicsCommon;
    PhysicsWorld* physicsWorld = nullptr;
    bool showCollision;
    FrameProfile* profile = nullptr;
    float accumulator = 0.0f;
    double lastStepsSeconds = 0.0;
    std::uint64_t stepCount = 0;
    bool resetting = false;
    GameEvents events;
};
