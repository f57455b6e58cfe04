// One data-file kind per program (TK_FUZZ_KIND names it; see DataFileKinds.h).
// The run starts as the editor starts in an empty project folder: two default
// records in each table and a new stage, so that the checks against the tables
// and the stage have something to check against.

#include "DataFileKinds.h"
#include "FuzzTarget.h"

#include "common/project/ProjectFiles.h"

namespace
{

const fuzz::DataFileKind* Kind = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Kind = fuzz::FindDataFileKind(TK_FUZZ_KIND);
    fuzz::Require(Kind != nullptr, "unknown data-file kind");
    fuzz::EnterWorkFolder(TK_FUZZ_KIND, argc, argv);
    ResetProjectData();
    LoadProjectData();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Kind->m_Run(Kind->m_pPath, data, size);
    return 0;
}
