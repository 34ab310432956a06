#version 430 core
// Passes living particles on to the feedback buffer and drops the dead ones.

layout(points) in;
layout(points, max_vertices = 1) out;

in vec3 movedPosition[];
in vec3 movedVelocity[];
in float agedLifetime[];

out vec3 PositionOut;
out vec3 VelocityOut;
out float LifetimeOut;

void main() {
    if (agedLifetime[0] <= 0.0)
        return;
    PositionOut = movedPosition[0];
    VelocityOut = movedVelocity[0];
    LifetimeOut = agedLifetime[0];
    EmitVertex();
    EndPrimitive();
}
