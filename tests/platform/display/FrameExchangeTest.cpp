#include "platform/display/FrameExchange.h"

#include "TempFolder.h"
#include "platform/display/DisplayDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{

using namespace platform;

class FrameExchangeTest : public testing::Test
{
protected:
    std::unique_ptr<PixelSurface> Surface(int bits, int width, int height)
    {
        EXPECT_TRUE(m_Device.SetMode(640, 480, bits));
        return m_Device.CreateSurface(width, height, SurfaceMemory::System);
    }

    DisplayDevice m_Device;
    FrameExchange m_Exchange;
};

TEST_F(FrameExchangeTest, TheNewestFrameWinsAndWakesOnceUntilTaken)
{
    int wakes = 0;
    m_Exchange.SetWakeCallback([&] { ++wakes; });
    std::unique_ptr<PixelSurface> surface = Surface(8, 4, 2);
    EXPECT_EQ(m_Exchange.TakeLatest(), nullptr);
    EXPECT_EQ(m_Exchange.Current(), nullptr);

    for (uint32_t value : {1u, 2u, 3u})
    {
        surface->Fill({0, 0, 4, 2}, value);
        m_Exchange.Submit(*surface, nullptr);
    }
    EXPECT_EQ(wakes, 1) << "the frames replaced one another before the first take";
    const Frame* frame = m_Exchange.TakeLatest();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_nSerial, 3u);
    EXPECT_EQ(frame->Row(1)[3], 3);
    EXPECT_EQ(m_Exchange.TakeLatest(), nullptr) << "nothing new";
    EXPECT_EQ(m_Exchange.Current(), frame);

    // Drawing goes on while the taken frame is being shown: it stays as it was.
    surface->Fill({0, 0, 4, 2}, 4);
    m_Exchange.Submit(*surface, nullptr);
    surface->Fill({0, 0, 4, 2}, 5);
    m_Exchange.Submit(*surface, nullptr);
    EXPECT_EQ(frame->Row(0)[0], 3);
    EXPECT_EQ(wakes, 2);
    frame = m_Exchange.TakeLatest();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_nSerial, 5u);
    EXPECT_EQ(frame->Row(0)[0], 5);
    EXPECT_EQ(m_Exchange.Submitted(), 5u);
}

// The drawing thread never waits for the showing thread: each frame it
// submits holds one value in every pixel, and the showing thread must never
// see a frame mixed from two, nor an older frame after a newer one.
TEST_F(FrameExchangeTest, FramesCrossThreadsWhole)
{
    std::unique_ptr<PixelSurface> surface = Surface(16, 64, 48);
    std::atomic<int> wakes{0};
    m_Exchange.SetWakeCallback([&] { wakes.fetch_add(1); });
    std::atomic<bool> done{false};
    std::thread drawing(
        [&]
        {
            for (uint32_t n = 1; n <= 2000; ++n)
            {
                surface->Fill({0, 0, 64, 48}, n & 0xFFFF);
                m_Exchange.Submit(*surface, nullptr);
            }
            done = true;
        });
    uint64_t last = 0;
    int taken = 0;
    while (true)
    {
        const bool finished = done;
        const Frame* frame = m_Exchange.TakeLatest();
        if (frame)
        {
            ++taken;
            ASSERT_GT(frame->m_nSerial, last);
            last = frame->m_nSerial;
            for (int y = 0; y < 48; ++y)
            {
                for (int x = 0; x < 64; ++x)
                {
                    ASSERT_EQ(frame->Rgb(x, y), Rgb565ToRgb(static_cast<uint32_t>(frame->m_nSerial & 0xFFFF)));
                }
            }
        }
        else if (finished)
        {
            break;
        }
    }
    drawing.join();
    EXPECT_EQ(last, 2000u) << "the last frame is always shown";
    EXPECT_LE(wakes.load(), 2000);
    EXPECT_GE(wakes.load(), taken);
}

TEST_F(FrameExchangeTest, ACaptureIsTheSameOnEveryRun)
{
    TempFolder folder;
    std::unique_ptr<PixelSurface> surface = Surface(8, 3, 2);
    DisplayPaletteEntries palette{};
    palette[1] = {255, 0, 0, 1};
    palette[2] = {0, 128, 255, 1};
    surface->SetPixel(0, 0, 1);
    surface->SetPixel(2, 1, 2);
    Frame frame;
    CopySurfaceToFrame(*surface, &palette, frame);
    EXPECT_EQ(frame.m_nPitch, 3) << "a frame keeps no padding";
    ASSERT_TRUE(WriteFramePng("a.png", frame));
    ASSERT_TRUE(WriteFramePng("b.png", frame));
    EXPECT_EQ(folder.ReadFile("a.png"), folder.ReadFile("b.png"));
    RgbImage image;
    ASSERT_TRUE(ReadPngFile("a.png", image));
    EXPECT_EQ(image.m_nWidth, 3);
    EXPECT_EQ(image.Rgb(0, 0), 0xFF0000u);
    EXPECT_EQ(image.Rgb(2, 1), 0x0080FFu);
    EXPECT_EQ(image.Rgb(1, 0), 0u);

    // 16 bits: each component widened by repeating its top bits, so white stays white.
    std::unique_ptr<PixelSurface> rgb = Surface(16, 2, 1);
    rgb->SetPixel(0, 0, 0xFFFF);
    rgb->SetPixel(1, 0, RgbToRgb565(0x8040C0));
    CopySurfaceToFrame(*rgb, nullptr, frame);
    EXPECT_EQ(FrameToImage(frame).Rgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(FrameToImage(frame).Rgb(1, 0), 0x8441C6u);
    EXPECT_FALSE(WriteFramePng("empty.png", Frame{}));
}

} // namespace
