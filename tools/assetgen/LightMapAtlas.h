#pragma once
// The arena's light map layout: every lit face gets a rectangle of texels of its own (a chart) in
// one atlas. A chart spans a world rectangle origin + s * edgeU + t * edgeV whose edges fall on
// texel centres, so filtering inside a chart never reads a neighbour's texels.

#include "MeshBuilder.h"

#include <vector>

namespace assetgen {

struct LightMapChart {
    Vec3 origin;
    Vec3 edgeU;
    Vec3 edgeV;
    Vec3 normal; // the side the face is lit from
    int width = 2;
    int height = 2;
    int x = 0; // placement in the atlas, in texels
    int y = 0;

    /// The world point under texel (i, j) of this chart.
    Vec3 PointAt(float i, float j) const;
};

class LightMapAtlas {
public:
    static constexpr float kTexelsPerUnit = 2.0f;
    static constexpr int kWidth = 512;
    static constexpr int kGap = 2; // texels between charts

    /// A chart for the rectangle, `texelsPerUnit` along both edges (at least 2 x 2 texels).
    /// Returns its index.
    int AddChart(Vec3 origin, Vec3 edgeU, Vec3 edgeV, Vec3 normal, float texelsPerUnit = kTexelsPerUnit);
    /// Places the charts in rows, tallest first; the atlas height follows.
    void Pack();
    /// The texture coordinate of world point `p` (on or near the chart's plane), v up.
    Vec2 UvOf(int chart, Vec3 p) const;

    const std::vector<LightMapChart>& Charts() const { return charts; }
    int Height() const { return height; }

private:
    std::vector<LightMapChart> charts;
    int height = 0;
};

} // namespace assetgen
