#include "EventImages.h"
#include "ProjectFixture.h"
#include "common/data/EventVocabulary.h"
#include "common/data/MapGrid.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

using namespace event_images;

using StageTest = ProjectFixture;

template <class T> std::vector<unsigned char> Image(T& record)
{
    DataWriter out;
    record.Save(out);
    return out.Bytes();
}

// The parts of a hand-made stage file.
ByteBuilder& StageHead(ByteBuilder& b, int32_t version, int32_t width, int32_t height, int32_t startGroup)
{
    int32_t shift = GridRowShift(width);
    b.Int(version);
    if (version >= 83)
    {
        b.Int(9).Ints({width, height, 1 << shift, shift, startGroup, 300, 60, 110, 40});
    }
    else
    {
        b.Int(6).Ints({width, height, 1 << shift, shift, startGroup, 300});
    }
    return b.Int(2).String("砦").String("bgm\\a.mid");
}

ByteBuilder& Chips(ByteBuilder& b, const std::vector<int32_t>& cells)
{
    b.Int(static_cast<int32_t>(cells.size()));
    for (int32_t v : cells)
    {
        b.Int(v);
    }
    return b;
}

struct PlacementImage
{
    int32_t enemy, x, y, group;
    std::vector<int32_t> goals; // one move-AI entry per goal
};

ByteBuilder& Placements(ByteBuilder& b, const std::vector<PlacementImage>& placements)
{
    b.Int(static_cast<int32_t>(placements.size()));
    for (const PlacementImage& p : placements)
    {
        b.Int(4).Ints({p.enemy, p.x, p.y, p.group}).Int(0);
        b.Int(static_cast<int32_t>(p.goals.size()));
        for (int32_t goal : p.goals)
        {
            b.Int(5).Ints({0, 8, 1, 0, goal}).Int(0);
        }
    }
    return b;
}

struct GroupImage
{
    int32_t cx, cy;
    std::vector<MapPoint> points;
};

ByteBuilder& Groups(ByteBuilder& b, const std::vector<GroupImage>& groups)
{
    b.Int(static_cast<int32_t>(groups.size()));
    for (const GroupImage& g : groups)
    {
        b.Int(2).Ints({g.cx, g.cy}).Int(1).String("G");
        b.Int(static_cast<int32_t>(g.points.size()));
        for (MapPoint p : g.points)
        {
            b.Int(p.m_nX).Int(p.m_nY);
        }
    }
    return b;
}

struct ExplanationImage
{
    int32_t mode, enemy, group, x, y, shown;
};

ByteBuilder& Explanations(ByteBuilder& b, int32_t version, const std::vector<ExplanationImage>& pages)
{
    b.Int(static_cast<int32_t>(pages.size()));
    for (const ExplanationImage& p : pages)
    {
        if (version >= 79)
        {
            b.Int(6).Ints({p.mode, p.enemy, p.group, p.x, p.y, p.shown});
        }
        else
        {
            b.Int(3).Ints({p.mode, p.enemy, p.shown});
        }
        b.Int(1).String("説明");
    }
    return b;
}

ByteBuilder& Events(ByteBuilder& b, int32_t version,
                    const std::vector<std::pair<MapPoint, std::vector<PageImage>>>& events)
{
    b.Int(static_cast<int32_t>(events.size()));
    for (const auto& [at, pages] : events)
    {
        EventImage(b, version, at.m_nX, at.m_nY, "E", pages);
    }
    return b;
}

// A 30 x 3 stage with three groups whose placements, events and pages use the
// third group and the columns beyond 20: more than a new open stage holds.
std::vector<unsigned char> WideStage(int32_t version)
{
    std::vector<int32_t> cells(32 * 3, 0);
    cells[2 * 32 + 25] = 4;
    const std::vector<PlacementImage> placements = {{2, 25, 1, 0, {2, 1}}, {1, 30, 0, 3, {}}};
    const std::vector<PageImage> pages = {
        {.group = 2, .commands = {{kCommandMoveCursor, {2, 2, 28, 2}}, {kCommandStatus, {0, 0, 0, 2, 0, 0, 0}}}}};
    const std::vector<std::pair<MapPoint, std::vector<PageImage>>> mapEvents = {{{25, 2}, pages}, {{3, 3}, pages}};
    const std::vector<std::pair<MapPoint, std::vector<PageImage>>> paletteEvents = {{{40, 40}, pages}};
    const std::vector<GroupImage> groups = {{0, 0, {}}, {1, 1, {{0, 0}}}, {26, 2, {{25, 2}, {29, 0}, {30, 0}}}};
    const std::vector<ExplanationImage> win = {{3, 1, 2, 29, 2, 2}};

    ByteBuilder b;
    StageHead(b, version, 30, 3, 2);
    Chips(b, cells);
    if (version >= 102)
    {
        Groups(b, groups);
    }
    Placements(b, placements);
    Events(b, version, mapEvents);
    Events(b, version, paletteEvents);
    if (version < 102)
    {
        Groups(b, groups);
    }
    Explanations(b, version, win);
    Explanations(b, version, {});
    Explanations(b, version, {});
    return b;
}

TEST_F(StageTest, OldOrderAndTodaysOrderGiveTheSameStage)
{
    m_Folder.WriteFile("old.stg_101", WideStage(101));
    m_Folder.WriteFile("new.stg_276", WideStage(276));
    StageRecord old, now;
    ASSERT_EQ(LoadRecordFile(old, "old.stg_101", 0), 1);
    ASSERT_EQ(LoadRecordFile(now, "new.stg_276", 0), 1);
    EXPECT_EQ(HexBytes(Image(old)), HexBytes(Image(now)));
    // Saved at 276 and read back, it is still the same stage.
    ASSERT_EQ(SaveRecordFile(old, "saved.stg_276"), 1);
    StageRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, "saved.stg_276", 0), 1);
    EXPECT_EQ(HexBytes(Image(saved)), HexBytes(Image(now)));

    // Everything that the file holds for its own size and groups survived,
    // though the open stage is 20 x 15 with two groups.
    EXPECT_EQ(old.m_nStartGroup, 2);
    EXPECT_EQ(old.CellAt(25, 2), 4);
    ASSERT_EQ(old.m_Enemy.size(), 2u);
    EXPECT_EQ(old.m_Enemy[0].m_nX, 25);
    ASSERT_EQ(old.m_Enemy[0].m_MoveAI.size(), 2u);
    EXPECT_EQ(old.m_Enemy[0].m_MoveAI[0].m_nGoalNum, 2);
    EXPECT_EQ(old.m_Enemy[0].m_MoveAI[1].m_nGoalNum, 1);
    EXPECT_EQ(old.m_Enemy[1].m_nX, -1); // x = width: off the map
    EXPECT_EQ(old.m_Enemy[1].m_nY, -1);
    ASSERT_EQ(old.m_Event.size(), 1u); // the event at y = height is gone
    const EventPage& page = old.m_Event[0].m_Page.At(0);
    EXPECT_EQ(page.m_nGroup, 2);
    EXPECT_EQ(page.m_Action.At(0).m_nValParam, (CheckedVector<int32_t>{2, 2, 28, 2}));
    EXPECT_EQ(page.m_Action.At(1).m_nValParam.At(3), 2);
    ASSERT_EQ(old.m_PaletteEvent.size(), 1u); // a palette event may stand anywhere
    EXPECT_EQ(old.m_PaletteEvent[0].m_nX, 40);
    EXPECT_EQ(old.m_PaletteEvent[0].m_Page.At(0).m_nGroup, 2);
    ASSERT_EQ(old.m_GroupPos.size(), 3u);
    EXPECT_EQ(old.m_GroupPos[2].m_nCenterX, 26);
    EXPECT_EQ(old.m_GroupPos[2].m_Point, (CheckedVector<MapPoint>{{25, 2}, {29, 0}}));
    ASSERT_EQ(old.m_WinPage.size(), 1u);
    EXPECT_EQ(old.m_WinPage[0].m_nX, 29);
    EXPECT_EQ(old.m_WinPage[0].m_nGroup, 2);
    EXPECT_EQ(old.m_WinPage[0].m_nEnemy, 1);

    // The open stage itself is untouched by loading another.
    EXPECT_EQ(Stage.m_nWidth, 20);
}

TEST_F(StageTest, VersionSeventySevenHasNoOtherPagesAndTakesTheDefaults)
{
    ByteBuilder b;
    StageHead(b, 77, 4, 2, 1);
    Chips(b, std::vector<int32_t>(8, 1));
    Placements(b, {});
    Events(b, 77, {});
    Events(b, 77, {});
    Groups(b, {{0, 0, {}}, {1, 1, {{3, 1}}}});
    Explanations(b, 77, {{2, 0, 0, 0, 0, 1}});
    Explanations(b, 77, {});
    m_Folder.WriteFile("old.stg_077", b);

    // The stage held before must leave nothing behind.
    StageRecord stage;
    stage.m_OtherPage.resize(2);
    stage.m_nClearedRewardRate = 7;
    stage.m_nFirstExpRate = 7;
    ASSERT_EQ(LoadRecordFile(stage, "old.stg_077", 0), 1);
    EXPECT_TRUE(stage.m_OtherPage.empty());
    EXPECT_EQ(stage.m_nClearedRewardRate, 50);
    EXPECT_EQ(stage.m_nFirstExpRate, 100);
    EXPECT_EQ(stage.m_nClearedExpRate, 50);
    EXPECT_EQ(stage.m_nReward, 300);
    EXPECT_EQ(stage.m_strName, "砦");
    ASSERT_EQ(stage.m_WinPage.size(), 1u);
    EXPECT_EQ(stage.m_WinPage[0].m_nCursorMode, 2);
    EXPECT_EQ(stage.m_WinPage[0].m_nShownGroup, 1);
    EXPECT_EQ(stage.m_WinPage[0].m_strText, "説明");
    EXPECT_EQ(stage.m_GroupPos[1].m_Point.size(), 1u);

    stage.m_OtherPage.resize(1);
    ASSERT_EQ(SaveRecordFile(stage, "new.stg_276"), 1);
    StageRecord back;
    ASSERT_EQ(LoadRecordFile(back, "new.stg_276", 0), 1);
    EXPECT_EQ(back.m_WinPage.size(), 1u);
    EXPECT_EQ(back.m_LosePage.size(), 0u);
    EXPECT_EQ(back.m_OtherPage.size(), 1u);
    EXPECT_EQ(back.m_nClearedRewardRate, 50);
}

TEST_F(StageTest, ResizeKeepsTheOverlap)
{
    StageRecord stage;
    for (int32_t y = 0; y < 15; ++y)
    {
        for (int32_t x = 0; x < 20; ++x)
        {
            stage.CellAt(x, y) = 1 + (x + y) % 4;
        }
    }
    stage.ResizeMap(40, 10);
    EXPECT_EQ(stage.m_nPitch, 64);
    EXPECT_EQ(stage.m_nShift, 6);
    ASSERT_EQ(stage.m_Chip.size(), 640u);
    for (int32_t y = 0; y < 10; ++y)
    {
        for (int32_t x = 0; x < 64; ++x)
        {
            ASSERT_EQ(stage.CellAt(x, y), x < 20 ? 1 + (x + y) % 4 : 0) << x << ", " << y;
        }
    }
    stage.ClearMap();
    EXPECT_EQ(std::count(stage.m_Chip.begin(), stage.m_Chip.end(), 0), 640);
}

TEST_F(StageTest, ValidateRepairsIndicesAndPositions)
{
    StageRecord& stage = Stage;
    stage.m_nStartGroup = 5;
    stage.CellAt(0, 0) = 5; // the number of lands
    stage.CellAt(1, 0) = 4;
    stage.CellAt(2, 0) = -1;
    stage.m_Enemy.resize(3);
    stage.m_Enemy[0].m_nX = 20;
    stage.m_Enemy[0].m_nY = 3;
    stage.m_Enemy[0].m_nEnemy = 3;
    stage.m_Enemy[1].SetDefaults();
    stage.m_Enemy[2].m_nX = 19;
    stage.m_Enemy[2].m_nY = 14;
    stage.m_Enemy[2].m_MoveAI.resize(1);
    stage.m_Enemy[2].m_MoveAI[0].m_nGoalNum = 2;
    stage.m_GroupPos[1].m_Point = {{19, 14}, {20, 0}, {0, 15}, {2, 2}};
    stage.m_GroupPos[1].m_nCenterX = 20;
    stage.m_GroupPos[1].m_nCenterY = 14;
    stage.m_WinPage.resize(1);
    stage.m_WinPage[0].m_nEnemy = 3;
    stage.m_WinPage[0].m_nGroup = 2;
    stage.m_WinPage[0].m_nX = 25;
    stage.m_WinPage[0].m_nY = 15;
    stage.m_WinPage[0].m_nShownGroup = -1;
    Event event;
    stage.PutEvent(event, 3, 15);
    stage.m_PaletteEvent[0].m_nY = 99;

    stage.Validate();
    EXPECT_EQ(stage.m_nStartGroup, 0);
    EXPECT_EQ(stage.CellAt(0, 0), 0);
    EXPECT_EQ(stage.CellAt(1, 0), 4);
    EXPECT_EQ(stage.CellAt(2, 0), 0);
    EXPECT_EQ(stage.m_Enemy[0].m_nX, -1);
    EXPECT_EQ(stage.m_Enemy[0].m_nY, -1);
    EXPECT_EQ(stage.m_Enemy[0].m_nEnemy, 0);
    EXPECT_EQ(stage.m_Enemy[1].m_nX, -1);
    EXPECT_EQ(stage.m_Enemy[2].m_nX, 19);
    EXPECT_EQ(stage.m_Enemy[2].m_MoveAI[0].m_nGoalNum, 0);
    EXPECT_EQ(stage.m_GroupPos[1].m_Point, (CheckedVector<MapPoint>{{19, 14}, {2, 2}}));
    EXPECT_EQ(stage.m_GroupPos[1].m_nCenterX, 0);
    EXPECT_EQ(stage.m_GroupPos[1].m_nCenterY, 14);
    EXPECT_EQ(stage.m_WinPage[0].m_nEnemy, 0);
    EXPECT_EQ(stage.m_WinPage[0].m_nGroup, 1); // 1, not 0
    EXPECT_EQ(stage.m_WinPage[0].m_nX, 19);
    EXPECT_EQ(stage.m_WinPage[0].m_nY, 14);
    EXPECT_EQ(stage.m_WinPage[0].m_nShownGroup, 0);
    EXPECT_TRUE(stage.m_Event.empty());
    EXPECT_EQ(stage.m_PaletteEvent.size(), 1u);
}

TEST_F(StageTest, GridFollowsTheWidthWhateverTheFileStored)
{
    // Stored pitch 16 and shift 4 for width 3 (pitch 4); count 5 for a 3 x 2 map,
    // then 12 for a 3 x 1 map.
    for (auto [height, count] : {std::pair{2, 5}, std::pair{1, 12}})
    {
        ByteBuilder b;
        b.Int(276).Int(9).Ints({3, height, 16, 4, 0, 0, 0, 0, 0}).Int(0);
        std::vector<int32_t> cells;
        for (int32_t i = 0; i < count; ++i)
        {
            cells.push_back(1 + i % 4);
        }
        Chips(b, cells);
        Groups(b, {{0, 0, {}}});
        for (int i = 0; i < 6; ++i)
        {
            b.Int(0);
        }
        m_Folder.WriteFile("grid.stg_276", b);
        StageRecord stage;
        ASSERT_EQ(LoadRecordFile(stage, "grid.stg_276", 0), 1);
        EXPECT_EQ(stage.m_nPitch, 4);
        EXPECT_EQ(stage.m_nShift, 2);
        ASSERT_EQ(stage.m_Chip.size(), static_cast<std::size_t>(4 * height));
        for (int32_t i = 0; i < 4 * height; ++i)
        {
            EXPECT_EQ(stage.m_Chip[static_cast<std::size_t>(i)], i < count ? 1 + i % 4 : 0) << i;
        }
    }
}

TEST_F(StageTest, CorruptStageLeavesTheStageAsItWas)
{
    std::vector<unsigned char> good = WideStage(276);
    const std::vector<std::vector<unsigned char>> bad = {
        {good.begin(), good.end() - 4}, // the last page list cut
        ByteBuilder().Int(276).Int(9).Ints({-3, 2, 1, 0, 0, 0, 0, 0, 0}).Int(0).Int(0),
        ByteBuilder().Int(276).Int(9).Ints({3, 100000, 4, 2, 0, 0, 0, 0, 0}).Int(0).Int(0),
        ByteBuilder().Int(276).Int(9).Ints({3, 2, 4, 2, 0, 0, 0, 0, 0}).Int(0).Int(-1),
    };
    for (const std::vector<unsigned char>& bytes : bad)
    {
        m_Folder.WriteFile("bad.stg_276", bytes);
        Stage.m_strName = "open";
        EXPECT_EQ(LoadRecordFile(Stage, "bad.stg_276", 0), 0);
        EXPECT_EQ(Stage.m_strName, "open");
        EXPECT_EQ(Stage.m_nWidth, 20);
        EXPECT_EQ(Stage.m_GroupPos.size(), 2u);
    }
}

TEST_F(StageTest, NewStageSurvivesSaveLoadSaveByteForByte)
{
    StageRecord stage;
    EXPECT_EQ(stage.m_strName, "ステージ");
    EXPECT_EQ(stage.m_GroupPos.size(), 2u);
    ASSERT_EQ(stage.m_PaletteEvent.size(), 1u);
    EXPECT_EQ(stage.m_PaletteEvent[0].m_strName, "デフォルト");
    EXPECT_EQ(stage.m_PaletteEvent[0].m_Page.size(), 1u);
    EXPECT_EQ(stage.m_nFirstExpRate, 100);

    std::filesystem::create_directories("data/stg");
    ASSERT_EQ(SaveStageFile(stage, "data\\stg\\新しい.stg"), 1);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(u8"data/stg/新しい.stg_276")));
    std::vector<unsigned char> saved = m_Folder.ReadFile(std::filesystem::u8path(u8"data/stg/新しい.stg_276"));

    StageRecord back;
    back.m_strName = "other";
    ASSERT_EQ(LoadNumberedCopy(back, "data\\stg\\新しい.stg", "stg", 0), 1);
    EXPECT_EQ(back.m_strName, "ステージ");
    ASSERT_EQ(SaveStageFile(back, "again"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("again_276")), HexBytes(saved));

    // Record image, 640 cells, then the vectors in today's order.
    std::vector<unsigned char> head =
        ByteBuilder().Int(276).Int(9).Ints({20, 15, 32, 5, 0, 0, 50, 100, 50}).Int(2).String("ステージ").String("");
    EXPECT_EQ(HexBytes({saved.begin(), saved.begin() + static_cast<long>(head.size())}), HexBytes(head));
}

TEST_F(StageTest, EventLookups)
{
    StageRecord& stage = Stage;
    Event a;
    a.m_strName = "a";
    stage.PutEvent(a, 2, 3);
    EXPECT_EQ(a.m_nX, 2);
    Event b;
    b.m_strName = "b";
    stage.PutEvent(b, 4, 4);
    stage.m_Event.push_back(stage.m_Event[0]); // a second event at (2, 3)
    stage.m_Event.back().m_strName = "a2";
    EXPECT_TRUE(stage.HasEventAt(2, 3));
    EXPECT_FALSE(stage.HasEventAt(3, 2));
    EXPECT_EQ(stage.GetEventAt(2, 3)->m_strName, "a");
    EXPECT_EQ(stage.GetEventAt(0, 0), nullptr);

    stage.PutEvent(b, 2, 3); // replaces both
    ASSERT_EQ(stage.m_Event.size(), 2u);
    EXPECT_EQ(stage.GetEventAt(2, 3)->m_strName, "b");
    EXPECT_FALSE(stage.RemoveEvent(&b));
    EXPECT_TRUE(stage.RemoveEvent(stage.GetEventAt(4, 4)));
    EXPECT_TRUE(stage.RemoveEventAt(2, 3));
    EXPECT_FALSE(stage.RemoveEventAt(2, 3));
    EXPECT_TRUE(stage.m_Event.empty());
}

} // namespace
