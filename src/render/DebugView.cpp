#include "render/DebugView.h"

#include "render/ShaderHandler.h"

#include <GL/glew.h>

DebugView& DebugView::GetInstance() {
    static DebugView instance;
    return instance;
}

void DebugView::Draw(ShaderHandler& shaders, const std::vector<Vec3>& lineVertices) {
    if (lineVertices.empty())
        return;
    if (!shaders.Use(DebugProgram()))
        return;
    if (!buffer)
        buffer = GlObject::NewBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    // The whole wireframe changes with every step, so the store is replaced each frame.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(lineVertices.size() * sizeof(Vec3)),
                 lineVertices.data(), GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lineVertices.size()));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
