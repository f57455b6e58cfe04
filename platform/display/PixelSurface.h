#pragma once

// A software drawing surface of the game's display: 8-bit palette indices or
// 16-bit RGB565 pixels in rows of a pitch of their own, with a source colour
// key, the kind of memory it stands for, and a lost flag.
//
// The operations take rectangles already clipped by their callers and refuse
// (InvalidRect) any that reaches outside a surface or is empty, drawing
// nothing; they never write outside the pixels. A lost surface draws nothing
// and cannot be locked until it is restored, and its pixels are then zero,
// as after a display change. A locked surface takes no drawing (Busy).
// Surfaces are made by a DisplayDevice, which keeps count of them.

#include <cstdint>
#include <memory>
#include <vector>

namespace platform
{

enum class SurfaceMemory
{
    Video,  // may be lost when the display changes
    System, // never lost
};

enum class SurfaceResult
{
    Ok,
    Lost,
    InvalidRect,
    Busy,
    NoSurface, // the caller had no surface to draw with
};

struct SurfaceRect
{
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;

    int Width() const { return m_nRight - m_nLeft; }
    int Height() const { return m_nBottom - m_nTop; }
};

// What a lock hands out: the first row and the distance between rows.
struct SurfaceLock
{
    uint8_t* m_pBits = nullptr;
    int m_nPitch = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBytesPerPixel = 0;
};

class SurfaceRegistry;

class PixelSurface
{
public:
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int BytesPerPixel() const { return m_nBytesPerPixel; }
    int Pitch() const { return m_nPitch; }
    SurfaceMemory Memory() const { return m_Memory; }

    bool IsLost() const { return m_bLost; }
    // The display changed under the surface: its pixels are gone.
    void MarkLost();
    // Makes a lost surface usable again (its pixels zero). True when it is usable.
    bool Restore();

    void SetColourKey(uint32_t key);
    void ClearColourKey() { m_bColourKey = false; }
    bool HasColourKey() const { return m_bColourKey; }
    uint32_t ColourKey() const { return m_nColourKey; }

    // False when the surface is lost or already locked.
    bool Lock(SurfaceLock& lock);
    void Unlock();
    bool IsLocked() const { return m_bLocked; }

    // Direct access for the display's own copies (presenting, capturing,
    // tests); no lock or lost check.
    const uint8_t* Row(int y) const { return m_Bits.data() + static_cast<size_t>(y) * m_nPitch; }
    uint8_t* Row(int y) { return m_Bits.data() + static_cast<size_t>(y) * m_nPitch; }
    // The stored pixel (index or RGB565); the caller keeps x and y inside.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t value);

    // Every pixel of the rectangle becomes the value.
    SurfaceResult Fill(const SurfaceRect& rect, uint32_t value);
    // Copies the source rectangle to (x, y); keyed: pixels equal to the
    // source's colour key are left out (a source without a key copies all).
    // Source and target must have the same pixel size.
    SurfaceResult BltFast(int x, int y, const PixelSurface& source, const SurfaceRect& from, bool keyed);
    // Copies the source rectangle scaled onto the target rectangle (nearest
    // pixel: target column i takes source column from.left + i * from.width / to.width).
    SurfaceResult BltStretch(const SurfaceRect& to, const PixelSurface& source, const SurfaceRect& from, bool keyed);

private:
    friend class DisplayDevice;
    PixelSurface(std::shared_ptr<SurfaceRegistry> registry, int width, int height, int bytesPerPixel,
                 SurfaceMemory memory);

    bool Inside(const SurfaceRect& rect) const
    {
        return rect.m_nLeft >= 0 && rect.m_nTop >= 0 && rect.m_nRight <= m_nWidth && rect.m_nBottom <= m_nHeight &&
               rect.m_nLeft < rect.m_nRight && rect.m_nTop < rect.m_nBottom;
    }
    SurfaceResult CheckTarget(const SurfaceRect& rect) const
    {
        if (m_bLost)
        {
            return SurfaceResult::Lost;
        }
        if (m_bLocked)
        {
            return SurfaceResult::Busy;
        }
        return Inside(rect) ? SurfaceResult::Ok : SurfaceResult::InvalidRect;
    }

    std::shared_ptr<SurfaceRegistry> m_Registry;
    int m_nWidth;
    int m_nHeight;
    int m_nBytesPerPixel;
    int m_nPitch;
    SurfaceMemory m_Memory;
    std::vector<uint8_t> m_Bits;
    bool m_bLost = false;
    bool m_bLocked = false;
    bool m_bColourKey = false;
    uint32_t m_nColourKey = 0;
};

} // namespace platform
