#pragma once
// The one owner of a GL object name: move-only, deletes its object exactly once (when destroyed
// or released), so no other class ever deletes or zeroes a GL name it did not create.

#include <GL/glew.h>
#include <utility>

class GlObject {
public:
    enum class Kind {
        Buffer,
        Texture,
        VertexArray,
        Program,
        Shader,
        TransformFeedback,
        Framebuffer,
        Renderbuffer
    };

    GlObject() = default;
    /// Takes ownership of `name` (0 holds nothing), made elsewhere, e.g. by glCreateShader.
    GlObject(Kind kind, GLuint name) : kind(kind), name(name) {}
    ~GlObject() { Release(); }
    GlObject(GlObject&& other) noexcept : kind(other.kind), name(std::exchange(other.name, 0)) {}
    GlObject& operator=(GlObject&& other) noexcept;
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;

    /// A fresh object of each kind; needs a current context.
    static GlObject NewBuffer();
    static GlObject NewTexture();
    static GlObject NewVertexArray();
    static GlObject NewTransformFeedback();
    static GlObject NewFramebuffer();
    static GlObject NewRenderbuffer();
    static GlObject NewProgram();
    static GlObject NewShader(GLenum stage);

    GLuint Get() const { return name; }
    /// Reads as its name wherever GL wants one, so a texture handle (a pointer to an owner)
    /// dereferences to a texture id. Only a held owner converts: the name of a temporary
    /// would be deleted before it could be used.
    operator GLuint() const& { return name; }
    operator GLuint() const&& = delete;
    Kind GetKind() const { return kind; }
    explicit operator bool() const { return name != 0; }
    /// Lets go of the name without deleting it, for an owner that outlives its context (the
    /// context took its objects along).
    void Abandon() { name = 0; }
    /// Deletes the object now if one is held; afterwards this holds nothing. Must run while the
    /// context is still current.
    void Release();

private:
    Kind kind = Kind::Buffer;
    GLuint name = 0;
};
