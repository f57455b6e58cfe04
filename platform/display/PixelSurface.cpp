#include "platform/display/PixelSurface.h"

#include "platform/display/SurfaceRegistry.h"

#include <algorithm>
#include <cstring>

namespace platform
{

namespace
{

// Rows are kept to a multiple of 16 bytes, so a surface's pitch is not its width.
constexpr int kPitchAlign = 16;

// Copies one row of n pixels, leaving out those equal to the key. Eight bytes
// at a time: a lane of the source equal to the key keeps the target's lane.
template <int kBytes> void CopyKeyedRow(uint8_t* to, const uint8_t* from, int n, uint32_t key)
{
    constexpr int kLanes = 8 / kBytes;
    constexpr uint64_t kLow = kBytes == 1 ? 0x7F7F7F7F7F7F7F7Full : 0x7FFF7FFF7FFF7FFFull;
    constexpr uint64_t kOne = kBytes == 1 ? 0x0101010101010101ull : 0x0001000100010001ull;
    constexpr uint64_t kFull = kBytes == 1 ? 0xFF : 0xFFFF;
    constexpr int kHigh = kBytes * 8 - 1;
    const uint64_t keys = (key & kFull) * kOne;
    int i = 0;
    for (; i + kLanes <= n; i += kLanes)
    {
        uint64_t s;
        uint64_t d;
        std::memcpy(&s, from + i * kBytes, 8);
        const uint64_t x = s ^ keys;
        // The top bit of each lane is set exactly when the lane of x is zero.
        const uint64_t zero = ~(((x & kLow) + kLow) | x | kLow);
        if (zero == 0)
        {
            std::memcpy(to + i * kBytes, &s, 8);
            continue;
        }
        const uint64_t keep = (zero >> kHigh) * kFull;
        if (keep == ~0ull)
        {
            continue;
        }
        std::memcpy(&d, to + i * kBytes, 8);
        d = (d & keep) | (s & ~keep);
        std::memcpy(to + i * kBytes, &d, 8);
    }
    for (; i < n; ++i)
    {
        uint32_t v = kBytes == 1 ? from[i] : static_cast<uint32_t>(from[i * 2] | from[i * 2 + 1] << 8);
        if (v != (key & kFull))
        {
            std::memcpy(to + i * kBytes, from + i * kBytes, kBytes);
        }
    }
}

} // namespace

PixelSurface::PixelSurface(std::shared_ptr<SurfaceRegistry> registry, int width, int height, int bytesPerPixel,
                           SurfaceMemory memory)
    : m_Registry(std::move(registry)), m_nWidth(width), m_nHeight(height), m_nBytesPerPixel(bytesPerPixel),
      m_nPitch((width * bytesPerPixel + kPitchAlign - 1) / kPitchAlign * kPitchAlign), m_Memory(memory),
      m_Bits(static_cast<size_t>(m_nPitch) * height, 0)
{
    m_Registry->Add(this);
}

PixelSurface::~PixelSurface()
{
    m_Registry->Remove(this);
}

void PixelSurface::MarkLost()
{
    m_bLost = true;
    m_bLocked = false;
    std::fill(m_Bits.begin(), m_Bits.end(), 0);
}

bool PixelSurface::Restore()
{
    m_bLost = false;
    return true;
}

void PixelSurface::SetColourKey(uint32_t key)
{
    m_bColourKey = true;
    m_nColourKey = key & (m_nBytesPerPixel == 1 ? 0xFFu : 0xFFFFu);
}

bool PixelSurface::Lock(SurfaceLock& lock)
{
    if (m_bLost || m_bLocked)
    {
        return false;
    }
    m_bLocked = true;
    lock = {m_Bits.data(), m_nPitch, m_nWidth, m_nHeight, m_nBytesPerPixel};
    return true;
}

void PixelSurface::Unlock()
{
    m_bLocked = false;
}

uint32_t PixelSurface::Pixel(int x, int y) const
{
    const uint8_t* p = Row(y) + x * m_nBytesPerPixel;
    return m_nBytesPerPixel == 1 ? p[0] : static_cast<uint32_t>(p[0] | p[1] << 8);
}

void PixelSurface::SetPixel(int x, int y, uint32_t value)
{
    uint8_t* p = Row(y) + x * m_nBytesPerPixel;
    p[0] = static_cast<uint8_t>(value);
    if (m_nBytesPerPixel == 2)
    {
        p[1] = static_cast<uint8_t>(value >> 8);
    }
}

bool PixelSurface::Inside(const SurfaceRect& rect) const
{
    return rect.m_nLeft >= 0 && rect.m_nTop >= 0 && rect.m_nRight <= m_nWidth && rect.m_nBottom <= m_nHeight &&
           rect.m_nLeft < rect.m_nRight && rect.m_nTop < rect.m_nBottom;
}

SurfaceResult PixelSurface::CheckTarget(const SurfaceRect& rect) const
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

SurfaceResult PixelSurface::Fill(const SurfaceRect& rect, uint32_t value)
{
    SurfaceResult result = CheckTarget(rect);
    if (result != SurfaceResult::Ok)
    {
        return result;
    }
    for (int y = rect.m_nTop; y < rect.m_nBottom; ++y)
    {
        uint8_t* row = Row(y) + rect.m_nLeft * m_nBytesPerPixel;
        if (m_nBytesPerPixel == 1)
        {
            std::memset(row, static_cast<uint8_t>(value), rect.Width());
        }
        else
        {
            const uint16_t v = static_cast<uint16_t>(value);
            for (int x = 0; x < rect.Width(); ++x)
            {
                std::memcpy(row + x * 2, &v, 2);
            }
        }
    }
    return SurfaceResult::Ok;
}

SurfaceResult PixelSurface::BltFast(int x, int y, const PixelSurface& source, const SurfaceRect& from, bool keyed)
{
    const SurfaceRect to{x, y, x + from.Width(), y + from.Height()};
    SurfaceResult result = CheckTarget(to);
    if (result != SurfaceResult::Ok)
    {
        return result;
    }
    if (source.m_bLost)
    {
        return SurfaceResult::Lost;
    }
    if (&source != this && source.m_bLocked)
    {
        return SurfaceResult::Busy;
    }
    if (!source.Inside(from) || source.m_nBytesPerPixel != m_nBytesPerPixel)
    {
        return SurfaceResult::InvalidRect;
    }
    // A copy within one surface goes through a copy of the source rows.
    std::vector<uint8_t> own;
    const uint8_t* bits = source.m_Bits.data();
    int pitch = source.m_nPitch;
    SurfaceRect area = from;
    if (&source == this)
    {
        pitch = from.Width() * m_nBytesPerPixel;
        own.resize(static_cast<size_t>(pitch) * from.Height());
        for (int row = 0; row < from.Height(); ++row)
        {
            std::memcpy(&own[static_cast<size_t>(row) * pitch],
                        Row(from.m_nTop + row) + from.m_nLeft * m_nBytesPerPixel, pitch);
        }
        bits = own.data();
        area = {0, 0, from.Width(), from.Height()};
    }
    const bool useKey = keyed && source.m_bColourKey;
    const int bytes = from.Width() * m_nBytesPerPixel;
    for (int row = 0; row < from.Height(); ++row)
    {
        const uint8_t* in = bits + static_cast<size_t>(area.m_nTop + row) * pitch + area.m_nLeft * m_nBytesPerPixel;
        uint8_t* out = Row(y + row) + x * m_nBytesPerPixel;
        if (!useKey)
        {
            std::memcpy(out, in, bytes);
        }
        else if (m_nBytesPerPixel == 1)
        {
            CopyKeyedRow<1>(out, in, from.Width(), source.m_nColourKey);
        }
        else
        {
            CopyKeyedRow<2>(out, in, from.Width(), source.m_nColourKey);
        }
    }
    return SurfaceResult::Ok;
}

SurfaceResult PixelSurface::BltStretch(const SurfaceRect& to, const PixelSurface& source, const SurfaceRect& from,
                                       bool keyed)
{
    if (to.Width() == from.Width() && to.Height() == from.Height())
    {
        return BltFast(to.m_nLeft, to.m_nTop, source, from, keyed);
    }
    SurfaceResult result = CheckTarget(to);
    if (result != SurfaceResult::Ok)
    {
        return result;
    }
    if (source.m_bLost)
    {
        return SurfaceResult::Lost;
    }
    if (&source == this || source.m_bLocked)
    {
        return &source == this ? SurfaceResult::InvalidRect : SurfaceResult::Busy;
    }
    if (!source.Inside(from) || source.m_nBytesPerPixel != m_nBytesPerPixel)
    {
        return SurfaceResult::InvalidRect;
    }
    const bool useKey = keyed && source.m_bColourKey;
    const int w = to.Width();
    const int h = to.Height();
    std::vector<int> columns(static_cast<size_t>(w));
    for (int i = 0; i < w; ++i)
    {
        columns[i] = from.m_nLeft + static_cast<int>(static_cast<int64_t>(i) * from.Width() / w);
    }
    for (int j = 0; j < h; ++j)
    {
        const int sy = from.m_nTop + static_cast<int>(static_cast<int64_t>(j) * from.Height() / h);
        const uint8_t* in = source.Row(sy);
        uint8_t* out = Row(to.m_nTop + j) + to.m_nLeft * m_nBytesPerPixel;
        for (int i = 0; i < w; ++i)
        {
            const uint8_t* p = in + columns[i] * m_nBytesPerPixel;
            const uint32_t v = m_nBytesPerPixel == 1 ? p[0] : static_cast<uint32_t>(p[0] | p[1] << 8);
            if (!useKey || v != source.m_nColourKey)
            {
                std::memcpy(out + i * m_nBytesPerPixel, p, m_nBytesPerPixel);
            }
        }
    }
    return SurfaceResult::Ok;
}

} // namespace platform
