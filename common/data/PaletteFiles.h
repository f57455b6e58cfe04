#pragma once

// Event palette files (.plt, the stage's palette events) and world palette
// files (.wplt, the world map's): the data-file container, int32 count, then
// the events. Loading replaces the list only when the whole file was read; 0
// when it could not be opened or was corrupt. Events of a .plt file are
// checked against the open stage.

#include "common/data/Event.h"
#include "common/data/WorldMapRecord.h"

#include <string>
#include <string_view>

// The editor's event palette holds this many templates at most.
constexpr int kMaxPaletteEvents = 99;

int LoadEventPalette(CheckedVector<Event>& palette, std::string_view name);
// The same, telling whether the file did not open or was corrupt (then, when asked, why).
LoadResult TryLoadEventPalette(CheckedVector<Event>& palette, std::string_view name, std::string* error);
// 1 when written; else 0 and, when asked, the reason.
int SaveEventPalette(CheckedVector<Event>& palette, std::string_view name, std::string* error = nullptr);

int LoadWorldPalette(CheckedVector<WorldMapEvent>& palette, std::string_view name);
int SaveWorldPalette(CheckedVector<WorldMapEvent>& palette, std::string_view name);
