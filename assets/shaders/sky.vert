#version 430 core
// The sky: one triangle that covers the whole screen at the far plane. Each corner carries the
// view direction through it; with w = 1 the directions interpolate linearly across the screen.

uniform vec3 skyForward;
// The right and up axes scaled to the half-width and half-height of the view at distance 1.
uniform vec3 skyRight;
uniform vec3 skyUp;

out vec3 viewDirection;

void main() {
    vec2 corner = vec2(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0);
    viewDirection = skyForward + corner.x * skyRight + corner.y * skyUp;
    gl_Position = vec4(corner, 1.0, 1.0);
}
