#include "editor/database/DatabaseRecords.h"

void ClearListElement(ClassRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(LandRecord& record)
{
    record.SetDefaults();
}
