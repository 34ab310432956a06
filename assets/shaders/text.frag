#version 430 core
// The atlas's red channel is the glyph's coverage, its green the coverage one pixel round it;
// blending does the anti-aliasing. With an outline, the quad reaches one pixel past the glyph and
// every pixel next to ink turns dark, so white text reads on the pale floor as on the sky.
in vec2 uv;
layout(binding = 0) uniform sampler2D glyph;
uniform vec3 textColor;
uniform float outline; // opacity of the dark rim; 0 draws the bare glyph
out vec4 color;

void main() {
    vec2 texel = texture(glyph, uv).rg;
    float coverage = texel.r;
    if (outline <= 0.0) {
        color = vec4(textColor, coverage);
        return;
    }
    float around = texel.g;
    // The glyph over its dark rim, as one colour and opacity for the blend.
    float alpha = coverage + outline * around * (1.0 - coverage);
    color = vec4(textColor * coverage / max(alpha, 1e-4), alpha);
}
