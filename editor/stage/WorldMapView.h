#pragma once

// The world map as the world-map editor window shows it. WorldMapView::Paint
// draws the visible part into the view's off-screen bitmap, layer by layer:
// the background colour and image, the chips, the placed events with their
// stage numbers, the grid and the pen's cursor; the window then copies the
// bitmap to the screen and shows StatusText in its status bar.

#include "common/data/WorldMapRecord.h"
#include "common/graphics/DibBitmap.h"
#include "editor/stage/MapMouseEvent.h"
#include "editor/stage/WorldMapEditState.h"

#include <string>

// The editor's shared bitmaps the world map is drawn from. A missing one leaves its pictures out.
struct WorldMapTiles
{
    const DibBitmap* m_pBack = nullptr;   // the background image
    const DibBitmap* m_pChips = nullptr;  // "bmp\WorldMapChip.bmp": five tiles a row, masked
    const DibBitmap* m_pEvents = nullptr; // "bmp\WorldEvent.bmp": a row per graphic, numbered and unnumbered
};

// Tiles a row of "bmp\WorldMapChip.bmp".
constexpr int kWorldChipTilesPerRow = 5;

// The palette colour of an index as the bitmaps take it (0x00BBGGRR).
uint32_t PaletteColour(int32_t index);

class WorldMapView
{
public:
    WorldMapView(const WorldMapEditState& edit, const WorldMapRecord& map) : m_Edit(edit), m_Map(map) {}

    void SetTiles(const WorldMapTiles& tiles) { m_Tiles = tiles; }

    // Draws the view; a surface not yet created is left alone.
    void Paint(DibBitmap& surface, const StageViewport& viewport) const;
    // "座標 (%d,%d)" with the cursor cell.
    std::string StatusText() const;

private:
    void DrawChips(DibBitmap& surface, const StageViewport& viewport) const;
    void DrawEvents(DibBitmap& surface, const StageViewport& viewport) const;
    void DrawCursor(DibBitmap& surface, const StageViewport& viewport) const;

    const WorldMapEditState& m_Edit;
    const WorldMapRecord& m_Map;
    WorldMapTiles m_Tiles;
};
