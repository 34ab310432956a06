#version 430 core
// A gradient from the horizon colour (at and below the horizon) to the zenith colour overhead,
// and the sun's disc with a soft glow around it where the directional light comes from.

in vec3 viewDirection;

uniform vec3 horizonColour;
uniform vec3 zenithColour;
// Unit vector towards the sun.
uniform vec3 towardSun;
uniform vec3 sunDiscColour;

out vec4 fragColor;

// The disc is about 2.5 degrees across, its rim blended over a few tenths of a degree.
const float kDiscInner = 0.99979;
const float kDiscOuter = 0.99970;
const float kGlowStrength = 0.35;

void main() {
    vec3 direction = normalize(viewDirection);
    float height = max(direction.y, 0.0);
    // The colour changes fastest near the horizon, as a real sky's does.
    vec3 sky = mix(horizonColour, zenithColour, sqrt(height));

    float facing = max(dot(direction, towardSun), 0.0);
    float disc = smoothstep(kDiscOuter, kDiscInner, facing);
    float glow = facing * facing;
    glow *= glow;
    glow *= glow;
    glow *= glow;
    glow *= glow;
    glow *= glow;
    sky = mix(sky, sunDiscColour, clamp(disc + kGlowStrength * glow, 0.0, 1.0));
    fragColor = vec4(sky, 1.0);
}
