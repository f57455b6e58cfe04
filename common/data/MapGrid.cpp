#include "MapGrid.h"

#include "common/data/DataFile.h"

#include <algorithm>
#include <string>

int32_t GridRowShift(int32_t width)
{
    int32_t shift = 0;
    for (int32_t w = width; w > 0; w /= 2)
    {
        ++shift;
    }
    return shift;
}

void ResizeGrid(CheckedVector<int32_t>& cells, int32_t& width, int32_t& height, int32_t& pitch, int32_t& shift,
                int32_t newWidth, int32_t newHeight)
{
    int32_t newShift = GridRowShift(newWidth);
    int32_t newPitch = 1 << newShift;
    CheckedVector<int32_t> relaid(static_cast<std::size_t>(newPitch) * std::max(newHeight, 0));
    int32_t rows = std::min(height, newHeight);
    int32_t columns = std::min(width, newWidth);
    for (int32_t y = 0; y < rows; ++y)
    {
        for (int32_t x = 0; x < columns; ++x)
        {
            std::size_t from = static_cast<std::size_t>(y) * pitch + x;
            if (from < cells.size())
            {
                relaid[static_cast<std::size_t>(y) * newPitch + x] = cells[from];
            }
        }
    }
    cells.swap(relaid);
    width = newWidth;
    height = newHeight;
    shift = newShift;
    pitch = newPitch;
}

bool LoadGrid(CheckedVector<int32_t>& cells, DataReader& in, int32_t width, int32_t height, int32_t& pitch,
              int32_t& shift)
{
    if (width < 0 || height < 0 || width > kMaxMapSide || height > kMaxMapSide)
    {
        return in.Fail("map size " + std::to_string(width) + " x " + std::to_string(height));
    }
    shift = GridRowShift(width);
    pitch = 1 << shift;
    if (!LoadIntVector(cells, in))
    {
        return false;
    }
    cells.resize(static_cast<std::size_t>(pitch) * height);
    return true;
}
