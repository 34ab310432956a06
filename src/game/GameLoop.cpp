#include "game/GameLoop.h"

#include "core/InputHandler.h"
#include "game/CoolEventListener.h"
#include "game/EnemySpawner.h"
#include "game/GameEvents.h"
#include "game/GamePause.h"
#include "game/GameWorld.h"
#include "game/GunObject.h"
#include "game/HudReadouts.h"
#include "game/Level.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "game/Weapon.h"
#include "physics/RigidBody.h"
#include "render/Lights.h"
#include "ui/TextHandler.h"

#include <cmath>

namespace {

constexpr float kMessageSeconds = 5.0f;
const Vector3 kPlayerStart = ToVector3(Level::kPlayerStart);
const Vec3 kLevelLightAttenuation{1.0f, 0.05f, 0.001f};

TextEntry MessageEntry(const char* text) {
    return TextEntry{text, kLargeFont, Center, {0.0f, 80.0f}, kTextWhite};
}

/// The line under "You Win" or "You Died": the kills and the length of the game just played,
/// below the crosshair so that neither hides the other.
TextEntry SummaryEntry(int kills, float secondsPlayed) {
    return TextEntry{FormatGameSummary(kills, secondsPlayed), kSmallFont, Center, {0.0f, -60.0f}, kTextWhite};
}

} // namespace

GameLoop& GameLoop::GetInstance() {
    static GameLoop instance;
    return instance;
}

GameLoop::GameLoop() : text(TextHandler::GetInstance()), input(InputHandler::GetInstance()) {}

GameLoop::~GameLoop() = default;

void GameLoop::Init() {
    text.SetText("header", TextEntry{"korvane", kLargeFont, Center, {0.0f, 160.0f}, kTextWhite});
    text.SetText("start", TextEntry{"Press Space to Start", kSmallFont, Center, {0.0f, -250.0f}, kTextWhite});
    text.SetTextBlock("controls",
                      TextBlock{{"Objective: Survive 5 minutes", "Controls:", "WASD - Move", "Space - Jump",
                                 "Left Click - Shoot", "F1 - Toggle Fullscreen", "Escape - Quit"},
                                kSmallFont,
                                Center,
                                {0.0f, 50.0f},
                                kTextWhite});
    text.SetCrosshairVisible(false);
    input.RegisterAction(Action::Start, [this] { OnStartPressed(); });
    GamePause::GetInstance().Init();
}

void GameLoop::OnStartPressed() {
    if (started)
        return;
    text.RemoveText("start");
    text.RemoveText("header");
    text.RemoveTextBlock("controls");
    text.RemoveText("best");
    started = true;
    startPending = true;
    text.SetCrosshairVisible(true);
}

void GameLoop::Update(float dt) {
    ReadEvents();
    if (!started) {
        PlayerObject* player = GameWorld::GetInstance().GetPlayer();
        player->SetPosition(kPlayerStart);
        player->body->SetLinearVelocity(Vector3(0.0f, 0.0f, 0.0f));
    } else if (startPending) {
        StartNewGame();
    } else {
        TickRunningGame(dt);
    }
}

void GameLoop::StartNewGame() {
    GameWorld& world = GameWorld::GetInstance();
    world.ResetForNewGame();
    PlayerObject* player = world.GetPlayer();
    player->health = player->maxHealth;
    player->SetPosition(kPlayerStart);
    timeRemaining = gameDuration;
    kills = 0;
    endReported = false;
    UpdateKills();
    // A game that starts while "You Win" still shows (the player died during it) must not be
    // thrown away when that message runs out: the pending win restart is cancelled.
    if (winMessageTimer > 0.0f) {
        winMessageTimer = 0.0f;
        text.RemoveText("win");
        text.RemoveText("winSummary");
    }
    LoadLevel();
    world.GetEvents().Add(GameStarted{});

    auto newListener = std::make_unique<CoolEventListener>(player, &world);
    world.SetEventListener(newListener.get());
    listener = std::move(newListener);
    spawner = std::make_unique<EnemySpawner>(player);
    startPending = false;
}

void GameLoop::TickRunningGame(float dt) {
    timeRemaining -= dt;
    if (timeRemaining < 0.0f)
        timeRemaining = 0.0f;
    if (std::floor(timeRemaining) != std::floor(timeRemaining + dt))
        UpdateCounter();
    if (timeRemaining == 0.0f && winMessageTimer == 0.0f) {
        text.SetText("win", MessageEntry("You Win"));
        text.SetText("winSummary", SummaryEntry(kills, gameDuration - timeRemaining));
        GameWorld::GetInstance().GetEvents().Add(GameWon{});
        ReportGameEnd();
        winMessageTimer = kMessageSeconds;
    }
    if (winMessageTimer > 0.0f) {
        winMessageTimer -= dt;
        if (winMessageTimer <= 0.0f) {
            winMessageTimer = 0.0f;
            text.RemoveText("win");
            text.RemoveText("winSummary");
            startPending = true;
        }
    }
    if (deathMessageTimer > 0.0f) {
        deathMessageTimer -= dt;
        if (deathMessageTimer <= 0.0f) {
            text.RemoveText("death");
            text.RemoveText("deathSummary");
        }
    }
    UpdateWeapon();
    UpdateHealth();
    spawner->Update(dt);
    listener->Update();
}

void GameLoop::ReadEvents() {
    for (GameEvent& event : GameWorld::GetInstance().GetEvents().TakeUnread()) {
        if (std::holds_alternative<EnemyKilled>(event)) {
            OnEnemyKilled();
        } else if (auto* death = std::get_if<PlayerDied>(&event)) {
            // A fall is reported on every step below the limit until the next game: one death, one sound.
            death->endsGame = !startPending;
            if (death->endsGame)
                ReportGameEnd();
            OnPlayerDeath(true);
        }
    }
}

void GameLoop::OnPlayerDeath(bool showMessage) {
    startPending = true;
    if (showMessage) {
        text.SetText("death", MessageEntry("You Died"));
        text.SetText("deathSummary", SummaryEntry(kills, gameDuration - timeRemaining));
        deathMessageTimer = kMessageSeconds;
    }
}

void GameLoop::ReportGameEnd() {
    // A death on the start screen (a fall before the first game) ends no game.
    if (!started || endReported)
        return;
    endReported = true;
    if (onGameEnded)
        onGameEnded(gameDuration - timeRemaining, kills);
}

void GameLoop::SetStartScreenLine(const std::optional<std::string>& line) {
    if (started)
        return;
    if (line)
        text.SetText("best", TextEntry{*line, kSmallFont, Center, {0.0f, -210.0f}, kTextWhite});
    else
        text.RemoveText("best");
}

void GameLoop::OnEnemyKilled() {
    // Enemies cleared away by the start of a new game were never shot down.
    if (!started || startPending)
        return;
    ++kills;
}

void GameLoop::UpdateCounter() {
    text.SetText("counter",
                 TextEntry{FormatCounter(timeRemaining), kSmallFont, TopCenter, {0.0f, -20.0f}, kTextWhite});
}

void GameLoop::UpdateKills() {
    text.SetText("kills",
                 TextEntry{FormatKills(kills), kSmallFont, TopCenter, {kKillsOffset, -20.0f}, kTextWhite});
}

void GameLoop::UpdateHealth() {
    const PlayerObject* player = GameWorld::GetInstance().GetPlayer();
    text.SetText("health", TextEntry{FormatHealth(player->health, player->maxHealth),
                                     kSmallFont,
                                     Absolute,
                                     {20.0f, 20.0f},
                                     kTextWhite});
}

void GameLoop::UpdateWeapon() {
    Weapon* weapon = GameWorld::GetInstance().GetPlayer()->GetCurrentWeapon();
    if (weapon == nullptr)
        return;
    text.SetTextBlock("weapon",
                      TextBlock{weapon->GetStats(), kSmallFont, BottomRight, {-20.0f, 20.0f}, kTextWhite});
}

void GameLoop::LoadLevel() {
    new Level();
    new GunObject();
    for (const Vec3& spot : Level::kPickupSpots)
        new PickupObject(ToVector3(spot));

    // The reset has already taken the previous game's lights out of the world's list.
    levelLights.clear();
    for (const Level::Lamp& lamp : Level::kLamps)
        levelLights.push_back(
            std::make_unique<PointLight>(PointLight{lamp.colour, lamp.position, kLevelLightAttenuation}));
    for (auto& light : levelLights)
        GameWorld::GetInstance().AddPointLight(light.get());
}

void GameLoop::Release() {
    GameWorld::GetInstance().SetEventListener(nullptr);
    listener.reset();
    spawner.reset();
    levelLights.clear();
}
