#pragma once
// Who meets whom in the physics world: the category bit of each kind of collider and the
// categories each kind collides with. Two colliders meet only when each one's category is in
// the other's mask, so a trigger that should notice only the player needs nothing more.

#include <cstdint>

namespace CollisionCategory {

/// The player's capsule.
inline constexpr std::uint16_t kPlayer = 0x0001;
/// Enemies' and pickups' spheres, solid and trigger alike.
inline constexpr std::uint16_t kSphere = 0x0002;
/// Used by no object; the capsule and the enemies' balls still collide with it.
inline constexpr std::uint16_t kUnused = 0x0004;
/// The level mesh.
inline constexpr std::uint16_t kLevel = 0x0010;
/// A ray that may hit anything.
inline constexpr std::uint16_t kAll = 0xFFFF;

/// The capsule stands on the level and bumps into spheres; it never meets another capsule.
inline constexpr std::uint16_t kPlayerMask = kSphere | kUnused | kLevel;
/// Enemy sensors and pickups: only the player sets them off.
inline constexpr std::uint16_t kTriggerMask = kPlayer;
/// An enemy's solid ball meets the player, other enemies and the level.
inline constexpr std::uint16_t kEnemyBodyMask = kPlayer | kSphere | kUnused | kLevel;

static_assert(kPlayerMask == 0x0016 && kEnemyBodyMask == 0x0017);

} // namespace CollisionCategory
