#include "audio/SoundFile.h"

std::string ReadMonoSound(SNDFILE* file, const SF_INFO& info, MonoSound& sound) {
    sound = MonoSound{};
    if (info.channels != 1)
        return "not mono, so it cannot be placed in the arena";
    if (info.frames <= 0)
        return "no samples";
    if (info.samplerate <= 0 || info.samplerate > kMaxSoundRate)
        return "a sample rate of " + std::to_string(info.samplerate) + " Hz (allowed 1 to " +
               std::to_string(kMaxSoundRate) + ")";
    // The header's length is only a claim: it is bounded before a sample is allocated.
    if (info.frames > static_cast<sf_count_t>(info.samplerate) * kMaxSoundSeconds)
        return "longer than " + std::to_string(kMaxSoundSeconds) + " seconds (" +
               std::to_string(info.frames) + " samples at " + std::to_string(info.samplerate) + " Hz)";
    sound.samples.resize(static_cast<std::size_t>(info.frames));
    if (sf_readf_short(file, sound.samples.data(), info.frames) != info.frames) {
        sound.samples.clear();
        return "its samples end early";
    }
    sound.sampleRate = info.samplerate;
    return {};
}
