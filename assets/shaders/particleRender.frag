#version 430 core
// A soft round spark: white-yellow while fresh, cooling to orange as it fades out.

in vec2 spriteCoord;
in float life;

out vec4 fragColor;

const vec3 kHotColor = vec3(1.0, 0.95, 0.6);
const vec3 kCoolColor = vec3(1.0, 0.35, 0.05);

void main() {
    float r = length(spriteCoord);
    float alpha = (1.0 - smoothstep(0.3, 1.0, r)) * life;
    // Nearly clear corners must not write depth and hide the sparks behind them.
    if (alpha < 0.02)
        discard;
    fragColor = vec4(mix(kCoolColor, kHotColor, life), alpha);
}
