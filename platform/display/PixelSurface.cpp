#include "platform/display/PixelSurface.h"

#include "platform/display/SurfaceRegistry.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace platform
{

namespace
{

// Rows are kept to a multiple of 16 bytes, so a surface's pitch is not its width.
constexpr int kPitchAlign = 16;

// Copies the bytes of one row. Sprite and chip rows are short, where a call
// of the library's copy costs more than the copying: those are moved inline
// sixteen bytes at a time.
inline void CopyRow(uint8_t* to, const uint8_t* from, int bytes)
{
    // The widths of chips and sprites at both depths, copied with fixed sizes.
    switch (bytes)
    {
    case 16:
        std::memcpy(to, from, 16);
        return;
    case 32:
        std::memcpy(to, from, 32);
        return;
    case 64:
        std::memcpy(to, from, 64);
        return;
    default:
        break;
    }
    if (bytes >= 256)
    {
        std::memcpy(to, from, static_cast<size_t>(bytes));
        return;
    }
    for (; bytes >= 16; bytes -= 16, to += 16, from += 16)
    {
        std::memcpy(to, from, 16);
    }
    if (bytes >= 8)
    {
        std::memcpy(to, from, 8);
        bytes -= 8;
        to += 8;
        from += 8;
    }
    for (; bytes > 0; --bytes)
    {
        *to++ = *from++;
    }
}

// Copies one row of n pixels, leaving out those equal to the key: sixteen
// bytes at a time, a lane of the source equal to the key keeping the target's
// lane, then eight bytes at a time in the same way within a 64-bit word.
template <int kBytes> void CopyKeyedRow(uint8_t* to, const uint8_t* from, int n, uint32_t key)
{
    using Lane = std::conditional_t<kBytes == 1, uint8_t, uint16_t>;
    typedef Lane Vector __attribute__((vector_size(16)));
    constexpr int kVectorLanes = 16 / kBytes;
    const Lane lane = static_cast<Lane>(key);
    Vector keys;
    for (int i = 0; i < kVectorLanes; ++i)
    {
        keys[i] = lane;
    }
    int i = 0;
    for (; i + kVectorLanes <= n; i += kVectorLanes)
    {
        Vector s;
        Vector d;
        std::memcpy(&s, from + i * kBytes, 16);
        std::memcpy(&d, to + i * kBytes, 16);
        const Vector keep = reinterpret_cast<Vector>(s == keys);
        d = (d & keep) | (s & ~keep);
        std::memcpy(to + i * kBytes, &d, 16);
    }
    constexpr int kLanes = 8 / kBytes;
    constexpr uint64_t kLow = kBytes == 1 ? 0x7F7F7F7F7F7F7F7Full : 0x7FFF7FFF7FFF7FFFull;
    constexpr uint64_t kOne = kBytes == 1 ? 0x0101010101010101ull : 0x0001000100010001ull;
    constexpr uint64_t kFull = kBytes == 1 ? 0xFF : 0xFFFF;
    constexpr int kHigh = kBytes * 8 - 1;
    const uint64_t keys64 = (key & kFull) * kOne;
    for (; i + kLanes <= n; i += kLanes)
    {
        uint64_t s;
        uint64_t d;
        std::memcpy(&s, from + i * kBytes, 8);
        const uint64_t x = s ^ keys64;
        // The top bit of each lane is set exactly when the lane of x is zero.
        const uint64_t zero = ~(((x & kLow) + kLow) | x | kLow);
        const uint64_t keep = (zero >> kHigh) * kFull;
        std::memcpy(&d, to + i * kBytes, 8);
        d = (d & keep) | (s & ~keep);
        std::memcpy(to + i * kBytes, &d, 8);
    }
    for (; i < n; ++i)
    {
        Lane v;
        std::memcpy(&v, from + i * kBytes, kBytes);
        if (v != lane)
        {
            std::memcpy(to + i * kBytes, &v, kBytes);
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

SurfaceResult PixelSurface::Fill(const SurfaceRect& rect, uint32_t value)
{
    SurfaceResult result = CheckTarget(rect);
    if (result != SurfaceResult::Ok)
    {
        return result;
    }
    const int bytesPerPixel = m_nBytesPerPixel;
    const int width = rect.Width();
    const size_t pitch = static_cast<size_t>(m_nPitch);
    const uint16_t v = static_cast<uint16_t>(value);
    uint8_t* row = Row(rect.m_nTop) + rect.m_nLeft * bytesPerPixel;
    for (int y = rect.m_nTop; y < rect.m_nBottom; ++y, row += pitch)
    {
        if (bytesPerPixel == 1)
        {
            std::memset(row, static_cast<uint8_t>(value), static_cast<size_t>(width));
        }
        else
        {
            for (int x = 0; x < width; ++x)
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
    // Everything the rows need in locals: a store through a byte pointer
    // could otherwise change any member, and each would be read again per row.
    const bool useKey = keyed && source.m_bColourKey;
    const uint32_t key = source.m_nColourKey;
    const int bytesPerPixel = m_nBytesPerPixel;
    const int pixels = from.Width();
    const int bytes = pixels * bytesPerPixel;
    const int rows = from.Height();
    const size_t inPitch = static_cast<size_t>(pitch);
    const size_t outPitch = static_cast<size_t>(m_nPitch);
    const uint8_t* in = bits + static_cast<size_t>(area.m_nTop) * inPitch + area.m_nLeft * bytesPerPixel;
    uint8_t* out = Row(y) + x * bytesPerPixel;
    for (int row = 0; row < rows; ++row, in += inPitch, out += outPitch)
    {
        if (!useKey)
        {
            CopyRow(out, in, bytes);
        }
        else if (bytesPerPixel == 1)
        {
            CopyKeyedRow<1>(out, in, pixels, key);
        }
        else
        {
            CopyKeyedRow<2>(out, in, pixels, key);
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
    const int bytesPerPixel = m_nBytesPerPixel;
    const uint32_t key = source.m_nColourKey;
    const int* column = columns.data();
    for (int j = 0; j < h; ++j)
    {
        const int sy = from.m_nTop + static_cast<int>(static_cast<int64_t>(j) * from.Height() / h);
        const uint8_t* in = source.Row(sy);
        uint8_t* out = Row(to.m_nTop + j) + to.m_nLeft * bytesPerPixel;
        for (int i = 0; i < w; ++i)
        {
            const uint8_t* p = in + column[i] * bytesPerPixel;
            const uint32_t v = bytesPerPixel == 1 ? p[0] : static_cast<uint32_t>(p[0] | p[1] << 8);
            if (!useKey || v != key)
            {
                std::memcpy(out + i * bytesPerPixel, p, static_cast<size_t>(bytesPerPixel));
            }
        }
    }
    return SurfaceResult::Ok;
}

} // namespace platform
