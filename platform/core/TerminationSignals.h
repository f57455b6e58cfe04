#pragma once

// SIGTERM and SIGINT as a readable descriptor, so that a program ends in its
// own order (its shut-down saves included) instead of at once. While caught,
// the two signals are blocked in the thread that caught them and in every
// thread made after it: the system hands them to no thread, and they wait in
// the process until the descriptor is read. No handler runs for them, so none
// can be held up on the thread a signal lands on (under ThreadSanitizer a
// handler runs when its thread next calls into the C library, which a thread
// parked in a library's bare futex wait never does). The program's event
// loop watches the descriptor and closes down.

#include <csignal>

namespace platform
{

// Catches the two signals; call it before any other thread is made (a thread
// that exists already keeps the default action). False when the descriptor
// cannot be made.
bool CatchTerminationSignals();
// The signals reach the thread that caught them again (call it there) and
// take their action. Those that came meanwhile are taken
// first: they are the ones the program is ending on.
void ReleaseTerminationSignals();
// Readable after a signal came; -1 while not caught.
int TerminationDescriptor();
// Takes the signals that came; true when there was at least one.
bool TakeTerminationSignals();
// The signal mask a program started from this one begins with: the calling
// thread's own, without the block of the two signals while they are caught.
sigset_t StartedProgramSignalMask();

} // namespace platform
