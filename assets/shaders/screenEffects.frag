#version 430 core
// What the player feels over the picture: a red vignette when hurt, brightest on the edge the
// hit came from, and the hit marker around the crosshair when a shot lands.
in vec2 ndc;

uniform vec2 screenSize;      // pixels
uniform float hurt;           // 0..1, fading
uniform vec2 hurtDirection;   // on the screen, unit length: (0, 1) is ahead; (0, 0) for none
uniform float marker;         // 0..1, fading
uniform float markerKill;     // 1 for the stronger kill marker

out vec4 color;

const vec3 kHurtRed = vec3(0.75, 0.02, 0.0);
const vec3 kMarkerWhite = vec3(1.0);
const vec3 kMarkerKill = vec3(1.0, 0.2, 0.1);

// Four short strokes on the diagonals around the screen centre, in pixels.
float Marker(vec2 pixel, float inner, float outer, float halfWidth) {
    vec2 d = abs(vec2(pixel.x + pixel.y, pixel.x - pixel.y)) * 0.70710678;
    float along = max(d.x, d.y);
    float across = min(d.x, d.y);
    float inStroke = step(inner, along) * step(along, outer);
    return inStroke * (1.0 - smoothstep(halfWidth - 0.75, halfWidth + 0.75, across));
}

void main() {
    // The vignette deepens towards the rim; the hit's side glows on top of it.
    float rim = smoothstep(0.35, 1.4, length(ndc));
    float toward = dot(hurtDirection, hurtDirection) > 0.0 ? max(dot(normalize(ndc + 1e-6), hurtDirection), 0.0) : 0.0;
    float edge = smoothstep(0.55, 1.0, max(abs(ndc.x), abs(ndc.y)));
    float red = hurt * clamp(0.8 * rim + 0.9 * toward * toward * edge, 0.0, 0.9);

    // The strokes over a dark outline one pixel wider, so they read on a bright ball as well.
    vec2 pixel = gl_FragCoord.xy - 0.5 * screenSize;
    float size = mix(1.0, 1.4, markerKill);
    float halfWidth = mix(1.25, 2.0, markerKill);
    float stroke = marker * Marker(pixel, 8.0 * size, 18.0 * size, halfWidth);
    float outline = marker * Marker(pixel, 8.0 * size - 1.0, 18.0 * size + 1.0, halfWidth + 1.0) * 0.6;
    vec3 markerColor = mix(kMarkerWhite, kMarkerKill, markerKill);

    // Stroke over outline over vignette.
    float under = outline + red * (1.0 - outline);
    vec3 underColor = under > 0.0 ? kHurtRed * red * (1.0 - outline) / under : vec3(0.0);
    float alpha = stroke + under * (1.0 - stroke);
    if (alpha <= 0.0)
        discard;
    color = vec4((markerColor * stroke + underColor * under * (1.0 - stroke)) / alpha, alpha);
}
