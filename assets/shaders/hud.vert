#version 430 core
// Flat screen shapes (crosshair lines, threat arrows) in pixels, origin at the bottom-left.
layout(location = 0) in vec4 vertex; // pixel x, pixel y, opacity, unused
uniform mat4 projection;
out float opacity;

void main() {
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    opacity = vertex.z;
}
