#include "app/DemoRecorder.h"

#include "app/BuildInfo.h"
#include "core/ConfigHandler.h"
#include "game/GameWorld.h"

#include <GLFW/glfw3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t kStepsPerCheckpoint = GameWorld::kStepsPerSecond;

/// `path` opened for writing and emptied, held against any other game recording to it for as
/// long as it is open; null with the reason in `problem` otherwise.
std::FILE* OpenHeld(const std::string& path, std::string& problem) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd == -1) {
        problem = std::strerror(errno);
        return nullptr;
    }
    // Two games writing one file would leave neither recording readable: the second is told
    // before it writes a byte, and the first one's file stays whole.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        problem = errno == EWOULDBLOCK ? "another game is recording to it" : std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    struct stat status = {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::ftruncate(fd, 0) != 0) {
        problem = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        problem = std::strerror(errno);
        ::close(fd);
    }
    return file;
}

} // namespace

DemoRecorder::DemoRecorder(const std::string& path, int width, int height) : path(path) {
    std::string problem;
    file = OpenHeld(path, problem);
    if (file == nullptr) {
        std::cout << "Cannot record a demo to " << path << ": " << problem << "; playing without recording"
                  << std::endl;
        return;
    }
    const ConfigHandler& config = ConfigHandler::GetInstance();
    DemoHeader header;
    header.gameVersion = KORVANE_VERSION;
    header.controls = config.SectionText("Controls");
    header.physics = config.SectionText("Physics");
    header.width = width;
    header.height = height;
    Write(encoder.Header(header));
}

DemoRecorder::~DemoRecorder() {
    if (file != nullptr)
        std::fclose(file);
}

std::optional<float> DemoRecorder::BeginFrame(float pacedDt, ActionRecord& record) {
    frame.dt = pacedDt;
    frame.record = record;
    if (GLFWwindow* window = glfwGetCurrentContext())
        glfwGetWindowSize(window, &frame.width, &frame.height);
    return pacedDt;
}

void DemoRecorder::EndFrame() {
    Write(encoder.Frame(frame));
    ++frames;
    const std::uint64_t seconds = GameWorld::GetInstance().GetStepCount() / kStepsPerCheckpoint;
    if (seconds > checkpointSeconds) {
        checkpointSeconds = seconds;
        WriteCheckpoint();
    }
}

void DemoRecorder::WriteCheckpoint() {
    DemoCheckpoint checkpoint;
    checkpoint.frame = frames;
    checkpoint.state = CaptureGameState();
    checkpoint.hash = HashGameState(checkpoint.state);
    Write(encoder.Checkpoint(checkpoint));
    lastCheckpointFrame = frames;
    // Flushed every second of play: what a crash leaves behind replays up to here.
    if (file != nullptr && std::fflush(file) != 0)
        Stop();
}

void DemoRecorder::Finish() {
    if (file == nullptr)
        return;
    if (lastCheckpointFrame != frames || frames == 0)
        WriteCheckpoint();
    Write(encoder.End(DemoEnd{frames, HashGameState(CaptureGameState())}));
    if (file != nullptr && std::fclose(file) != 0) {
        file = nullptr;
        Stop();
    }
    file = nullptr;
}

void DemoRecorder::Write(const std::string& bytes) {
    if (file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        Stop();
}

void DemoRecorder::Stop() {
    std::cout << "Demo recording to " << path << " stopped: " << std::strerror(errno) << "; the game goes on"
              << std::endl;
    if (file != nullptr)
        std::fclose(file);
    file = nullptr;
}
