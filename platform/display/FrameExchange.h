#pragma once

// The seam between the thread that draws the game's frames and the thread
// that shows them. The drawing thread submits each finished frame into a
// latest-wins triple buffer: it fills its own slot without any lock and
// swaps it with the ready slot under a lock held for the swap alone. The
// showing thread takes the ready slot in the same way, so neither thread ever
// waits for the other's copying, and a frame that was not taken in time is
// replaced by the newer one. When a frame becomes ready while none was, the
// wake callback runs on the submitting thread (the main thread's loop hooks
// it to be woken once for each frame it will find).
//
// A frame is kept as drawn: 8-bit indices with the palette that shows them,
// or RGB565 pixels. A frame converts to RGB for a PNG capture in the same way
// on every machine, with or without a window.

#include "platform/display/DisplayPalette.h"
#include "platform/image/PngFile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

namespace platform
{

class PixelSurface;

struct Frame
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitsPerPixel = 0; // 8 or 16; 0 while empty
    int m_nPitch = 0;        // bytes from one row to the next
    std::vector<uint8_t> m_Pixels;
    std::array<uint32_t, 256> m_Palette{}; // 0x00RRGGBB, the colours of an 8-bit frame
    uint64_t m_nSerial = 0;                // 1 for the first frame submitted, and so on

    bool IsEmpty() const { return m_nBitsPerPixel == 0; }
    const uint8_t* Row(int y) const { return m_Pixels.data() + static_cast<size_t>(y) * m_nPitch; }
    // The pixel's colour as 0x00RRGGBB.
    uint32_t Rgb(int x, int y) const;
};

// Copies a surface (and, at 8 bits, the palette that shows it) into a frame.
void CopySurfaceToFrame(const PixelSurface& surface, const DisplayPaletteEntries* palette, Frame& frame);
// The frame's colours as a picture.
RgbImage FrameToImage(const Frame& frame);
// The frame as a PNG file (a stored path); false when it cannot be written.
bool WriteFramePng(std::string_view path, const Frame& frame);

class FrameExchange
{
public:
    using WakeCallback = std::function<void()>;

    // Any thread. The callback must not block: it runs on the submitting thread.
    void SetWakeCallback(WakeCallback wake);

    // The drawing side, from any thread: copies the surface (and its palette)
    // into the write slot, then makes it the ready frame.
    void Submit(const PixelSurface& surface, const DisplayPaletteEntries* palette);
    // The showing side: the newest frame not taken yet, or null when none was
    // submitted since the last take. It stays valid until the next take.
    const Frame* TakeLatest();
    // The showing side: the frame taken last (null before the first).
    const Frame* Current() const;
    // Frames submitted so far.
    uint64_t Submitted() const;

private:
    std::array<Frame, 3> m_Slots;
    // Slot indices: written by the drawing side, ready for the showing side,
    // held by the showing side. Only the swaps take m_Swap.
    int m_nWrite = 0;
    int m_nReady = 1;
    int m_nHeld = 2;
    bool m_bFresh = false;
    bool m_bTaken = false;
    uint64_t m_nSerial = 0;
    mutable std::mutex m_Swap;
    // Takes turns between drawing threads on the write slot; the showing side never takes it.
    std::mutex m_Producer;
    std::mutex m_WakeMutex;
    WakeCallback m_Wake;
};

} // namespace platform
