#include "game/engine/Display.h"

// file, colour key, memory, keep indices, optional, mirror width, mirror height, blank width, blank height
const SurfaceDef SurfaceDefs[kSurfaceCount] = {
    {"bmp\\Palette.bmp", 0, kSystemMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Debug.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Window.bmp", 0, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Title.bmp", 0, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\TitleWord.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Symbol.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Accessory.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Character.bmp", 1, kSystemMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Character.bmp", 1, kSystemMemory, 0, 0, 48, 0, 0, 0}, // mirrored per 48-pixel cell
    {"bmp\\WorldMapChip.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\WorldEvent.bmp", 1, kSystemMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\WorldBack.bmp", 0, kSystemMemory, 0, 1, 0, 0, 0, 0}, // optional
    {"bmp\\MapChip.bmp", 0, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\MapChara.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\MapChara.bmp", 1, kSystemMemory, 1, 0, 0, 0, 0, 0}, // recoloured at start-up
    {"bmp\\Event.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Time.bmp", 0, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Effect.bmp", 1, kSystemMemory, 0, 0, 0, 0, 0, 0},
    {"E", 1, kSystemMemory, 0, 0, 0, 0, 128, 96},
    {"bmp\\Number.bmp", 1, kSystemMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\Word.bmp", 1, kVideoMemory, 0, 0, 0, 0, 0, 0},
    {"bmp\\back\\Back_Grass.bmp", 0, kVideoMemory, 0, 0, 0, 0, 0, 0},
};

Surface Surfaces[kSurfaceCount];

void Surface::Release()
{
    m_pSurface.reset();
    m_Indices.clear();
    m_Indices.shrink_to_fit();
    m_nWidth = 0;
    m_nHeight = 0;
}
