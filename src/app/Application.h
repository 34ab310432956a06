#pragma once
// The whole life of the game process: configuration, window and GL context, GL state,
// input, text, the game world, then the paced frame loop until the window closes.

/// Returns 0 after a normal close, -1 when the window system or the GL loader fails.
int RunGame();
