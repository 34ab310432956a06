#version 430 core
// Hands each particle's position and remaining life to the sprite stage.

layout(location = 0) in vec3 position;
layout(location = 2) in float lifetime;

out float spriteLife;

void main() {
    gl_Position = vec4(position, 1.0);
    spriteLife = clamp(lifetime, 0.0, 1.0);
}
