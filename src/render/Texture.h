#pragma once
// Texture handles and the routines that make textures. A handle points to a cell that owns
// one GL texture; materials keep the pointer and read the texture id through it (`*handle`).

#include "render/GlObject.h"

#include <GL/glew.h>
#include <string>

using TextureHandle = const GlObject*;

/// A 2D texture from 8-bit pixels: repeat wrap, trilinear mipmaps; the format follows the
/// channel count (1 red, 2 rg, 3 rgb, 4 rgba; sRGB for 3 and 4 when asked).
GlObject CreateTexture(const unsigned char* pixels, int width, int height, int channels, bool srgb);
/// An image flipped so its first row is the bottom one. An image that cannot be read prints
/// one line with the path and the reason and becomes a 1x1 magenta texture.
GlObject LoadTexture(const std::string& path, bool srgb);
/// A 1x1 sRGB texture of one colour, as the materials make them.
GlObject CreateSolidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 255);

/// The enemies' violet-to-cyan sine stripes, created on first request and shared.
class GradientTexture {
public:
    /// The shared stripes, made on the first request (or the first after Release).
    static GradientTexture& GetInstance();
    /// Deletes the texture, if it was ever made, while the context is still current.
    static void Release();
    /// Points at the cell for the whole run, so it stays valid across a release.
    TextureHandle handle = &cell;

private:
    GradientTexture() = default;
    /// The instance without making the texture.
    static GradientTexture& Instance();
    void Build();
    GlObject cell;
};
