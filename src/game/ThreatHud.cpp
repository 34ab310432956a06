#include "game/ThreatHud.h"

#include "game/Enemy.h"
#include "game/EnemySpawner.h"
#include "game/GameLoop.h"
#include "render/Camera.h"
#include "render/ReadabilitySettings.h"
#include "ui/TextHandler.h"
#include "ui/ThreatMarkers.h"

namespace {

constexpr float kWarningSeconds = 1.0f;
constexpr const char* kIncomingKey = "incoming";
// Under the time left and the kill count, which stand 20 px below the top.
constexpr float kIncomingOffset = -64.0f;
constexpr Vec3 kIncomingColour{1.0f, 0.55f, 0.3f};

} // namespace

bool WaveIsImminent(float spawnTimer) {
    return spawnTimer > 0.0f && spawnTimer <= kWarningSeconds;
}

void DrawThreatHud(const Camera& camera, const std::vector<GameObject*>& objects, const GameLoop& loop) {
    const ReadabilitySettings& settings = ReadabilitySettings::Current();
    TextHandler& text = TextHandler::GetInstance();
    const bool playing = loop.started && !loop.startPending;
    const EnemySpawner* spawner = loop.GetSpawner();
    if (settings.waveWarning && playing && spawner != nullptr && WaveIsImminent(spawner->spawnTimer))
        text.SetText(kIncomingKey,
                     TextEntry{"Incoming", kSmallFont, TopCenter, {0.0f, kIncomingOffset}, kIncomingColour});
    else
        text.RemoveText(kIncomingKey);

    if (!settings.threatMarkers || !playing || !text.IsEnabled())
        return;
    std::vector<Vec3> enemies;
    for (const GameObject* object : objects)
        if (dynamic_cast<const Enemy*>(object) != nullptr)
            enemies.push_back(ToVec3(object->GetPosition()));
    if (enemies.empty())
        return;
    ThreatView view;
    view.eye = camera.GetPosition();
    view.forward = camera.GetForward();
    view.up = camera.GetUp();
    view.fovDegrees = camera.fov;
    view.width = static_cast<float>(text.Width());
    view.height = static_cast<float>(text.Height());
    DrawThreatMarkers(PlaceThreatMarkers(view, enemies), text.Width(), text.Height());
}
