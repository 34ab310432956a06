#version 430 core
// Turns each particle into a small quad that faces the camera.

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

in float spriteLife[];

uniform mat4 viewProjection;
uniform vec3 cameraPosition;
uniform vec3 cameraUp;

out vec2 spriteCoord;
out float life;

const float kStartSize = 0.07;
const float kEndSize = 0.025;

void main() {
    vec3 center = gl_in[0].gl_Position.xyz;
    vec3 toCamera = cameraPosition - center;
    if (dot(toCamera, toCamera) < 1e-8)
        return;
    toCamera = normalize(toCamera);
    vec3 right = cross(cameraUp, toCamera);
    if (dot(right, right) < 1e-8)
        right = cross(vec3(1.0, 0.0, 0.0), toCamera);
    right = normalize(right);
    vec3 up = cross(toCamera, right);
    float size = mix(kEndSize, kStartSize, spriteLife[0]);

    for (int corner = 0; corner < 4; ++corner) {
        vec2 offset = vec2(corner & 1, corner >> 1) * 2.0 - 1.0;
        vec3 world = center + (right * offset.x + up * offset.y) * size;
        gl_Position = viewProjection * vec4(world, 1.0);
        spriteCoord = offset;
        life = spriteLife[0];
        EmitVertex();
    }
    EndPrimitive();
}
