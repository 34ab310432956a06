#pragma once
// The game's one source of random numbers: the C library's rand(), never seeded, reduced to
// 0..32767 so that every range the game draws from holds whatever RAND_MAX is.

#include <cstdint>

inline constexpr int kRandomMax = 32767;

/// The next value of the unseeded C generator, in 0..32767.
int Random();
/// How many values Random() has handed out in this process: a replay that drew more or fewer
/// than its recording has taken another path.
std::uint64_t RandomDraws();
