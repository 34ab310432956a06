#pragma once
// Rasterises font files with FreeType into fonts: glyph metrics plus the packed atlas.

#include "ui/Font.h"

#include <map>
#include <string>

class FontLoader {
public:
    /// Opens the FreeType library for the loader's lifetime; a failure is reported and every
    /// later load then fails.
    FontLoader();
    ~FontLoader();
    FontLoader(const FontLoader&) = delete;
    FontLoader& operator=(const FontLoader&) = delete;

    bool Ready() const { return library != nullptr; }
    /// Rasterises characters 0-127 of a font file at a pixel height into `fonts[key]`, keeping
    /// glyphs already there, and rebuilds its atlas. A file that cannot be opened prints
    /// "ERROR::FREETYPE: Failed to load font" and leaves `fonts` as it was.
    void Load(const std::string& path, int pixelHeight, int key, std::map<int, Font>& fonts) const;

private:
    void* library = nullptr;
};
