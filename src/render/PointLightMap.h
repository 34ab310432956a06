#pragma once
// The point lights' diffuse light on the level, kept in a texture laid out like the light map:
// drawn by a pass in the light map's space whenever the world's list of lights changes (a game
// starts, an orb appears or is used), so a level pixel reads one texel instead of looping over
// every light.

#include "render/GlObject.h"
#include "render/Lights.h"

#include <vector>

class Mesh;

class PointLightMap {
public:
    static PointLightMap& GetInstance();
    /// Makes the texture of this size, its framebuffer and the pass's program (start-up).
    void Prepare(int width, int height);
    /// Draws the lights into the texture when they differ from the ones last drawn; the light
    /// uniforms must already hold them (ShaderHandler::SetLights). Returns whether it drew.
    bool Update(const Mesh& level, const std::vector<PointLight*>& lights);
    GLuint Texture() const { return texture.Get(); }
    /// How many times the texture has been drawn since start-up.
    int UpdateCount() const { return updates; }
    /// Deletes the texture and framebuffer while the context is current; the next Prepare makes
    /// them again and the next Update draws.
    void Release();

private:
    PointLightMap() = default;
    GlObject texture;
    GlObject stencil; // marks the texels already drawn
    GlObject framebuffer;
    GLuint program = 0;
    int width = 0;
    int height = 0;
    int updates = 0;
    bool drawn = false;
    std::vector<PointLight> lastDrawn;
};
