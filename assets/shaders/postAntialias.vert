#version 430 core
// One triangle over the whole window, made from the vertex number alone: no buffer needed.
out vec2 screenUv;

void main() {
    vec2 corner = vec2(float((gl_VertexID & 1) << 2) - 1.0, float((gl_VertexID & 2) << 1) - 1.0);
    screenUv = corner * 0.5 + 0.5;
    gl_Position = vec4(corner, 0.0, 1.0);
}
