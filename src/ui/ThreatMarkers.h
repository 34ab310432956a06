#pragma once
// Arrows at the screen's edge towards enemies close by that the view does not show, so a ball
// rolling in from behind is seen before it hits.

#include "core/MathTypes.h"

#include <vector>

/// The view the arrows are placed for: eye, unit forward and up, vertical field of view in
/// degrees, and the screen in pixels.
struct ThreatView {
    Vec3 eye;
    Vec3 forward;
    Vec3 up;
    float fovDegrees = 90.0f;
    float width = 800.0f;
    float height = 600.0f;
};

struct ThreatMarker {
    Vec2 position;  // the arrow's tip, in pixels from the bottom-left corner
    Vec2 direction; // unit, on the screen, from its centre towards the enemy
    float opacity = 0.0f;
};

inline constexpr float kThreatRange = 15.0f;
/// How far in from the screen's edge the arrows' tips stand, in pixels.
inline constexpr float kThreatMargin = 28.0f;

/// One arrow for every enemy within kThreatRange of the eye whose centre lies outside the view,
/// on the screen's edge in the enemy's direction, fading from opaque near to faint at the range.
std::vector<ThreatMarker> PlaceThreatMarkers(const ThreatView& view, const std::vector<Vec3>& enemies);
void DrawThreatMarkers(const std::vector<ThreatMarker>& markers, int width, int height);
