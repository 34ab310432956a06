#pragma once
// Text of the in-game readouts: time left, kills, health and the end-of-game summary.

#include <string>

/// Minutes and two-digit seconds of the time left: 299.98 reads "4:59", 9 reads "0:09".
std::string FormatCounter(float timeRemaining);
/// "health/maxHealth", e.g. "100/100".
std::string FormatHealth(int health, int maxHealth);
/// "Kills: 3".
std::string FormatKills(int kills);
/// The line under the win or death message: "1 kill in 0:42", "12 kills in 5:00".
std::string FormatGameSummary(int kills, float secondsPlayed);
