#include "render/Texture.h"

#include "core/AssetLocator.h"

#include <stb/stb_image.h>

#include <cmath>
#include <iostream>
#include <limits>
#include <vector>

namespace {

struct TextureFormat {
    GLenum pixelFormat;
    GLint internalFormat;
};

TextureFormat FormatFor(int channels, bool srgb) {
    switch (channels) {
    case 1:
        return {GL_RED, GL_RED};
    case 2:
        return {GL_RG, GL_RG};
    case 3:
        return {GL_RGB, srgb ? GL_SRGB : GL_RGB};
    case 4:
        return {GL_RGBA, srgb ? GL_SRGB_ALPHA : GL_RGBA};
    default:
        // Legacy GL accepted a component count as the format; the driver reports what it thinks of it.
        return {static_cast<GLenum>(channels), channels};
    }
}

constexpr unsigned char kMissingImageTexel[4] = {255, 0, 255, 255};

constexpr int kGradientSize = 1024;
constexpr double kGradientPi = 3.14159;
// The stripes run from violet (134, 0, 255) to cyan (0, 200, 255); blue stays full.
constexpr double kGradientVioletRed = 134.0;
constexpr double kGradientCyanGreen = 200.0;

} // namespace

GlObject CreateTexture(const unsigned char* pixels, int width, int height, int channels, bool srgb) {
    GlObject texture = GlObject::NewTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const TextureFormat format = FormatFor(channels, srgb);
    // Rows come tightly packed; GL's default of four-byte rows would read past the end of an
    // image whose rows are not a multiple of four bytes, whoever set the alignment last.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, format.internalFormat, width, height, 0, format.pixelFormat,
                 GL_UNSIGNED_BYTE, pixels);
    glGenerateMipmap(GL_TEXTURE_2D);
    return texture;
}

namespace {

/// The decoder's result, or why it cannot be a texture. stb's PNM reader hands back a buffer for
/// a header of zero rows or columns: an image without a pixel is as unusable as a damaged one.
DecodedImage Checked(unsigned char* pixels, int width, int height, int channels, std::string& problem) {
    DecodedImage image;
    image.pixels.reset(pixels);
    if (pixels == nullptr) {
        // Some damaged PNGs are turned away without a reason.
        const char* reason = stbi_failure_reason();
        problem = reason != nullptr && *reason != '\0' ? reason : "not an image it can read";
    } else if (width <= 0 || height <= 0) {
        problem = "no pixels (" + std::to_string(width) + " x " + std::to_string(height) + ")";
        image.pixels.reset();
    } else {
        image.width = width;
        image.height = height;
        image.channels = channels;
    }
    return image;
}

/// Why the header's size cannot be decoded, or nothing. A damaged header of a few dozen bytes can
/// claim a picture of hundreds of megabytes, which the decoder would fill with nothing.
std::string SizeProblem(bool headerRead, int width, int height) {
    if (headerRead && (width > kMaxImageSide || height > kMaxImageSide))
        return std::to_string(width) + " x " + std::to_string(height) + " pixels, more than " +
               std::to_string(kMaxImageSide) + " a side";
    return {};
}

} // namespace

DecodedImage DecodeImage(const unsigned char* bytes, std::size_t size, std::string& problem) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        problem = "larger than 2 GiB";
        return {};
    }
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    // The header first, in a statement of its own: the size it fills in is what is checked.
    const bool headerRead = stbi_info_from_memory(bytes, length, &width, &height, &channels) != 0;
    problem = SizeProblem(headerRead, width, height);
    if (!problem.empty())
        return {};
    stbi_set_flip_vertically_on_load(1);
    unsigned char* pixels = stbi_load_from_memory(bytes, length, &width, &height, &channels, 0);
    return Checked(pixels, width, height, channels, problem);
}

DecodedImage DecodeImageFile(const std::string& file, bool flipped, int wantedChannels,
                             std::string& problem) {
    int width = 0, height = 0, channels = 0;
    const bool headerRead = stbi_info(file.c_str(), &width, &height, &channels) != 0;
    problem = SizeProblem(headerRead, width, height);
    if (!problem.empty())
        return {};
    stbi_set_flip_vertically_on_load(flipped ? 1 : 0);
    unsigned char* pixels = stbi_load(file.c_str(), &width, &height, &channels, wantedChannels);
    return Checked(pixels, width, height, wantedChannels != 0 ? wantedChannels : channels, problem);
}

void DecodedImage::FreePixels::operator()(unsigned char* pixels) const {
    stbi_image_free(pixels);
}

GlObject LoadTexture(const std::string& path, bool srgb) {
    const std::string file = AssetLocator::GetInstance().Resolve(path);
    std::string problem;
    const DecodedImage image = DecodeImageFile(file, true, 0, problem);
    if (!image.pixels) {
        // Magenta cannot be mistaken for a real surface, so a missing file shows at a glance.
        std::cout << "Failed to load texture " << file << ": " << problem << std::endl;
        return CreateTexture(kMissingImageTexel, 1, 1, 4, srgb);
    }
    return CreateTexture(image.pixels.get(), image.width, image.height, image.channels, srgb);
}

GlObject CreateSolidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    const unsigned char texel[4] = {r, g, b, a};
    return CreateTexture(texel, 1, 1, 4, true);
}

GradientTexture& GradientTexture::Instance() {
    static GradientTexture instance;
    return instance;
}

GradientTexture& GradientTexture::GetInstance() {
    GradientTexture& gradient = Instance();
    if (!gradient.cell)
        gradient.Build();
    return gradient;
}

void GradientTexture::Release() {
    Instance().cell.Release();
}

void GradientTexture::Build() {
    std::vector<unsigned char> row(static_cast<std::size_t>(kGradientSize) * 4);
    for (int i = 0; i < kGradientSize; ++i) {
        const double s = std::sin(static_cast<double>(i) / kGradientSize * 2.0 * kGradientPi);
        const double x = (s * 127.0 + 127.0) / 255.0;
        unsigned char* texel = &row[static_cast<std::size_t>(i) * 4];
        texel[0] = static_cast<unsigned char>((1.0 - x) * kGradientVioletRed);
        texel[1] = static_cast<unsigned char>(x * kGradientCyanGreen);
        texel[2] = 255;
        texel[3] = 255;
    }
    std::vector<unsigned char> pixels;
    pixels.reserve(row.size() * kGradientSize);
    for (int y = 0; y < kGradientSize; ++y)
        pixels.insert(pixels.end(), row.begin(), row.end());
    cell = CreateTexture(pixels.data(), kGradientSize, kGradientSize, 4, true);
}
