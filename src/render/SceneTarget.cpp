#include "render/SceneTarget.h"

#include "render/ShaderHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

GLuint PostAntialiasProgram() {
    return ShaderHandler::GetInstance().SharedProgram("assets/shaders/postAntialias.vert",
                                                      "assets/shaders/postAntialias.frag");
}

int Scaled(int size, float scale, int largest) {
    return std::clamp(static_cast<int>(std::lround(static_cast<float>(size) * scale)), 1, largest);
}

GlObject NewRenderbuffer(int samples, GLenum format, int width, int height) {
    GlObject buffer = GlObject::NewRenderbuffer();
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return buffer;
}

GlObject NewColourTexture(int width, int height) {
    GlObject texture = GlObject::NewTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

struct DepthFormat {
    GLenum format;
    GLenum attachment;
};

/// The window's own depth and stencil buffer's format: with the same depth precision the scene
/// settles its near-ties (blob shadows and floor lines on the floor) as it did in the window.
DepthFormat WindowDepthFormat() {
    GLint previous = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GLint depthBits = 0, stencilBits = 0, depthType = GL_NONE;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE,
                                          &depthBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE,
                                          &stencilBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_COMPONENT_TYPE,
                                          &depthType);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    const bool stencil = stencilBits > 0;
    const GLenum attachment = stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
    if (depthType == GL_FLOAT)
        return {stencil ? GLenum(GL_DEPTH32F_STENCIL8) : GLenum(GL_DEPTH_COMPONENT32F), attachment};
    if (depthBits == 16 && !stencil)
        return {GL_DEPTH_COMPONENT16, attachment};
    if (depthBits >= 32 && !stencil)
        return {GL_DEPTH_COMPONENT32, attachment};
    return {stencil ? GLenum(GL_DEPTH24_STENCIL8) : GLenum(GL_DEPTH_COMPONENT24), attachment};
}

} // namespace

SceneTarget& SceneTarget::GetInstance() {
    static SceneTarget instance;
    return instance;
}

void SceneTarget::Configure(const RenderQuality& settings, bool throughPicture) {
    quality = settings;
    offscreen = throughPicture || quality.Offscreen();
    if (quality.antialiasing == Antialiasing::Post)
        PostAntialiasProgram();
    SetFrameBudget(frameBudget);
}

void SceneTarget::SetFrameBudget(double seconds) {
    frameBudget = seconds > 0.0 && std::isfinite(seconds) ? seconds : 0.0;
    if (quality.dynamicResolution && frameBudget > 0.0)
        dynamic.emplace(quality.minRenderScale, quality.renderScale, frameBudget);
    else
        dynamic.reset();
}

float SceneTarget::Scale() const {
    return dynamic ? std::min(dynamic->Scale(), quality.renderScale) : quality.renderScale;
}

void SceneTarget::FrameDone(double now, double workSeconds) {
    if (!dynamic || !offscreen)
        return;
    const float before = Scale();
    dynamic->AddFrame(now, workSeconds);
    // Said once per change, which comes at most twice a second: how sharp the picture is now.
    if (Scale() != before)
        std::cout << "Render scale " << Scale() << std::endl;
}

bool SceneTarget::Build(int width, int height, int samples) {
    Release();
    GLint largestRenderbuffer = 0, largestTexture = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largestRenderbuffer);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestTexture);
    const int largest = std::max(1, static_cast<int>(std::min(largestRenderbuffer, largestTexture)));
    pictureWidth = Scaled(width, quality.renderScale, largest);
    pictureHeight = Scaled(height, quality.renderScale, largest);

    const DepthFormat depthFormat = WindowDepthFormat();
    sceneFramebuffer = GlObject::NewFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    if (samples > 0) {
        colour = NewRenderbuffer(samples, GL_RGBA8, pictureWidth, pictureHeight);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    } else {
        colour = NewColourTexture(pictureWidth, pictureHeight);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    }
    depth = NewRenderbuffer(samples, depthFormat.format, pictureWidth, pictureHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, depthFormat.attachment, GL_RENDERBUFFER, depth);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    const bool smoothed = quality.antialiasing == Antialiasing::Post;
    if ((samples > 0 || smoothed) && complete) {
        // The multisampled scene is resolved here when it has to be scaled (a resolve cannot
        // scale); the smoothed one is smoothed here at its own size, which costs a quarter of
        // smoothing at the window's at half the scale, and then scaled.
        resolveTexture = NewColourTexture(pictureWidth, pictureHeight);
        resolveFramebuffer = GlObject::NewFramebuffer();
        glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolveTexture, 0);
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        std::cout << "The scene's picture of " << pictureWidth << " x " << pictureHeight << " with "
                  << samples << " samples cannot be made; drawing straight into the window" << std::endl;
        Release();
        offscreen = false;
        return false;
    }
    builtForWidth = width;
    builtForHeight = height;
    builtSamples = samples;
    builtScale = quality.renderScale;
    builtSmoothed = smoothed;
    return true;
}

void SceneTarget::BeginScene() {
    drawingScene = false;
    if (!offscreen)
        return;
    int width = 0, height = 0;
    glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
    // A minimised window has no size: the picture it had is kept for when it comes back.
    if (width > 0 && height > 0) {
        windowWidth = width;
        windowHeight = height;
    }
    if (windowWidth <= 0 || windowHeight <= 0)
        return;
    int samples = 0;
    if (quality.antialiasing == Antialiasing::Msaa) {
        GLint largest = 0;
        glGetIntegerv(GL_MAX_SAMPLES, &largest);
        samples = std::clamp(quality.samples, 0, static_cast<int>(largest));
    }
    const bool smoothed = quality.antialiasing == Antialiasing::Post;
    const bool stale = !sceneFramebuffer || windowWidth != builtForWidth || windowHeight != builtForHeight ||
                       samples != builtSamples || quality.renderScale != builtScale ||
                       smoothed != builtSmoothed;
    if (stale && !Build(windowWidth, windowHeight, samples))
        return;

    const float scale = Scale();
    sceneWidth = Scaled(windowWidth, scale, pictureWidth);
    sceneHeight = Scaled(windowHeight, scale, pictureHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, sceneWidth, sceneHeight);
    // Only the part the scene covers: at a lowered scale the rest of the picture is never read.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, sceneWidth, sceneHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    drawingScene = true;
}

void SceneTarget::Blit(GLuint from, int fromWidth, int fromHeight, GLuint to, int toWidth,
                       int toHeight) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    const bool sameSize = fromWidth == toWidth && fromHeight == toHeight;
    glBlitFramebuffer(0, 0, fromWidth, fromHeight, 0, 0, toWidth, toHeight, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
}

void SceneTarget::EndScene() {
    if (!drawingScene)
        return;
    drawingScene = false;
    const bool postPass = quality.antialiasing == Antialiasing::Post &&
                          ShaderHandler::GetInstance().IsUsable(PostAntialiasProgram());
    const bool windowSized = sceneWidth == windowWidth && sceneHeight == windowHeight;
    if (postPass) {
        glBindFramebuffer(GL_FRAMEBUFFER, windowSized ? 0 : resolveFramebuffer.Get());
        glViewport(0, 0, sceneWidth, sceneHeight);
        const GLuint program = PostAntialiasProgram();
        ShaderHandler::GetInstance().Use(program);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, colour);
        uniforms.SetInt("scene", 0);
        uniforms.Apply(program);
        glUniform2f(uniforms.GetLocation(program, "texel"), 1.0f / static_cast<float>(pictureWidth),
                    1.0f / static_cast<float>(pictureHeight));
        glUniform2f(uniforms.GetLocation(program, "sceneExtent"),
                    static_cast<float>(sceneWidth) / static_cast<float>(pictureWidth),
                    static_cast<float>(sceneHeight) / static_cast<float>(pictureHeight));
        // Every pixel of the window is written whole: the scene's alpha must not blend it.
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        // Not left bound: the next scene is drawn into this texture.
        glBindTexture(GL_TEXTURE_2D, 0);
        glEnable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        if (!windowSized)
            Blit(resolveFramebuffer, sceneWidth, sceneHeight, 0, windowWidth, windowHeight);
    } else if (builtSamples > 0 && !windowSized) {
        Blit(sceneFramebuffer, sceneWidth, sceneHeight, resolveFramebuffer, sceneWidth, sceneHeight);
        Blit(resolveFramebuffer, sceneWidth, sceneHeight, 0, windowWidth, windowHeight);
    } else {
        Blit(sceneFramebuffer, sceneWidth, sceneHeight, 0, windowWidth, windowHeight);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
}

void SceneTarget::Release() {
    sceneFramebuffer.Release();
    colour.Release();
    depth.Release();
    resolveFramebuffer.Release();
    resolveTexture.Release();
    builtForWidth = builtForHeight = 0;
    builtSamples = -1;
    builtScale = 0.0f;
}
