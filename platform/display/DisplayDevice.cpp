#include "platform/display/DisplayDevice.h"

#include "platform/display/FrameExchange.h"
#include "platform/display/SurfaceRegistry.h"

#include <utility>

namespace platform
{

namespace
{

constexpr int kMaxSide = 8192;

size_t Bytes(const PixelSurface& surface)
{
    return static_cast<size_t>(surface.Pitch()) * surface.Height();
}

} // namespace

DisplayDevice::DisplayDevice() : m_Registry(std::make_shared<SurfaceRegistry>())
{
}

DisplayDevice::~DisplayDevice() = default;

bool DisplayDevice::SetMode(int width, int height, int bitsPerPixel)
{
    if ((bitsPerPixel != 8 && bitsPerPixel != 16) || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
    {
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    m_Format = bitsPerPixel == 8 ? kIndexedFormat : kRgb565Format;
    return true;
}

size_t DisplayDevice::MemoryInUse(SurfaceMemory memory) const
{
    size_t bytes = 0;
    m_Registry->ForEach(
        [&](PixelSurface& surface)
        {
            if (surface.Memory() == memory)
            {
                bytes += Bytes(surface);
            }
        });
    return bytes;
}

size_t DisplayDevice::VideoMemoryFree() const
{
    const size_t used = MemoryInUse(SurfaceMemory::Video);
    return used < m_nVideoMemory ? m_nVideoMemory - used : 0;
}

std::unique_ptr<PixelSurface> DisplayDevice::Make(int width, int height, SurfaceMemory memory)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || m_nWidth == 0)
    {
        return nullptr;
    }
    const int bytesPerPixel = m_Format.m_nBitsPerPixel / 8;
    const size_t need = static_cast<size_t>((width * bytesPerPixel + 15) / 16 * 16) * height;
    const size_t used = MemoryInUse(memory);
    const size_t limit = memory == SurfaceMemory::Video ? m_nVideoMemory : m_nSystemLimit;
    if (used > limit || need > limit - used)
    {
        return nullptr;
    }
    return std::unique_ptr<PixelSurface>(new PixelSurface(m_Registry, width, height, bytesPerPixel, memory));
}

std::unique_ptr<PixelSurface> DisplayDevice::CreateSurface(int width, int height, SurfaceMemory memory)
{
    return Make(width, height, memory);
}

bool DisplayDevice::CreatePrimary(bool withBackBuffer)
{
    ReleasePrimary();
    m_Primary = Make(m_nWidth, m_nHeight, SurfaceMemory::Video);
    if (m_Primary && withBackBuffer)
    {
        m_BackBuffer = Make(m_nWidth, m_nHeight, SurfaceMemory::Video);
        if (!m_BackBuffer)
        {
            m_Primary.reset();
        }
    }
    return m_Primary != nullptr;
}

void DisplayDevice::ReleasePrimary()
{
    m_BackBuffer.reset();
    m_Primary.reset();
}

SurfaceResult DisplayDevice::Flip()
{
    if (!m_Primary || !m_BackBuffer)
    {
        return SurfaceResult::InvalidRect;
    }
    if (m_Primary->IsLost() || m_BackBuffer->IsLost())
    {
        return SurfaceResult::Lost;
    }
    if (m_Primary->IsLocked() || m_BackBuffer->IsLocked())
    {
        return SurfaceResult::Busy;
    }
    std::swap(m_Primary->m_Bits, m_BackBuffer->m_Bits);
    return SurfaceResult::Ok;
}

void DisplayDevice::SetPaletteEntries(int first, int count, const PaletteColour* entries)
{
    for (int i = 0; i < count && first + i < 256; ++i)
    {
        if (first + i >= 0)
        {
            m_Palette[first + i] = entries[i];
        }
    }
}

void DisplayDevice::Present(FrameExchange& exchange) const
{
    if (m_Primary)
    {
        const bool indexed = m_Format.m_nBitsPerPixel == 8;
        exchange.Submit(*m_Primary, indexed && m_bPaletteAttached ? &m_Palette : nullptr);
    }
}

void DisplayDevice::LoseSurfaces()
{
    m_Registry->ForEach(
        [](PixelSurface& surface)
        {
            if (surface.Memory() == SurfaceMemory::Video)
            {
                surface.MarkLost();
            }
        });
}

size_t DisplayDevice::LiveSurfaces() const
{
    const size_t all = m_Registry->Count();
    const size_t chain = (m_Primary ? 1 : 0) + (m_BackBuffer ? 1 : 0);
    return all - chain;
}

} // namespace platform
