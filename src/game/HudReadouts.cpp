#include "game/HudReadouts.h"

#include "game/GameLoop.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "game/Weapon.h"
#include "ui/TextHandler.h"

#include <cmath>

namespace {
const Vec3 kWhite{1.0f, 1.0f, 1.0f};
constexpr int kHudFont = 1;
} // namespace

std::string FormatCounter(float timeRemaining) {
    const int whole = static_cast<int>(std::floor(timeRemaining));
    const int minutes = static_cast<int>(std::floor(timeRemaining / 60.0f));
    std::string seconds = std::to_string(whole % 60);
    if (seconds.size() == 1)
        seconds = "0" + seconds;
    return std::to_string(minutes) + ":" + seconds;
}

std::string FormatHealth(int health, int maxHealth) {
    return std::to_string(static_cast<long long>(std::floor(static_cast<double>(health)))) + "/" +
           std::to_string(static_cast<long long>(std::floor(static_cast<double>(maxHealth))));
}

void GameLoop::UpdateCounter() {
    text.SetText("counter",
                 TextEntry{FormatCounter(timeRemaining), kHudFont, TopCenter, {0.0f, -20.0f}, kWhite});
}

void GameLoop::UpdateHealth() {
    const PlayerObject* player = GameWorld::GetInstance().GetPlayer();
    text.SetText(
        "health",
        TextEntry{
            FormatHealth(player->health, player->maxHealth), kHudFont, Absolute, {20.0f, 20.0f}, kWhite});
}

void GameLoop::UpdateWeapon() {
    Weapon* weapon = GameWorld::GetInstance().GetPlayer()->GetCurrentWeapon();
    if (weapon == nullptr)
        return;
    text.SetTextBlock("weapon",
                      TextBlock{weapon->GetStats(), kHudFont, BottomRight, {-20.0f, 20.0f}, kWhite});
}
