#include "platform/display/FrameExchange.h"

#include "platform/display/PixelSurface.h"

#include <cstring>

namespace platform
{

uint32_t Frame::Rgb(int x, int y) const
{
    const uint8_t* row = Row(y);
    if (m_nBitsPerPixel == 8)
    {
        return m_Palette[row[x]];
    }
    return Rgb565ToRgb(static_cast<uint32_t>(row[x * 2] | row[x * 2 + 1] << 8));
}

void CopySurfaceToFrame(const PixelSurface& surface, const DisplayPaletteEntries* palette, Frame& frame)
{
    frame.m_nWidth = surface.Width();
    frame.m_nHeight = surface.Height();
    frame.m_nBitsPerPixel = surface.BytesPerPixel() * 8;
    frame.m_nPitch = surface.Width() * surface.BytesPerPixel();
    frame.m_Pixels.resize(static_cast<size_t>(frame.m_nPitch) * frame.m_nHeight);
    for (int y = 0; y < frame.m_nHeight; ++y)
    {
        std::memcpy(&frame.m_Pixels[static_cast<size_t>(y) * frame.m_nPitch], surface.Row(y), frame.m_nPitch);
    }
    if (palette && frame.m_nBitsPerPixel == 8)
    {
        for (int i = 0; i < 256; ++i)
        {
            const PaletteColour& c = (*palette)[i];
            frame.m_Palette[i] = static_cast<uint32_t>(c.m_nRed) << 16 | c.m_nGreen << 8 | c.m_nBlue;
        }
    }
}

RgbImage FrameToImage(const Frame& frame)
{
    RgbImage image;
    if (frame.IsEmpty())
    {
        return image;
    }
    image.m_nWidth = frame.m_nWidth;
    image.m_nHeight = frame.m_nHeight;
    image.m_Pixels.resize(static_cast<size_t>(frame.m_nWidth) * frame.m_nHeight * 3);
    uint8_t* out = image.m_Pixels.data();
    for (int y = 0; y < frame.m_nHeight; ++y)
    {
        for (int x = 0; x < frame.m_nWidth; ++x)
        {
            const uint32_t rgb = frame.Rgb(x, y);
            *out++ = static_cast<uint8_t>(rgb >> 16);
            *out++ = static_cast<uint8_t>(rgb >> 8);
            *out++ = static_cast<uint8_t>(rgb);
        }
    }
    return image;
}

bool WriteFramePng(std::string_view path, const Frame& frame)
{
    return !frame.IsEmpty() && WritePngFile(path, FrameToImage(frame));
}

void FrameExchange::SetWakeCallback(WakeCallback wake)
{
    std::lock_guard lock(m_WakeMutex);
    m_Wake = std::move(wake);
}

void FrameExchange::Submit(const PixelSurface& surface, const DisplayPaletteEntries* palette)
{
    std::lock_guard producer(m_Producer);
    Frame& frame = m_Slots[m_nWrite];
    CopySurfaceToFrame(surface, palette, frame);
    bool wasFresh = false;
    {
        std::lock_guard lock(m_Swap);
        frame.m_nSerial = ++m_nSerial;
        std::swap(m_nWrite, m_nReady);
        wasFresh = m_bFresh;
        m_bFresh = true;
    }
    if (!wasFresh)
    {
        std::lock_guard lock(m_WakeMutex);
        if (m_Wake)
        {
            m_Wake();
        }
    }
}

const Frame* FrameExchange::TakeLatest()
{
    std::lock_guard lock(m_Swap);
    if (!m_bFresh)
    {
        return nullptr;
    }
    std::swap(m_nHeld, m_nReady);
    m_bFresh = false;
    m_bTaken = true;
    return &m_Slots[m_nHeld];
}

const Frame* FrameExchange::Current() const
{
    std::lock_guard lock(m_Swap);
    return m_bTaken ? &m_Slots[m_nHeld] : nullptr;
}

uint64_t FrameExchange::Submitted() const
{
    std::lock_guard lock(m_Swap);
    return m_nSerial;
}

} // namespace platform
