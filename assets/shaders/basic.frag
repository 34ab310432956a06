#version 430 core
// Blinn-Phong in linear light: ambient, one directional light (shadowed as the ground under the
// object is) and the point lights chosen for this object, with the others as one light without a
// direction; a rim and self-lit term for glowing surfaces; distance fog toward the horizon. The
// framebuffer is not sRGB, so encode at the end.

const int MAX_POINT_LIGHTS = 32;
const float kAmbient = 0.12;
const float kGlowEmission = 0.35;
const float kRimPower = 2.5;

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
in vec2 texCoord;
in float glow;

uniform DirectionalLight directionalLight;
uniform int pointLightCount;
uniform vec3 pointLightPositions[MAX_POINT_LIGHTS];
uniform vec3 pointLightColors[MAX_POINT_LIGHTS];
uniform vec3 pointLightAttenuations[MAX_POINT_LIGHTS];
// The lights chosen for this object; without any (a draw outside the world's objects) every
// light of the list is used.
uniform int objectLightCount;
uniform vec3 objectLightPositions[MAX_POINT_LIGHTS];
uniform vec3 objectLightColors[MAX_POINT_LIGHTS];
uniform vec3 objectLightAttenuations[MAX_POINT_LIGHTS];
uniform vec3 objectRestLight;
uniform float sunShadow; // 0 in full sun, 1 where the ground under the object is shadowed
uniform float fogDensity;
uniform vec3 fogColour;
uniform Material material;
uniform vec3 cameraPosition;
uniform sampler2D diffuseTexture;
uniform float hitFlash;     // 0..1: a shot just landed at hitFlashPoint (world space)
uniform vec3 hitFlashPoint;
// 1 for the enemies' balls: their colours are laid out by the direction from the ball's centre
// in its own frame, which has no seam and no poles, with faint spots that roll with the ball.
uniform int ballPattern;
uniform mat4 model;

out vec4 fragColor;

// Filmic curve (a fitted ACES approximation): bright, overlapping coloured lights roll off
// instead of clipping, so the floor keeps its shading near the lights.
const float kExposure = 0.8;
vec3 ToneMap(vec3 x) {
    x *= kExposure;
    return clamp((x * (2.51 * x + 0.03)) / (x * (2.43 * x + 0.59) + 0.14), 0.0, 1.0);
}

vec3 Shade(vec3 albedo, vec3 N, vec3 V, vec3 L, vec3 lightColor) {
    float diffuse = max(dot(N, L), 0.0);
    vec3 H = normalize(L + V);
    float specular = diffuse > 0.0 ? pow(max(dot(N, H), 0.0), material.shininess) : 0.0;
    return lightColor * (albedo * diffuse + material.specular * specular);
}

// One point light's colour reaching the surface, added to the diffuse and highlight sums.
void AddPointLight(vec3 position, vec3 color, vec3 k, vec3 N, vec3 V, float NdotV, float specularScale,
                   inout vec3 diffuseSum, inout vec3 specularSum) {
    vec3 toLight = position - worldPosition;
    float d2 = dot(toLight, toLight);
    float invD = inversesqrt(max(d2, 1e-8));
    float d = d2 * invD;
    float attenuation = 1.0 / max(k.x + d * (k.y + k.z * d), 1e-4);
    float NdotL = dot(N, toLight) * invD;
    // N.H without building H: |L + V| = sqrt(2 + 2 L.V).
    float NdotH = (NdotL + NdotV) * inversesqrt(max(2.0 + 2.0 * dot(toLight, V) * invD, 1e-8));
    // x^n = e^(n ln x), close to e^(-n (1 - x)) near the highlight, close to (1 - n (1 - x) / 16)^16:
    // four squarings instead of a logarithm and an exponential per light.
    float specular = max(1.0 - specularScale * (1.0 - NdotH), 0.0);
    specular *= specular;
    specular *= specular;
    specular *= specular;
    specular *= specular;
    vec3 radiance = color * attenuation;
    diffuseSum += radiance * max(NdotL, 0.0);
    specularSum += radiance * (NdotL > 0.0 ? specular : 0.0);
}

// The ball's colours by the direction from its centre in its own frame (no seam, no poles), with
// faint spots that roll with it. Both kinds of surface read their colour in the one fetch below:
// a software renderer would run a fetch in each arm of the choice.
vec4 SurfaceTexel() {
    vec2 uv = texCoord;
    float shade = 1.0;
    if (ballPattern != 0) {
        vec3 d = normalize(transpose(mat3(model)) * (worldPosition - model[3].xyz));
        uv = vec2(0.5 - 0.25 * d.x, 0.5);
        float spots = sin(7.0 * d.x) * sin(7.0 * d.y) * sin(7.0 * d.z);
        shade = 1.0 - 0.18 * smoothstep(0.15, 0.45, spots);
    }
    vec4 texel = texture(diffuseTexture, uv);
    texel.rgb *= shade;
    return texel;
}

void main() {
    vec4 texel = SurfaceTexel();
    vec3 albedo = texel.rgb;
    vec3 N = normalize(worldNormal);
    vec3 V = normalize(cameraPosition - worldPosition);

    vec3 color = kAmbient * albedo;
    if (dot(directionalLight.direction, directionalLight.direction) > 0.0)
        color += Shade(albedo, N, V, normalize(-directionalLight.direction), directionalLight.color * (1.0 - sunShadow));

    // The point lights are summed as light colours and the surface's albedo and specular colour
    // applied once after the loop: this loop is most of the frame's cost on a software renderer.
    // The lights beyond the object's few arrive as one colour, half of it on average over a ball.
    vec3 diffuseSum = 0.5 * objectRestLight;
    vec3 specularSum = vec3(0.0);
    float NdotV = dot(N, V);
    float specularScale = material.shininess / 16.0;
    if (objectLightCount > 0) {
        for (int i = 0; i < min(objectLightCount, MAX_POINT_LIGHTS); ++i)
            AddPointLight(objectLightPositions[i], objectLightColors[i], objectLightAttenuations[i], N, V, NdotV,
                          specularScale, diffuseSum, specularSum);
    } else {
        for (int i = 0; i < clamp(pointLightCount, 0, MAX_POINT_LIGHTS); ++i)
            AddPointLight(pointLightPositions[i], pointLightColors[i], pointLightAttenuations[i], N, V, NdotV,
                          specularScale, diffuseSum, specularSum);
    }
    color += albedo * diffuseSum + material.specular * specularSum;

    if (glow > 0.0) {
        float rim = pow(1.0 - max(dot(N, V), 0.0), kRimPower);
        color += glow * albedo * (kGlowEmission + rim);
    }

    float fogDistance = length(cameraPosition - worldPosition) * fogDensity;
    vec3 encoded = mix(pow(ToneMap(max(color, vec3(0.0))), vec3(1.0 / 2.2)), fogColour, 1.0 - exp(-fogDistance * fogDistance));
    encoded = mix(encoded, vec3(1.0, 0.93, 0.75), 0.75 * hitFlash * (1.0 - smoothstep(0.1, 0.9, distance(worldPosition, hitFlashPoint))));
    fragColor = vec4(encoded, texel.a);
}
