#pragma once
// What the process puts right before the game touches a file: standard streams that are always
// there, and console writes that cannot end the game.

/// Opens /dev/null in place of standard input, output or error when it was closed at start.
/// Otherwise the next file or connection opened (the X display's, say) would take that number
/// and console lines would be written into it.
void ReopenClosedStandardStreams();

/// A console reader that goes away (`korvane | head`, a pager quit early) leaves a closed pipe:
/// writing to it then fails quietly instead of ending the game with SIGPIPE.
void IgnoreBrokenPipes();

/// From now on SIGINT and SIGTERM only note that the game should end, as Escape does: the frame
/// loop stops at its next turn, so a recording still gets its end. A second one ends the process.
void EndGameOnStopSignals();
/// The signal that asked the game to end (SIGINT or SIGTERM), or 0.
int StopSignal();
