#include "editor/stage/WorldMapView.h"

#include "common/data/FormatString.h"
#include "common/graphics/Palette.h"
#include "editor/stage/StageMapView.h"

#include <algorithm>
#include <cstdlib>

namespace
{

constexpr int kCell = kMapCellSize;
constexpr int kEventIconSize = 16;
// The pen mode that frames the pick anchor alone.
constexpr int32_t kPenModeAnchor = 4;

} // namespace

uint32_t PaletteColour(int32_t index)
{
    const uint8_t* entry = &GlobalPalette[static_cast<std::size_t>(std::clamp(index, 0, 255)) * 4];
    return uint32_t{entry[0]} << 16 | uint32_t{entry[1]} << 8 | entry[2];
}

void WorldMapView::Paint(DibBitmap& surface, const StageViewport& viewport) const
{
    if (!surface.IsCreated())
    {
        return;
    }
    surface.Clear(PaletteColour(m_Map.m_nBackColor));
    if (m_Map.m_bUseBackImage && m_Tiles.m_pBack && m_Tiles.m_pBack->IsCreated())
    {
        surface.Blt(0, 0, viewport.m_nClientWidth, viewport.m_nClientHeight, *m_Tiles.m_pBack,
                    viewport.m_nScrollColumn * kCell, viewport.m_nScrollRow * kCell, 1);
    }
    DrawChips(surface, viewport);
    DrawEvents(surface, viewport);
    surface.DrawGrid(0, 0, viewport.m_nClientWidth, viewport.m_nClientHeight, kCell, kCell, kMapGridColour);
    DrawCursor(surface, viewport);
}

std::string WorldMapView::StatusText() const
{
    std::string text;
    FormatString(text, "座標 (%d,%d)", m_Edit.Cursor().m_nColumn, m_Edit.Cursor().m_nRow);
    return text;
}

void WorldMapView::DrawChips(DibBitmap& surface, const StageViewport& viewport) const
{
    if (!m_Tiles.m_pChips)
    {
        return;
    }
    ForEachVisibleCell(viewport, m_Map.m_nWidth, m_Map.m_nHeight, [&](int column, int row, int x, int y) {
        int32_t chip = m_Map.m_Cell.At((row << m_Map.m_nShift) + column);
        // A cell of a chip that does not exist shows the background.
        if (chip >= 0 && chip < m_Map.m_Chip.Count())
        {
            int g = m_Map.m_Chip.At(chip).m_nTile;
            surface.Blt(x, y, kCell, kCell, *m_Tiles.m_pChips, g % kWorldChipTilesPerRow * kCell,
                        g / kWorldChipTilesPerRow * kCell, 0);
        }
    });
}

void WorldMapView::DrawEvents(DibBitmap& surface, const StageViewport& viewport) const
{
    surface.SetPen(kPenSolid, 1, kMapEventFrameColour);
    int lastColumn = viewport.m_nScrollColumn + viewport.m_nClientWidth / kCell;
    int lastRow = viewport.m_nScrollRow + viewport.m_nClientHeight / kCell;
    for (const WorldMapEvent& event : m_Map.m_Event)
    {
        if (event.m_Page.empty() || event.m_nX < viewport.m_nScrollColumn || event.m_nY < viewport.m_nScrollRow ||
            event.m_nX > lastColumn || event.m_nY > lastRow || event.m_nX >= m_Map.m_nWidth ||
            event.m_nY >= m_Map.m_nHeight)
        {
            continue;
        }
        const WorldMapEventPage& page = event.m_Page.At(0);
        int px = (event.m_nX - viewport.m_nScrollColumn) * kCell;
        int py = (event.m_nY - viewport.m_nScrollRow) * kCell;
        if (m_Tiles.m_pEvents)
        {
            surface.StretchBlt(px + 15, py + 1, kEventIconSize, kEventIconSize, *m_Tiles.m_pEvents,
                               page.m_nStageNumber != 0 ? 0 : kCell, page.m_nGraphic * kCell, kCell, kCell, 1);
        }
        surface.DrawRect(px + 15, py + 1, kEventIconSize, kEventIconSize);
        if (page.m_nKind == kWorldPageStage && page.m_nStageNumber != 0)
        {
            int n = page.m_nStageNumber;
            int x = n < 10 ? px + 19 : n < 100 ? px + 15 : px + 7;
            surface.Printf(x, py + 1, "%d", n);
        }
    }
    surface.DeletePen();
}

void WorldMapView::DrawCursor(DibBitmap& surface, const StageViewport& viewport) const
{
    const WorldMapEditState& edit = m_Edit;
    const CursorEntry& cursor = edit.Cursor();
    auto outline = [&](int x, int y, int width, int height) {
        if (width > 0 && height > 0)
        {
            surface.DrawRect(x, y, width, height);
        }
    };
    auto cellX = [&](int column) { return (column - viewport.m_nScrollColumn) * kCell; };
    auto cellY = [&](int row) { return (row - viewport.m_nScrollRow) * kCell; };
    surface.SetPen(kPenSolid, 2, edit.m_nPenMode == kPenModePicking ? kMapPickFrameColour : kMapToolFrameColour);
    switch (edit.m_nPenMode)
    {
    case kToolPen:
        outline(cursor.m_nX, cursor.m_nY, edit.BlockWidth() * kCell, edit.BlockHeight() * kCell);
        break;
    case kToolFill:
        outline(cursor.m_nX, cursor.m_nY, kCell, kCell);
        break;
    case kPenModeAnchor:
        if (edit.m_nPickX != -1)
        {
            outline(cellX(edit.m_nPickX), cellY(edit.m_nPickY), kCell, kCell);
        }
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
