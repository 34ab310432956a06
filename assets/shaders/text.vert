#version 430 core
// Screen text: one glyph quad in pixels, origin at the bottom-left corner.
layout(location = 0) in vec4 vertex; // pixel x, pixel y, u, v
uniform mat4 projection;
out vec2 uv;

void main() {
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    uv = vertex.zw;
}
