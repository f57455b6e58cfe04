#pragma once

// The stage map as the stage editor window shows it. StageMapView::Paint is
// the window's paint step: it draws the visible part of the stage into the
// view's off-screen bitmap, layer by layer (map chips, enemies, events, the
// party's start group, the grid, the cursor of the current tool), in full on
// every call; the window then copies the bitmap to the screen and shows
// StatusText in its status bar.

#include "common/data/StageRecord.h"
#include "common/graphics/DibBitmap.h"
#include "editor/stage/MapMouseEvent.h"
#include "editor/stage/StageEditState.h"

#include <cstdint>
#include <string>

// The editor's shared bitmaps the map is drawn from. A missing one leaves its
// pictures out.
struct StageMapTiles
{
    const DibBitmap* m_pMapChip = nullptr;   // "bmp\MapChip.bmp": eight tiles a row, no mask
    const DibBitmap* m_pMapChara = nullptr;  // "bmp\MapChara.bmp": the enemies, masked
    const DibBitmap* m_pEvent = nullptr;     // "bmp\Event.bmp": shrunk to 16 x 16, drawn opaque
    const DibBitmap* m_pAccessory = nullptr; // "bmp\Accessory.bmp": the start group's mark at (0, 64)
};

// Colours of the view (0x00BBGGRR).
constexpr uint32_t kMapBackColour = 0x000000;
constexpr uint32_t kMapEventFrameColour = 0x00ffff;
constexpr uint32_t kMapGridColour = 0xffffff;
constexpr uint32_t kMapToolFrameColour = 0xff0080;
constexpr uint32_t kMapPickFrameColour = 0x8000ff;

class StageMapView
{
public:
    StageMapView(const StageEditState& edit, const StageRecord& stage) : m_Edit(edit), m_Stage(stage) {}

    void SetTiles(const StageMapTiles& tiles) { m_Tiles = tiles; }

    // Draws the view. leftHeld: the left button is down over the map (the line
    // and rectangle tools then show what they will draw). A surface not yet
    // created is left alone.
    void Paint(DibBitmap& surface, const StageViewport& viewport, bool leftHeld) const;
    // The map as the position group dialog shows it: chips, enemies, events and
    // the grid, without the start group and the tool's cursor.
    void PaintMapOnly(DibBitmap& surface, const StageViewport& viewport) const;
    // "座標 (%d,%d)" with the cursor cell.
    std::string StatusText() const;

private:
    void DrawChips(DibBitmap& surface, const StageViewport& viewport) const;
    void DrawEnemies(DibBitmap& surface, const StageViewport& viewport) const;
    void DrawEvents(DibBitmap& surface, const StageViewport& viewport) const;
    void DrawStartGroup(DibBitmap& surface, const StageViewport& viewport) const;
    void DrawToolCursor(DibBitmap& surface, const StageViewport& viewport, bool leftHeld) const;
    // The tile of a land at a pixel place; nothing for a value that names no land.
    void DrawChip(DibBitmap& surface, int32_t land, int x, int y) const;

    const StageEditState& m_Edit;
    const StageRecord& m_Stage;
    StageMapTiles m_Tiles;
};
