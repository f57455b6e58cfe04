#pragma once

// The game's display device: it makes the software surfaces, holds the
// visible surface (with the back buffer attached to it when the display
// flips), the 256-entry palette of this display (its own, whatever other
// palettes the program keeps) and the pixel format, and hands finished frames
// to a FrameExchange. All its surfaces have the pixel size of its mode.
//
// Memory: surfaces made in video memory count against a budget and are the
// ones a display change loses; a request the budget cannot take fails, and
// the caller may ask again for system memory. LoseSurfaces simulates such a
// change for the tests.

#include "platform/display/DisplayPalette.h"
#include "platform/display/PixelSurface.h"

#include <cstddef>
#include <memory>

namespace platform
{

class FrameExchange;
class SurfaceRegistry;

class DisplayDevice
{
public:
    static constexpr size_t kDefaultVideoMemory = 32u << 20;

    DisplayDevice();
    ~DisplayDevice();
    DisplayDevice(const DisplayDevice&) = delete;
    DisplayDevice& operator=(const DisplayDevice&) = delete;

    // The size and depth of the screen: 8 or 16 bits per pixel; false for any other.
    bool SetMode(int width, int height, int bitsPerPixel);
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int BitsPerPixel() const { return m_Format.m_nBitsPerPixel; }
    const PixelFormat& Format() const { return m_Format; }

    // A surface of the mode's pixel size, all zero. Null for a size of 0 or
    // less, or more than 8192 on a side, or when its memory is used up.
    std::unique_ptr<PixelSurface> CreateSurface(int width, int height, SurfaceMemory memory);

    // The visible surface of the mode's size in video memory, with a back
    // buffer attached when asked (the flipping chain). False when it cannot be made.
    bool CreatePrimary(bool withBackBuffer);
    void ReleasePrimary();
    PixelSurface* Primary() const { return m_Primary.get(); }
    PixelSurface* AttachedBackBuffer() const { return m_BackBuffer.get(); }
    // Swaps the pixels of the primary surface and its back buffer.
    SurfaceResult Flip();

    // The palette: what an 8-bit screen shows once it is attached.
    void SetPaletteEntries(int first, int count, const PaletteColour* entries);
    const DisplayPaletteEntries& Palette() const { return m_Palette; }
    void AttachPalette(bool attached) { m_bPaletteAttached = attached; }
    bool IsPaletteAttached() const { return m_bPaletteAttached; }

    // Hands the primary surface (and at 8 bits the attached palette) to the exchange.
    void Present(FrameExchange& exchange) const;

    size_t VideoMemoryTotal() const { return m_nVideoMemory; }
    size_t VideoMemoryFree() const;
    // Test hooks: the video memory budget, and a limit on system memory (bytes).
    void SetVideoMemory(size_t bytes) { m_nVideoMemory = bytes; }
    void SetSystemMemoryLimit(size_t bytes) { m_nSystemLimit = bytes; }

    // Marks the primary chain and every video-memory surface lost (test hook).
    void LoseSurfaces();
    // Surfaces made by CreateSurface that still live.
    size_t LiveSurfaces() const;

private:
    size_t MemoryInUse(SurfaceMemory memory) const;
    std::unique_ptr<PixelSurface> Make(int width, int height, SurfaceMemory memory);

    std::shared_ptr<SurfaceRegistry> m_Registry;
    int m_nWidth = 0;
    int m_nHeight = 0;
    PixelFormat m_Format = kIndexedFormat;
    std::unique_ptr<PixelSurface> m_Primary;
    std::unique_ptr<PixelSurface> m_BackBuffer;
    DisplayPaletteEntries m_Palette{};
    bool m_bPaletteAttached = false;
    size_t m_nVideoMemory = kDefaultVideoMemory;
    size_t m_nSystemLimit = static_cast<size_t>(-1);
};

} // namespace platform
