#include "platform/sdl/SdlFrameUploader.h"

#include "platform/display/DisplayDevice.h"
#include "platform/display/FrameExchange.h"
#include "platform/sdl/SdlDisplayHost.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "tests/common/window/TestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace
{

using namespace platform;

constexpr uint32_t kFrameReady = kWmUser + 7;

class SdlFrameUploaderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_System.IsReady()) << SDL_GetError();
        AppWindowSystem = &m_System;
        m_Window.Init(0, nullptr, nullptr, &RecordingWindow::Procedure);
        m_Window.SetLayout(640, 480, 0, 0, 640, 480, kWsPopup | kWsOverlappedWindow, 0, 0, 0, 0, 0);
        ASSERT_EQ(m_Window.Create("ゲーム", 0, 0), 1);
        m_Window.Show(1);
        m_pNative = NativeSdlWindow(m_System, m_Window.Handle());
        ASSERT_NE(m_pNative, nullptr);
    }
    void TearDown() override
    {
        m_System.SetMessageFilter(nullptr);
        AppWindowSystem = nullptr;
    }

    // A frame of the depth: a quarter of each of four colours (palette entries 1-4 at 8 bits).
    void Draw(int bits)
    {
        ASSERT_TRUE(m_Device.SetMode(640, 480, bits));
        m_pSurface = m_Device.CreateSurface(640, 480, SurfaceMemory::System);
        const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x2040C0, 0xFFFFFF};
        for (int i = 0; i < 4; ++i)
        {
            const PaletteColour c{uint8_t(colours[i] >> 16), uint8_t(colours[i] >> 8), uint8_t(colours[i]), 1};
            m_Palette[1 + i] = c;
            const uint32_t value = bits == 8 ? 1u + i : RgbToRgb565(colours[i]);
            m_pSurface->Fill({(i % 2) * 320, (i / 2) * 240, (i % 2) * 320 + 320, (i / 2) * 240 + 240}, value);
        }
        m_pSurface->Fill({100, 100, 101, 101}, bits == 8 ? 4 : RgbToRgb565(0xFFFFFF));
    }

    // What the window shows, compared with the frame's own colours: exact for
    // 8-bit frames; an RGB565 frame is widened by SDL, which may differ from
    // the capture's widening in the lowest bits.
    void ExpectShown(const Frame& frame, int scale = 1)
    {
        std::vector<uint32_t> shown;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(m_pUploader->ReadShown(shown, width, height)) << SDL_GetError();
        ASSERT_EQ(width * scale, 640);
        ASSERT_EQ(height * scale, 480);
        const RgbImage expected = FrameToImage(frame);
        for (int y = 0; y < height; y += 7)
        {
            for (int x = 0; x < width; x += 7)
            {
                const uint32_t seen = shown[static_cast<size_t>(y) * width + x];
                const uint32_t want = expected.Rgb(x * scale, y * scale);
                const int slack = frame.m_nBitsPerPixel == 8 ? 0 : 7;
                for (int shift : {0, 8, 16})
                {
                    const int difference =
                        static_cast<int>(seen >> shift & 0xFF) - static_cast<int>(want >> shift & 0xFF);
                    ASSERT_LE(std::abs(difference), slack)
                        << std::hex << seen << " for " << want << " at " << std::dec << x << ", " << y;
                }
            }
        }
    }

    SdlWindowSystem m_System;
    RecordingWindow m_Window;
    SDL_Window* m_pNative = nullptr;
    DisplayDevice m_Device;
    std::unique_ptr<PixelSurface> m_pSurface;
    DisplayPaletteEntries m_Palette{};
    FrameExchange m_Exchange;
    std::unique_ptr<SdlFrameUploader> m_pUploader;
};

TEST_F(SdlFrameUploaderTest, FramesOfBothDepthsShowAsTheirColours)
{
    m_pUploader = std::make_unique<SdlFrameUploader>(m_pNative);
    ASSERT_TRUE(m_pUploader->IsReady()) << SDL_GetError();
    EXPECT_EQ(SdlFrameUploader::Of(m_pNative), m_pUploader.get());
    EXPECT_FALSE(m_pUploader->PresentLatest(m_Exchange)) << "nothing submitted yet";
    for (int bits : {8, 16})
    {
        SCOPED_TRACE(bits);
        Draw(bits);
        m_Exchange.Submit(*m_pSurface, &m_Palette);
        ASSERT_TRUE(m_pUploader->PresentLatest(m_Exchange));
        ExpectShown(*m_Exchange.Current());
    }
    // The window's own pictures no longer reach the screen, and an expose shows the frame again.
    ASSERT_EQ(m_Window.m_Front.Create(640, 480, 24, 0), 1);
    m_Window.m_Front.Clear(0x0000FF);
    m_Window.ShowFront();
    ExpectShown(*m_Exchange.Current());
    m_pUploader.reset();
    EXPECT_EQ(SdlFrameUploader::Of(m_pNative), nullptr);
}

TEST_F(SdlFrameUploaderTest, TheLogicalSizeScalesFramesToTheWindow)
{
    m_pUploader = std::make_unique<SdlFrameUploader>(m_pNative);
    SDL_SetWindowSize(m_pNative, 320, 240);
    m_System.PumpMessages();
    Draw(16);
    m_Exchange.Submit(*m_pSurface, nullptr);
    ASSERT_TRUE(m_pUploader->PresentLatest(m_Exchange));
    std::vector<uint32_t> shown;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(m_pUploader->ReadShown(shown, width, height));
    ASSERT_EQ(width, 320);
    ASSERT_EQ(height, 240);
    EXPECT_EQ(shown[10] & 0xF0F0F0, 0xF00000u);
    EXPECT_EQ(shown[static_cast<size_t>(200) * width + 300] & 0xF0F0F0, 0xF0F0F0u);
}

// The drawing thread submits and never waits; the wake posts one message to
// the window, and the main thread's loop shows the frame it finds.
TEST_F(SdlFrameUploaderTest, AWakeFromTheDrawingThreadLetsTheMainThreadShowTheFrame)
{
    m_pUploader = std::make_unique<SdlFrameUploader>(m_pNative);
    const WindowHandle window = m_Window.Handle();
    m_Exchange.SetWakeCallback([&] { m_System.PostMessage(window, kFrameReady, 0, 0); });
    int shown = 0;
    m_System.SetMessageFilter(
        [&](WindowHandle, uint32_t message, uintptr_t, intptr_t)
        {
            if (message != kFrameReady)
            {
                return false;
            }
            shown += m_pUploader->PresentLatest(m_Exchange) ? 1 : 0;
            return true;
        });
    Draw(8);
    std::thread drawing([&] { m_Exchange.Submit(*m_pSurface, &m_Palette); });
    drawing.join();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (shown == 0 && std::chrono::steady_clock::now() < until)
    {
        m_System.PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(shown, 1);
    ExpectShown(*m_Exchange.Current());
}

TEST_F(SdlFrameUploaderTest, TheHostTakesTheDesktopInFullScreen)
{
    SdlDisplayHost host(m_pNative);
    EXPECT_EQ(host.DesktopDepth(), 16);
    int width = 0;
    int height = 0;
    host.ClientSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    ASSERT_TRUE(host.SetDisplayMode(640, 480, 8, 0)) << SDL_GetError();
    EXPECT_TRUE(SDL_GetWindowFlags(m_pNative) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (host.MonitorFrequency() > 0)
    {
        EXPECT_FALSE(host.SetDisplayMode(640, 480, 8, host.MonitorFrequency() + 1));
        EXPECT_TRUE(host.SetDisplayMode(640, 480, 8, host.MonitorFrequency()));
    }
    host.RestoreDisplayMode();
    EXPECT_FALSE(SDL_GetWindowFlags(m_pNative) & SDL_WINDOW_FULLSCREEN_DESKTOP);
}

} // namespace
