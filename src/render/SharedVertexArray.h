#pragma once
// The one vertex-array object of the run: every draw points its attributes on it, so it is
// made and bound once at start-up and stays bound until the release at shut-down.

#include "render/GlObject.h"

class SharedVertexArray {
public:
    static SharedVertexArray& GetInstance();

    /// Binds the vertex-array object, making it on the first call (or the first after Release).
    void Bind();
    /// Deletes it while the context is still current.
    void Release() { vertexArray.Release(); }
    GLuint Get() const { return vertexArray; }

private:
    SharedVertexArray() = default;
    GlObject vertexArray;
};
