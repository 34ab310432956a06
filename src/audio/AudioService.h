#pragma once
// The game's sound: one OpenAL device and context, a buffer per effect loaded at start-up, and
// a fixed pool of sources the events of a game play through, heard from where the camera is.

#include "core/MathTypes.h"

#include <al.h>
#include <alc.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

enum class Sound : std::uint8_t {
    Shot,
    ShotHit,
    EnemyDeath,
    PickupUsed,
    ContactDamage,
    WaveArrival,
    Win,
    Death,
    GameStart,
};

class AudioService {
public:
    static constexpr std::size_t kSoundCount = 9;
    /// Sounds playing at once; a tenth more would be a wall of noise, not more information.
    static constexpr std::size_t kMaxSources = 32;
    static constexpr float kDefaultVolume = 0.8f;
    /// Full loudness up to this distance, then inverse with distance: 20 units away is a fifth.
    static constexpr float kReferenceDistance = 4.0f;
    static constexpr float kRolloffFactor = 1.0f;
    /// Beyond the arena's diagonal nothing gets quieter, so far bursts stay faintly audible.
    static constexpr float kMaxDistance = 200.0f;
    /// Every source plays at half level: a shot, its hit and a kill right beside the player then
    /// add up to less than full scale instead of clipping.
    static constexpr float kSourceGain = 0.5f;

    /// What was last asked of one sound: the record that lets the game's events be checked.
    struct Request {
        std::uint64_t count = 0;
        bool positional = false;
        Vec3 position;
    };

    static AudioService& GetInstance();

    /// Reads `Audio.enabled` and `Audio.volume`, opens the default device and loads every sound
    /// from assets/sounds/. Without a device prints "Audio unavailable: <reason>" and stays
    /// silent; a missing or damaged file is named on one line and only that sound is silent.
    void Init();
    /// Follows a change of `Audio.volume` at once, and of `Audio.enabled` by opening or closing
    /// the device.
    void ApplySettings();
    /// Stops and frees every source and buffer, then the context and the device. Idempotent.
    void Release();

    /// A sound heard from `position`, quieter with distance from the listener.
    void Play(Sound sound, const Vec3& position);
    /// A sound heard the same wherever the listener is and whichever way it looks.
    void Play(Sound sound);
    /// The ear: where the camera is and where it looks. Once per drawn frame.
    void UpdateListener(const Vec3& position, const Vec3& forward, const Vec3& up);
    /// Holds every sound that is playing, where it is (the game was paused); nothing else changes.
    void PauseAll();
    /// Lets the sounds PauseAll held play on from where they stopped.
    void ResumeAll();
    /// Replaces one sound with the file at `path`. A missing or damaged file prints one line
    /// naming it and leaves the sound silent; the answer is whether it loaded.
    bool LoadSound(Sound sound, const std::string& path);

    bool IsAvailable() const { return context != nullptr; }
    /// Every request since start-up counts, whether it could be heard or not.
    const Request& LastRequest(Sound sound) const { return requests[Index(sound)]; }
    /// Sources OpenAL reports as playing `sound` right now.
    int PlayingCount(Sound sound) const;
    /// The sources of the pool, all made at start-up (none when audio is unavailable).
    std::size_t SourceCount() const { return sourceCount; }
    ALuint SourceName(std::size_t slot) const { return voices[slot].source; }
    float Volume() const { return volume; }
    bool IsEnabled() const { return enabled; }

    static const char* FileName(Sound sound);

private:
    struct Voice {
        ALuint source = 0;
        std::uint64_t started = 0;
        /// Paused by PauseAll and waiting for ResumeAll.
        bool held = false;
    };

    AudioService() = default;
    ~AudioService();
    static std::size_t Index(Sound sound) { return static_cast<std::size_t>(sound); }
    void Start(Sound sound, bool positional, const Vec3& position);
    /// A source that is not playing, else the one playing longest that does not loop.
    Voice* FreeVoice();

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::array<Voice, kMaxSources> voices{};
    std::size_t sourceCount = 0;
    std::array<ALuint, kSoundCount> buffers{};
    std::array<Request, kSoundCount> requests{};
    std::uint64_t playSequence = 0;
    float volume = kDefaultVolume;
    bool enabled = true;
};
