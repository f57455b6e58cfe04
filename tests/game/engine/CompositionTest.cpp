// One fixed screen drawn with every kind of operation of the display layer,
// captured from the frame the game hands over, at 8 and at 16 bits, against
// the stored pictures tests/data/display/composition-8.png and -16.png. After
// a deliberate change of the drawing, run the test with TK_UPDATE_PICTURES=1
// to write the pictures anew, look at them and commit them.

#include "game/engine/ScreenEffects.h"
#include "game/engine/SurfaceDrawTarget.h"
#include "platform/core/Cp932.h"
#include "platform/image/PngFile.h"
#include "tests/game/engine/DisplayFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{

using platform::PixelSurface;

// The draw target without its text half.
class ShapesTarget : public SurfaceDrawTarget
{
public:
    void DrawBox(int, int, int, int, int) override {}
    void DrawText(int, int, int, std::string_view) override {}
    void DrawTextBox(int, int, int, int, int, std::string_view, int, uint32_t) override {}
};

class CompositionTest : public DisplayFixture, public testing::WithParamInterface<int>
{
};

// Chips over the top two thirds, sprites keyed on them (two half outside),
// a window box, a stretched picture, both row distortions, a mirrored sheet
// and the recoloured map characters, then the frame's present step.
void Compose()
{
    PixelSurface* back = DDBackBuffer();
    ResetSinePhase();
    ShapesTarget target;
    target.FillRect(0, 0, 640, 480, 20);
    for (int y = 0; y < 320; y += 32)
    {
        for (int x = 0; x < 640; x += 32)
        {
            const int chip = (x / 32 + y / 32) % 8;
            target.Blit(x, y, 32, 32, 12, (chip % 4) * 32, (chip / 4) * 32);
        }
    }
    const int sprites[][3] = {{-10, 40, 0}, {100, 60, 1}, {250, 120, 2}, {400, 200, 3}, {620, 280, 1}, {300, 10, 0}};
    for (const auto& s : sprites)
    {
        target.Blit(s[0], s[1], 32, 32, 13, (s[2] % 2) * 32, (s[2] / 2) * 32);
    }
    DrawWindowBox(back, 40, 340, 200, 100, Surfaces[2], 2, 189);
    DDBltStretch(back, 300, 340, 128, 96, Surfaces[3], 0, 0, 64, 48, 0);
    DrawSineRows(back, 460, 340, 64, 32, 2, 6, Surfaces[4], 0, 0, 1);
    DrawSplitBands(back, 460, 390, 64, 32, 4, 3, Surfaces[4], 0, 0, 1);
    DDBltFast(back, 540, 340, 100, 48, Surfaces[8], 0, 0, 1);
    DDBltFast(back, 540, 400, 64, 64, Surfaces[14], 0, 0, 1);
    DrawFrame(back, 0, 0, 640, 480, 1, 250);
    DDPresent(0);
}

TEST_P(CompositionTest, ACapturedFrameMatchesItsStoredPicture)
{
    const int depth = GetParam();
    Start(depth);
    Load({2, 3, 4, 8, 12, 13, 14});
    ShiftSurfaceColours(Surfaces[14]);
    Compose();
    const platform::Frame* frame = DisplayFrames().TakeLatest();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->m_nBitsPerPixel, depth);
    const platform::RgbImage captured = platform::FrameToImage(*frame);

    const std::filesystem::path stored =
        std::filesystem::path(TK_TEST_DATA_DIR) / "display" / ("composition-" + std::to_string(depth) + ".png");
    const char* update = std::getenv("TK_UPDATE_PICTURES");
    if (update && std::string(update) == "1")
    {
        std::filesystem::create_directories(stored.parent_path());
        ASSERT_TRUE(platform::WritePngFile(platform::FromUtf8(stored.string()), captured));
    }
    platform::RgbImage expected;
    ASSERT_TRUE(platform::ReadPngFile(platform::FromUtf8(stored.string()), expected))
        << "no stored picture: run with TK_UPDATE_PICTURES=1";
    ASSERT_EQ(expected.m_nWidth, 640);
    ASSERT_EQ(expected.m_nHeight, 480);
    int differing = 0;
    for (int y = 0; y < 480; ++y)
    {
        for (int x = 0; x < 640; ++x)
        {
            if (captured.Rgb(x, y) != expected.Rgb(x, y) && ++differing <= 5)
            {
                ADD_FAILURE() << "at " << x << ", " << y << ": " << std::hex << captured.Rgb(x, y) << " instead of "
                              << expected.Rgb(x, y);
            }
        }
    }
    EXPECT_EQ(differing, 0);

    // The same composition again gives the same bytes, and so does a capture of what was presented.
    Compose();
    const platform::Frame* again = DisplayFrames().TakeLatest();
    ASSERT_NE(again, nullptr);
    const std::vector<uint8_t> png = platform::EncodePng(captured);
    EXPECT_EQ(platform::EncodePng(platform::FrameToImage(*again)), png);
    ASSERT_TRUE(DDCaptureFrame("shot.png"));
    EXPECT_EQ(m_Folder.ReadFile("shot.png"), std::vector<unsigned char>(png.begin(), png.end()));
}

INSTANTIATE_TEST_SUITE_P(Depths, CompositionTest, testing::Values(8, 16),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
