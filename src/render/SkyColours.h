#pragma once
// The colours of the arena's sky. Distance fog fades toward the horizon colour, so the far
// walls and the open east edge melt into the sky behind them.

#include "core/MathTypes.h"

inline constexpr Vec3 kSkyZenithColour{0.23f, 0.40f, 0.68f};
inline constexpr Vec3 kSkyHorizonColour{0.66f, 0.72f, 0.80f};
