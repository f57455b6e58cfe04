#pragma once

// The world map's picture, back to front: the map's background colour over
// the whole screen; its background picture, scrolled with the view, when the
// map uses one; the chip of every cell in the view; every placed event that
// is there now (the cleared column of its sheet once its stage is cleared);
// and the walker in the middle, stepping in place.
//
// The view is 20 x 15 cells of 32 pixels placed so that the walker stands at
// view column 9, row 7; cells off the map are left to the background.

#include "common/data/WorldMapRecord.h"
#include "game/engine/DrawTarget.h"

#include <cstdint>

// Sheets of the world map.
constexpr int kSurfaceWorldChip = 9;
constexpr int kSurfaceWorldEvent = 10;
constexpr int kSurfaceWorldBack = 11;

constexpr int kWorldCellSize = 32;
constexpr int kWorldViewColumns = 20;
constexpr int kWorldViewRows = 15;
constexpr int kWalkerViewColumn = 9;
constexpr int kWalkerViewRow = 7;
constexpr int kWalkerScreenX = kWalkerViewColumn * kWorldCellSize; // 288
constexpr int kWalkerScreenY = kWalkerViewRow * kWorldCellSize;    // 224

// Where the walker faces.
enum WalkerFacing : int
{
    kFacingDown = 0,
    kFacingUp = 1,
    kFacingLeft = 2,
    kFacingRight = 3,
};

// The map with the walker at (walkerX, walkerY), without the walker.
void DrawWorldMap(DrawTarget& target, WorldMapRecord& map, int32_t walkerX, int32_t walkerY);
// The walker at its place on the screen, facing that way, in the step of the
// frame count: the second step from 40 frames on, the first again from 80
// (at 60 frames a second; scaled by the frame rate).
void DrawWalker(DrawTarget& target, int facing, int frames);
// The step (0 or 1) the walker shows after that many frames.
int WalkerStep(int frames);
