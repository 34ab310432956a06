#version 430 core
// Cook-Torrance (GGX distribution, Smith-Schlick geometry, Schlick Fresnel) from five maps.
// The meshes carry no tangents, so the normal map is applied through a tangent frame built
// from screen-space derivatives of position and texture coordinate. Lit like the other moving
// objects: the point lights chosen for it per pixel, the others as one term, the sun as the ground
// under it sees it.

const int MAX_POINT_LIGHTS = 32;
const float PI = 3.14159265;
const float kAmbient = 0.08;

struct DirectionalLight {
    vec3 direction;
    vec3 color;
};

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;

uniform DirectionalLight directionalLight;
uniform int pointLightCount;
uniform vec3 pointLightPositions[MAX_POINT_LIGHTS];
uniform vec3 pointLightColors[MAX_POINT_LIGHTS];
uniform vec3 pointLightAttenuations[MAX_POINT_LIGHTS];
uniform int objectLightCount;
uniform vec3 objectLightPositions[MAX_POINT_LIGHTS];
uniform vec3 objectLightColors[MAX_POINT_LIGHTS];
uniform vec3 objectLightAttenuations[MAX_POINT_LIGHTS];
uniform vec3 objectRestLight;
uniform float sunShadow;
uniform vec3 cameraPosition;
// 1 for the gun held at the eye: every light it gets is held below kHeldLightLimit, the sun wraps
// round its shaded side and the sky fills in, so it neither blazes beside an orb nor goes black
// when the player faces the sun.
uniform int heldLighting;
const float kHeldLightLimit = 0.45;
const float kHeldSkyFill = 0.22;

uniform sampler2D albedoMap;
uniform sampler2D normalMap;
uniform sampler2D metallicMap;
uniform sampler2D roughnessMap;
uniform sampler2D aoMap;

out vec4 fragColor;

// Filmic curve (a fitted ACES approximation): bright, overlapping coloured lights roll off
// instead of clipping, so the floor keeps its shading near the lights.
const float kExposure = 0.8;
vec3 ToneMap(vec3 x) {
    x *= kExposure;
    return clamp((x * (2.51 * x + 0.03)) / (x * (2.43 * x + 0.59) + 0.14), 0.0, 1.0);
}

vec3 MappedNormal(vec3 N) {
    vec3 dp1 = dFdx(worldPosition);
    vec3 dp2 = dFdy(worldPosition);
    vec2 duv1 = dFdx(texCoord);
    vec2 duv2 = dFdy(texCoord);
    vec3 dp2perp = cross(dp2, N);
    vec3 dp1perp = cross(N, dp1);
    vec3 T = dp2perp * duv1.x + dp1perp * duv2.x;
    vec3 B = dp2perp * duv1.y + dp1perp * duv2.y;
    float scale = max(dot(T, T), dot(B, B));
    // Without a usable texture mapping there is no frame to turn the map into: keep the surface normal.
    if (scale < 1e-20)
        return N;
    mat3 TBN = mat3(T * inversesqrt(scale), B * inversesqrt(scale), N);
    vec3 mapped = texture(normalMap, texCoord).xyz * 2.0 - 1.0;
    vec3 result = TBN * mapped;
    return dot(result, result) > 1e-12 ? normalize(result) : N;
}

float DistributionGGX(float NdotH, float roughness) {
    float a = roughness * roughness;
    float a2 = a * a;
    float d = NdotH * NdotH * (a2 - 1.0) + 1.0;
    return a2 / max(PI * d * d, 1e-6);
}

float GeometrySchlick(float NdotX, float roughness) {
    float r = roughness + 1.0;
    float k = r * r / 8.0;
    return NdotX / (NdotX * (1.0 - k) + k);
}

vec3 FresnelSchlick(float cosTheta, vec3 F0) { return F0 + (1.0 - F0) * pow(clamp(1.0 - cosTheta, 0.0, 1.0), 5.0); }

vec3 Radiance(vec3 N, vec3 V, vec3 L, vec3 radiance, vec3 albedo, float metallic, float roughness, vec3 F0) {
    vec3 H = normalize(V + L);
    float NdotL = max(dot(N, L), 0.0);
    float NdotV = max(dot(N, V), 1e-4);
    float NdotH = max(dot(N, H), 0.0);
    vec3 F = FresnelSchlick(max(dot(H, V), 0.0), F0);
    float G = GeometrySchlick(NdotV, roughness) * GeometrySchlick(NdotL, roughness);
    vec3 specular = DistributionGGX(NdotH, roughness) * G * F / max(4.0 * NdotV * NdotL, 1e-4);
    vec3 kD = (vec3(1.0) - F) * (1.0 - metallic);
    // Light colours are given as what a white matte surface facing the light shows (as in the
    // basic shading), hence the factor PI against the 1/PI of the diffuse lobe.
    return (kD * albedo / PI + specular) * radiance * PI * NdotL;
}

void main() {
    // The gun's maps are loaded as plain data; the albedo is sRGB-encoded and decoded here.
    // Greyscale maps may be one- or three-channel images: read their red channel.
    vec3 albedo = pow(texture(albedoMap, texCoord).rgb, vec3(2.2));
    float metallic = texture(metallicMap, texCoord).r;
    float roughness = clamp(texture(roughnessMap, texCoord).r, 0.04, 1.0);
    float ao = texture(aoMap, texCoord).r;

    vec3 N = MappedNormal(normalize(worldNormal));
    vec3 V = normalize(cameraPosition - worldPosition);
    vec3 F0 = mix(vec3(0.04), albedo, metallic);

    bool held = heldLighting != 0;
    vec3 color = vec3(0.0);
    if (dot(directionalLight.direction, directionalLight.direction) > 0.0) {
        vec3 L = normalize(-directionalLight.direction);
        vec3 sun = directionalLight.color * (1.0 - sunShadow);
        color += Radiance(N, V, L, sun, albedo, metallic, roughness, F0);
        if (held)
            color += 0.25 * sun * albedo * (1.0 - metallic * 0.5) * clamp(0.5 - 0.5 * dot(N, L), 0.0, 1.0);
    }
    // Without lights chosen for this object (a draw outside the world's objects) every light is used.
    bool chosen = objectLightCount > 0;
    int count = clamp(chosen ? objectLightCount : pointLightCount, 0, MAX_POINT_LIGHTS);
    for (int i = 0; i < count; ++i) {
        vec3 toLight = (chosen ? objectLightPositions[i] : pointLightPositions[i]) - worldPosition;
        float d = length(toLight);
        vec3 k = chosen ? objectLightAttenuations[i] : pointLightAttenuations[i];
        float attenuation = 1.0 / max(k.x + k.y * d + k.z * d * d, 1e-4);
        vec3 lightColor = chosen ? objectLightColors[i] : pointLightColors[i];
        vec3 arriving = lightColor * attenuation;
        if (held)
            arriving = min(arriving, vec3(kHeldLightLimit));
        color += Radiance(N, V, toLight / max(d, 1e-4), arriving, albedo, metallic, roughness, F0);
    }
    // The other lights, from no particular direction: half of them on average, tinting metal
    // through its reflectance as they tint paint through its albedo.
    vec3 rest = held ? min(objectRestLight, vec3(kHeldLightLimit)) : objectRestLight;
    color += 0.5 * rest * mix(albedo, F0, metallic);
    color += kAmbient * albedo * ao;
    if (held) {
        color += kHeldSkyFill * mix(albedo, F0, metallic) * ao;
        color = min(color, vec3(3.0 * kHeldLightLimit));
    }

    fragColor = vec4(pow(ToneMap(max(color, vec3(0.0))), vec3(1.0 / 2.2)), 1.0);
}
