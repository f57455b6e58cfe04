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

void RelayGrid(CheckedVector<int32_t>& cells, int32_t oldWidth, int32_t oldHeight, int32_t oldPitch, int32_t width,
               int32_t height, int32_t pitch)
{
    CheckedVector<int32_t> relaid(static_cast<std::size_t>(std::max(pitch, 0)) * std::max(height, 0));
    if (!cells.empty())
    {
        int32_t rows = std::min(oldHeight, height);
        int32_t columns = std::min(oldWidth, width);
        for (int32_t y = 0; y < rows; ++y)
        {
            for (int32_t x = 0; x < columns; ++x)
            {
                std::size_t from = static_cast<std::size_t>(y) * oldPitch + x;
                if (from < cells.size())
                {
                    relaid[static_cast<std::size_t>(y) * pitch + x] = cells[from];
                }
            }
        }
    }
    cells.swap(relaid);
}

bool LoadGrid(CheckedVector<int32_t>& cells, DataReader& in, int32_t pitch, int32_t height)
{
    if (!LoadIntVector(cells, in))
    {
        return false;
    }
    cells.resize(static_cast<std::size_t>(pitch) * height);
    return true;
}

bool CheckMapSize(DataReader& in, int32_t width, int32_t height)
{
    if (width < 0 || height < 0 || width > kMaxMapSide || height > kMaxMapSide)
    {
        return in.Fail("map size " + std::to_string(width) + " x " + std::to_string(height));
    }
    return true;
}
