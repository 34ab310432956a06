// The settings loader on arbitrary bytes: the file is parsed as the game parses config.toml,
// then every kind of look-up the game makes is asked of it.
#include "core/ConfigHandler.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

namespace {

/// An in-memory file the loader opens by name, so that no input touches the disk.
struct MemoryFile {
    MemoryFile() : fd(memfd_create("config.toml", 0)), path("/proc/self/fd/" + std::to_string(fd)) {}
    void Write(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
            std::abort();
    }
    int fd;
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    // The loader's lines would only slow the run down.
    static std::ostringstream discarded;
    std::cout.rdbuf(discarded.rdbuf());
    discarded.str({});

    file.Write(data, size);
    ConfigHandler& config = ConfigHandler::GetInstance();
    config.Load(file.path);
    config.GetBool("Display.maximized", false);
    config.GetInt("Display.width", 800);
    config.GetFloat("Display.maxFPS", 60.0f);
    config.GetFloatInRange("Physics.gravity", 25.0f, -1000.0f, 1000.0f);
    config.GetInt("a.b.c.d", 0);
    return 0;
}
