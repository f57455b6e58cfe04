#pragma once

// The orders in which the line and rectangle tools visit their cells, shared by
// the tools and by the previews the map view draws while a button is held.

#include "common/services/TextAndNumbers.h"

// The line walks at most this many rounds; longer lines stop short.
constexpr int kMaxLineRounds = 200;

// The next block index after `index` in a block of `side` entries (0 after the last).
inline int NextBlockIndex(int index, int side)
{
    return index + 1 > side - 1 ? 0 : index + 1;
}

// Walks a point from the middle of the start cell toward the target cell and
// calls visit(column, row, k) at each round with the block column k, which
// runs through the block's width. The start and the target cell are both
// visited; a walk that starts on its target visits that cell twice.
template <class Visit>
void WalkLine(int startColumn, int startRow, int targetColumn, int targetRow, int blockWidth, Visit visit)
{
    double x = startColumn + 0.5;
    double y = startRow + 0.5;
    int k = 0;
    bool arrived = false;
    for (int round = 0; round < kMaxLineRounds; ++round)
    {
        visit(static_cast<int>(x), static_cast<int>(y), k);
        if (arrived)
        {
            break;
        }
        arrived = StepTowardPoint(x, y, targetColumn, targetRow, 1.0);
        k = NextBlockIndex(k, blockWidth);
    }
}

// Calls visit(column, row, px, py) for the cells of a rectangle row by row,
// with the block entry each takes: the block column goes on from one row to
// the next instead of starting again at 0. A row stops at the stage's right
// edge, the rectangle at its bottom edge.
template <class Visit>
void WalkRectangle(int left, int top, int width, int height, int stageWidth, int stageHeight, int blockWidth,
                   int blockHeight, Visit visit)
{
    int px = 0;
    int py = 0;
    for (int r = 0; r < height && top + r < stageHeight; ++r)
    {
        for (int c = 0; c < width && left + c < stageWidth; ++c)
        {
            visit(left + c, top + r, px, py);
            px = NextBlockIndex(px, blockWidth);
        }
        py = NextBlockIndex(py, blockHeight);
    }
}
