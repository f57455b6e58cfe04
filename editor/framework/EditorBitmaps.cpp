#include "editor/framework/EditorBitmaps.h"

DibBitmap EditorBitmaps[kEditorBitmapCount];

EditorBitmapFile EditorBitmapFiles[kEditorBitmapCount] = {
    {"bmp\\MapChip.bmp", 0},      {"bmp\\MapChara.bmp", 1},     {"bmp\\Character.bmp", 1},
    {"bmp\\Event.bmp", 1},        {"bmp\\WorldBack.bmp", 0},    {"bmp\\WorldMapChip.bmp", 1},
    {"bmp\\WorldEvent.bmp", 1},   {"bmp\\Symbol.bmp", 1},       {"bmp\\Effect.bmp", 1},
    {"bmp\\Accessory.bmp", 1},
};

int LoadEditorBitmap(int slot)
{
    if (slot < 0 || slot >= kEditorBitmapCount)
    {
        return 0;
    }
    const EditorBitmapFile& file = EditorBitmapFiles[slot];
    return EditorBitmaps[slot].Load(file.m_strPath, 8, file.m_bMask);
}

void ReleaseEditorBitmap(int slot)
{
    if (slot >= 0 && slot < kEditorBitmapCount)
    {
        EditorBitmaps[slot].DeletePen();
        EditorBitmaps[slot].Release();
    }
}
