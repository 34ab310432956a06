#pragma once
// How a drawable object is shaded: its shared program, its textures on their units and
// its own uniform values, all bound by Bind() just before the mesh is drawn.

#include "render/Texture.h"
#include "render/UniformStore.h"

#include <GL/glew.h>
#include <cstdint>
#include <map>
#include <memory>

class ShaderMaterial {
public:
    virtual void Bind() {}
    virtual ~ShaderMaterial() = default;

    GLuint program = 0;
    UniformStore uniforms;
};

/// The 1x1 sRGB textures of one colour that materials bind: one per colour, shared by every
/// material that asks for it and kept until Release() before the context goes. Enemies, orbs and
/// each new game's level and gun make materials during play; with the colours made at start-up
/// (Prepare), none of them creates a GL object on the frame path.
class SolidTextures {
public:
    static SolidTextures& GetInstance();
    /// The texture of this colour, made on its first request; the handle stays valid to exit.
    TextureHandle Get(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 255);
    /// Makes the colours of the materials' defaults (grey diffuse, black metallic, white
    /// roughness and occlusion) ahead of play.
    void Prepare();
    std::size_t Count() const { return textures.size(); }
    /// Deletes every texture while the context is current; the handles given out then read 0.
    void Release();

private:
    SolidTextures() = default;
    // Cells on the heap: the handles given out point into them.
    std::map<std::uint32_t, std::unique_ptr<GlObject>> textures;
};

/// Phong-style shading with one diffuse texture on unit 0 (grey 200/255 by default).
class BasicMaterial : public ShaderMaterial {
public:
    BasicMaterial();
    void Bind() override;
    void SetDiffuseTexture(TextureHandle handle) { diffuseTexture = handle; }
    /// A light flash of strength 0..1 around a world point (where a shot landed); 0 shows none.
    void SetHitFlash(float strength, const Vec3& worldPoint);

    TextureHandle diffuseTexture = nullptr;

protected:
    explicit BasicMaterial(GLuint program, bool takesHitFlash = true);
};

/// The basic shading with a vertex stage animated by "time" (the floating pickup orb).
class AnimatedMaterial : public BasicMaterial {
public:
    AnimatedMaterial();
};

/// The level: basic shading's grey from the baked light map (unit 1) and the point lights'
/// texture (unit 2) instead of a loop over the lights.
class LevelMaterial : public BasicMaterial {
public:
    LevelMaterial();
    void Bind() override;
};

/// Physically based shading from albedo, normal, metallic, roughness and AO maps (units 0-4).
class PBSMaterial : public ShaderMaterial {
public:
    PBSMaterial();
    void Bind() override;
    void SetAlbedoTexture(TextureHandle handle) { albedoTexture = handle; }
    void SetNormalTexture(TextureHandle handle) { normalTexture = handle; }
    void SetMetallicTexture(TextureHandle handle) { metallicTexture = handle; }
    void SetRoughnessTexture(TextureHandle handle) { roughnessTexture = handle; }
    void SetAOTexture(TextureHandle handle) { aoTexture = handle; }

    TextureHandle albedoTexture = nullptr;
    TextureHandle normalTexture = nullptr;
    TextureHandle metallicTexture = nullptr;
    TextureHandle roughnessTexture = nullptr;
    TextureHandle aoTexture = nullptr;
};

/// The neutral maps a PBS material binds while its albedo or normal map is unset: made on
/// first use, shared by every material, kept until Release() before the context goes.
class DefaultPbsTextures {
public:
    static DefaultPbsTextures& GetInstance();
    GLuint Albedo();
    GLuint Normal();
    void Release();

private:
    DefaultPbsTextures() = default;
    GlObject albedo;
    GlObject normal;
};

/// Gives a basic or animated material the shared 1x1 diffuse texture of one colour.
void SetSolidColor(BasicMaterial& material, unsigned char r, unsigned char g, unsigned char b);
