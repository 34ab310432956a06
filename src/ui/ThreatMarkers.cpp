#include "ui/ThreatMarkers.h"

#include "ui/HudShapes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kFaintest = 0.25f;
constexpr float kArrowLength = 18.0f;
constexpr float kArrowHalfWidth = 10.0f;
constexpr float kEdgeGrowth = 2.0f;
constexpr Vec3 kArrowColour{1.0f, 0.25f, 0.2f};
constexpr Vec3 kEdgeColour{0.0f, 0.0f, 0.0f};

void AddArrow(HudShapes& shapes, const ThreatMarker& marker, float grow, float opacity) {
    const Vec2 d = marker.direction;
    const Vec2 side{-d.y, d.x};
    const float length = kArrowLength + 2.0f * grow;
    const float half = kArrowHalfWidth + grow;
    const Vec2 tip{marker.position.x + d.x * grow, marker.position.y + d.y * grow};
    const Vec2 back{tip.x - d.x * length, tip.y - d.y * length};
    shapes.AddTriangle(tip, {back.x + side.x * half, back.y + side.y * half},
                       {back.x - side.x * half, back.y - side.y * half}, opacity);
}

} // namespace

std::vector<ThreatMarker> PlaceThreatMarkers(const ThreatView& view, const std::vector<Vec3>& enemies) {
    std::vector<ThreatMarker> markers;
    const Vec3 right = Normalize(Cross(view.forward, view.up));
    const float tanY = std::tan(view.fovDegrees * 0.5f * kDegreesToRadians);
    const float aspect = view.height > 0.0f ? view.width / view.height : 1.0f;
    const float tanX = tanY * aspect;
    const float halfW = view.width * 0.5f - kThreatMargin;
    const float halfH = view.height * 0.5f - kThreatMargin;
    if (halfW <= 0.0f || halfH <= 0.0f)
        return markers;
    for (const Vec3& enemy : enemies) {
        const Vec3 to = enemy - view.eye;
        const float distance = Length(to);
        if (!(distance <= kThreatRange))
            continue;
        const float ahead = Dot(to, view.forward);
        const float x = Dot(to, right);
        const float y = Dot(to, view.up);
        if (ahead > 0.0f && std::abs(x) <= ahead * tanX && std::abs(y) <= ahead * tanY)
            continue; // in view
        float length = std::sqrt(x * x + y * y);
        // Straight behind: the arrow points down, towards turning round.
        const Vec2 direction = length > 1e-4f ? Vec2{x / length, y / length} : Vec2{0.0f, -1.0f};
        // Along the direction from the centre to the margin's rectangle.
        const float reach = std::min(std::abs(direction.x) > 1e-6f ? halfW / std::abs(direction.x) : 1e30f,
                                     std::abs(direction.y) > 1e-6f ? halfH / std::abs(direction.y) : 1e30f);
        ThreatMarker marker;
        marker.direction = direction;
        marker.position = {view.width * 0.5f + direction.x * reach, view.height * 0.5f + direction.y * reach};
        marker.opacity = kFaintest + (1.0f - kFaintest) * (1.0f - distance / kThreatRange);
        markers.push_back(marker);
    }
    return markers;
}

void DrawThreatMarkers(const std::vector<ThreatMarker>& markers, int width, int height) {
    if (markers.empty())
        return;
    HudShapes& shapes = HudShapes::GetInstance();
    for (const ThreatMarker& marker : markers)
        AddArrow(shapes, marker, kEdgeGrowth, marker.opacity * 0.8f);
    shapes.Flush(kEdgeColour, width, height);
    for (const ThreatMarker& marker : markers)
        AddArrow(shapes, marker, 0.0f, marker.opacity);
    shapes.Flush(kArrowColour, width, height);
}
