#include "support/GLTestContext.h"

#include "render/SharedVertexArray.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

namespace testing_support {

GLFWwindow* EnsureGLContext(int width, int height) {
    static GLFWwindow* window = nullptr;
    if (window != nullptr)
        return window;
    glfwSetErrorCallback([](int code, const char* description) {
        std::cerr << "GLFW Error " << code << ": " << description << std::endl;
    });
    // A virtual display busy with the other test processes can turn a connection away now and
    // then; a few tries keep that from failing a test that has nothing to do with it.
    bool initialised = false;
    for (int attempt = 0; attempt < 10 && !initialised; ++attempt) {
        initialised = glfwInit() == GLFW_TRUE;
        if (!initialised)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (!initialised) {
        ADD_FAILURE() << "glfwInit failed: is there a DISPLAY (run the suite under xvfb-run)?";
        std::abort();
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(width, height, "Korvane tests", nullptr, nullptr);
    if (window == nullptr) {
        ADD_FAILURE() << "no OpenGL 4.3 core context available";
        std::abort();
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    glewInit();
    glGetError(); // GLEW's probe of the core profile can leave GL_INVALID_ENUM behind.
    SharedVertexArray::GetInstance().Bind();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return window;
}

} // namespace testing_support
