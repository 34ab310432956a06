#version 430 core
// The pickup orb: floats up and down and pulses in size over "time", and glows.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;

uniform mat4 viewProjection;
uniform mat4 model;
uniform float time;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out float glow;

const float kBobHeight = 0.2;
const float kBobSpeed = 2.0;
const float kPulseAmount = 0.12;
const float kPulseSpeed = 4.0;

void main() {
    float pulse = 1.0 + kPulseAmount * sin(time * kPulseSpeed);
    vec4 world = model * vec4(position * pulse, 1.0);
    world.y += kBobHeight * sin(time * kBobSpeed);
    worldPosition = world.xyz;
    worldNormal = mat3(model) * normal;
    texCoord = uv;
    glow = 0.75 + 0.25 * sin(time * kPulseSpeed);
    gl_Position = viewProjection * world;
}
