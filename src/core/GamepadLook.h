#pragma once
// How the right stick turns the view: a radial dead zone, a response curve for fine aim near
// the centre, the pad's own turn speed and invert. Only the view turns by it, never the game's
// simulation, so the frame's real duration may scale it.

class ConfigHandler;

struct GamepadLook {
    static constexpr float kDefaultSpeed = 3.0f;
    static constexpr float kDefaultDeadZone = 0.15f;
    static constexpr float kDefaultCurve = 2.0f;

    /// Radians a second at full deflection.
    float speed = kDefaultSpeed;
    /// Pushing the stick forward looks down.
    bool invertY = false;
    /// The share of the stick's travel around its centre that does nothing.
    float deadZone = kDefaultDeadZone;
    /// The exponent of the deflection past the dead zone: 1 is linear, higher is finer near
    /// the centre.
    float curve = kDefaultCurve;

    /// The [Gamepad] settings; a value outside the range the settings list gives it falls back
    /// to its default with one line.
    static GamepadLook FromConfig(const ConfigHandler& config);

    /// The turn over `dt` seconds for the stick at (x, y), GLFW's axes (y is negative forward):
    /// positive yaw turns left, positive pitch looks up. Exactly zero inside the dead zone.
    void Turn(float x, float y, float dt, float& yaw, float& pitch) const;
};
