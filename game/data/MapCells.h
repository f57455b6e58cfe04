#pragma once

// The game's helpers on the map records: the cell of a stage position, the
// chip under a position or the menu cursor, the point tests of position
// groups, and the world-map event under the cursor.
//
// Stage positions refer to the global Stage.

#include "common/data/StageRecord.h"
#include "common/data/WorldMapRecord.h"
#include "common/window/MenuCursorStack.h"

#include <cstdint>

// Element of Stage's chip vector for (x, y): x is clamped into the map; a
// negative y gives x alone; a y past the last row is the last row.
int32_t GetCellIndex(int32_t x, int32_t y);
int32_t GetPointCell(const MapPoint& point);
// The cell of the current cursor entry's column and row.
int32_t GetCursorCell(MenuCursorStack& cursor);

// The chip value (land index) at a position or under the cursor.
int32_t GetMapChip(int32_t x, int32_t y);
int32_t GetChipAtCursor(MenuCursorStack& cursor);

// 1 when a point of the list has the same x and y, else 0.
int PointListContains(const MapPoint& point, const CheckedVector<MapPoint>& points);
int PointListContainsXY(int32_t x, int32_t y, const CheckedVector<MapPoint>& points);

// 1 when the page points at something on the map: a cursor mode other than
// "none" or a shown group.
int HasMapTarget(const ExplanationPage& page);

// The first placed world event at the current cursor entry's column and row,
// or null.
WorldMapEvent* FindEventAtCursor(WorldMapRecord& worldMap, MenuCursorStack& cursor);
