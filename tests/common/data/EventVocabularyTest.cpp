#include "common/data/EventVocabulary.h"

#include "common/data/WorldMapRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct WordList
{
    const char* name;
    const char* const* words;
    int count;
};

TEST(EventVocabularyTest, EveryListEndsWithOneEmptyWord)
{
    const WordList lists[] = {
        {"timings", TriggerTimingNames, kTriggerTimingCount},
        {"areas", AreaConditionNames, kAreaConditionCount},
        {"selectors", CharacterSelectorNames, kCharacterSelectorCount},
        {"presence", PresenceNames, kPresenceCount},
        {"cursor", CursorTargetNames, kCursorTargetCount},
        {"stats", StatNames, kStatCount},
        {"scenes", BgmSceneNames, kBgmSceneCount},
        {"operators", OperatorNames, kOperatorCount},
        {"comparisons", ComparisonNames, kComparisonCount},
        {"world kinds", WorldMapPageKindNames, kWorldMapPageKindCount},
        {"game clear", GameClearActionNames, kGameClearActionCount},
    };
    for (const WordList& list : lists)
    {
        for (int i = 0; i < list.count; ++i)
        {
            EXPECT_NE(std::string(list.words[i]), "") << list.name << " " << i;
        }
        EXPECT_EQ(std::string(list.words[list.count]), "") << list.name;
    }
}

TEST(EventVocabularyTest, RowsKeepTheStoredOrder)
{
    EXPECT_EQ(std::string(TriggerTimingNames[0]), "味方のターン開始後(B-1)");
    EXPECT_EQ(std::string(TriggerTimingNames[7]), "味方または敵のターン開始後(B-2)");
    EXPECT_EQ(std::string(TriggerTimingNames[10]), "戦闘開始前(F-1)");
    EXPECT_EQ(std::string(TriggerTimingNames[16]), "所持者の特殊コマンド使用後(E-2)");
    EXPECT_EQ(std::string(TriggerTimingNames[21]), "ステージ開始前(A)");
    EXPECT_EQ(std::string(CharacterSelectorNames[5]), "所持者");
    EXPECT_EQ(std::string(ComparisonNames[5]), "より下");
    // Full-width operators in CP932: "－" is 81 7C, "％" is 81 93.
    EXPECT_EQ(std::string(OperatorNames[2]), "\x81\x7C");
    EXPECT_EQ(std::string(OperatorNames[5]), "\x81\x93");
}

TEST(EventVocabularyTest, CommandTableGivesEachCodeItsArguments)
{
    struct Row
    {
        int code;
        const char* name;
        int ints, strings;
    };
    const Row rows[] = {
        {0, "", 0, 0},
        {1, "メッセージの表示", 0, 1},
        {2, "ウエイト", 1, 0},
        {3, "マップカーソルの移動", 4, 0},
        {7, "マップチップの変更", 4, 0},
        {8, "イベントのグラフィックを変更", 1, 0},
        {9, "BGMの変更", 1, 1},
        {10, "ステータスの操作", 7, 0},
        {13, "お店", 1, 0},
        {15, "パーティーの変更", 2, 0},
        {17, "ゲームオーバー", 0, 0},
    };
    for (const Row& row : rows)
    {
        const EventCommandInfo& info = EventCommandTable[row.code];
        EXPECT_EQ(std::string(info.m_pName), row.name) << row.code;
        EXPECT_EQ(info.m_nIntArgs, row.ints) << row.code;
        EXPECT_EQ(info.m_nStringArgs, row.strings) << row.code;
    }
    EXPECT_FALSE(IsEventCommandCode(-1));
    EXPECT_TRUE(IsEventCommandCode(17));
    EXPECT_FALSE(IsEventCommandCode(18));
}

} // namespace
