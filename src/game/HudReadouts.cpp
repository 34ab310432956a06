#include "game/HudReadouts.h"

#include <cmath>

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

std::string FormatKills(int kills) {
    return "Kills: " + std::to_string(kills);
}

std::string FormatGameSummary(int kills, float secondsPlayed) {
    return std::to_string(kills) + (kills == 1 ? " kill in " : " kills in ") + FormatCounter(secondsPlayed);
}
