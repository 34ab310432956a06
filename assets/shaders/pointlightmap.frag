#version 430 core
// The point lights' diffuse light at one texel of the level, as light colour (the surface's
// albedo is applied where the level is drawn).

// Tested against the stencil before shading: texels already drawn cost nothing.
layout(early_fragment_tests) in;

const int MAX_POINT_LIGHTS = 32;

in vec3 worldPosition;
in vec3 worldNormal;

uniform int pointLightCount;
uniform vec3 pointLightPositions[MAX_POINT_LIGHTS];
uniform vec3 pointLightColors[MAX_POINT_LIGHTS];
uniform vec3 pointLightAttenuations[MAX_POINT_LIGHTS];

out vec4 fragColor;

void main() {
    vec3 N = normalize(worldNormal);
    vec3 light = vec3(0.0);
    int count = clamp(pointLightCount, 0, MAX_POINT_LIGHTS);
    for (int i = 0; i < count; ++i) {
        vec3 toLight = pointLightPositions[i] - worldPosition;
        float d = length(toLight);
        vec3 k = pointLightAttenuations[i];
        float attenuation = 1.0 / max(k.x + d * (k.y + k.z * d), 1e-4);
        light += pointLightColors[i] * attenuation * max(dot(N, toLight) / max(d, 1e-4), 0.0);
    }
    fragColor = vec4(light, 1.0);
}
