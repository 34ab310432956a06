#version 430 core
// Physically based meshes: the same world-space inputs as the basic shading.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;

uniform mat4 viewProjection;
uniform mat4 model;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;

void main() {
    vec4 world = model * vec4(position, 1.0);
    worldPosition = world.xyz;
    // Model matrices carry rotation and translation only, so the upper 3x3 turns normals too.
    worldNormal = mat3(model) * normal;
    texCoord = uv;
    gl_Position = viewProjection * world;
}
