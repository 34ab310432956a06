#version 430 core
// The glyph bitmap's red channel is its coverage; blending does the anti-aliasing.
in vec2 uv;
layout(binding = 0) uniform sampler2D glyph;
uniform vec3 textColor;
out vec4 color;

void main() {
    float coverage = texture(glyph, uv).r;
    color = vec4(textColor, coverage);
}
