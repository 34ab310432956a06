#include "render/GlObject.h"

GlObject& GlObject::operator=(GlObject&& other) noexcept {
    if (this != &other) {
        Release();
        kind = other.kind;
        name = std::exchange(other.name, 0);
    }
    return *this;
}

GlObject GlObject::NewBuffer() {
    GLuint id = 0;
    glGenBuffers(1, &id);
    return {Kind::Buffer, id};
}

GlObject GlObject::NewTexture() {
    GLuint id = 0;
    glGenTextures(1, &id);
    return {Kind::Texture, id};
}

GlObject GlObject::NewVertexArray() {
    GLuint id = 0;
    glGenVertexArrays(1, &id);
    return {Kind::VertexArray, id};
}

GlObject GlObject::NewTransformFeedback() {
    GLuint id = 0;
    glGenTransformFeedbacks(1, &id);
    return {Kind::TransformFeedback, id};
}

GlObject GlObject::NewFramebuffer() {
    GLuint id = 0;
    glGenFramebuffers(1, &id);
    return {Kind::Framebuffer, id};
}

GlObject GlObject::NewRenderbuffer() {
    GLuint id = 0;
    glGenRenderbuffers(1, &id);
    return {Kind::Renderbuffer, id};
}

GlObject GlObject::NewProgram() {
    return {Kind::Program, glCreateProgram()};
}

GlObject GlObject::NewShader(GLenum stage) {
    return {Kind::Shader, glCreateShader(stage)};
}

void GlObject::Release() {
    if (name == 0)
        return;
    switch (kind) {
    case Kind::Buffer:
        glDeleteBuffers(1, &name);
        break;
    case Kind::Texture:
        glDeleteTextures(1, &name);
        break;
    case Kind::VertexArray:
        glDeleteVertexArrays(1, &name);
        break;
    case Kind::TransformFeedback:
        glDeleteTransformFeedbacks(1, &name);
        break;
    case Kind::Framebuffer:
        glDeleteFramebuffers(1, &name);
        break;
    case Kind::Renderbuffer:
        glDeleteRenderbuffers(1, &name);
        break;
    case Kind::Program:
        glDeleteProgram(name);
        break;
    case Kind::Shader:
        glDeleteShader(name);
        break;
    }
    name = 0;
}
