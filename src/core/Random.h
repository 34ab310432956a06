#pragma once
// The game's one source of random numbers: the C library's rand(), never seeded, reduced to
// 0..32767 so that every range the game draws from holds whatever RAND_MAX is.

inline constexpr int kRandomMax = 32767;

/// The next value of the unseeded C generator, in 0..32767.
int Random();
