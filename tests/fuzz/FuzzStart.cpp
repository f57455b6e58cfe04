// libFuzzer's entry points, compiled into every fuzz target with
// TK_FUZZ_TARGET naming it: at start-up the work folder, then the target's own
// set-up; for each input its size is noted, then the target runs it.

#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::EnterWorkFolder(TK_FUZZ_TARGET, argc, argv);
    fuzz::PrepareTarget();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::NoteInputSize(size);
    return fuzz::TestOneInput(data, size);
}
