// The records' drawing on a real back buffer: the status window, the skill
// list, the item list, the save list and the land box of a fixed unit and
// database, drawn with the sample project's sheets and the game's fonts, and
// captured from the presented frame at 8 and at 16 bits against the stored
// pictures tests/data/records/records-8.png and -16.png (StoredPicture.h
// tells how to store them anew). A change of the sample's sheets changes
// the pictures as well.

#include "RecordDrawingFixture.h"
#include "game/data/RecordDrawing.h"
#include "game/engine/ScreenDrawTarget.h"
#include "platform/display/DisplayHost.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/game/engine/DisplayFixture.h"
#include "tests/game/engine/StoredPicture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

constexpr int kEveryFont[kFontCount] = {0, 1, 2};

class RecordFrameTest : public RecordDrawingFixture, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        RecordDrawingFixture::SetUp();
        ClassTable.At(1).m_nGraphic = 1; // a face of the sample's sheet
        ItemTable.At(3).m_strName = "やくそう";
        ItemTable.At(3).m_nPrice = 8;
    }

    void TearDown() override
    {
        DeleteFonts(TextFonts, kEveryFont, kFontCount);
        ReleaseTestDisplay();
        RecordDrawingFixture::TearDown();
    }

    // The display and every surface from the sample project, and the fonts.
    void Start(int depth)
    {
        std::filesystem::current_path(TK_SAMPLE_DIR);
        m_Host.m_nDesktopDepth = depth;
        ASSERT_TRUE(DDInit(m_Host, kScreenWidth, kScreenHeight, depth, kFullScreen, 1, 60, 0, Surfaces, SurfaceDefs,
                           kSurfaceCount));
        ASSERT_TRUE(DDLoadPaletteFromFile(Display.m_SourcePalette, "bmp\\Palette.bmp", kFullScreen));
        Display.m_WorkingPalette = Display.m_SourcePalette;
        ASSERT_TRUE(DDSetTransmit("bmp\\Palette.bmp"));
        const int ids[] = {2, 5, 6, 7};
        ASSERT_TRUE(DDLoadSurfaces(Surfaces, ids, 4));
        ASSERT_TRUE(CreateFonts(TextFonts, kEveryFont, kFontCount, FontDefs));
        std::filesystem::current_path(m_Folder.Path());
    }

    // The sample unit with a name, a comment, a weapon and two skills.
    static UnitRecord Unit()
    {
        UnitRecord unit = Sample();
        unit.m_strName = "アレン";
        unit.m_strText = "ひとこと\nふたこと";
        unit.m_Equip[0].SetItem(1);
        unit.m_Skill.assign(3, SkillEntry());
        unit.m_Skill.At(0).m_nSkill = 2;
        unit.m_Skill.At(2).m_nSkill = 1;
        return unit;
    }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
};

TEST_P(RecordFrameTest, StatusListsAndBoxesMatchTheirStoredPicture)
{
    const int depth = GetParam();
    Start(depth);
    ScreenDrawTarget target;
    target.FillRect(0, 0, kScreenWidth, kScreenHeight, 0);

    const UnitRecord unit = Unit();
    unit.DrawStatus(target, 16, 16, 1);
    unit.DrawSkillList(target, 16, 264, 0, 4);

    const ItemList items = {ItemStack(3, 12), ItemStack(4, 1), ItemStack(), ItemStack()};
    DrawInventoryList(target, 240, 264, items, 0, 5, 1, kPriceBuy, nullptr, "    ----");

    SaveSlots.assign(3, SaveSlotInfo());
    SaveSlots.At(1).m_bUsed = 1;
    SaveSlots.At(1).m_nMoney = 1500;
    SaveSlots.At(1).m_nScoutPoints = 7;
    DrawSaveList(target, 16, 368, SaveSlots, 0, 3);

    LandRecord land;
    land.m_strName = "もり";
    land.m_nMoveCost = 2;
    land.m_strText = "みをかくせる";
    DrawLandInfo(target, land, 400, 400, 1);

    DDPresent(0);
    const platform::Frame* frame = DisplayFrames().TakeLatest();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->m_nBitsPerPixel, depth);
    ExpectStoredPicture(platform::FrameToImage(*frame), "records/records-" + std::to_string(depth) + ".png");
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Depths, RecordFrameTest, testing::Values(8, 16),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
