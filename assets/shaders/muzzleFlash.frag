#version 430 core
// The flash of a shot, added onto the picture: a white-hot core, a few rays and a soft glow.
// The wide glow pass (rays off) brightens the gun around the muzzle.
in vec2 corner;

uniform float flashStrength; // 0..1, fading
uniform float flashRays;     // 1 for the sprite, 0 for the glow
uniform float flashTurn;     // radians: each shot's rays point another way

out vec4 color;

void main() {
    float r = length(corner);
    float angle = atan(corner.y, corner.x) + flashTurn;
    float rays = flashRays * pow(abs(cos(angle * 2.5)), 12.0) * max(1.0 - r, 0.0);
    float core = exp(-r * r * mix(4.0, 14.0, flashRays));
    vec3 light = vec3(1.0, 0.72, 0.35) * (rays * 1.2 + core * 0.6) + vec3(1.0, 0.95, 0.85) * core * flashRays;
    color = vec4(light * flashStrength * mix(0.45, 1.0, flashRays), 1.0);
}
