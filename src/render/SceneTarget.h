#pragma once
// Where the 3D scene is drawn. Straight into the window when nothing asks otherwise; else into a
// picture of its own at a scale of the window (multisampled for MSAA), which is then resolved,
// smoothed by the post pass and scaled onto the window, so that what is drawn over the scene
// afterwards (screen effects, text, the collision view) keeps the window's own resolution.

#include "render/DynamicResolution.h"
#include "render/GlObject.h"
#include "render/RenderQuality.h"
#include "render/UniformStore.h"

#include <optional>

class SceneTarget {
public:
    static SceneTarget& GetInstance();

    /// Takes the settings and builds the post pass's program (needs the context); the picture is
    /// built by the next BeginScene. `throughPicture` draws through the picture even where the
    /// window alone would do, so that the two ways can be compared.
    void Configure(const RenderQuality& settings, bool throughPicture = false);
    /// The time one frame may take, for the dynamic resolution (the frame cap's interval); 0,
    /// as with no cap, holds the scene at Display.renderScale.
    void SetFrameBudget(double seconds);
    /// Binds where the scene goes, with its viewport, cleared. The picture is built again here,
    /// once, when the window's size, the largest scale or the samples have changed.
    void BeginScene();
    /// Puts the scene onto the window; afterwards the window is bound with its whole viewport.
    void EndScene();
    /// One finished frame: `now` in seconds and the time the frame took to make, waiting for the
    /// frame cap not included.
    void FrameDone(double now, double workSeconds);
    /// The share of the window's size the next scene is drawn at.
    float Scale() const;
    const RenderQuality& Quality() const { return quality; }
    bool IsOffscreen() const { return offscreen; }
    /// Deletes the picture's GL objects, on the current context; the next BeginScene builds it again.
    void Release();

private:
    SceneTarget() = default;
    /// False, with one line said and the window used from then on, when GL cannot make it.
    bool Build(int width, int height, int samples);
    void Blit(GLuint from, int fromWidth, int fromHeight, GLuint to, int toWidth, int toHeight) const;

    RenderQuality quality;
    bool offscreen = false;
    double frameBudget = 0.0;
    std::optional<DynamicResolution> dynamic;
    bool drawingScene = false;
    int windowWidth = 0, windowHeight = 0;
    // What the picture was built for: the window's size (its own size is that at the largest
    // scale), its samples and scale. The scene covers its lower left sceneWidth x sceneHeight.
    int builtForWidth = 0, builtForHeight = 0, builtSamples = -1;
    float builtScale = 0.0f;
    bool builtSmoothed = false;
    int pictureWidth = 0, pictureHeight = 0;
    int sceneWidth = 0, sceneHeight = 0;
    GlObject sceneFramebuffer;
    /// A texture, or with MSAA a multisampled renderbuffer resolved into resolveTexture.
    GlObject colour;
    GlObject depth;
    GlObject resolveFramebuffer;
    GlObject resolveTexture;
    UniformStore uniforms;
};
