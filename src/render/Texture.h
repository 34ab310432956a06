#pragma once
// Texture handles and the routines that fill them. A handle points to a cell holding one
// GL texture id; materials keep the pointer.

#include <GL/glew.h>
#include <string>

using TextureHandle = GLuint*;

/// Creates a 2D texture from 8-bit pixels: repeat wrap, trilinear mipmaps; the format
/// follows the channel count (1 red, 2 rg, 3 rgb, 4 rgba; sRGB for 3 and 4 when asked).
void CreateTexture(TextureHandle handle, const unsigned char* pixels, int width, int height, int channels,
                   bool srgb);
/// Loads an image flipped so its first row is the bottom one. An image that cannot be read
/// prints one line with the path and the reason and becomes a 1x1 magenta texture.
void LoadTexture(TextureHandle handle, const std::string& path, bool srgb);
/// A 1x1 sRGB texture of one colour, as the materials make them.
GLuint CreateSolidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 255);

/// The enemies' violet-to-cyan sine stripes, created on first request and shared.
class GradientTexture {
public:
    static GradientTexture& GetInstance();
    TextureHandle handle = nullptr;

private:
    GradientTexture();
    // The texture lives as long as the process; the handle points here.
    GLuint cell = 0;
};
