#pragma once
// Text of the in-game readouts: time left, health and the weapon's figures.

#include <string>

/// Minutes and two-digit seconds of the time left: 299.98 reads "4:59", 9 reads "0:09".
std::string FormatCounter(float timeRemaining);
/// "health/maxHealth", e.g. "100/100".
std::string FormatHealth(int health, int maxHealth);
