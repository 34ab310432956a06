#pragma once
// The GL debug-message callback: every driver message as five console lines and a blank one,
// except a few ids of routine notifications that would flood the console.

#include <GL/glew.h>
#include <map>
#include <string>

/// The lines for one message, or an empty string for an ignored id.
std::string FormatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const char* message);

/// Keeps a message the driver repeats every frame (a broken asset drawn again and again) from
/// flooding the console or a disk, while one that comes now and then (once per game) is always
/// printed. Messages of one id less than kBurstGap apart make a burst: its first kShownInFull
/// are printed in full, then its repeats are counted and reported on one line at most once a
/// second, and the rest of the count when the burst ends.
class DebugMessageLimiter {
public:
    static constexpr int kShownInFull = 3;
    static constexpr double kBurstGap = 1.0;
    /// What to print for a message of `id`, formatted as `text`, arriving at `now` seconds.
    std::string Pass(GLuint id, const std::string& text, double now);
    /// The closing line of every burst that has ended by `now` (none for a burst short enough
    /// to have been printed in full).
    std::string EndBursts(double now);

private:
    struct Burst {
        int count = 0;
        int unreported = 0;
        double since = 0.0;
        double last = 0.0;
    };
    static std::string EndLine(GLuint id, const Burst& burst);
    std::map<GLuint, Burst> bursts;
};

/// Prints FormatDebugMessage through the run's DebugMessageLimiter.
void GLAPIENTRY DebugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                     const GLchar* message, const void* userParam);
/// Prints the closing lines of the bursts that have ended: once a frame, and at exit, where
/// every burst still going ends.
void ReportEndedDebugBursts(bool atExit = false);
