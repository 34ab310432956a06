// The owner of one GL name: it deletes its object exactly once, with the call of its kind,
// and never an object it has handed on.
#include "render/GlObject.h"
#include "render/SharedVertexArray.h"

#include "support/GLTestContext.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>

TEST(GlObject, DeletesItsObjectOnceAndNothingOnceMovedFrom) {
    testing_support::EnsureGLContext();
    while (glGetError() != GL_NO_ERROR) {
    }
    // Deleting a program name that no longer exists raises GL_INVALID_VALUE, so a second
    // delete of the same name would show as an error.
    GLuint name = 0;
    {
        GlObject first = GlObject::NewProgram();
        name = first;
        GlObject second = std::move(first);
        EXPECT_EQ(first.Get(), 0u);
        { GlObject third = std::move(first); }
        EXPECT_EQ(glIsProgram(name), GL_TRUE) << "a moved-from owner deleted the object";

        // Assigning over an owner deletes what it held before.
        GlObject other = GlObject::NewProgram();
        const GLuint replaced = other;
        other = std::move(second);
        EXPECT_EQ(glIsProgram(replaced), GL_FALSE);
        EXPECT_EQ(glIsProgram(name), GL_TRUE);
        EXPECT_EQ(other.Get(), name);

        other.Release();
        EXPECT_EQ(glIsProgram(name), GL_FALSE);
        other.Release();
        EXPECT_EQ(other.Get(), 0u);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a name was deleted twice";

    // Each kind is deleted by its own call (a name becomes an object once bound).
    struct KindCase {
        const char* kind;
        std::function<GlObject()> make;
        std::function<void(GLuint)> bind;
        GLboolean (*exists)(GLuint);
    };
    const KindCase cases[] = {
        {"buffer", GlObject::NewBuffer, [](GLuint n) { glBindBuffer(GL_ARRAY_BUFFER, n); }, glIsBuffer},
        {"texture", GlObject::NewTexture, [](GLuint n) { glBindTexture(GL_TEXTURE_2D, n); }, glIsTexture},
        {"vertex array", GlObject::NewVertexArray, [](GLuint n) { glBindVertexArray(n); }, glIsVertexArray},
        {"transform feedback", GlObject::NewTransformFeedback,
         [](GLuint n) { glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, n); }, glIsTransformFeedback},
        {"shader", [] { return GlObject::NewShader(GL_VERTEX_SHADER); }, [](GLuint) {}, glIsShader},
    };
    for (const KindCase& c : cases) {
        GlObject object = c.make();
        ASSERT_NE(object.Get(), 0u) << c.kind;
        c.bind(object);
        EXPECT_EQ(c.exists(object), GL_TRUE) << c.kind;
        const GLuint held = object;
        object.Release();
        EXPECT_EQ(c.exists(held), GL_FALSE) << c.kind;
    }
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, 0);
    SharedVertexArray::GetInstance().Bind();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
