// The sound service on OpenAL Soft's null output: the bounded source pool, files that cannot
// be played, and the two settings.

#include "audio/AudioService.h"
#include "core/ConfigHandler.h"
#include "support/ConsoleCapture.h"

#include <sndfile.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using testing_support::ConsoleCapture;
namespace fs = std::filesystem;

class AudioServiceTest : public ::testing::Test {
protected:
    AudioService& audio = AudioService::GetInstance();
    ConfigHandler& config = ConfigHandler::GetInstance();
    fs::path scratch = fs::temp_directory_path() / ("korvane_audio_test_" + std::to_string(getpid()));

    void SetUp() override {
        fs::create_directories(scratch);
        StartWith("");
    }
    void TearDown() override {
        audio.Release();
        ConsoleCapture quiet;
        config.Load((scratch / "none.toml").string());
        fs::remove_all(scratch);
    }

    /// Starts the service on a config.toml holding `settings`; returns what it printed.
    std::string StartWith(const std::string& settings) {
        const fs::path file = scratch / "config.toml";
        std::ofstream(file) << settings;
        ConsoleCapture console;
        config.Load(file.string());
        audio.Init();
        return console.Text();
    }

    /// Sources OpenAL knows of in this context, probed by name as they are handed out.
    static int LiveSources() {
        int live = 0;
        for (ALuint name = 1; name < 1024; ++name)
            live += alIsSource(name) == AL_TRUE ? 1 : 0;
        return live;
    }
};

TEST_F(AudioServiceTest, TheOldestSoundGivesWayAndThePoolNeverGrows) {
    ASSERT_TRUE(audio.IsAvailable()) << "ALSOFT_DRIVERS=null should give a device";
    ASSERT_EQ(audio.SourceCount(), AudioService::kMaxSources);
    // More long sounds at once than there are sources: each is placed one unit further east.
    constexpr int kRequests = 40;
    for (int i = 0; i < kRequests; ++i)
        audio.Play(Sound::Death, Vec3{static_cast<float>(i), 0.0f, 0.0f});
    EXPECT_EQ(LiveSources(), static_cast<int>(AudioService::kMaxSources));
    EXPECT_EQ(audio.PlayingCount(Sound::Death), static_cast<int>(AudioService::kMaxSources));
    // The first eight were cut for the last eight: the newest sound is never the one dropped.
    std::vector<bool> heard(kRequests, false);
    for (std::size_t slot = 0; slot < audio.SourceCount(); ++slot) {
        ALfloat x = 0.0f, y = 0.0f, z = 0.0f;
        alGetSource3f(audio.SourceName(slot), AL_POSITION, &x, &y, &z);
        heard[static_cast<std::size_t>(x)] = true;
    }
    for (int i = 0; i < kRequests; ++i)
        EXPECT_EQ(heard[static_cast<std::size_t>(i)],
                  i >= kRequests - static_cast<int>(AudioService::kMaxSources))
            << "the sound at x = " << i;

    // A sound around the player rides with the listener; one in the arena does not.
    audio.Play(Sound::Win);
    audio.Play(Sound::WaveArrival, Vec3{20.0f, 0.0f, 0.0f});
    int relative = 0;
    for (std::size_t slot = 0; slot < audio.SourceCount(); ++slot) {
        ALint isRelative = AL_FALSE;
        alGetSourcei(audio.SourceName(slot), AL_SOURCE_RELATIVE, &isRelative);
        relative += isRelative == AL_TRUE ? 1 : 0;
        ALfloat reference = 0.0f, rolloff = 0.0f;
        alGetSourcef(audio.SourceName(slot), AL_REFERENCE_DISTANCE, &reference);
        alGetSourcef(audio.SourceName(slot), AL_ROLLOFF_FACTOR, &rolloff);
        // Inverse distance: a wave 20 units away plays at a fifth of its level, heard but quieter.
        EXPECT_NEAR(reference / (reference + rolloff * (20.0f - reference)), 0.2f, 1e-4f);
    }
    EXPECT_EQ(relative, 1);
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_INVERSE_DISTANCE_CLAMPED);
    EXPECT_EQ(LiveSources(), static_cast<int>(AudioService::kMaxSources));
}

TEST_F(AudioServiceTest, AMissingOrDamagedFileIsNamedOnceAndOnlyThatSoundIsSilent) {
    ASSERT_TRUE(audio.IsAvailable());
    const std::string missing = (scratch / "gone.wav").string();
    const std::string damaged = (scratch / "damaged.wav").string();
    std::ofstream(damaged) << "RIFF, but not a sound";
    for (const std::string& path : {missing, damaged}) {
        ConsoleCapture console;
        EXPECT_FALSE(audio.LoadSound(Sound::Shot, path));
        const std::string text = console.Text();
        EXPECT_NE(text.find(path), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;

        audio.Play(Sound::Shot, Vec3{});
        audio.Play(Sound::Win);
        EXPECT_EQ(audio.PlayingCount(Sound::Shot), 0) << path;
        EXPECT_GE(audio.PlayingCount(Sound::Win), 1) << "the other sounds still play";
    }
    // The committed file brings it back.
    EXPECT_TRUE(audio.LoadSound(Sound::Shot, "assets/sounds/shot.wav"));
    audio.Play(Sound::Shot, Vec3{});
    EXPECT_EQ(audio.PlayingCount(Sound::Shot), 1);
}

TEST_F(AudioServiceTest, VolumeOutsideZeroToOneFallsBackAndDisabledSoundStaysSilent) {
    std::string printed = StartWith("[Audio]\nvolume = 1.5\n");
    EXPECT_NE(printed.find("Audio.volume"), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    ALfloat gain = 0.0f;
    alGetListenerf(AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, AudioService::kDefaultVolume);

    printed = StartWith("[Audio]\nvolume = 0.25\n");
    EXPECT_EQ(printed, "");
    alGetListenerf(AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.25f);

    printed = StartWith("[Audio]\nenabled = false\n");
    EXPECT_EQ(printed, "") << "switched off is no failure";
    EXPECT_FALSE(audio.IsAvailable());
    EXPECT_EQ(audio.SourceCount(), 0u);
    audio.Play(Sound::Win);
    audio.UpdateListener(Vec3{}, Vec3{0.0f, 0.0f, -1.0f}, Vec3{0.0f, 1.0f, 0.0f});
    EXPECT_EQ(audio.PlayingCount(Sound::Win), 0);
}

} // namespace

TEST_F(AudioServiceTest, ASoundLongerThanTenSecondsIsRefusedBeforeItsSamplesAreAllocated) {
    ASSERT_TRUE(audio.IsAvailable());
    // Real files a little under and over the bound, and a FLAC header claiming 2^36 samples,
    // which would be a 128 GiB allocation if the claim were believed.
    auto write = [&](const std::string& name, int format, int rate, sf_count_t frames) {
        const std::string path = (scratch / name).string();
        SF_INFO info{0, rate, 1, format, 0, 0};
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
        const std::vector<short> silence(static_cast<std::size_t>(frames), 0);
        sf_writef_short(file, silence.data(), frames);
        sf_close(file);
        return path;
    };
    const std::string under = write("under.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 8000 * 10);
    const std::string over = write("over.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 8000 * 10 + 1);
    const std::string claims = write("claims.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 800);
    {
        // The stream info block starts at byte 8; its total length is the low 36 bits of the
        // eight bytes from 18: the low half of byte 21 and bytes 22 to 25.
        std::fstream flac(claims, std::ios::in | std::ios::out | std::ios::binary);
        char kept = 0;
        flac.seekg(21);
        flac.get(kept);
        flac.seekp(21);
        flac.put(static_cast<char>(kept | 0x0f));
        flac.write("\xff\xff\xff\xff", 4);
    }
    EXPECT_TRUE(audio.LoadSound(Sound::Shot, under));
    for (const std::string& path : {over, claims}) {
        ConsoleCapture console;
        EXPECT_FALSE(audio.LoadSound(Sound::Shot, path));
        const std::string text = console.Text();
        EXPECT_NE(text.find(path + ": longer than 10 seconds ("), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        audio.Play(Sound::Shot, Vec3{});
        EXPECT_EQ(audio.PlayingCount(Sound::Shot), 0) << path;
    }
}
