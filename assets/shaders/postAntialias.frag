#version 430 core
// Smooths the finished scene's edges and puts it on the window at the window's size. Where the
// brightness of a pixel's neighbours says an edge runs through it, the walk along the edge finds
// how far the pixel lies from the stair step's ends, and the colour is read that much across the
// edge; thin details get a little of their surroundings' average as well. Works in the scene's
// own texels, whatever its scale, so the scaling and the smoothing are one pass.

in vec2 screenUv;

uniform sampler2D scene;
// One texel of the scene's picture, in texture coordinates.
uniform vec2 texel;
// The part of the picture the scene covers, in texture coordinates (it is drawn smaller than the
// picture while the dynamic resolution has lowered its scale).
uniform vec2 sceneExtent;

out vec4 fragColor;

// Contrast below the larger of these (absolute, and as a share of the brightest neighbour) is
// left alone: smoothing it would only blur textures.
const float kContrastFloor = 0.0312;
const float kContrastShare = 0.125;
// How much of the neighbourhood's average a one-texel detail takes.
const float kSubpixelShare = 0.75;
const int kSearchSteps = 8;
const float kStrides[kSearchSteps] = float[](1.0, 1.0, 1.0, 1.5, 2.0, 2.0, 4.0, 8.0);

vec3 Fetch(vec2 uv) {
    return textureLod(scene, clamp(uv, 0.5 * texel, sceneExtent - 0.5 * texel), 0.0).rgb;
}

float Luma(vec3 colour) {
    return dot(colour, vec3(0.299, 0.587, 0.114));
}

float LumaAt(vec2 uv) {
    return Luma(Fetch(uv));
}

void main() {
    vec2 uv = screenUv * sceneExtent;
    vec3 centre = Fetch(uv);
    float m = Luma(centre);
    float n = LumaAt(uv + vec2(0.0, texel.y));
    float s = LumaAt(uv - vec2(0.0, texel.y));
    float e = LumaAt(uv + vec2(texel.x, 0.0));
    float w = LumaAt(uv - vec2(texel.x, 0.0));
    float lowest = min(m, min(min(n, s), min(e, w)));
    float highest = max(m, max(max(n, s), max(e, w)));
    float range = highest - lowest;
    if (range < max(kContrastFloor, highest * kContrastShare)) {
        fragColor = vec4(centre, 1.0);
        return;
    }
    float ne = LumaAt(uv + texel);
    float sw = LumaAt(uv - texel);
    float nw = LumaAt(uv + vec2(-texel.x, texel.y));
    float se = LumaAt(uv + vec2(texel.x, -texel.y));

    // An edge runs horizontally when the brightness changes most from row to row.
    float rowChange = 2.0 * abs(n + s - 2.0 * m) + abs(ne + se - 2.0 * e) + abs(nw + sw - 2.0 * w);
    float columnChange = 2.0 * abs(e + w - 2.0 * m) + abs(ne + nw - 2.0 * n) + abs(se + sw - 2.0 * s);
    bool horizontal = rowChange >= columnChange;
    float before = horizontal ? s : w;
    float after = horizontal ? n : e;
    vec2 across = horizontal ? vec2(0.0, texel.y) : vec2(texel.x, 0.0);
    vec2 along = horizontal ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    // The edge lies towards the neighbour that differs most.
    float edgeLuma = 0.5 * (after + m);
    float gradient = abs(after - m);
    if (abs(before - m) >= abs(after - m)) {
        across = -across;
        edgeLuma = 0.5 * (before + m);
        gradient = abs(before - m);
    }
    gradient *= 0.25;

    // Walk along the edge both ways until the brightness leaves the edge's.
    vec2 onEdge = uv + 0.5 * across;
    vec2 back = onEdge - along;
    vec2 ahead = onEdge + along;
    float backDelta = LumaAt(back) - edgeLuma;
    float aheadDelta = LumaAt(ahead) - edgeLuma;
    bool backDone = abs(backDelta) >= gradient;
    bool aheadDone = abs(aheadDelta) >= gradient;
    for (int i = 1; i < kSearchSteps && !(backDone && aheadDone); ++i) {
        if (!backDone) {
            back -= along * kStrides[i];
            backDelta = LumaAt(back) - edgeLuma;
            backDone = abs(backDelta) >= gradient;
        }
        if (!aheadDone) {
            ahead += along * kStrides[i];
            aheadDelta = LumaAt(ahead) - edgeLuma;
            aheadDone = abs(aheadDelta) >= gradient;
        }
    }
    float backDistance = horizontal ? uv.x - back.x : uv.y - back.y;
    float aheadDistance = horizontal ? ahead.x - uv.x : ahead.y - uv.y;
    bool backNearer = backDistance < aheadDistance;
    float nearest = min(backDistance, aheadDistance);
    float edgeOffset = 0.5 - nearest / (backDistance + aheadDistance);
    // Only the part of the step that rises towards the nearer end is moved across the edge.
    bool centreDarker = m < edgeLuma;
    bool rising = ((backNearer ? backDelta : aheadDelta) < 0.0) != centreDarker;
    edgeOffset = rising ? edgeOffset : 0.0;

    float average = (2.0 * (n + s + e + w) + ne + nw + se + sw) / 12.0;
    float detail = smoothstep(0.0, 1.0, clamp(abs(average - m) / range, 0.0, 1.0));
    float detailOffset = detail * detail * kSubpixelShare;

    fragColor = vec4(Fetch(uv + across * max(edgeOffset, detailOffset)), 1.0);
}
