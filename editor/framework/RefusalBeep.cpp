#include "editor/framework/RefusalBeep.h"

void (*RefusalBeepHook)() = nullptr;

void RefusalBeep()
{
    if (RefusalBeepHook)
    {
        RefusalBeepHook();
    }
}
