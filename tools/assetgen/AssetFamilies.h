#pragma once
// One writer per family of committed assets. Each takes the assets/ directory, writes its files
// under models/, textures/ or sounds/ and returns false after a message on stderr when a file fails.

#include <string>

namespace assetgen {

/// models/Map1.obj: the arena the player, enemies and pickups stand on.
bool WriteLevel(const std::string& assetsDir);
/// models/1ball.obj and 1ball_far.obj (enemy, near and far), models/sphere.obj (pickup orb) and
/// models/monkey.obj.
bool WriteRoundModels(const std::string& assetsDir);
/// models/gun.obj and the five gun textures painted for its UV atlas.
bool WriteGun(const std::string& assetsDir);
/// textures/level_floor.png, level_wall.png, level_block.png and level_hazard.png (tileable
/// surfaces of the arena) and models/Map1_edges.obj (the hazard lips, drawn only).
bool WriteLevelSurfaces(const std::string& assetsDir);
/// sounds/*.wav: the nine effects the game plays, 16-bit mono.
bool WriteSounds(const std::string& assetsDir);
/// The 256 x 256 PNG menu icon, written to `file` (it is installed, not loaded by the game).
bool WriteIcon(const std::string& file);

} // namespace assetgen
