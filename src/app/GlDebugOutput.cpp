#include "app/GlDebugOutput.h"

#include <chrono>
#include <iostream>

namespace {

bool IsIgnored(GLuint id) {
    return id == 131169 || id == 131185 || id == 131204 || id == 131218;
}

const char* SourceLine(GLenum source) {
    switch (source) {
    case GL_DEBUG_SOURCE_API:
        return "Source: API";
    case GL_DEBUG_SOURCE_WINDOW_SYSTEM:
        return "Source: Window System";
    case GL_DEBUG_SOURCE_SHADER_COMPILER:
        return "Source: Shader Compiler";
    case GL_DEBUG_SOURCE_THIRD_PARTY:
        return "Source: Third Party";
    case GL_DEBUG_SOURCE_APPLICATION:
        return "Source: Application";
    case GL_DEBUG_SOURCE_OTHER:
        return "Source: Other";
    default:
        return "Source: Unknown";
    }
}

const char* TypeLine(GLenum type) {
    switch (type) {
    case GL_DEBUG_TYPE_ERROR:
        return "Type: Error";
    case GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR:
        return "Type: Deprecated Behaviour";
    case GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR:
        return "Type: Undefined Behaviour";
    case GL_DEBUG_TYPE_PORTABILITY:
        return "Type: Portability";
    case GL_DEBUG_TYPE_PERFORMANCE:
        return "Type: Performance";
    case GL_DEBUG_TYPE_MARKER:
        return "Type: Marker";
    case GL_DEBUG_TYPE_PUSH_GROUP:
        return "Type: Push Group";
    case GL_DEBUG_TYPE_POP_GROUP:
        return "Type: Pop Group";
    case GL_DEBUG_TYPE_OTHER:
        return "Type: Other";
    default:
        return "Type: Unknown";
    }
}

const char* SeverityLine(GLenum severity) {
    switch (severity) {
    case GL_DEBUG_SEVERITY_HIGH:
        return "Severity: high";
    case GL_DEBUG_SEVERITY_MEDIUM:
        return "Severity: medium";
    case GL_DEBUG_SEVERITY_LOW:
        return "Severity: low";
    case GL_DEBUG_SEVERITY_NOTIFICATION:
        return "Severity: notification";
    default:
        return "Severity: Unknown";
    }
}

} // namespace

std::string FormatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const char* message) {
    if (IsIgnored(id))
        return "";
    std::string text = "Debug message (" + std::to_string(id) + "): " + (message ? message : "") + "\n";
    text += SourceLine(source);
    text += "\n";
    text += TypeLine(type);
    text += "\n";
    text += SeverityLine(severity);
    text += "\n\n";
    return text;
}

std::string DebugMessageLimiter::Pass(GLuint id, const std::string& text, double now) {
    Seen& message = seen[id];
    ++message.count;
    if (message.count < kShownInFull)
        return text;
    const std::string name = "Debug message (" + std::to_string(id) + ")";
    if (message.count == kShownInFull) {
        message.since = now;
        return text + name + " keeps coming: its repeats are counted once a second from now on\n";
    }
    ++message.unreported;
    if (now - message.since < 1.0)
        return "";
    const std::string line = name + " repeated " + std::to_string(message.unreported) + " more times\n";
    message.unreported = 0;
    message.since = now;
    return line;
}

void GLAPIENTRY DebugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei,
                                     const GLchar* message, const void*) {
    static DebugMessageLimiter limiter;
    const std::string text = FormatDebugMessage(source, type, id, severity, message);
    if (text.empty())
        return;
    const double now =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    const std::string printed = limiter.Pass(id, text, now);
    if (!printed.empty())
        std::cout << printed << std::flush;
}
