#include "render/SharedVertexArray.h"

SharedVertexArray& SharedVertexArray::GetInstance() {
    static SharedVertexArray instance;
    return instance;
}

void SharedVertexArray::Bind() {
    if (!vertexArray)
        vertexArray = GlObject::NewVertexArray();
    glBindVertexArray(vertexArray);
}
