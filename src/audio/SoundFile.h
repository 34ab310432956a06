#pragma once
// Reading one effect's samples out of an opened sound file, with every size the file's header
// claims checked before anything is allocated for it.

#include <sndfile.h>

#include <string>
#include <vector>

/// The game's effects last under two seconds; a file claiming more than this is damaged or not
/// one of them, and would cost its whole length in memory at start-up.
inline constexpr int kMaxSoundSeconds = 10;
/// The highest sample rate an effect may have: far above hearing, and it keeps the bound on a
/// file's samples (and on what is allocated for them) small.
inline constexpr int kMaxSoundRate = 192000;

struct MonoSound {
    std::vector<short> samples;
    int sampleRate = 0;
};

/// The samples of `file`, opened with `info`, into `sound`; an empty string when they can be
/// played, otherwise why not ("not mono, ...", "no samples", "longer than 10 seconds", ...).
std::string ReadMonoSound(SNDFILE* file, const SF_INFO& info, MonoSound& sound);
