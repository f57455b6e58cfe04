#pragma once

// The chip grids of stages and of the world map: one int32 per cell, rows of
// a power-of-two pitch. Cell (x, y) is element (y << shift) + x; the shift is
// the bit length of the width, so the pitch is the smallest power of two above
// the width (20 -> 32, 16 -> 32, 64 -> 128). Cells at x >= width lie outside
// the map.

#include "common/data/CheckedVector.h"
#include "common/data/DataStream.h"

#include <cstdint>

// The largest width or height a map file may claim; anything larger is a
// corrupt file (the editors allow at most 200).
constexpr int32_t kMaxMapSide = 1024;

// The bit length of the width: how often it can be halved before it reaches 0.
int32_t GridRowShift(int32_t width);

// Changes the size of a grid: the layout follows the new width, every cell of
// the overlap keeps its (x, y), the rest are 0, and the vector holds exactly
// pitch x height cells.
void ResizeGrid(CheckedVector<int32_t>& cells, int32_t& width, int32_t& height, int32_t& pitch, int32_t& shift,
                int32_t newWidth, int32_t newHeight);

// Reads a stored grid (int32 count, then the cells) for the width and height
// just read: the pitch and shift follow from the width whatever the file
// stored, and the grid holds pitch x height cells whatever count the file
// gave (extra cells are dropped, missing cells are 0). False on a corrupt file,
// a size below 0 or beyond kMaxMapSide included.
bool LoadGrid(CheckedVector<int32_t>& cells, DataReader& in, int32_t width, int32_t height, int32_t& pitch,
              int32_t& shift);
