#include "audio/AudioService.h"

#include "audio/SoundFile.h"

#include "core/AssetLocator.h"
#include "core/ConfigHandler.h"

#include <sndfile.h>

#include <iostream>
#include <vector>

namespace {

constexpr const char* kSoundDirectory = "assets/sounds/";

constexpr std::array<const char*, AudioService::kSoundCount> kFiles = {
    "shot.wav",         "shot_hit.wav", "enemy_death.wav", "pickup_used.wav", "contact_damage.wav",
    "wave_arrival.wav", "win.wav",      "death.wav",       "game_start.wav"};

} // namespace

AudioService& AudioService::GetInstance() {
    static AudioService instance;
    return instance;
}

AudioService::~AudioService() {
    Release();
}

const char* AudioService::FileName(Sound sound) {
    return kFiles[Index(sound)];
}

void AudioService::Init() {
    Release();
    const ConfigHandler& config = ConfigHandler::GetInstance();
    volume = config.GetFloatSetting("Audio.volume");
    enabled = config.GetBoolSetting("Audio.enabled");
    if (!enabled)
        return;

    device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        std::cout << "Audio unavailable: no sound device could be opened" << std::endl;
        return;
    }
    context = alcCreateContext(device, nullptr);
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        std::cout << "Audio unavailable: the sound device refused a context (ALC error "
                  << alcGetError(device) << ")" << std::endl;
        Release();
        return;
    }

    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListenerf(AL_GAIN, volume);
    // Every source is made now: playing later only rebinds one, so the frame path allocates nothing.
    for (Voice& voice : voices) {
        alGetError();
        alGenSources(1, &voice.source);
        if (alGetError() != AL_NO_ERROR) {
            voice.source = 0;
            break;
        }
        alSourcef(voice.source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        alSourcef(voice.source, AL_ROLLOFF_FACTOR, kRolloffFactor);
        alSourcef(voice.source, AL_MAX_DISTANCE, kMaxDistance);
        alSourcef(voice.source, AL_GAIN, kSourceGain);
        ++sourceCount;
    }
    if (sourceCount == 0) {
        std::cout << "Audio unavailable: the sound device gave no sources" << std::endl;
        Release();
        return;
    }
    for (std::size_t i = 0; i < kSoundCount; ++i)
        LoadSound(static_cast<Sound>(i), std::string(kSoundDirectory) + kFiles[i]);
}

void AudioService::ApplySettings() {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    // Sound switched on or off opens or closes the device, as a start with that setting would.
    if (config.GetBoolSetting("Audio.enabled") != enabled) {
        if (enabled)
            Release();
        else
            Init();
        enabled = config.GetBoolSetting("Audio.enabled");
        return;
    }
    volume = config.GetFloatSetting("Audio.volume");
    if (IsAvailable())
        alListenerf(AL_GAIN, volume);
}

bool AudioService::LoadSound(Sound sound, const std::string& path) {
    if (!IsAvailable())
        return false;
    ALuint& buffer = buffers[Index(sound)];
    if (buffer != 0) {
        // A source still holding the old buffer would keep it from being deleted.
        for (std::size_t i = 0; i < sourceCount; ++i) {
            ALint bound = 0;
            alGetSourcei(voices[i].source, AL_BUFFER, &bound);
            if (static_cast<ALuint>(bound) == buffer) {
                alSourceStop(voices[i].source);
                alSourcei(voices[i].source, AL_BUFFER, 0);
            }
        }
        alDeleteBuffers(1, &buffer);
        buffer = 0;
    }

    SF_INFO info{};
    const std::string resolved = AssetLocator::GetInstance().Resolve(path);
    SNDFILE* file = sf_open(resolved.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        std::cout << "Failed to load sound " << resolved << ": " << sf_strerror(nullptr) << std::endl;
        return false;
    }
    MonoSound decoded;
    const std::string problem = ReadMonoSound(file, info, decoded);
    sf_close(file);
    if (!problem.empty()) {
        std::cout << "Failed to load sound " << path << ": " << problem << std::endl;
        return false;
    }

    alGetError();
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, decoded.samples.data(),
                 static_cast<ALsizei>(decoded.samples.size() * sizeof(short)), decoded.sampleRate);
    if (const ALenum error = alGetError(); error != AL_NO_ERROR) {
        std::cout << "Failed to load sound " << path << ": OpenAL error " << error << std::endl;
        alDeleteBuffers(1, &buffer);
        buffer = 0;
        return false;
    }
    return true;
}

void AudioService::Release() {
    for (std::size_t i = 0; i < sourceCount; ++i) {
        alSourceStop(voices[i].source);
        alDeleteSources(1, &voices[i].source);
        voices[i] = Voice{};
    }
    sourceCount = 0;
    for (ALuint& buffer : buffers) {
        if (buffer != 0)
            alDeleteBuffers(1, &buffer);
        buffer = 0;
    }
    if (context != nullptr) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    if (device != nullptr) {
        alcCloseDevice(device);
        device = nullptr;
    }
}

void AudioService::Play(Sound sound, const Vec3& position) {
    Start(sound, true, position);
}

void AudioService::Play(Sound sound) {
    Start(sound, false, Vec3{});
}

void AudioService::Start(Sound sound, bool positional, const Vec3& position) {
    Request& request = requests[Index(sound)];
    ++request.count;
    request.positional = positional;
    request.position = position;

    const ALuint buffer = buffers[Index(sound)];
    if (!IsAvailable() || buffer == 0)
        return;
    Voice* voice = FreeVoice();
    if (voice == nullptr)
        return;
    alSourceStop(voice->source);
    voice->held = false;
    alSourcei(voice->source, AL_BUFFER, static_cast<ALint>(buffer));
    // A source relative to the listener at its origin is heard the same from anywhere.
    alSourcei(voice->source, AL_SOURCE_RELATIVE, positional ? AL_FALSE : AL_TRUE);
    alSource3f(voice->source, AL_POSITION, position.x, position.y, position.z);
    alSourcePlay(voice->source);
    voice->started = ++playSequence;
}

void AudioService::PauseAll() {
    for (std::size_t i = 0; i < sourceCount; ++i) {
        Voice& voice = voices[i];
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) {
            alSourcePause(voice.source);
            voice.held = true;
        }
    }
}

void AudioService::ResumeAll() {
    for (std::size_t i = 0; i < sourceCount; ++i) {
        Voice& voice = voices[i];
        if (!voice.held)
            continue;
        voice.held = false;
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        // A source taken for a new sound meanwhile plays that one already.
        if (state == AL_PAUSED)
            alSourcePlay(voice.source);
    }
}

AudioService::Voice* AudioService::FreeVoice() {
    Voice* oldest = nullptr;
    for (std::size_t i = 0; i < sourceCount; ++i) {
        Voice& voice = voices[i];
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING && state != AL_PAUSED)
            return &voice;
        ALint looping = AL_FALSE;
        alGetSourcei(voice.source, AL_LOOPING, &looping);
        if (looping == AL_FALSE && (oldest == nullptr || voice.started < oldest->started))
            oldest = &voice;
    }
    return oldest;
}

void AudioService::UpdateListener(const Vec3& position, const Vec3& forward, const Vec3& up) {
    if (!IsAvailable())
        return;
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    const ALfloat orientation[6] = {forward.x, forward.y, forward.z, up.x, up.y, up.z};
    alListenerfv(AL_ORIENTATION, orientation);
}

int AudioService::PlayingCount(Sound sound) const {
    const ALuint buffer = buffers[Index(sound)];
    if (!IsAvailable() || buffer == 0)
        return 0;
    int playing = 0;
    for (std::size_t i = 0; i < sourceCount; ++i) {
        ALint bound = 0;
        ALint state = AL_STOPPED;
        alGetSourcei(voices[i].source, AL_BUFFER, &bound);
        alGetSourcei(voices[i].source, AL_SOURCE_STATE, &state);
        if (static_cast<ALuint>(bound) == buffer && state == AL_PLAYING)
            ++playing;
    }
    return playing;
}
