#pragma once
// The whole life of the game process: configuration, window and GL context, GL state,
// input, text, the game world, then the paced frame loop until the window closes.

struct GLFWwindow;

/// Returns 0 after a normal close or an answered --help / --version, 1 when no assets
/// directory is found, 2 for a command line or a demo it cannot use, 3 when a replayed demo
/// went another way than its recording, and -1 when the window system or the GL loader fails.
int RunGame(int argc, const char* const* argv);

/// The start-up after the settings are loaded: window and context of the given size, GL
/// state, input callbacks, the vertex-array object, the text renderer and the game world.
/// Null after a failure, which has been reported and has released the window system.
GLFWwindow* StartUp(int width, int height);
/// The end of start-up, on a current context: input callbacks, the vertex-array object, the
/// text renderer and the game world (the test harness starts the game this way too).
void StartGameServices();
/// Deletes every GL object the process-wide services hold (particle bursts, the collision
/// view, text, meshes and textures, shader programs, the vertex-array object). Needs the
/// context; afterwards the services' destructors at exit have nothing left to delete.
void ReleaseGlObjects();
/// Frees the world, releases every GL object, then the window and the window system.
void ShutDown(GLFWwindow* window);
