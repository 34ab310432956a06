#include "SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assetgen {

namespace {

constexpr float kTwoPi = 6.28318530718f;
constexpr float kFadeSeconds = 0.004f;

float Oscillate(Wave wave, float phase) {
    const float cycle = phase - std::floor(phase);
    switch (wave) {
    case Wave::Sine:
        return std::sin(kTwoPi * cycle);
    case Wave::Triangle:
        return 4.0f * std::fabs(cycle - 0.5f) - 1.0f;
    case Wave::Square:
        // Softened edges: a hard square aliases into a harsh buzz at this sample rate.
        return std::tanh(4.0f * std::sin(kTwoPi * cycle));
    }
    return 0.0f;
}

void PutLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFFu));
}

} // namespace

Clip::Clip(float seconds) : samples(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0f) {}

float Sweep::At(float t) const {
    const float share = std::clamp(t / seconds, 0.0f, 1.0f);
    return from * std::pow(to / from, share);
}

float Envelope::At(float t) const {
    if (t < 0.0f || t >= length)
        return 0.0f;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / decay);
}

void AddTone(Clip& clip, float start, Wave wave, const Sweep& pitch, const Envelope& envelope, float level) {
    // The phase is the integral of the pitch, so a sweep glides instead of jumping.
    float phase = 0.0f;
    for (std::size_t i = 0; i < clip.samples.size(); ++i) {
        const float t = clip.Seconds(i) - start;
        if (t < 0.0f)
            continue;
        clip.samples[i] += level * envelope.At(t) * Oscillate(wave, phase);
        phase += pitch.At(t) / kSampleRate;
    }
}

void AddNoise(Clip& clip, float start, float cutoff, const Envelope& envelope, float level,
              std::uint32_t state) {
    const float smoothing = 1.0f - std::exp(-kTwoPi * cutoff / kSampleRate);
    float filtered = 0.0f;
    for (std::size_t i = 0; i < clip.samples.size(); ++i) {
        const float t = clip.Seconds(i) - start;
        if (t < 0.0f)
            continue;
        // A 32-bit linear congruential step: the same noise on every machine.
        state = state * 1664525u + 1013904223u;
        const float white = static_cast<float>(state >> 8) / static_cast<float>(1u << 23) - 1.0f;
        filtered += smoothing * (white - filtered);
        clip.samples[i] += level * envelope.At(t) * filtered;
    }
}

void Finish(Clip& clip, float peak) {
    float loudest = 0.0f;
    for (float s : clip.samples)
        loudest = std::max(loudest, std::fabs(s));
    const float gain = loudest > 0.0f ? peak / loudest : 0.0f;
    const std::size_t fade = static_cast<std::size_t>(kFadeSeconds * kSampleRate);
    const std::size_t count = clip.samples.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t edge = std::min(i, count - 1 - i);
        const float ramp = edge < fade ? static_cast<float>(edge) / static_cast<float>(fade) : 1.0f;
        clip.samples[i] *= gain * ramp;
    }
}

bool WriteWav(const std::string& path, const Clip& clip) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(clip.samples.size() * 2);
    std::vector<unsigned char> bytes;
    bytes.reserve(44 + dataBytes);
    for (char c : std::string("RIFF"))
        bytes.push_back(static_cast<unsigned char>(c));
    PutLittleEndian(bytes, 36 + dataBytes, 4);
    for (char c : std::string("WAVEfmt "))
        bytes.push_back(static_cast<unsigned char>(c));
    PutLittleEndian(bytes, 16, 4);              // size of the format block
    PutLittleEndian(bytes, 1, 2);               // PCM
    PutLittleEndian(bytes, 1, 2);               // mono
    PutLittleEndian(bytes, kSampleRate, 4);     // frames per second
    PutLittleEndian(bytes, kSampleRate * 2, 4); // bytes per second
    PutLittleEndian(bytes, 2, 2);               // bytes per frame
    PutLittleEndian(bytes, 16, 2);              // bits per sample
    for (char c : std::string("data"))
        bytes.push_back(static_cast<unsigned char>(c));
    PutLittleEndian(bytes, dataBytes, 4);
    for (float s : clip.samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        PutLittleEndian(bytes, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFFu, 2);
    }

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        std::fprintf(stderr, "korvane_assetgen: writing %s failed\n", path.c_str());
    return written && closed;
}

} // namespace assetgen
