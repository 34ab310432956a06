#version 430 core
// A soft round blob: darkest at its centre, fading smoothly to nothing at its rim.

in vec2 blobPosition;
in float blobOpacity;

out vec4 fragColor;

void main() {
    float falloff = max(1.0 - dot(blobPosition, blobPosition), 0.0);
    fragColor = vec4(0.0, 0.0, 0.0, blobOpacity * falloff * falloff);
}
