// BMP files, loaded as the programs load them: as an 8-bit bitmap with and
// without a mask (its colour table becoming the global palette) and as a
// 24-bit bitmap of any depth.

#include "FuzzTarget.h"

#include "common/graphics/DibBitmap.h"

namespace
{

constexpr const char* kPath = "fuzz.bmp";

} // namespace

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::WriteFile(kPath, data, size);
    for (int withMask : {0, 1})
    {
        DibBitmap bitmap;
        bitmap.Load(kPath, 8, withMask);
    }
    DibBitmap rgb;
    rgb.LoadAsRgb(kPath);
    return 0;
}
