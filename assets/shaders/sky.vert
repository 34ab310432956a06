#version 430 core
// The sky: one screen-wide quad at the far plane from the horizon's line on the screen up to
// the top (below the horizon the frame is cleared to the horizon colour). Each corner carries
// the view direction through it; with w = 1 the directions interpolate linearly.

uniform vec3 skyForward;
// The right and up axes scaled to the half-width and half-height of the view at distance 1.
uniform vec3 skyRight;
uniform vec3 skyUp;
// Where the quad starts, in normalised device coordinates (-1 is the bottom of the screen).
uniform float skyBottom;

out vec3 viewDirection;

void main() {
    vec2 corner = vec2((gl_VertexID & 1) != 0 ? 1.0 : -1.0, (gl_VertexID & 2) != 0 ? 1.0 : skyBottom);
    viewDirection = skyForward + corner.x * skyRight + corner.y * skyUp;
    gl_Position = vec4(corner, 1.0, 1.0);
}
