// One data-file kind per program (TK_FUZZ_TARGET names it; see DataFileKinds.h).
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

void fuzz::PrepareTarget()
{
    Kind = fuzz::FindDataFileKind(TK_FUZZ_TARGET);
    fuzz::Require(Kind != nullptr, "unknown data-file kind");
    ResetProjectData();
    LoadProjectData();
}

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    Kind->m_Run(Kind->m_pPath, data, size);
    return 0;
}
