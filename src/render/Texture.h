#pragma once
// Texture handles and the routines that make textures. A handle points to a cell that owns
// one GL texture; materials keep the pointer and read the texture id through it (`*handle`).

#include "render/GlObject.h"

#include <GL/glew.h>
#include <cstddef>
#include <memory>
#include <string>

using TextureHandle = const GlObject*;

/// A 2D texture from 8-bit pixels: repeat wrap, trilinear mipmaps; the format follows the
/// channel count (1 red, 2 rg, 3 rgb, 4 rgba; sRGB for 3 and 4 when asked).
GlObject CreateTexture(const unsigned char* pixels, int width, int height, int channels, bool srgb);
/// An image flipped so its first row is the bottom one. An image that cannot be read, has no
/// pixel or is more than kMaxImageSide pixels a side prints
/// one line with the path and the reason and becomes a 1x1 magenta texture.
GlObject LoadTexture(const std::string& path, bool srgb);
/// The widest and tallest image a texture is made from: sixteen times the game's own 512, and
/// within what every OpenGL 4.3 driver can hold.
inline constexpr int kMaxImageSide = 8192;
/// An image file's pixels as the decoder gives them to LoadTexture: flipped, tightly packed rows,
/// as many channels as the file has.
struct DecodedImage {
    struct FreePixels {
        void operator()(unsigned char* pixels) const;
    };
    std::unique_ptr<unsigned char, FreePixels> pixels;
    int width = 0;
    int height = 0;
    int channels = 0;
};
/// Decodes an image held in memory, as LoadTexture decodes a file: null pixels and the reason in
/// `problem` when the bytes are not an image, it has no pixel or its header claims more than
/// kMaxImageSide a side (checked before anything is decoded).
DecodedImage DecodeImage(const unsigned char* bytes, std::size_t size, std::string& problem);
/// An image file decoded with the same checks, first row at the bottom when `flipped`, converted
/// to `wantedChannels` (0: as many as the file has; `channels` is then what the pixels hold).
DecodedImage DecodeImageFile(const std::string& file, bool flipped, int wantedChannels, std::string& problem);
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
