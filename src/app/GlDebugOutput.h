#pragma once
// The GL debug-message callback: every driver message as five console lines and a blank one,
// except a few ids of routine notifications that would flood the console.

#include <GL/glew.h>
#include <string>

/// The lines for one message, or an empty string for an ignored id.
std::string FormatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const char* message);

void GLAPIENTRY DebugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                     const GLchar* message, const void* userParam);
