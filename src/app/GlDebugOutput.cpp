#include "app/GlDebugOutput.h"

#include <chrono>
#include <iostream>
#include <limits>

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

std::string DebugMessageLimiter::EndLine(GLuint id, const Burst& burst) {
    if (burst.count < kShownInFull)
        return "";
    return "Debug message (" + std::to_string(id) + ") repeated " + std::to_string(burst.unreported) +
           " more times, then stopped\n";
}

std::string DebugMessageLimiter::Pass(GLuint id, const std::string& text, double now) {
    std::string printed;
    Burst& burst = bursts[id];
    if (burst.count > 0 && now - burst.last >= kBurstGap) {
        printed = EndLine(id, burst);
        burst = Burst{};
    }
    burst.last = now;
    ++burst.count;
    if (burst.count < kShownInFull)
        return printed + text;
    const std::string name = "Debug message (" + std::to_string(id) + ")";
    if (burst.count == kShownInFull) {
        burst.since = now;
        return printed + text + name +
               " keeps coming: its repeats are counted once a second until it stops\n";
    }
    ++burst.unreported;
    if (now - burst.since < 1.0)
        return printed;
    printed += name + " repeated " + std::to_string(burst.unreported) + " more times\n";
    burst.unreported = 0;
    burst.since = now;
    return printed;
}

std::string DebugMessageLimiter::EndBursts(double now) {
    std::string printed;
    for (auto it = bursts.begin(); it != bursts.end();) {
        if (now - it->second.last >= kBurstGap) {
            printed += EndLine(it->first, it->second);
            it = bursts.erase(it);
        } else {
            ++it;
        }
    }
    return printed;
}

namespace {

DebugMessageLimiter& RunLimiter() {
    static DebugMessageLimiter limiter;
    return limiter;
}

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Print(const std::string& printed) {
    if (!printed.empty())
        std::cout << printed << std::flush;
}

} // namespace

void GLAPIENTRY DebugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei,
                                     const GLchar* message, const void*) {
    const std::string text = FormatDebugMessage(source, type, id, severity, message);
    if (text.empty())
        return;
    Print(RunLimiter().Pass(id, text, SteadySeconds()));
}

void ReportEndedDebugBursts(bool atExit) {
    Print(RunLimiter().EndBursts(atExit ? std::numeric_limits<double>::infinity() : SteadySeconds()));
}
