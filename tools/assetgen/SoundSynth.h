#pragma once
// The few pieces the game's sound effects are built from: a mono clip of float samples,
// oscillators whose pitch may sweep, a repeatable noise source, envelopes, and a writer of
// 16-bit PCM WAV files. Nothing depends on a clock or a seed, so every run writes the same bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

/// Samples per second of every sound file: plenty for effects, half the size of CD rate.
constexpr int kSampleRate = 22050;

/// A mono sound being built: samples in -1 ... 1, mixed into by the Add functions.
struct Clip {
    explicit Clip(float seconds);

    float Seconds(std::size_t index) const { return static_cast<float>(index) / kSampleRate; }

    std::vector<float> samples;
};

/// A pitch that glides exponentially from `from` to `to` hertz over `seconds`, then holds.
struct Sweep {
    float from = 440.0f;
    float to = 440.0f;
    float seconds = 1.0f;

    float At(float t) const;
};

enum class Wave { Sine, Triangle, Square };

/// An amplitude shape: a linear rise over `attack` seconds, then an exponential fall with the
/// given time constant, cut to zero at the end of `length`.
struct Envelope {
    float attack = 0.002f;
    float decay = 0.1f;
    float length = 1.0f;

    float At(float t) const;
};

/// Adds a tone starting `start` seconds in, following `pitch` and shaped by `envelope`.
void AddTone(Clip& clip, float start, Wave wave, const Sweep& pitch, const Envelope& envelope, float level);
/// Adds white noise through a one-pole low-pass at `cutoff` hertz; `state` makes it repeatable.
void AddNoise(Clip& clip, float start, float cutoff, const Envelope& envelope, float level,
              std::uint32_t state);
/// Scales the clip so its loudest sample reaches `peak` (below 1: no clipping), with short
/// fades at both ends so playback neither starts nor stops on a click.
void Finish(Clip& clip, float peak);
/// Writes the clip as a canonical 16-bit mono PCM WAV file; false after a message on stderr.
bool WriteWav(const std::string& path, const Clip& clip);

} // namespace assetgen
