#include "core/SettingsCatalog.h"

namespace {

SettingEntry Bool(std::string_view key, bool value, std::string_view page, std::string_view label,
                  std::string_view meaning) {
    SettingEntry entry;
    entry.key = key;
    entry.kind = SettingKind::Bool;
    entry.defaultValue = value ? 1.0 : 0.0;
    entry.min = 0.0;
    entry.max = 1.0;
    entry.step = 1.0;
    entry.page = page;
    entry.label = label;
    entry.meaning = meaning;
    return entry;
}

SettingEntry Number(SettingKind kind, std::string_view key, double value, double min, double max, double step,
                    std::string_view page, std::string_view label, std::string_view meaning) {
    SettingEntry entry;
    entry.key = key;
    entry.kind = kind;
    entry.defaultValue = value;
    entry.min = min;
    entry.max = max;
    entry.step = step;
    entry.page = page;
    entry.label = label;
    entry.meaning = meaning;
    return entry;
}

SettingEntry Float(std::string_view key, double value, double min, double max, double step,
                   std::string_view page, std::string_view label, std::string_view meaning) {
    return Number(SettingKind::Float, key, value, min, max, step, page, label, meaning);
}

SettingEntry Int(std::string_view key, int value, int min, int max, std::string_view page,
                 std::string_view label, std::string_view meaning) {
    return Number(SettingKind::Int, key, value, min, max, 1.0, page, label, meaning);
}

SettingEntry Restart(SettingEntry entry) {
    entry.needsRestart = true;
    return entry;
}

SettingEntry Automatic(SettingEntry entry) {
    entry.automatic = true;
    return entry;
}

/// The forces and speeds the player moves by: limits that keep the arithmetic finite.
constexpr double kControlLimit = 1.0e6;
constexpr double kGravityLimit = 1000.0;

std::vector<SettingEntry> BuildCatalog() {
    std::vector<SettingEntry> all;

    // [Display]
    all.push_back(Int("Display.width", 800, 1, 16384, "Video", "Window width",
                      "window width in pixels (at most the screen's)"));
    all.push_back(Int("Display.height", 600, 1, 16384, "Video", "Window height",
                      "window height in pixels (at most the screen's)"));
    {
        SettingEntry entry;
        entry.key = "Display.antialiasing";
        entry.kind = SettingKind::Choice;
        entry.choices = {"msaa", "post", "off"};
        entry.defaultChoice = "msaa";
        entry.page = "Video";
        entry.label = "Anti-aliasing";
        entry.meaning = "how edges are smoothed: multisampling, a pass over the finished scene, or none";
        entry.needsRestart = true;
        entry.automatic = true;
        all.push_back(entry);
    }
    all.push_back(Restart(Int("Display.MSAA", 4, 0, 32, "Video", "Multisampling",
                              "samples per pixel with antialiasing = \"msaa\"; 0: none")));
    all.push_back(Float("Display.renderScale", 1.0, 0.25, 2.0, 0.05, "Video", "Render scale",
                        "the 3D scene's size as a share of the window's; above 1 supersamples"));
    all.push_back(Automatic(Bool("Display.dynamicResolution", false, "Video", "Dynamic resolution",
                                 "lowers the scene's scale while frames would miss the frame cap "
                                 "(on by itself on a software renderer)")));
    all.push_back(Float("Display.minRenderScale", 0.5, 0.25, 2.0, 0.05, "Video", "Lowest render scale",
                        "the lowest scale of the dynamic resolution"));
    all.push_back(Bool("Display.faceCulling", true, "", "Face culling", "back-face culling"));
    all.push_back(Bool("Display.maximized", false, "", "Maximised", "maximise the window at start"));
    all.push_back(Float("Display.maxFPS", 60.0, 0.0, 1000.0, 5.0, "Video", "Frame cap",
                        "frames a second at most; 0 or less, or inf: no cap"));
    all.push_back(Float("Display.fov", 90.0, 1.0, 179.0, 1.0, "Video", "Field of view",
                        "vertical field of view in degrees"));
    all.push_back(Automatic(Bool("Display.vsync", false, "Video", "Vertical sync",
                                 "wait for the vertical blank each frame (unset: the driver's default)")));
    all.push_back(Bool("Display.fullscreen", false, "Video", "Fullscreen",
                       "full screen on the primary monitor at its current mode"));
    all.push_back(Bool("Display.screenFlashes", true, "Video", "Screen flashes",
                       "the red rim when hurt, the muzzle flash and enemies lighting up when hit"));
    all.push_back(
        Bool("Display.viewKick", true, "Video", "View kick", "the short jolt of the view when hurt"));
    all.push_back(Bool("Display.showText", true, "Game", "HUD text",
                       "the screen texts at start (F3 hides and shows them while playing)"));
    all.push_back(Bool("Display.showFps", true, "Game", "Frame-rate readout",
                       "frames a second at the top right of the screen"));
    all.push_back(Bool("Display.textOutline", true, "Game", "Text outline",
                       "a thin dark outline round every screen text"));
    all.push_back(Bool("Display.drawnCrosshair", true, "Game", "Drawn crosshair",
                       "the crosshair as four edged lines; false: a \"+\" character"));
    all.push_back(Bool("Display.threatMarkers", true, "Game", "Threat arrows",
                       "arrows at the screen's edge towards close enemies out of view"));
    all.push_back(Bool("Display.waveWarning", true, "Game", "Wave warning",
                       "\"Incoming\" under the time left before a wave drops in"));

    // [Controls]
    all.push_back(Float("Controls.mouseSensitivity", 1.0, -100.0, 100.0, 0.05, "Controls",
                        "Mouse sensitivity", "turn per pixel is 0.0015 rad times this"));
    all.push_back(Bool("Controls.rawMouse", true, "Controls", "Raw mouse",
                       "unaccelerated mouse motion, where the system offers it"));
    all.push_back(
        Bool("Controls.invertY", false, "Controls", "Invert mouse Y", "moving the mouse forward looks down"));
    all.push_back(Bool("Controls.pauseOnFocusLoss", true, "Game", "Pause on focus loss",
                       "a running game pauses when its window loses the focus"));
    all.push_back(Float("Controls.acceleration", 100.0, -kControlLimit, kControlLimit, 1.0, "",
                        "Acceleration", "walking force"));
    all.push_back(Float("Controls.drag", 50.0, -kControlLimit, kControlLimit, 1.0, "", "Drag",
                        "braking force against horizontal motion"));
    all.push_back(Float("Controls.maxSpeed", 10.0, 0.0, kControlLimit, 1.0, "", "Top speed",
                        "top speed on the ground"));
    all.push_back(Float("Controls.maxAirSpeed", 15.0, 0.0, kControlLimit, 1.0, "", "Top air speed",
                        "top speed in the air"));
    all.push_back(Float("Controls.jumpForce", 700.0, -kControlLimit, kControlLimit, 1.0, "", "Jump force",
                        "jump strength"));

    // [Gamepad]
    all.push_back(Float("Gamepad.lookSpeed", 3.0, 0.5, 10.0, 0.1, "Controls", "Pad look speed",
                        "radians a second the view turns with the right stick fully over"));
    all.push_back(Bool("Gamepad.invertY", false, "Controls", "Invert pad Y",
                       "pushing the right stick forward looks down"));
    all.push_back(Float("Gamepad.deadZone", 0.15, 0.0, 0.9, 0.05, "Controls", "Pad dead zone",
                        "stick travel that does nothing, as a share of the whole"));
    all.push_back(Float("Gamepad.curve", 2.0, 1.0, 4.0, 0.1, "Controls", "Pad response curve",
                        "the power the stick's travel is raised to: 1 even, higher finer near the centre"));

    // [Physics]
    all.push_back(Float("Physics.gravity", 25.0, -kGravityLimit, kGravityLimit, 1.0, "", "Gravity",
                        "downward gravity"));

    // [Audio]
    all.push_back(Float("Audio.volume", 0.8, 0.0, 1.0, 0.05, "Audio", "Volume", "overall loudness"));
    all.push_back(
        Bool("Audio.enabled", true, "Audio", "Sound", "false opens no sound device: a silent game"));

    // [Graphics]
    all.push_back(
        Bool("Graphics.sky", true, "Video", "Sky", "a sky with the sun above the arena; false: black"));
    all.push_back(Bool("Graphics.contactShadows", true, "Video", "Contact shadows",
                       "a soft shadow on the ground under every enemy and health orb"));
    all.push_back(Restart(Bool("Graphics.lightMap", true, "Video", "Light map",
                               "the arena lit from its baked light map; false: every light at every pixel")));
    all.push_back(Int("Graphics.lightsPerObject", 3, 0, 32, "Video", "Lights per object",
                      "point lights per pixel on enemies and orbs; 0: every light"));
    all.push_back(Bool("Graphics.fog", true, "Video", "Fog", "distance fog toward the horizon colour"));
    all.push_back(Bool("Graphics.floorGrid", true, "Video", "Floor grid",
                       "tile lines and a faint checker on flat tops"));
    all.push_back(Bool("Graphics.gunOverScene", true, "Video", "Gun over the scene",
                       "the gun drawn over the world, lit as the ground around the player"));
    all.push_back(Restart(Bool("Graphics.levelTextures", true, "Video", "Level textures",
                               "concrete panels and steel trims on the floor, walls and blocks")));
    all.push_back(Restart(Bool("Graphics.hazardMarkings", true, "Video", "Hazard markings",
                               "stripes, a lip and a rail along the open edge and round the pit")));
    all.push_back(Bool("Graphics.enemyPattern", true, "Video", "Enemy pattern",
                       "enemies coloured without a seam, with faint rolling spots (enemies that come next)"));

    // [Debug]
    all.push_back(Bool("Debug.showCollisionAtStart", false, "", "Collision view at start",
                       "collision wireframe on at start"));
    return all;
}

} // namespace

const std::vector<SettingEntry>& SettingsCatalog() {
    static const std::vector<SettingEntry> catalog = BuildCatalog();
    return catalog;
}

const SettingEntry* FindSetting(std::string_view key) {
    for (const SettingEntry& entry : SettingsCatalog())
        if (entry.key == key)
            return &entry;
    return nullptr;
}
