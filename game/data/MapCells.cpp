#include "MapCells.h"

#include "common/data/ProjectData.h"

#include <algorithm>

int32_t GetCellIndex(int32_t x, int32_t y)
{
    const int32_t cellX = Stage.m_nWidth > 0 ? std::clamp(x, 0, Stage.m_nWidth - 1) : 0;
    if (y < 0 || Stage.m_nHeight <= 0)
    {
        return cellX;
    }
    const int64_t row = std::min(y, Stage.m_nHeight - 1);
    const int shift = std::clamp(Stage.m_nShift, 0, 31);
    return static_cast<int32_t>(cellX + (row << shift));
}

int32_t GetPointCell(const MapPoint& point)
{
    return GetCellIndex(point.m_nX, point.m_nY);
}

int32_t GetCursorCell(MenuCursorStack& cursor)
{
    const CursorEntry& entry = cursor.Current();
    return GetCellIndex(entry.m_nColumn, entry.m_nRow);
}

int32_t GetMapChip(int32_t x, int32_t y)
{
    return Stage.m_Chip.At(GetCellIndex(x, y));
}

int32_t GetChipAtCursor(MenuCursorStack& cursor)
{
    return Stage.m_Chip.At(GetCursorCell(cursor));
}

int PointListContains(const MapPoint& point, const CheckedVector<MapPoint>& points)
{
    return PointListContainsXY(point.m_nX, point.m_nY, points);
}

int PointListContainsXY(int32_t x, int32_t y, const CheckedVector<MapPoint>& points)
{
    return std::any_of(points.begin(), points.end(), [x, y](const MapPoint& p) { return p.m_nX == x && p.m_nY == y; })
               ? 1
               : 0;
}

int HasMapTarget(const ExplanationPage& page)
{
    return page.m_nCursorMode != 0 || page.m_nShownGroup != 0 ? 1 : 0;
}

WorldMapEvent* FindEventAtCursor(WorldMapRecord& worldMap, MenuCursorStack& cursor)
{
    const CursorEntry& entry = cursor.Current();
    return worldMap.FindEventAt(entry.m_nColumn, entry.m_nRow);
}
