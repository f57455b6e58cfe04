#include "editor/event/EventGraphics.h"

int EventGraphicCount(const DibBitmap* graphics)
{
    if (!graphics || !graphics->IsCreated())
    {
        return 0;
    }
    return graphics->Width() / kEventGraphicColumnWidth * kEventGraphicsPerColumn;
}

std::vector<std::string> EventGraphicNames(const DibBitmap* graphics)
{
    std::vector<std::string> names;
    const int count = EventGraphicCount(graphics);
    for (int i = 1; i <= count; ++i)
    {
        names.push_back(std::to_string(i));
    }
    return names;
}

void DrawEventGraphic(DibBitmap& canvas, const DibBitmap* graphics, int32_t graphic)
{
    canvas.Clear(0);
    if (graphic < 0 || graphic >= EventGraphicCount(graphics))
    {
        return;
    }
    canvas.Blt(0, 0, kEventGraphicSide, kEventGraphicSide, *graphics,
               graphic / kEventGraphicsPerColumn * kEventGraphicColumnWidth,
               graphic % kEventGraphicsPerColumn * kEventGraphicSide, 0);
}

void ShowEventGraphic(BitmapControl& preview, const DibBitmap* graphics, int32_t graphic)
{
    if (!preview.Native() || !preview.Canvas().IsCreated())
    {
        return;
    }
    DrawEventGraphic(preview.Canvas(), graphics, graphic);
    preview.Present();
}
