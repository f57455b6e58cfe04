#include "game/engine/ScreenEffects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using platform::DisplayPaletteEntries;
using platform::PaletteColour;
using platform::PixelSurface;
using platform::SurfaceLock;

FadeState Fade;

namespace
{

int g_nSinePhase = 0;

int Weight(double angle)
{
    return static_cast<int>(std::sin(angle * std::numbers::pi / 180.0) * 256.0);
}

uint8_t Blend(int colour, int source, int weight)
{
    return static_cast<uint8_t>((colour * (256 - weight) + source * weight) >> 8);
}

// A component of a pixel to 0..255 and back, rounded both ways so that a
// whole weight gives the picture's own pixel again.
int Widen(uint32_t component, uint32_t mask)
{
    return static_cast<int>((component * 255 + mask / 2) / mask);
}

uint32_t Narrow(int component, uint32_t mask)
{
    return (static_cast<uint32_t>(component) * mask + 127) / 255;
}

// The back buffer into the work surface: the picture a 16-bit fade works from.
void TakeSnapshot()
{
    DDBltFast(DDWorkSurface(), 0, 0, Display.m_nScreenWidth, Display.m_nScreenHeight, DDBackBuffer(), 0, 0, 0);
}

// One step of a fade at its angle: a fade starting at `start` takes its
// 16-bit snapshot first; a jump goes to `end` at once.
void DrawFadeStep(double& angle, double start, double end, bool jump, DisplayPaletteEntries& palette, int first,
                  int last, int red, int green, int blue, const DisplayPaletteEntries& source)
{
    if (angle == start && Display.m_nDepth != 8)
    {
        TakeSnapshot();
    }
    if (jump)
    {
        angle = end;
    }
    const int weight = Weight(angle);
    if (Display.m_nDepth == 8)
    {
        BlendPalette(palette, first, last, weight, red, green, blue, source);
        if (Display.m_pDevice && first <= last)
        {
            Display.m_pDevice->SetPaletteEntries(first, last - first + 1, &palette[first]);
        }
    }
    else
    {
        FadeSurface(DDBackBuffer(), weight, red, green, blue, DDWorkSurface());
    }
}

} // namespace

void ResetFades()
{
    Fade = FadeState{};
}

bool FadeOut(DisplayPaletteEntries& palette, int first, int last, int red, int green, int blue, int step,
             const DisplayPaletteEntries& source, bool jump)
{
    double& angle = Fade.m_dOut;
    DrawFadeStep(angle, 90.0, 0.0, jump, palette, first, last, red, green, blue, source);
    if (angle > 0.0)
    {
        angle = std::max(angle - step, 0.0);
        return false;
    }
    angle = 90.0;
    return true;
}

bool FadeIn(DisplayPaletteEntries& palette, int first, int last, int red, int green, int blue, int step,
            const DisplayPaletteEntries& source, bool jump)
{
    double& angle = Fade.m_dIn;
    DrawFadeStep(angle, 0.0, 90.0, jump, palette, first, last, red, green, blue, source);
    if (angle >= 90.0)
    {
        angle = 0.0;
        return true;
    }
    angle = std::min(angle + step, 90.0);
    return false;
}

void BlendPalette(DisplayPaletteEntries& out, int first, int last, int weight, int red, int green, int blue,
                  const DisplayPaletteEntries& source)
{
    first = std::max(first, 0);
    last = std::min(last, 255);
    for (int i = first; i <= last; ++i)
    {
        const PaletteColour& s = source[i];
        out[i] = {Blend(red, s.m_nRed, weight), Blend(green, s.m_nGreen, weight), Blend(blue, s.m_nBlue, weight), 1};
    }
}

void FadeSurface(PixelSurface* target, int weight, int red, int green, int blue, PixelSurface* snapshot)
{
    if (!target || !snapshot)
    {
        DDBltFast(target, 0, 0, 0, 0, snapshot, 0, 0, 0); // reports the missing surface
        return;
    }
    if (target->BytesPerPixel() != 2 || snapshot->BytesPerPixel() != 2)
    {
        return;
    }
    SurfaceLock to;
    SurfaceLock from;
    if (!target->Lock(to))
    {
        return;
    }
    if (!snapshot->Lock(from))
    {
        target->Unlock();
        return;
    }
    const DisplayState& d = Display;
    const uint32_t rm = d.m_nRedMask ? d.m_nRedMask : 1;
    const uint32_t gm = d.m_nGreenMask ? d.m_nGreenMask : 1;
    const uint32_t bm = d.m_nBlueMask ? d.m_nBlueMask : 1;
    const int width = std::min(to.m_nWidth, from.m_nWidth);
    const int height = std::min(to.m_nHeight, from.m_nHeight);
    for (int y = 0; y < height; ++y)
    {
        const uint8_t* in = from.m_pBits + static_cast<size_t>(y) * from.m_nPitch;
        uint8_t* out = to.m_pBits + static_cast<size_t>(y) * to.m_nPitch;
        for (int x = 0; x < width; ++x)
        {
            const uint32_t p = static_cast<uint32_t>(in[x * 2] | in[x * 2 + 1] << 8);
            const uint32_t r = Narrow(Blend(red, Widen(p >> d.m_nRedShift & rm, rm), weight), rm);
            const uint32_t g = Narrow(Blend(green, Widen(p >> d.m_nGreenShift & gm, gm), weight), gm);
            const uint32_t b = Narrow(Blend(blue, Widen(p >> d.m_nBlueShift & bm, bm), weight), bm);
            const uint32_t q = r << d.m_nRedShift | g << d.m_nGreenShift | b << d.m_nBlueShift;
            out[x * 2] = static_cast<uint8_t>(q);
            out[x * 2 + 1] = static_cast<uint8_t>(q >> 8);
        }
    }
    snapshot->Unlock();
    target->Unlock();
}

void RotatePalette(DisplayPaletteEntries& out, int first, int last, int n, int direction,
                   const DisplayPaletteEntries& source)
{
    if (Display.m_nDepth != 8 && Display.m_nDepth != 16)
    {
        return;
    }
    out = source;
    first = std::max(first, 0);
    last = std::min(last, 255);
    const int length = last - first + 1;
    if (length <= 0 || (direction != 0 && direction != 1))
    {
        return;
    }
    const int places = ((direction == 0 ? n : -n) % length + length) % length;
    for (int i = 0; i < length; ++i)
    {
        out[first + (i + places) % length] = source[first + i];
    }
}

void DDReplaceColors(PixelSurface* surface, int x, int y, int w, int h, const PaletteColour* newColours,
                     const PaletteColour* oldColours, int n)
{
    SurfaceLock lock;
    uint8_t* bits = nullptr;
    if (!DDLockSurface(surface, lock, bits, Display.m_nDepth))
    {
        return;
    }
    std::vector<uint32_t> from(static_cast<size_t>(std::max(n, 0)));
    std::vector<uint32_t> to(from.size());
    for (size_t j = 0; j < from.size(); ++j)
    {
        from[j] = PaletteEntryToPixel(oldColours[j]);
        to[j] = PaletteEntryToPixel(newColours[j]);
    }
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + w, lock.m_nWidth);
    const int bottom = std::min(y + h, lock.m_nHeight);
    for (int row = top; row < bottom; ++row)
    {
        for (int column = left; column < right; ++column)
        {
            const uint32_t pixel = surface->Pixel(column, row);
            for (size_t j = 0; j < from.size(); ++j)
            {
                if (pixel == from[j])
                {
                    surface->SetPixel(column, row, to[j]);
                    break;
                }
            }
        }
    }
    surface->Unlock();
}

void DrawFrame(PixelSurface* target, int x, int y, int w, int h, int border, int colour)
{
    DDFillRect(target, x, y, w, border, colour);
    DDFillRect(target, x, y + h - border, w, border, colour);
    DDFillRect(target, x, y, border, h, colour);
    DDFillRect(target, x + w - border, y, border, h, colour);
}

void DrawWindowBox(PixelSurface* target, int x, int y, int w, int h, const Surface& pattern, int border, int colour)
{
    DDBltFast(target, x, y, w, h, pattern, 0, 0, 0);
    DrawFrame(target, x - border, y - border, w + 2 * border, h + 2 * border, border, colour);
}

int DrawSineRows(PixelSurface* target, int x, int y, int w, int rows, int frequency, int amplitude,
                 const Surface& source, int sx, int sy, int key)
{
    if (rows <= 0)
    {
        return g_nSinePhase;
    }
    for (int k = 1; k <= rows; ++k)
    {
        const double degrees = static_cast<double>((k * (360 / rows) + g_nSinePhase) * frequency);
        const int shift = static_cast<int>(std::sin(degrees * std::numbers::pi / 180.0) * amplitude);
        DDBltFast(target, x + shift, y + k - 1, w, 1, source, sx, sy + k - 1, key);
    }
    g_nSinePhase = g_nSinePhase >= 359 ? 0 : g_nSinePhase + 1;
    return g_nSinePhase;
}

void DrawSplitBands(PixelSurface* target, int x, int y, int w, int h, int band, int shift, const Surface& source,
                    int sx, int sy, int key)
{
    if (band <= 0)
    {
        return;
    }
    const int n = h / band;
    if (n > 1)
    {
        for (int i = 0; i < n / 2; ++i)
        {
            const int offset = (2 * i + 1) * band;
            DDBltFast(target, x - shift, y + offset, w, band, source, sx, sy + offset, key);
        }
    }
    if (n > 0)
    {
        for (int i = 0; i < (n + 1) / 2; ++i)
        {
            const int offset = 2 * i * band;
            DDBltFast(target, x + shift, y + offset, w, band, source, sx, sy + offset, key);
        }
    }
}

void ResetSinePhase()
{
    g_nSinePhase = 0;
}
