#version 430 core
// Collision wireframe: the physics points are in world space already.

layout(location = 0) in vec3 position;

uniform mat4 viewProjection;

void main() { gl_Position = viewProjection * vec4(position, 1.0); }
