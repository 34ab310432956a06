#pragma once
// The switches of the aids that make the arena read at a glance: each one is drawing only, so
// turning it off gives the same game with the plainer picture.

class ConfigHandler;

struct ReadabilitySettings {
    /// [Graphics] gunOverScene: the gun drawn after the world in the front of the depth range,
    /// lit as the ground around the player with its lights held in bounds.
    bool gunOverScene = true;
    /// [Graphics] levelTextures: concrete panels and metal trims on the floor, walls and blocks.
    bool levelTextures = true;
    /// [Graphics] hazardMarkings: stripes and a low lip along the open edge and around the pit.
    bool hazardMarkings = true;
    /// [Graphics] enemyPattern: the enemies' colours laid without a seam, with a faint pattern
    /// that rolls with them.
    bool enemyPattern = true;
    /// [Display] textOutline: a thin dark outline around every screen text.
    bool textOutline = true;
    /// [Display] drawnCrosshair: the crosshair as four edged lines instead of a "+" character.
    bool drawnCrosshair = true;
    /// [Display] threatMarkers: arrows at the screen's edge towards close enemies out of view.
    bool threatMarkers = true;
    /// [Display] waveWarning: "Incoming" under the timer in the last second before a wave.
    bool waveWarning = true;

    static ReadabilitySettings& Current();
    void Load(const ConfigHandler& config);
};
