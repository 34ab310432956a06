// The nine sound effects of a game, each a few layered tones and noise bursts. Every clip
// peaks a little below full scale; the short ones stay under half a second so that rapid fire
// and a crowd of kills do not smear into each other.

#include "AssetFamilies.h"
#include "SoundSynth.h"

namespace assetgen {

namespace {

constexpr float kPeak = 0.8f; // about -2 dBFS: loud and clean, with room for the resampler

Clip Shot() {
    Clip clip(0.22f);
    AddNoise(clip, 0.0f, 5000.0f, {0.001f, 0.03f, 0.22f}, 1.0f, 11u);
    AddTone(clip, 0.0f, Wave::Sine, {180.0f, 55.0f, 0.12f}, {0.002f, 0.05f, 0.22f}, 0.9f);
    return clip;
}

Clip ShotHit() {
    Clip clip(0.14f);
    AddTone(clip, 0.0f, Wave::Square, {950.0f, 420.0f, 0.08f}, {0.001f, 0.03f, 0.14f}, 0.6f);
    AddNoise(clip, 0.0f, 3000.0f, {0.001f, 0.015f, 0.1f}, 0.8f, 23u);
    return clip;
}

Clip EnemyDeath() {
    Clip clip(0.55f);
    AddNoise(clip, 0.0f, 1800.0f, {0.003f, 0.14f, 0.55f}, 1.0f, 37u);
    AddTone(clip, 0.0f, Wave::Triangle, {420.0f, 60.0f, 0.4f}, {0.004f, 0.16f, 0.55f}, 0.7f);
    AddTone(clip, 0.02f, Wave::Sine, {90.0f, 40.0f, 0.3f}, {0.005f, 0.12f, 0.5f}, 0.6f);
    return clip;
}

Clip PickupUsed() {
    Clip clip(0.38f);
    AddTone(clip, 0.0f, Wave::Sine, {660.0f, 660.0f, 1.0f}, {0.005f, 0.08f, 0.2f}, 0.7f);
    AddTone(clip, 0.09f, Wave::Sine, {990.0f, 990.0f, 1.0f}, {0.005f, 0.1f, 0.29f}, 0.7f);
    AddTone(clip, 0.09f, Wave::Triangle, {1980.0f, 1980.0f, 1.0f}, {0.005f, 0.06f, 0.29f}, 0.15f);
    return clip;
}

Clip ContactDamage() {
    Clip clip(0.32f);
    AddTone(clip, 0.0f, Wave::Square, {160.0f, 70.0f, 0.25f}, {0.003f, 0.1f, 0.32f}, 0.7f);
    AddNoise(clip, 0.0f, 900.0f, {0.002f, 0.06f, 0.25f}, 0.7f, 53u);
    return clip;
}

Clip WaveArrival() {
    Clip clip(0.95f);
    AddTone(clip, 0.0f, Wave::Triangle, {110.0f, 220.0f, 0.6f}, {0.25f, 0.35f, 0.95f}, 0.7f);
    AddTone(clip, 0.0f, Wave::Sine, {55.0f, 110.0f, 0.6f}, {0.3f, 0.4f, 0.95f}, 0.6f);
    AddNoise(clip, 0.0f, 400.0f, {0.2f, 0.3f, 0.9f}, 0.5f, 71u);
    return clip;
}

Clip Win() {
    Clip clip(1.6f);
    const float notes[] = {523.25f, 659.25f, 783.99f, 1046.5f}; // C E G C: a rising major chord
    for (int i = 0; i < 4; ++i) {
        const float start = 0.16f * static_cast<float>(i);
        const float length = 1.6f - start;
        AddTone(clip, start, Wave::Sine, {notes[i], notes[i], 1.0f}, {0.01f, 0.45f, length}, 0.5f);
        AddTone(clip, start, Wave::Triangle, {notes[i] * 2.0f, notes[i] * 2.0f, 1.0f}, {0.01f, 0.2f, length},
                0.12f);
    }
    return clip;
}

Clip Death() {
    Clip clip(1.4f);
    AddTone(clip, 0.0f, Wave::Triangle, {440.0f, 110.0f, 1.2f}, {0.01f, 0.5f, 1.4f}, 0.6f);
    AddTone(clip, 0.0f, Wave::Sine, {523.25f, 130.8f, 1.2f}, {0.01f, 0.5f, 1.4f},
            0.4f); // a minor third above
    AddNoise(clip, 0.0f, 600.0f, {0.01f, 0.25f, 0.8f}, 0.3f, 89u);
    return clip;
}

Clip GameStart() {
    Clip clip(0.7f);
    AddTone(clip, 0.0f, Wave::Triangle, {392.0f, 392.0f, 1.0f}, {0.005f, 0.12f, 0.25f}, 0.6f);
    AddTone(clip, 0.18f, Wave::Triangle, {587.33f, 587.33f, 1.0f}, {0.005f, 0.22f, 0.52f}, 0.6f);
    AddTone(clip, 0.18f, Wave::Sine, {1174.66f, 1174.66f, 1.0f}, {0.005f, 0.12f, 0.52f}, 0.15f);
    return clip;
}

struct Recipe {
    const char* file;
    Clip (*make)();
};

} // namespace

bool WriteSounds(const std::string& assetsDir) {
    const Recipe recipes[] = {{"shot.wav", Shot},
                              {"shot_hit.wav", ShotHit},
                              {"enemy_death.wav", EnemyDeath},
                              {"pickup_used.wav", PickupUsed},
                              {"contact_damage.wav", ContactDamage},
                              {"wave_arrival.wav", WaveArrival},
                              {"win.wav", Win},
                              {"death.wav", Death},
                              {"game_start.wav", GameStart}};
    bool ok = true;
    for (const Recipe& recipe : recipes) {
        Clip clip = recipe.make();
        Finish(clip, kPeak);
        ok = WriteWav(assetsDir + "/sounds/" + recipe.file, clip) && ok;
    }
    return ok;
}

} // namespace assetgen
