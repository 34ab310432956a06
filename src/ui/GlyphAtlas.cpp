#include "ui/GlyphAtlas.h"

#include <algorithm>

namespace {
constexpr int kAtlasWidth = 1024;
// Blank texels between glyphs, so linear filtering never picks up a neighbour, even from a quad
// grown by one pixel for the outline that samples one pixel beyond itself.
constexpr int kPadding = 3;
} // namespace

void GlyphAtlas::Add(char c, int width, int rows, const unsigned char* pixels) {
    if (bitmaps.count(c) != 0)
        return;
    Bitmap bitmap{width, rows, {}};
    if (pixels != nullptr && width > 0 && rows > 0)
        bitmap.pixels.assign(pixels,
                             pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
    bitmaps.emplace(c, std::move(bitmap));
}

void GlyphAtlas::Build() {
    // Shelf packing in character order: rows of glyphs as tall as their tallest member.
    struct Placement {
        char c;
        int x, y;
    };
    std::vector<Placement> placements;
    int x = kPadding, y = kPadding, shelf = 0;
    for (const auto& [c, bitmap] : bitmaps) {
        if (x + bitmap.width + kPadding > kAtlasWidth) {
            x = kPadding;
            y += shelf + kPadding;
            shelf = 0;
        }
        placements.push_back({c, x, y});
        x += bitmap.width + kPadding;
        shelf = std::max(shelf, bitmap.rows);
    }
    const int height = std::max(1, y + shelf + kPadding);

    std::vector<unsigned char> pixels(
        static_cast<std::size_t>(kAtlasWidth) * static_cast<std::size_t>(height), 0);
    rects.clear();
    for (const Placement& p : placements) {
        const Bitmap& bitmap = bitmaps.at(p.c);
        for (int row = 0; row < bitmap.rows && !bitmap.pixels.empty(); ++row)
            std::copy_n(
                &bitmap.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(bitmap.width)],
                bitmap.width,
                &pixels[static_cast<std::size_t>(p.y + row) * kAtlasWidth + static_cast<std::size_t>(p.x)]);
        rects[p.c] =
            Rect{static_cast<float>(p.x) / kAtlasWidth, static_cast<float>(p.y) / static_cast<float>(height),
                 static_cast<float>(p.x + bitmap.width) / kAtlasWidth,
                 static_cast<float>(p.y + bitmap.rows) / static_cast<float>(height)};
    }

    // Red: the coverage; green: the most coverage within one pixel, the outline's, worked out once
    // here so that drawing an outlined glyph reads one texel as a bare one does.
    std::vector<unsigned char> texels(pixels.size() * 2, 0);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < kAtlasWidth; ++column) {
            unsigned char around = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int r = row + dy, c = column + dx;
                    if (r >= 0 && r < height && c >= 0 && c < kAtlasWidth)
                        around = std::max(
                            around,
                            pixels[static_cast<std::size_t>(r) * kAtlasWidth + static_cast<std::size_t>(c)]);
                }
            const std::size_t i =
                static_cast<std::size_t>(row) * kAtlasWidth + static_cast<std::size_t>(column);
            texels[i * 2] = pixels[i];
            texels[i * 2 + 1] = around;
        }

    if (!texture)
        texture = GlObject::NewTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RG, kAtlasWidth, height, 0, GL_RG, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

GlyphAtlas::Rect GlyphAtlas::RectOf(char c) const {
    auto found = rects.find(c);
    return found == rects.end() ? Rect{} : found->second;
}
