#pragma once

// SIGTERM and SIGINT as a readable descriptor, so that a program ends in its
// own order (its shut-down saves included) instead of at once: while caught,
// each such signal makes the descriptor readable; the program's event loop
// notices and closes down.

namespace platform
{

// Catches the two signals. False when the descriptor cannot be made.
bool CatchTerminationSignals();
// The signals take their default action again.
void ReleaseTerminationSignals();
// Readable after a signal came; -1 while not caught.
int TerminationDescriptor();
// Takes the signals that came; true when there was at least one.
bool TakeTerminationSignals();

} // namespace platform
