#include "render/Materials.h"

#include "render/BakedLight.h"
#include "render/LevelSurfaces.h"
#include "render/PointLightMap.h"
#include "render/ShaderHandler.h"

namespace {

const Vec3 kDefaultSpecular{0.5f, 0.5f, 0.5f};
constexpr float kDefaultShininess = 32.0f;
constexpr unsigned char kDefaultDiffuseGrey = 200;

// The fall-backs hold plain data like the gun's own maps: the grey albedo is decoded by the
// shader, and the flat normal (0, 0, 1) must not pass through sRGB decoding.
GlObject PlainTexel(unsigned char r, unsigned char g, unsigned char b) {
    const unsigned char texel[4] = {r, g, b, 255};
    return CreateTexture(texel, 1, 1, 4, false);
}

void BindUnit(GLenum unit, GLuint texture) {
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}

} // namespace

DefaultPbsTextures& DefaultPbsTextures::GetInstance() {
    static DefaultPbsTextures instance;
    return instance;
}

GLuint DefaultPbsTextures::Albedo() {
    if (!albedo)
        albedo = PlainTexel(128, 128, 128);
    return albedo;
}

GLuint DefaultPbsTextures::Normal() {
    if (!normal)
        normal = PlainTexel(128, 128, 255);
    return normal;
}

void DefaultPbsTextures::Release() {
    albedo.Release();
    normal.Release();
}

SolidTextures& SolidTextures::GetInstance() {
    static SolidTextures instance;
    return instance;
}

TextureHandle SolidTextures::Get(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    const std::uint32_t key =
        (std::uint32_t{r} << 24) | (std::uint32_t{g} << 16) | (std::uint32_t{b} << 8) | a;
    std::unique_ptr<GlObject>& cell = textures[key];
    if (!cell)
        cell = std::make_unique<GlObject>();
    // A cell emptied by Release() is filled again: the handles given out before stay valid.
    if (!*cell)
        *cell = CreateSolidTexture(r, g, b, a);
    return cell.get();
}

void SolidTextures::Prepare() {
    Get(kDefaultDiffuseGrey, kDefaultDiffuseGrey, kDefaultDiffuseGrey);
    Get(0, 0, 0);
    Get(255, 255, 255);
}

void SolidTextures::Release() {
    for (auto& [key, cell] : textures)
        cell->Release();
}

BasicMaterial::BasicMaterial() : BasicMaterial(BasicProgram()) {}

BasicMaterial::BasicMaterial(GLuint shaderProgram, bool takesHitFlash) {
    program = shaderProgram;
    diffuseTexture =
        SolidTextures::GetInstance().Get(kDefaultDiffuseGrey, kDefaultDiffuseGrey, kDefaultDiffuseGrey);
    uniforms.SetVec3("material.specular", kDefaultSpecular);
    uniforms.SetFloat("material.shininess", kDefaultShininess);
    // Set on every material of the objects' program: it keeps the last value it was given for
    // the next object. The level's program has neither.
    if (takesHitFlash) {
        SetHitFlash(0.0f, Vec3{});
        uniforms.SetInt("ballPattern", 0);
    }
}

void BasicMaterial::SetHitFlash(float strength, const Vec3& worldPoint) {
    uniforms.SetFloat("hitFlash", strength);
    uniforms.SetVec3("hitFlashPoint", worldPoint);
}

void BasicMaterial::Bind() {
    if (!ShaderHandler::GetInstance().Use(program))
        return;
    uniforms.Apply(program);
    BindUnit(GL_TEXTURE0, diffuseTexture != nullptr ? diffuseTexture->Get() : 0);
}

AnimatedMaterial::AnimatedMaterial() : BasicMaterial(AnimatedProgram()) {}

// Shots at the level leave no flash on it: its program has none.
LevelMaterial::LevelMaterial() : BasicMaterial(LevelProgram(), false) {
    uniforms.SetInt("diffuseTexture", 0);
    uniforms.SetInt("bakedLight", 1);
    uniforms.SetInt("pointLightMap", 2);
}

void LevelMaterial::Bind() {
    BasicMaterial::Bind();
    const TextureHandle lightMap = BakedLight::GetInstance().LightMap();
    BindUnit(GL_TEXTURE1, lightMap != nullptr ? lightMap->Get() : 0);
    BindUnit(GL_TEXTURE2, PointLightMap::GetInstance().Texture());
    LevelSurfaces::GetInstance().BindForLevel(program);
}

PBSMaterial::PBSMaterial() {
    program = PBSProgram();
    SolidTextures& solids = SolidTextures::GetInstance();
    metallicTexture = solids.Get(0, 0, 0);
    roughnessTexture = solids.Get(255, 255, 255);
    aoTexture = solids.Get(255, 255, 255);
    uniforms.SetInt("albedoMap", 0);
    uniforms.SetInt("normalMap", 1);
    uniforms.SetInt("metallicMap", 2);
    uniforms.SetInt("roughnessMap", 3);
    uniforms.SetInt("aoMap", 4);
    uniforms.SetInt("heldLighting", 0);
}

void PBSMaterial::Bind() {
    if (!ShaderHandler::GetInstance().Use(program))
        return;
    uniforms.Apply(program);
    // Resolved before any unit is touched: making a default texture binds it on the active unit.
    DefaultPbsTextures& defaults = DefaultPbsTextures::GetInstance();
    const GLuint albedo = albedoTexture != nullptr ? albedoTexture->Get() : defaults.Albedo();
    const GLuint normal = normalTexture != nullptr ? normalTexture->Get() : defaults.Normal();
    BindUnit(GL_TEXTURE0, albedo);
    BindUnit(GL_TEXTURE1, normal);
    BindUnit(GL_TEXTURE2, metallicTexture != nullptr ? metallicTexture->Get() : 0);
    BindUnit(GL_TEXTURE3, roughnessTexture != nullptr ? roughnessTexture->Get() : 0);
    BindUnit(GL_TEXTURE4, aoTexture != nullptr ? aoTexture->Get() : 0);
}

void SetSolidColor(BasicMaterial& material, unsigned char r, unsigned char g, unsigned char b) {
    material.SetDiffuseTexture(SolidTextures::GetInstance().Get(r, g, b));
}
