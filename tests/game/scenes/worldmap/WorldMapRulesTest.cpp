#include "game/scenes/worldmap/WorldMapRules.h"

#include "../../data/GameDataTest.h"

namespace
{

class WorldMapRulesTest : public GameDataTest
{
};

TEST_F(WorldMapRulesTest, AStagePageNamesItsFileInTheStageFolderUnlessItNamesAFolder)
{
    struct Case
    {
        const char* m_pName;
        const char* m_pPath;
    };
    const Case cases[] = {
        {"Fort.stg", "data\\stg\\Fort.stg"},
        {"Fort", "data\\stg\\Fort"},
        // The second byte of 表 is a '\\', which makes no folder.
        {"表.stg", "data\\stg\\表.stg"},
        // As the editor's file choice stores it: relative to the project folder.
        {"data\\stg\\Fort.stg_276", "data\\stg\\Fort.stg_276"},
        {"more/Fort.stg", "more/Fort.stg"},
    };
    for (const Case& c : cases)
    {
        WorldMapEventPage page;
        page.m_strStageFile = c.m_pName;
        EXPECT_EQ(StageFilePath(page), c.m_pPath) << c.m_pName;
    }
}

TEST_F(WorldMapRulesTest, TheStageIsReadFromTheNewestCopyWithoutCarriageReturnsOrLeftAsItWas)
{
    const struct
    {
        const char* m_pFile;
        const char* m_pName;
    } files[] = {{"data\\stg\\表.stg_200", "ふるい"}, {"data\\stg\\表.stg_276", "あたらしい\r\nステージ"}};
    std::filesystem::create_directories("data/stg");
    for (const auto& file : files)
    {
        StageRecord stage;
        stage.m_strName = file.m_pName;
        ASSERT_EQ(SaveRecordFile(stage, file.m_pFile), 1);
    }
    struct Case
    {
        const char* m_pStageFile;
        bool m_bLoads;
        const char* m_pStageName;
    };
    const Case cases[] = {
        {"表.stg", true, "あたらしい\nステージ"},
        {"data\\stg\\表.stg_276", true, "あたらしい\nステージ"},
        {"表.old", true, "あたらしい\nステージ"}, // any extension finds the copies
        {"ない.stg", false, "まえ"},
        {"", false, "まえ"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pStageFile);
        Stage.m_strName = "まえ";
        WorldMapEventPage page;
        page.m_strStageFile = c.m_pStageFile;
        EXPECT_EQ(LoadStageOfPage(page), c.m_bLoads);
        EXPECT_EQ(Stage.m_strName, c.m_pStageName);
    }
}

TEST_F(WorldMapRulesTest, ThePageOfNowIsTheFirstWhoseConditionsHold)
{
    WorldMapEvent event;
    event.Init();
    event.m_Page.assign(4, WorldMapEventPage());
    event.m_Page.At(0).m_nNeedStage = 3;
    event.m_Page.At(1).m_nVariable = 2;
    event.m_Page.At(1).m_nVariableValue = 10;
    event.m_Page.At(1).m_nVariableCompare = 4; // >
    event.m_Page.At(2).m_nVariable = 2;
    event.m_Page.At(2).m_nVariableValue = 10;
    event.m_Page.At(2).m_nVariableCompare = 9; // no comparison: never holds
    event.m_Page.At(3).m_nNeedStage = 4;
    struct Case
    {
        const char* m_pName;
        int32_t m_nCleared; // a stage cleared; 0 none
        int32_t m_nVariable;
        int m_nPage; // -1: none
    };
    const Case cases[] = {
        {"nothing holds", 0, 10, -1},
        {"the variable", 0, 11, 1},
        {"the last page's stage", 4, 10, 3},
        {"the first page's stage before the variable", 3, 11, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        Progress.m_ClearedFlags.clear();
        if (c.m_nCleared)
        {
            Progress.SetClearedFlag(c.m_nCleared, 1);
        }
        Progress.SetVariable(2, c.m_nVariable);
        const WorldMapEventPage* page = ActivePage(event);
        EXPECT_EQ(page ? static_cast<int>(page - &event.m_Page.At(0)) : -1, c.m_nPage);
    }
}

} // namespace
