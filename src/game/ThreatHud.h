#pragma once
// The warnings drawn over the running game: arrows towards close enemies out of view, and
// "Incoming" under the timer in the last second before a wave drops in. Both only read the game.

#include <vector>

class Camera;
class GameLoop;
struct GameObject;

/// Draws the arrows and sets or removes the "incoming" text for this frame.
void DrawThreatHud(const Camera& camera, const std::vector<GameObject*>& objects, const GameLoop& loop);

/// Whether a wave lands within the warning second: `spawnTimer` is the spawner's countdown.
bool WaveIsImminent(float spawnTimer);
