#pragma once
// A hidden window with an OpenGL 4.3 core context on the (virtual) display, made once per
// test process and kept current, with the one vertex-array object the game binds at start.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace testing_support {

/// Opens the shared context on first use; returns the window. Fails the test if no
/// 4.3 context can be created.
GLFWwindow* EnsureGLContext(int width = 800, int height = 600);

} // namespace testing_support
