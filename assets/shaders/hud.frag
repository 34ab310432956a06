#version 430 core
in float opacity;
uniform vec3 shapeColor;
out vec4 color;

void main() {
    color = vec4(shapeColor, opacity);
}
