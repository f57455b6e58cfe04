#pragma once

// The data files of the sample game, built through the data model: the
// database, two stages, the world map, the start event, the default palettes
// and the editor's settings. The current folder must be the project folder;
// the global data objects are left holding the sample.

#include <string>

namespace sample
{

// The two stages, as the world map names them.
extern const char* const kStageFiles[2];

// Writes every data file. False, with the reason, when one cannot be written.
bool WriteSampleData(std::string& error);

} // namespace sample
