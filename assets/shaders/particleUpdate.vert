#version 430 core
// Advances one particle by a frame: it flies along its direction, slows down and ages.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 velocity;
layout(location = 2) in float lifetime;

uniform float deltaTime;

out vec3 movedPosition;
out vec3 movedVelocity;
out float agedLifetime;

// With this start speed and drag a burst spreads about 2.3 units in its one second.
const float kSpeed = 4.0;
const float kDrag = 1.2;

void main() {
    movedPosition = position + velocity * kSpeed * deltaTime;
    movedVelocity = velocity * exp(-kDrag * deltaTime);
    agedLifetime = lifetime - deltaTime;
}
