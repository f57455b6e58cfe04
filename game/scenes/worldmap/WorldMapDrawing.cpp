#include "game/scenes/worldmap/WorldMapDrawing.h"

#include "game/engine/Display.h"
#include "game/engine/SystemIni.h"
#include "game/scenes/worldmap/WorldMapRules.h"

#include <algorithm>

namespace
{

constexpr int kChipTilesPerRow = 5;
// The walker on the accessory sheet: each facing's first step, the second 32 pixels to its right.
struct WalkerCell
{
    int m_nX;
    int m_nY;
};
constexpr WalkerCell kWalkerCells[] = {{0, 128}, {64, 128}, {64, 160}, {0, 160}}; // down, up, left, right
// The walker's steps at 60 frames a second.
constexpr int kWalkerStepFrames = 40;

bool InsideView(int screenX, int screenY)
{
    return screenX > -kWorldCellSize && screenX < kScreenWidth && screenY > -kWorldCellSize && screenY < kScreenHeight;
}

} // namespace

void DrawWorldMap(DrawTarget& target, WorldMapRecord& map, int32_t walkerX, int32_t walkerY)
{
    // The map cell at the view's top left; it may lie off the map.
    const int32_t left = walkerX - kWalkerViewColumn;
    const int32_t top = walkerY - kWalkerViewRow;
    const int originX = -left * kWorldCellSize;
    const int originY = -top * kWorldCellSize;

    target.FillRect(0, 0, kScreenWidth, kScreenHeight, map.m_nBackColor);
    if (map.m_bUseBackImage)
    {
        const Surface& back = Surfaces[kSurfaceWorldBack];
        target.Blit(originX, originY, back.m_nWidth, back.m_nHeight, kSurfaceWorldBack, 0, 0);
    }

    const int32_t firstX = std::max(left, 0);
    const int32_t firstY = std::max(top, 0);
    const int32_t endX = std::min(left + kWorldViewColumns, map.m_nWidth);
    const int32_t endY = std::min(top + kWorldViewRows, map.m_nHeight);
    for (int32_t y = firstY; y < endY; ++y)
    {
        for (int32_t x = firstX; x < endX; ++x)
        {
            const int32_t tile = map.m_Chip.At(map.CellAt(x, y)).m_nTile;
            target.Blit(originX + x * kWorldCellSize, originY + y * kWorldCellSize, kWorldCellSize, kWorldCellSize,
                        kSurfaceWorldChip, (tile % kChipTilesPerRow) * kWorldCellSize,
                        (tile / kChipTilesPerRow) * kWorldCellSize);
        }
    }

    for (const WorldMapEvent& event : map.m_Event)
    {
        const int screenX = originX + event.m_nX * kWorldCellSize;
        const int screenY = originY + event.m_nY * kWorldCellSize;
        if (!InsideView(screenX, screenY))
        {
            continue;
        }
        const WorldMapEventPage* page = ActivePage(event);
        if (!page)
        {
            continue;
        }
        target.Blit(screenX, screenY, kWorldCellSize, kWorldCellSize, kSurfaceWorldEvent,
                    IsStageCleared(*page) ? kWorldCellSize : 0, page->m_nGraphic * kWorldCellSize);
    }
}

int WalkerStep(int frames)
{
    const int step = std::max(1, static_cast<int>(kWalkerStepFrames * FrameRateValues.m_dFrameScale));
    return (frames / step) % 2;
}

void DrawWalker(DrawTarget& target, int facing, int frames)
{
    const WalkerCell& cell = kWalkerCells[std::clamp(facing, 0, static_cast<int>(std::size(kWalkerCells)) - 1)];
    target.Blit(kWalkerScreenX, kWalkerScreenY, kWorldCellSize, kWorldCellSize, kSurfaceAccessory,
                cell.m_nX + WalkerStep(frames) * kWorldCellSize, cell.m_nY);
}
