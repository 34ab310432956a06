#version 430 core
// The glyph bitmap's red channel is its coverage; blending does the anti-aliasing. With an
// outline, the quad reaches one pixel past the glyph and every pixel next to ink turns dark, so
// white text reads on the pale floor as on the sky.
in vec2 uv;
layout(binding = 0) uniform sampler2D glyph;
uniform vec3 textColor;
uniform float outline; // opacity of the dark rim; 0 draws the bare glyph
out vec4 color;

void main() {
    float coverage = texture(glyph, uv).r;
    if (outline <= 0.0) {
        color = vec4(textColor, coverage);
        return;
    }
    vec2 texel = 1.0 / vec2(textureSize(glyph, 0));
    float around = 0.0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            around = max(around, texture(glyph, uv + vec2(dx, dy) * texel).r);
    // The glyph over its dark rim, as one colour and opacity for the blend.
    float alpha = coverage + outline * around * (1.0 - coverage);
    color = vec4(textColor * coverage / max(alpha, 1e-4), alpha);
}
