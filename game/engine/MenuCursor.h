#pragma once

// The game's moves of the current menu cursor from the frame's directions.
// A grid cursor keeps its column and row; a list cursor keeps its index in the
// row (lists running down) or in the column (lists running across). Both set
// the entry's pixel position.

#include "common/window/MenuCursorStack.h"
#include "game/engine/InputState.h"

#include <cstdint>

// The menus' one cursor stack; each scene collapses it when it fades out.
extern MenuCursorStack MenuCursor;

// Left or right moves the column, up or down the row, each wrapping around at
// its edges; then x = x0 + stepX * column, y = y0 + stepY * row. Returns the
// new y. With a negative column or row count nothing moves and 0 is returned.
int32_t MoveGrid(MenuCursorStack& cursor, const InputState& input, int32_t x0, int32_t y0, int32_t stepX, int32_t stepY,
                 int32_t columns, int32_t rows);

// Up and down move the index by one, scrolling `first` (the first visible
// item) to keep it on the `visible` lines. With paging, right and left turn a
// page of visible - 1 items; right on the last page goes to the last item,
// left on the first page to the first. The index stays in 0..items - 1 (0 for
// an empty list) and `first` in 0..max(items - visible, 0). The pixel position
// is origin + step * (index - first) along the list and `other` across it.
void MoveList(MenuCursorStack& cursor, const InputState& input, bool byRow, int32_t& first, int32_t origin,
              int32_t step, int32_t other, int32_t visible, int32_t items, bool paging);
