#pragma once

// The editor's ten shared bitmaps, loaded and released by the editor windows
// that use them: the stage editor window loads slots 0 to 3 and 7 to 9 when
// it is made, the world-map editor 4 to 6. The event and database editors
// only read them (their sizes and their cells).

#include "common/graphics/DibBitmap.h"

#include <string>

enum EditorBitmapSlot : int
{
    kBitmapMapChip = 0,     // "bmp\MapChip.bmp": the lands, eight a row
    kBitmapMapChara = 1,    // "bmp\MapChara.bmp": the figures on the map
    kBitmapCharacter = 2,   // "bmp\Character.bmp"
    kBitmapEvent = 3,       // "bmp\Event.bmp": the events' graphics
    kBitmapWorldBack = 4,   // "bmp\WorldBack.bmp", or the world map's own background
    kBitmapWorldMapChip = 5, // "bmp\WorldMapChip.bmp"
    kBitmapWorldEvent = 6,  // "bmp\WorldEvent.bmp"
    kBitmapSymbol = 7,      // "bmp\Symbol.bmp"
    kBitmapEffect = 8,      // "bmp\Effect.bmp"
    kBitmapAccessory = 9,   // "bmp\Accessory.bmp"
    kEditorBitmapCount = 10,
};

// Where a slot is loaded from: a stored path, 8 bits a pixel, with or without a mask.
struct EditorBitmapFile
{
    std::string m_strPath;
    int m_bMask = 0;
};

extern DibBitmap EditorBitmaps[kEditorBitmapCount];
// The world-map editor puts the world map's background image into slot 4's path.
extern EditorBitmapFile EditorBitmapFiles[kEditorBitmapCount];

// Loads the slot from its file (DibBitmap::Load, which names a file it cannot
// read in a box). 1 when it loaded.
int LoadEditorBitmap(int slot);
void ReleaseEditorBitmap(int slot);
