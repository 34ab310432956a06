#pragma once
// Draws the frame's contact shadows: every blob's quad in one buffer made at start-up, one
// draw call after the opaque scene, depth-tested and pulled towards the camera so that a
// blob never fights the surface it lies on.

#include "render/ContactShadow.h"
#include "render/GlObject.h"

#include <cstddef>
#include <vector>

class ShaderHandler;

class ContactShadowRenderer {
public:
    /// Blobs drawn in one frame at most (a full game's enemies and their orbs fit); more are
    /// left out.
    static constexpr std::size_t kMaxShadows = 256;

    static ContactShadowRenderer& GetInstance();

    /// Builds the shadow program and the vertex buffer; at start-up, with a current context.
    void Prepare();
    /// `Graphics.contactShadows` as read at start-up (default true); off draws no blob at all.
    static bool IsEnabled();
    /// Darkens the surfaces under the shadows with one draw; nothing when off or empty.
    /// Leaves the vertex attribute arrays 0 to 2 disabled and no array buffer bound.
    void Draw(ShaderHandler& shaders, const std::vector<ContactShadow>& shadows);
    /// Deletes the buffer while the context is still current.
    void Release() { buffer.Release(); }

private:
    ContactShadowRenderer() = default;

    GlObject buffer;
    std::vector<ContactShadowVertex> vertices;
};

/// The blobs' program, built on its first request and reused for the rest of the run.
GLuint ContactShadowProgram();
