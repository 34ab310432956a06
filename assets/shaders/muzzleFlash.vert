#version 430 core
// A square facing the camera around a world point, made from the vertex number alone.
uniform mat4 viewProjection;
uniform vec3 cameraPosition;
uniform vec3 cameraUp;
uniform vec3 flashCentre;
uniform float flashSize;   // half the square's side, world units

out vec2 corner;

void main() {
    const vec2 corners[6] = vec2[](vec2(-1, -1), vec2(1, -1), vec2(1, 1), vec2(-1, -1), vec2(1, 1), vec2(-1, 1));
    corner = corners[gl_VertexID];
    vec3 toCamera = normalize(cameraPosition - flashCentre);
    vec3 right = normalize(cross(cameraUp, toCamera));
    vec3 up = cross(toCamera, right);
    vec3 position = flashCentre + (right * corner.x + up * corner.y) * flashSize;
    gl_Position = viewProjection * vec4(position, 1.0);
}
