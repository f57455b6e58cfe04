#include "platform/display/PixelSurface.h"

#include "platform/display/DisplayDevice.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

using namespace platform;

class PixelSurfaceTest : public testing::TestWithParam<int>
{
protected:
    void SetUp() override { ASSERT_TRUE(m_Device.SetMode(640, 480, GetParam())); }

    std::unique_ptr<PixelSurface> Make(int width, int height)
    {
        std::unique_ptr<PixelSurface> surface = m_Device.CreateSurface(width, height, SurfaceMemory::System);
        EXPECT_NE(surface, nullptr);
        return surface;
    }

    uint32_t Mask() const { return GetParam() == 8 ? 0xFFu : 0xFFFFu; }

    DisplayDevice m_Device;
};

TEST_P(PixelSurfaceTest, RowsHaveAPitchOfTheirOwnAndStartCleared)
{
    std::unique_ptr<PixelSurface> surface = Make(10, 3);
    EXPECT_EQ(surface->BytesPerPixel(), GetParam() / 8);
    EXPECT_EQ(surface->Pitch(), 16 * ((10 * surface->BytesPerPixel() + 15) / 16));
    EXPECT_GT(surface->Pitch(), 10 * surface->BytesPerPixel() - 1);
    surface->SetPixel(9, 0, 0x1234 & Mask());
    surface->SetPixel(0, 1, 0x4321 & Mask());
    EXPECT_EQ(surface->Pixel(9, 0), 0x1234 & Mask());
    EXPECT_EQ(surface->Pixel(0, 1), 0x4321 & Mask());
    EXPECT_EQ(surface->Pixel(5, 2), 0u);
    SurfaceLock lock;
    ASSERT_TRUE(surface->Lock(lock));
    EXPECT_EQ(lock.m_nPitch, surface->Pitch());
    EXPECT_EQ(lock.m_pBits + lock.m_nPitch, surface->Row(1));
    EXPECT_FALSE(surface->Lock(lock)) << "locked once at a time";
    EXPECT_EQ(surface->Fill({0, 0, 1, 1}, 1), SurfaceResult::Busy);
    surface->Unlock();
    EXPECT_EQ(surface->Fill({0, 0, 1, 1}, 1), SurfaceResult::Ok);
}

// Keyed copies work eight bytes at a time: compare them with a pixel-by-pixel
// copy over random widths, positions and pictures with many keyed pixels.
TEST_P(PixelSurfaceTest, KeyedCopiesMatchAPixelByPixelCopy)
{
    std::mt19937 random(42);
    std::unique_ptr<PixelSurface> source = Make(70, 20);
    const uint32_t key = 0x00A5 & Mask();
    source->SetColourKey(key);
    for (int y = 0; y < 20; ++y)
    {
        for (int x = 0; x < 70; ++x)
        {
            // Keys, values that share one byte with the key, and others.
            const uint32_t choices[] = {key, key ^ 0x0100, key ^ 0x0001, static_cast<uint32_t>(random())};
            source->SetPixel(x, y, choices[random() % 4] & Mask());
        }
    }
    for (int round = 0; round < 200; ++round)
    {
        const int w = 1 + random() % 60;
        const int h = 1 + random() % 10;
        const int sx = random() % (70 - w + 1);
        const int sy = random() % (20 - h + 1);
        const int x = random() % (80 - w + 1);
        const int y = random() % 10;
        std::unique_ptr<PixelSurface> target = Make(80, 24);
        target->Fill({0, 0, 80, 24}, 0x0077 & Mask());
        ASSERT_EQ(target->BltFast(x, y, *source, {sx, sy, sx + w, sy + h}, true), SurfaceResult::Ok);
        for (int j = 0; j < 24; ++j)
        {
            for (int i = 0; i < 80; ++i)
            {
                uint32_t expected = 0x0077 & Mask();
                if (i >= x && i < x + w && j >= y && j < y + h)
                {
                    const uint32_t v = source->Pixel(sx + i - x, sy + j - y);
                    expected = v == key ? expected : v;
                }
                ASSERT_EQ(target->Pixel(i, j), expected) << "round " << round << " at " << i << ", " << j;
            }
        }
    }
}

TEST_P(PixelSurfaceTest, RectanglesOutsideASurfaceDrawNothing)
{
    std::unique_ptr<PixelSurface> source = Make(8, 8);
    std::unique_ptr<PixelSurface> target = Make(8, 8);
    const SurfaceRect bad[] = {{-1, 0, 4, 4}, {0, 0, 9, 4}, {2, 2, 2, 4}, {5, 5, 3, 6}, {0, 0, 8, 9}};
    for (const SurfaceRect& r : bad)
    {
        EXPECT_EQ(target->Fill(r, 1), SurfaceResult::InvalidRect);
        EXPECT_EQ(target->BltFast(0, 0, *source, r, false), SurfaceResult::InvalidRect);
        EXPECT_EQ(target->BltStretch({0, 0, 8, 8}, *source, r, false), SurfaceResult::InvalidRect);
    }
    EXPECT_EQ(target->BltFast(5, 5, *source, {0, 0, 4, 4}, false), SurfaceResult::InvalidRect);
    for (int y = 0; y < 8; ++y)
    {
        for (int x = 0; x < 8; ++x)
        {
            ASSERT_EQ(target->Pixel(x, y), 0u);
        }
    }
}

TEST_P(PixelSurfaceTest, ACopyWithinOneSurfaceReadsTheRowsBeforeWriting)
{
    std::unique_ptr<PixelSurface> surface = Make(8, 8);
    for (int y = 0; y < 8; ++y)
    {
        for (int x = 0; x < 8; ++x)
        {
            surface->SetPixel(x, y, static_cast<uint32_t>(y * 8 + x));
        }
    }
    ASSERT_EQ(surface->BltFast(1, 1, *surface, {0, 0, 6, 6}, false), SurfaceResult::Ok);
    for (int y = 1; y < 7; ++y)
    {
        for (int x = 1; x < 7; ++x)
        {
            ASSERT_EQ(surface->Pixel(x, y), static_cast<uint32_t>((y - 1) * 8 + x - 1)) << x << ", " << y;
        }
    }
}

TEST_P(PixelSurfaceTest, LostSurfacesDrawNothingUntilRestoredEmpty)
{
    std::unique_ptr<PixelSurface> video = m_Device.CreateSurface(8, 8, SurfaceMemory::Video);
    std::unique_ptr<PixelSurface> system = Make(8, 8);
    ASSERT_TRUE(m_Device.CreatePrimary(true));
    video->Fill({0, 0, 8, 8}, 3);
    system->Fill({0, 0, 8, 8}, 4);
    m_Device.LoseSurfaces();
    EXPECT_TRUE(video->IsLost());
    EXPECT_TRUE(m_Device.Primary()->IsLost());
    EXPECT_TRUE(m_Device.AttachedBackBuffer()->IsLost());
    EXPECT_FALSE(system->IsLost());
    SurfaceLock lock;
    EXPECT_FALSE(video->Lock(lock));
    EXPECT_EQ(video->Fill({0, 0, 1, 1}, 1), SurfaceResult::Lost);
    EXPECT_EQ(system->BltFast(0, 0, *video, {0, 0, 8, 8}, false), SurfaceResult::Lost);
    EXPECT_EQ(m_Device.Flip(), SurfaceResult::Lost);
    EXPECT_EQ(system->Pixel(3, 3), 4u);
    EXPECT_TRUE(video->Restore());
    EXPECT_EQ(video->Pixel(3, 3), 0u);
    EXPECT_EQ(video->Fill({0, 0, 1, 1}, 1), SurfaceResult::Ok);
}

TEST_P(PixelSurfaceTest, TheDeviceKeepsItsMemoryBudgetAndCountsItsSurfaces)
{
    m_Device.SetVideoMemory(16 * 8 * 2 + 1);
    std::unique_ptr<PixelSurface> first = m_Device.CreateSurface(16, 8, SurfaceMemory::Video);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(m_Device.VideoMemoryFree(), 16u * 8 * 2 + 1 - static_cast<size_t>(first->Pitch()) * 8);
    std::unique_ptr<PixelSurface> second = m_Device.CreateSurface(16, 8, SurfaceMemory::Video);
    EXPECT_EQ(second == nullptr, GetParam() == 16) << "two fit at 8 bits, one at 16";
    EXPECT_EQ(m_Device.CreateSurface(0, 8, SurfaceMemory::System), nullptr);
    EXPECT_EQ(m_Device.CreateSurface(8, 9000, SurfaceMemory::System), nullptr);
    m_Device.SetSystemMemoryLimit(64);
    EXPECT_EQ(m_Device.CreateSurface(16, 8, SurfaceMemory::System), nullptr);
    EXPECT_EQ(m_Device.LiveSurfaces(), second ? 2u : 1u);
    first.reset();
    EXPECT_EQ(m_Device.LiveSurfaces(), second ? 1u : 0u);
    EXPECT_FALSE(m_Device.SetMode(640, 480, 24));
}

INSTANTIATE_TEST_SUITE_P(Depths, PixelSurfaceTest, testing::Values(8, 16),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
