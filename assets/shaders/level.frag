#version 430 core
// The arena from its light map: the sun where the bake saw it, the sky as much as each texel
// sees of it (darker corners and wall feet) and the point lights' diffuse light from their own
// texture, so a pixel reads two texels instead of looping over the lights. Highlights stay per
// pixel for the few lights that shine most where the camera stands. World-space tile lines on
// upward faces and distance fog toward the horizon.

const float kAmbient = 0.16;
const float kTile = 4.0;
const float kTileLineDarkening = 0.22;
const float kTileShade = 0.04;
const int MAX_HIGHLIGHTS = 2;

struct DirectionalLight {
    vec3 direction;
    vec3 color;
};

struct Material {
    vec3 specular;
    float shininess;
};

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord; // the light map coordinate
in float glow;

uniform DirectionalLight directionalLight;
uniform Material material;
uniform vec3 cameraPosition;
uniform sampler2D diffuseTexture;
uniform sampler2D bakedLight;    // red: the sun's visibility, green: the sky's
uniform sampler2D pointLightMap; // the point lights' diffuse light
uniform int highlightCount;
uniform vec3 highlightPositions[MAX_HIGHLIGHTS];
uniform vec3 highlightColors[MAX_HIGHLIGHTS];
uniform vec3 highlightAttenuations[MAX_HIGHLIGHTS];
uniform int floorGrid;
// Surfaces: concrete on the floor (one texture per 4-unit tile), panelled walls on the outer
// walls, steel-trimmed plates on blocks, ramps and pillars; hazard stripes along the drops.
uniform int levelTextures;
uniform int hazardMarkings;
uniform sampler2DArray surfaces; // layers: floor, wall, block, hazard
uniform float fogDensity;
uniform vec3 fogColour;

out vec4 fragColor;

const float kExposure = 0.8;
vec3 ToneMap(vec3 x) {
    x *= kExposure;
    return clamp((x * (2.51 * x + 0.03)) / (x * (2.43 * x + 0.59) + 0.14), 0.0, 1.0);
}

// x^n as (1 - n (1 - x) / 16)^16: four squarings instead of pow.
float Highlight(float x) {
    float s = max(1.0 - material.shininess / 16.0 * (1.0 - x), 0.0);
    s *= s;
    s *= s;
    s *= s;
    return s * s;
}

// Dark lines along the tile edges, anti-aliased over one pixel, and every other tile a touch
// lighter, so the floor shows the player's motion.
float TilePattern(vec3 N) {
    if (floorGrid == 0 || N.y < 0.7)
        return 1.0;
    vec2 cell = worldPosition.xz / kTile;
    vec2 width = max(fwidth(cell), vec2(1e-4));
    vec2 edge = abs(fract(cell - 0.5) - 0.5) / width;
    float line = 1.0 - min(min(edge.x, edge.y), 1.0);
    // The lines fade out where they would be thinner than a pixel (far away).
    line *= clamp(1.5 - 20.0 * max(width.x, width.y), 0.0, 1.0);
    vec2 index = floor(cell);
    float checker = mod(index.x + index.y, 2.0) * kTileShade;
    return (1.0 - kTileLineDarkening * line) * (1.0 - kTileShade + checker);
}

const float kFloorSpan = 4.0;
const float kWallSpan = 4.0;
const float kBlockSpan = 2.0;
const float kHazardSpan = 2.0;
const float kOuterWall = 62.5;  // the north, south and west walls' inner faces stand at 63
const float kEastStripes = 61.0; // the floor ends at x = 64
const vec4 kPit = vec4(-40.0, 28.0, -32.0, 36.0); // x0, z0, x1, z1
const float kPitStripes = 2.0;

const float kFloorLayer = 0.0;
const float kWallLayer = 1.0;
const float kBlockLayer = 2.0;
const float kHazardLayer = 3.0;

// The surface is chosen first and then read once: a software renderer runs every branch of a
// pixel's shader, so a read in each branch would cost every pixel all of them. The gradients come
// from the world position, which is smooth across the faces, so the level's creases keep their
// mip level.
vec3 SurfaceColour(vec3 N) {
    vec3 p = worldPosition;
    vec3 dx = dFdx(p); // taken before any branch, where every pixel of the quad still runs
    vec3 dy = dFdy(p);
    vec3 a = abs(N);
    bool upward = a.y > 0.7;
    bool onFloor = upward && abs(p.y) < 0.05;
    bool hazard = false;
    if (hazardMarkings != 0 && onFloor) {
        vec2 outside = max(kPit.xy - p.xz, p.xz - kPit.zw);
        float fromPit = max(outside.x, outside.y);
        hazard = p.x > kEastStripes || (fromPit > 0.0 && fromPit < kPitStripes);
    }
    if (!hazard && levelTextures == 0)
        return vec3(1.0);
    bool facesX = a.x > a.z;
    vec2 uv = upward ? p.xz : (facesX ? p.zy : p.xy);
    vec2 uvX = upward ? dx.xz : (facesX ? dx.zy : dx.xy);
    vec2 uvY = upward ? dy.xz : (facesX ? dy.zy : dy.xy);
    float layer = kBlockLayer;
    float span = kBlockSpan;
    float gain = 1.0;
    if (hazard) {
        layer = kHazardLayer;
        span = kHazardSpan;
        gain = 1.6;
    } else if (onFloor) {
        layer = kFloorLayer;
        span = kFloorSpan;
    } else if (!upward && max(abs(p.x), abs(p.z)) > kOuterWall && p.y > -0.05) {
        layer = kWallLayer;
        span = kWallSpan;
    }
    return gain * textureGrad(surfaces, vec3(uv / span, layer), uvX / span, uvY / span).rgb;
}

void main() {
    vec4 texel = texture(diffuseTexture, texCoord);
    vec3 N = normalize(worldNormal);
    vec3 albedo = texel.rgb * TilePattern(N) * SurfaceColour(N);
    vec3 V = normalize(cameraPosition - worldPosition);
    vec2 baked = texture(bakedLight, texCoord).rg;

    vec3 light = kAmbient * baked.g + texture(pointLightMap, texCoord).rgb;
    vec3 specular = vec3(0.0);
    if (dot(directionalLight.direction, directionalLight.direction) > 0.0) {
        vec3 L = normalize(-directionalLight.direction);
        float NdotL = max(dot(N, L), 0.0);
        light += directionalLight.color * NdotL * baked.r;
        if (NdotL > 0.0)
            specular += directionalLight.color * baked.r * Highlight(max(dot(N, normalize(L + V)), 0.0));
    }
    for (int i = 0; i < min(highlightCount, MAX_HIGHLIGHTS); ++i) {
        vec3 toLight = highlightPositions[i] - worldPosition;
        float d = length(toLight);
        vec3 L = toLight / max(d, 1e-4);
        vec3 k = highlightAttenuations[i];
        float attenuation = 1.0 / max(k.x + d * (k.y + k.z * d), 1e-4);
        if (dot(N, L) > 0.0)
            specular += highlightColors[i] * attenuation * Highlight(max(dot(N, normalize(L + V)), 0.0));
    }
    vec3 color = albedo * light + material.specular * specular;

    float distance = length(cameraPosition - worldPosition) * fogDensity;
    float fog = 1.0 - exp(-distance * distance);
    vec3 shaded = mix(pow(ToneMap(max(color, vec3(0.0))), vec3(1.0 / 2.2)), fogColour, fog);
    fragColor = vec4(shaded, texel.a);
}
