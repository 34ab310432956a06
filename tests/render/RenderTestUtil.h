#pragma once
// Small helpers shared by the rendering tests: scratch files, an off-screen framebuffer and
// read-backs of texture and program state.

#include "core/MathTypes.h"
#include "support/GLTestContext.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace render_test {

/// A fresh directory under the system's temporary directory, removed with the object.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               ("korvane-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }

    /// Writes `text` into a file of the directory and returns its path.
    std::string Write(const std::string& fileName, const std::string& text) const {
        const std::filesystem::path file = path / fileName;
        std::ofstream(file) << text;
        return file.string();
    }
    std::string PathOf(const std::string& fileName) const { return (path / fileName).string(); }

private:
    std::filesystem::path path;
};

/// An RGBA8 colour and depth target to draw into and read back, bound while alive.
class OffscreenTarget {
public:
    OffscreenTarget(int width, int height) : width(width), height(height) {
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        glViewport(0, 0, width, height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    ~OffscreenTarget() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, renderbuffers);
        glDeleteFramebuffers(1, &framebuffer);
    }
    bool Complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }

    std::array<std::uint8_t, 4> Pixel(int x, int y) const {
        std::array<std::uint8_t, 4> rgba{};
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    const int width;
    const int height;

private:
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};
};

inline GLint InternalFormatOf(GLuint texture) {
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

/// Level 0 of a texture as tightly packed RGBA bytes, bottom row first.
inline std::vector<std::uint8_t> TexelsOf(GLuint texture, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

inline std::array<std::uint8_t, 4> FirstTexelOf(GLuint texture) {
    int width = 0, height = 0;
    const std::vector<std::uint8_t> texels = TexelsOf(texture, width, height);
    return {texels[0], texels[1], texels[2], texels[3]};
}

inline GLint LinkStatusOf(GLuint program) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status;
}

/// A UV sphere around the origin with outward normals, counter-clockwise seen from outside.
struct SphereData {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;
    std::vector<std::uint32_t> indices;
};

inline SphereData MakeSphere(float radius, int rings = 24, int segments = 32) {
    SphereData sphere;
    const float pi = 3.14159265f;
    for (int ring = 0; ring <= rings; ++ring) {
        const float v = static_cast<float>(ring) / rings;
        const float polar = v * pi;
        for (int segment = 0; segment <= segments; ++segment) {
            const float u = static_cast<float>(segment) / segments;
            const float azimuth = u * 2.0f * pi;
            const Vec3 n{std::sin(polar) * std::cos(azimuth), std::cos(polar),
                         -std::sin(polar) * std::sin(azimuth)};
            sphere.normals.push_back(n);
            sphere.positions.push_back(n * radius);
            sphere.uvs.push_back({u, 1.0f - v});
        }
    }
    const auto at = [segments](int ring, int segment) {
        return static_cast<std::uint32_t>(ring * (segments + 1) + segment);
    };
    for (int ring = 0; ring < rings; ++ring)
        for (int segment = 0; segment < segments; ++segment) {
            sphere.indices.insert(sphere.indices.end(),
                                  {at(ring, segment), at(ring + 1, segment), at(ring + 1, segment + 1)});
            sphere.indices.insert(sphere.indices.end(),
                                  {at(ring, segment), at(ring + 1, segment + 1), at(ring, segment + 1)});
        }
    return sphere;
}

} // namespace render_test
