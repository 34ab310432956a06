#version 430 core
// The level unfolded into its light map: each corner goes where its light map coordinate points.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;

uniform vec2 texelOffset;

out vec3 worldPosition;
out vec3 worldNormal;

void main() {
    worldPosition = position;
    worldNormal = normal;
    gl_Position = vec4(uv * 2.0 - 1.0 + texelOffset, 0.0, 1.0);
}
