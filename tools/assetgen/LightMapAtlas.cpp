#include "LightMapAtlas.h"

#include <algorithm>
#include <numeric>

namespace assetgen {

Vec3 LightMapChart::PointAt(float i, float j) const {
    return origin + edgeU * (i / static_cast<float>(width - 1)) +
           edgeV * (j / static_cast<float>(height - 1));
}

int LightMapAtlas::AddChart(Vec3 origin, Vec3 edgeU, Vec3 edgeV, Vec3 normal, float texelsPerUnit) {
    LightMapChart chart{origin, edgeU, edgeV, normal};
    chart.width = std::max(2, static_cast<int>(std::ceil(Length(edgeU) * texelsPerUnit - 0.001f)) + 1);
    chart.height = std::max(2, static_cast<int>(std::ceil(Length(edgeV) * texelsPerUnit - 0.001f)) + 1);
    charts.push_back(chart);
    return static_cast<int>(charts.size()) - 1;
}

void LightMapAtlas::Pack() {
    std::vector<int> order(charts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return charts[a].height > charts[b].height; });
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    for (int index : order) {
        LightMapChart& chart = charts[index];
        if (x + chart.width + kGap > kWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        chart.x = x;
        chart.y = y;
        x += chart.width + kGap;
        rowHeight = std::max(rowHeight, chart.height);
    }
    height = (y + rowHeight + kGap + 3) / 4 * 4;
}

Vec2 LightMapAtlas::UvOf(int index, Vec3 p) const {
    const LightMapChart& chart = charts[index];
    const Vec3 d = p - chart.origin;
    const float s = Dot(d, chart.edgeU) / Dot(chart.edgeU, chart.edgeU);
    const float t = Dot(d, chart.edgeV) / Dot(chart.edgeV, chart.edgeV);
    const float i = chart.x + 0.5f + s * static_cast<float>(chart.width - 1);
    const float j = chart.y + 0.5f + t * static_cast<float>(chart.height - 1);
    return {i / static_cast<float>(kWidth), j / static_cast<float>(height)};
}

} // namespace assetgen
