#pragma once
// How the lit arena is set up and fed each frame: the [Graphics] settings, the baked light, the
// point lights' texture with the level's highlights, and the lights each object is drawn with.

#include "core/MathTypes.h"

#include <vector>

class ConfigHandler;
class Mesh;
struct PointLight;

/// Start-up: reads [Graphics], loads the baked light, makes the point lights' texture and the
/// level's program, and sets the fog and tile uniforms.
void PrepareSceneLighting(const ConfigHandler& config);
/// After the settings changed: [Graphics] read again and the fog and tile uniforms set; the
/// light map stays as the level was built with it (a change of it needs a new start).
void ApplySceneLightingSettings(const ConfigHandler& config);
/// Each frame after ShaderHandler::SetLights: redraws the point lights' texture when the list
/// changed and gives the level the highlights of the lights shining most at the camera.
void UpdateSceneLighting(const Mesh* level, const std::vector<PointLight*>& lights, const Vec3& camera);
/// Before an object is drawn: the lights chosen for it at `at` and the sun's shadow there.
void SetObjectLighting(const std::vector<PointLight*>& lights, const Vec3& at);
/// Before a surface that spans the arena is drawn without its light map: every point light per
/// pixel and the sun unshadowed, since no one place stands for the whole of it.
void SetEveryLightLighting();
