#pragma once
// What play sounds like: each event of the frame asks for its own sound, from where it happened;
// the start, the win and the death are heard around the player.

#include "game/GameEvents.h"

#include <vector>

void PlayGameSounds(const std::vector<GameEvent>& events);
