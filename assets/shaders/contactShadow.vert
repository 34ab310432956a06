#version 430 core
// A contact shadow's quad, already in world space, with its place within the blob and its
// opacity passed on for the fragment stage.

layout(location = 0) in vec3 position;
layout(location = 1) in vec2 local;
layout(location = 2) in float opacity;

uniform mat4 viewProjection;

out vec2 blobPosition;
out float blobOpacity;

void main() {
    blobPosition = local;
    blobOpacity = opacity;
    gl_Position = viewProjection * vec4(position, 1.0);
}
