#include "editor/stage/StageMapView.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "editor/stage/MapWalks.h"

#include <algorithm>
#include <cstdlib>

namespace
{

constexpr int kCell = kMapCellSize;
constexpr int kChipsPerRow = 8;  // "bmp\MapChip.bmp"
constexpr int kCharaPerColumn = 15; // "bmp\MapChara.bmp" and "bmp\Event.bmp": 64-pixel columns of 15 tiles
constexpr int kEventIconSize = 16;

bool IsIndex(int32_t index, int count)
{
    return index >= 0 && index < count;
}

} // namespace

void StageMapView::Paint(DibBitmap& surface, const StageViewport& viewport, bool leftHeld) const
{
    if (!surface.IsCreated())
    {
        return;
    }
    surface.Clear(kMapBackColour);
    DrawChips(surface, viewport);
    DrawEnemies(surface, viewport);
    DrawEvents(surface, viewport);
    DrawStartGroup(surface, viewport);
    surface.DrawGrid(0, 0, viewport.m_nClientWidth, viewport.m_nClientHeight, kCell, kCell, kMapGridColour);
    DrawToolCursor(surface, viewport, leftHeld);
}

void StageMapView::PaintMapOnly(DibBitmap& surface, const StageViewport& viewport) const
{
    if (!surface.IsCreated())
    {
        return;
    }
    surface.Clear(kMapBackColour);
    DrawChips(surface, viewport);
    DrawEnemies(surface, viewport);
    DrawEvents(surface, viewport);
    surface.DrawGrid(0, 0, viewport.m_nClientWidth, viewport.m_nClientHeight, kCell, kCell, kMapGridColour);
}

std::string StageMapView::StatusText() const
{
    std::string text;
    FormatString(text, "座標 (%d,%d)", m_Edit.Cursor().m_nColumn, m_Edit.Cursor().m_nRow);
    return text;
}

void StageMapView::DrawChip(DibBitmap& surface, int32_t land, int x, int y) const
{
    // A cell of a land deleted since (an undo step may bring one back) stays black.
    if (!m_Tiles.m_pMapChip || !IsIndex(land, LandTable.Count()))
    {
        return;
    }
    int n = LandTable.At(land).m_nGraphic;
    surface.Blt(x, y, kCell, kCell, *m_Tiles.m_pMapChip, n % kChipsPerRow * kCell, n / kChipsPerRow * kCell, 1);
}

void StageMapView::DrawChips(DibBitmap& surface, const StageViewport& viewport) const
{
    ForEachVisibleCell(viewport, m_Stage.m_nWidth, m_Stage.m_nHeight, [&](int column, int row, int x, int y) {
        DrawChip(surface, m_Stage.m_Chip.At((row << m_Stage.m_nShift) + column), x, y);
    });
}

void StageMapView::DrawEnemies(DibBitmap& surface, const StageViewport& viewport) const
{
    if (!m_Tiles.m_pMapChara)
    {
        return;
    }
    for (const EnemyPlacement& placement : m_Stage.m_Enemy)
    {
        // Placements of enemies or classes the database no longer has are not drawn.
        if (placement.m_nEnemy == 0 || !IsIndex(placement.m_nEnemy, EnemyTable.Count()))
        {
            continue;
        }
        int32_t classIndex = EnemyTable.At(placement.m_nEnemy).m_nClass;
        if (!IsIndex(classIndex, ClassTable.Count()))
        {
            continue;
        }
        int n = ClassTable.At(classIndex).m_nGraphic;
        surface.Blt((placement.m_nX - viewport.m_nScrollColumn) * kCell, (placement.m_nY - viewport.m_nScrollRow) * kCell,
                    kCell, kCell, *m_Tiles.m_pMapChara, n / kCharaPerColumn * 64 + kCell, n % kCharaPerColumn * kCell,
                    0);
    }
}

void StageMapView::DrawEvents(DibBitmap& surface, const StageViewport& viewport) const
{
    surface.SetPen(kPenSolid, 1, kMapEventFrameColour);
    for (const Event& event : m_Stage.m_Event)
    {
        if (event.m_Page.empty())
        {
            continue;
        }
        int n = event.m_Page.At(0).m_nGraphic;
        int x = (event.m_nX - viewport.m_nScrollColumn) * kCell + 15;
        int y = (event.m_nY - viewport.m_nScrollRow) * kCell + 1;
        if (m_Tiles.m_pEvent)
        {
            surface.StretchBlt(x, y, kEventIconSize, kEventIconSize, *m_Tiles.m_pEvent, n / kCharaPerColumn * 64,
                               n % kCharaPerColumn * kCell, kCell, kCell, 1);
        }
        surface.DrawRect(x, y, kEventIconSize, kEventIconSize);
    }
}

void StageMapView::DrawStartGroup(DibBitmap& surface, const StageViewport& viewport) const
{
    if (!m_Tiles.m_pAccessory || !IsIndex(m_Stage.m_nStartGroup, m_Stage.m_GroupPos.Count()))
    {
        return;
    }
    for (const MapPoint& point : m_Stage.m_GroupPos.At(m_Stage.m_nStartGroup).m_Point)
    {
        surface.Blt((point.m_nX - viewport.m_nScrollColumn) * kCell, (point.m_nY - viewport.m_nScrollRow) * kCell,
                    kCell, kCell, *m_Tiles.m_pAccessory, 0, 2 * kCell, 0);
    }
}

void StageMapView::DrawToolCursor(DibBitmap& surface, const StageViewport& viewport, bool leftHeld) const
{
    const StageEditState& edit = m_Edit;
    const CursorEntry& cursor = edit.Cursor();
    auto cellX = [&](int column) { return (column - viewport.m_nScrollColumn) * kCell; };
    auto cellY = [&](int row) { return (row - viewport.m_nScrollRow) * kCell; };
    auto outline = [&](int x, int y, int width, int height) {
        if (width > 0 && height > 0)
        {
            surface.DrawRect(x, y, width, height);
        }
    };
    auto inside = [&](int column, int row) {
        return column >= 0 && row >= 0 && column < m_Stage.m_nWidth && row < m_Stage.m_nHeight;
    };

    surface.SetPen(kPenSolid, 2, edit.m_nPenMode == kPenModePicking ? kMapPickFrameColour : kMapToolFrameColour);
    switch (edit.m_nPenMode)
    {
    case kToolPen:
        outline(cursor.m_nX, cursor.m_nY, edit.BlockWidth() * kCell, edit.BlockHeight() * kCell);
        break;
    case kToolLine:
        if (!leftHeld)
        {
            outline(cursor.m_nX, cursor.m_nY, kCell, kCell);
            break;
        }
        WalkLine(edit.m_nLineX, edit.m_nLineY, cursor.m_nColumn, cursor.m_nRow, edit.BlockWidth(),
                 [&](int column, int row, int k) {
                     if (!inside(column, row))
                     {
                         return;
                     }
                     if (edit.m_nPalette == kPaletteMapChip)
                     {
                         DrawChip(surface, edit.m_PickedChip[0][k], cellX(column), cellY(row));
                     }
                     outline(cellX(column), cellY(row), kCell, kCell);
                 });
        break;
    case kToolRectangle:
    {
        if (!leftHeld)
        {
            outline(cursor.m_nX, cursor.m_nY, kCell, kCell);
            break;
        }
        int left = std::min(edit.m_nRectX, cursor.m_nColumn);
        int top = std::min(edit.m_nRectY, cursor.m_nRow);
        if (edit.m_nPalette == kPaletteMapChip)
        {
            WalkRectangle(left, top, edit.m_nRectWidth, edit.m_nRectHeight, m_Stage.m_nWidth, m_Stage.m_nHeight,
                          edit.BlockWidth(), edit.BlockHeight(), [&](int column, int row, int px, int py) {
                              if (inside(column, row))
                              {
                                  DrawChip(surface, edit.m_PickedChip[py][px], cellX(column), cellY(row));
                              }
                          });
        }
        outline(cellX(left), cellY(top), edit.m_nRectWidth * kCell, edit.m_nRectHeight * kCell);
        break;
    }
    case kToolFill:
        outline(cursor.m_nX, cursor.m_nY, kCell, kCell);
        break;
    case kPenModePicking:
        outline(cellX(std::min(edit.m_nPickX, cursor.m_nColumn)), cellY(std::min(edit.m_nPickY, cursor.m_nRow)),
                (std::abs(cursor.m_nColumn - edit.m_nPickX) + 1) * kCell,
                (std::abs(cursor.m_nRow - edit.m_nPickY) + 1) * kCell);
        break;
    default:
        break;
    }
    surface.DeletePen();
}
