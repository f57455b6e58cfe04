#pragma once

// The beep of a refused list edit (a full list, a list at its minimum, a
// command without a row). Tests hear it through the hook.

// Sounds the beep.
void RefusalBeep();
// Called by every RefusalBeep while set.
extern void (*RefusalBeepHook)();
