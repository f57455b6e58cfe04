#include "game/engine/MenuCursor.h"

#include <algorithm>

MenuCursorStack MenuCursor;

namespace
{

// Wraps a position that has stepped one place past either edge of 0..count - 1.
int32_t Wrap(int32_t value, int32_t count)
{
    if (value < 0)
    {
        value = count - 1;
    }
    // Also catches an empty grid, where count - 1 is still below 0.
    return value < 0 || value >= count ? 0 : value;
}

} // namespace

int32_t MoveGrid(MenuCursorStack& cursor, const InputState& input, int32_t x0, int32_t y0, int32_t stepX, int32_t stepY,
                 int32_t columns, int32_t rows)
{
    if (columns < 0 || rows < 0)
    {
        return 0;
    }
    CursorEntry& entry = cursor.Current();
    const uint16_t directions = input.m_nDirections;
    if (directions & kInputLeft)
    {
        --entry.m_nColumn;
    }
    else if (directions & kInputRight)
    {
        ++entry.m_nColumn;
    }
    if (directions & kInputUp)
    {
        --entry.m_nRow;
    }
    else if (directions & kInputDown)
    {
        ++entry.m_nRow;
    }
    entry.m_nRow = Wrap(entry.m_nRow, rows);
    entry.m_nColumn = Wrap(entry.m_nColumn, columns);
    entry.m_nX = x0 + stepX * entry.m_nColumn;
    entry.m_nY = y0 + stepY * entry.m_nRow;
    return entry.m_nY;
}

void MoveList(MenuCursorStack& cursor, const InputState& input, bool byRow, int32_t& first, int32_t origin,
              int32_t step, int32_t other, int32_t visible, int32_t items, bool paging)
{
    CursorEntry& entry = cursor.Current();
    int32_t& index = byRow ? entry.m_nRow : entry.m_nColumn;
    const uint16_t directions = input.m_nDirections;
    if (directions & kInputUp)
    {
        if (index - first < 1)
        {
            --first;
        }
        --index;
    }
    else if (directions & kInputDown)
    {
        if (index - first >= visible - 1)
        {
            ++first;
        }
        ++index;
    }
    if (paging)
    {
        if (directions & kInputRight)
        {
            if (first == items - visible)
            {
                index = items - 1;
            }
            else
            {
                first += visible - 1;
                index += visible - 1;
            }
        }
        else if (directions & kInputLeft)
        {
            if (first != 0)
            {
                first -= visible - 1;
                index -= visible - 1;
            }
            else
            {
                index = 0;
            }
        }
    }
    index = std::max(0, std::min(index, items - 1));
    first = std::max(0, std::min(first, std::max(items - visible, 0)));
    const int32_t along = origin + step * (index - first);
    entry.m_nX = byRow ? other : along;
    entry.m_nY = byRow ? along : other;
}
