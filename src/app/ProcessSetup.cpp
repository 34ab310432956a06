#include "app/ProcessSetup.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

void ReopenClosedStandardStreams() {
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is taken, which is this one: the lower streams are open by now.
        const int opened = open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != -1 && opened != stream) {
            dup2(opened, stream);
            close(opened);
        }
    }
}

void IgnoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

namespace {
volatile std::sig_atomic_t stopSignal = 0;

void NoteStopSignal(int signal) {
    stopSignal = signal;
}
} // namespace

void EndGameOnStopSignals() {
    struct sigaction action = {};
    action.sa_handler = NoteStopSignal;
    sigemptyset(&action.sa_mask);
    // Once noted, the default comes back: a game stuck while finishing still ends on the next one.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int StopSignal() {
    return stopSignal;
}
