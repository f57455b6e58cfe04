#pragma once

// A mouse message on the stage map, as the window receives it, and the part of
// the stage the map view shows.

#include "common/window/MenuCursorStack.h"
#include "platform/window/WindowMessages.h"

#include <cstdint>

// Map cells are this many pixels wide and high everywhere in the editor.
constexpr int kMapCellSize = 32;

enum class MapMouseAction
{
    Move,
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
};

// The action of a mouse message on a map.
inline MapMouseAction MapMouseActionOf(uint32_t message)
{
    switch (message)
    {
    case platform::kWmLButtonDown: return MapMouseAction::LeftDown;
    case platform::kWmLButtonUp: return MapMouseAction::LeftUp;
    case platform::kWmRButtonDown: return MapMouseAction::RightDown;
    case platform::kWmRButtonUp: return MapMouseAction::RightUp;
    default: return MapMouseAction::Move;
    }
}

// The keys and buttons held while the message was sent.
enum : int
{
    kMouseKeyLeft = 0x1,
    kMouseKeyRight = 0x2,
    kMouseKeyShift = 0x4,
    kMouseKeyControl = 0x8,
};

struct MapMouseEvent
{
    MapMouseAction m_Action = MapMouseAction::Move;
    int m_nX = 0; // client pixels
    int m_nY = 0;
    int m_nKeys = 0;

    bool IsLeftHeld() const { return (m_nKeys & kMouseKeyLeft) != 0; }
};

// The map cell at the top left of the view and the view's client size.
struct StageViewport
{
    int m_nScrollColumn = 0;
    int m_nScrollRow = 0;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nClientWidth && y < m_nClientHeight; }
    // StageEditorWindow::PointToCell: a point inside the client area names the
    // cell under it and its pixel corner in the entry; true then. A point
    // outside leaves the entry as it was.
    bool PointToCell(int x, int y, CursorEntry& entry) const
    {
        if (!Contains(x, y))
        {
            return false;
        }
        entry.m_nColumn = m_nScrollColumn + x / kMapCellSize;
        entry.m_nRow = m_nScrollRow + y / kMapCellSize;
        entry.m_nX = x / kMapCellSize * kMapCellSize;
        entry.m_nY = y / kMapCellSize * kMapCellSize;
        return true;
    }
};

// Calls visit(column, row, x, y) for every cell of a map of that many columns
// and rows that the view shows, with the pixel corner of the cell in the view.
template <class Visit>
void ForEachVisibleCell(const StageViewport& viewport, int columns, int rows, Visit visit)
{
    int shownRows = viewport.m_nClientHeight / kMapCellSize + 1;
    int shownColumns = viewport.m_nClientWidth / kMapCellSize + 1;
    for (int r = 0; r < shownRows; ++r)
    {
        int row = viewport.m_nScrollRow + r;
        if (row < 0 || row >= rows)
        {
            continue;
        }
        for (int c = 0; c < shownColumns; ++c)
        {
            int column = viewport.m_nScrollColumn + c;
            if (column >= 0 && column < columns)
            {
                visit(column, row, c * kMapCellSize, r * kMapCellSize);
            }
        }
    }
}

