#include "render/DebugView.h"

#include "render/ShaderHandler.h"

#include <GL/glew.h>

void DrawDebugLines(ShaderHandler& shaders, const std::vector<Vec3>& lineVertices) {
    if (lineVertices.empty())
        return;
    shaders.Use(DebugProgram());
    // A development aid: the whole wireframe is rebuilt every frame, nothing is kept.
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(lineVertices.size() * sizeof(Vec3)),
                 lineVertices.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lineVertices.size()));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisableVertexAttribArray(0);
    glDeleteBuffers(1, &buffer);
}
