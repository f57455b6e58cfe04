#pragma once

// What the record lists of the database pages make of a new or cleared
// record: the table's defaults, not a zeroed record. Every page that lists a
// table includes this before it uses its ListBox.

#include "common/data/ClassRecord.h"
#include "common/data/LandRecord.h"

// A class at its defaults (movement 4, level limit 30, ...), fitted to the System's lists.
void ClearListElement(ClassRecord& record);
// A land at its defaults: every field zero or empty, movement cost 1.
void ClearListElement(LandRecord& record);
