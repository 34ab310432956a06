#version 430 core
// Smooths the finished scene's edges and puts it on the window at the window's size. The
// brightness of four diagonal neighbours gives the direction an edge runs in; the colour is then
// averaged along that direction, short or long, and the long average is kept only where it stays
// within the brightness of the neighbourhood (else it has crossed onto another surface). No loops
// and no branches: a software renderer runs every pixel's shader in lock-step with its
// neighbours', so a walk along the edge would cost every pixel the longest walk.
// Works in the scene's own texels, whatever its scale, so scaling and smoothing are one pass.

in vec2 screenUv;

uniform sampler2D scene;
// One texel of the scene's picture, in texture coordinates.
uniform vec2 texel;
// The part of the picture the scene covers, in texture coordinates (it is drawn smaller than the
// picture while the dynamic resolution has lowered its scale).
uniform vec2 sceneExtent;

out vec4 fragColor;

// The longest average, in texels, along an edge.
const float kLongestSpan = 8.0;
// Keeps the direction from growing without bound where the neighbours hardly differ; the share
// of the neighbourhood's brightness does the same in bright areas.
const float kLeastReduce = 1.0 / 128.0;
const float kReduceShare = 1.0 / 8.0;

vec3 Fetch(vec2 uv) {
    return textureLod(scene, clamp(uv, 0.5 * texel, sceneExtent - 0.5 * texel), 0.0).rgb;
}

float Luma(vec3 colour) {
    return dot(colour, vec3(0.299, 0.587, 0.114));
}

void main() {
    vec2 uv = screenUv * sceneExtent;
    // Half a texel off on each diagonal: bilinear filtering averages each 2 x 2 block for free.
    float nw = Luma(Fetch(uv + vec2(-0.5, 0.5) * texel));
    float ne = Luma(Fetch(uv + vec2(0.5, 0.5) * texel));
    float sw = Luma(Fetch(uv + vec2(-0.5, -0.5) * texel));
    float se = Luma(Fetch(uv + vec2(0.5, -0.5) * texel));
    vec3 centre = Fetch(uv);
    float m = Luma(centre);

    // Across the brightness gradient is along the edge.
    vec2 direction = vec2((sw + se) - (nw + ne), (nw + sw) - (ne + se));
    float reduce = max((nw + ne + sw + se) * 0.25 * kReduceShare, kLeastReduce);
    float scale = 1.0 / (min(abs(direction.x), abs(direction.y)) + reduce);
    direction = clamp(direction * scale, vec2(-kLongestSpan), vec2(kLongestSpan)) * texel;

    vec3 near = 0.5 * (Fetch(uv - direction / 6.0) + Fetch(uv + direction / 6.0));
    vec3 far = 0.5 * near + 0.25 * (Fetch(uv - direction * 0.5) + Fetch(uv + direction * 0.5));
    float lowest = min(m, min(min(nw, ne), min(sw, se)));
    float highest = max(m, max(max(nw, ne), max(sw, se)));
    float farLuma = Luma(far);
    fragColor = vec4(farLuma < lowest || farLuma > highest ? near : far, 1.0);
}
