// libFuzzer's start-up hook, compiled into every fuzz target with
// TK_FUZZ_TARGET naming it: the work folder, then the target's own set-up.

#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::EnterWorkFolder(TK_FUZZ_TARGET, argc, argv);
    fuzz::PrepareTarget();
    return 0;
}
