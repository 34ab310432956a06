#pragma once
// The GL debug-message callback: every driver message as five console lines and a blank one,
// except a few ids of routine notifications that would flood the console.

#include <GL/glew.h>
#include <string>
#include <unordered_map>

/// The lines for one message, or an empty string for an ignored id.
std::string FormatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const char* message);

/// Keeps a message the driver repeats every frame (a broken asset drawn again and again) from
/// flooding the console or a disk: each id is printed in full its first kShownInFull times,
/// then its repeats are counted and reported on one line at most once a second.
class DebugMessageLimiter {
public:
    static constexpr int kShownInFull = 3;
    /// What to print for a message of `id`, formatted as `text`, arriving at `now` seconds.
    std::string Pass(GLuint id, const std::string& text, double now);

private:
    struct Seen {
        int count = 0;
        int unreported = 0;
        double since = 0.0;
    };
    std::unordered_map<GLuint, Seen> seen;
};

/// Prints FormatDebugMessage through one DebugMessageLimiter for the whole run.
void GLAPIENTRY DebugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                     const GLchar* message, const void* userParam);
