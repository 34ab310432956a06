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
