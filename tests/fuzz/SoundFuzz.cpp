// The sound loader on arbitrary bytes, opened from memory as a file would be: whatever the
// header claims, the samples read stay bounded and a refusal always has a reason.
#include "audio/SoundFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

struct Bytes {
    const std::uint8_t* data;
    sf_count_t size;
    sf_count_t at;
};

sf_count_t Length(void* user) {
    return static_cast<Bytes*>(user)->size;
}
sf_count_t Seek(sf_count_t offset, int whence, void* user) {
    Bytes& bytes = *static_cast<Bytes*>(user);
    const sf_count_t base = whence == SEEK_CUR ? bytes.at : whence == SEEK_END ? bytes.size : 0;
    const sf_count_t to = base + offset;
    if (to < 0 || to > bytes.size)
        return -1;
    bytes.at = to;
    return bytes.at;
}
sf_count_t Read(void* out, sf_count_t count, void* user) {
    Bytes& bytes = *static_cast<Bytes*>(user);
    const sf_count_t left = bytes.size - bytes.at;
    const sf_count_t n = count < left ? count : left;
    if (n > 0)
        std::memcpy(out, bytes.data + bytes.at, static_cast<std::size_t>(n));
    bytes.at += n > 0 ? n : 0;
    return n > 0 ? n : 0;
}
sf_count_t Write(const void*, sf_count_t, void*) {
    return 0;
}
sf_count_t Tell(void* user) {
    return static_cast<Bytes*>(user)->at;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    Bytes bytes{data, static_cast<sf_count_t>(size), 0};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &bytes);
    if (file == nullptr)
        return 0;
    MonoSound sound;
    const std::string problem = ReadMonoSound(file, info, sound);
    sf_close(file);
    const std::size_t bound = static_cast<std::size_t>(kMaxSoundRate) * kMaxSoundSeconds;
    if (problem.empty() == sound.samples.empty() || sound.samples.size() > bound)
        __builtin_trap();
    return 0;
}
