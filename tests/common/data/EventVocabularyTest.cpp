#include "common/data/EventVocabulary.h"

#include "common/data/WorldMapRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct ListCase
{
    const char* name;
    const char* const* words;
    int count;
    std::vector<std::string> expected; // every row, in order
};

// Each list whole, with the one empty word that closes it: the rows are
// stored in the files, so swapping two of them is a change of file format.
TEST(EventVocabularyTest, ListsHoldTheirRowsInOrderAndEndWithOneEmptyWord)
{
    const ListCase lists[] = {
        {"timings",
         TriggerTimingNames,
         kTriggerTimingCount,
         {"味方のターン開始後(B-1)", "味方のターン終了前(C-1)", "味方の行動終了後(D-1)", "味方の特殊コマンド使用後(E-1)",
          "敵のターン開始後(B-1)", "敵のターン終了前(C-1)", "敵の行動終了後(D-1)", "味方または敵のターン開始後(B-2)",
          "味方または敵のターン終了前(C-2)", "味方または敵の行動終了後(D-2)", "戦闘開始前(F-1)", "戦闘終了後(G-1)",
          "戦闘で味方が勝利した後(G-4)", "戦闘で味方が敗北した後(G-4)", "戦闘でリーダーが敗北した後(G-3)",
          "所持者の行動終了後(D-3)", "所持者の特殊コマンド使用後(E-2)", "所持者の戦闘開始前(F-2)",
          "所持者の戦闘終了後(G-2)", "所持者の戦闘で味方が勝利した後(G-5)", "所持者の戦闘で味方が敗北した後(G-5)",
          "ステージ開始前(A)"}},
        {"areas", AreaConditionNames, kAreaConditionCount, {"条件なし", "マップ全範囲内", "このイベントの位置", "位置グループ内"}},
        {"selectors",
         CharacterSelectorNames,
         kCharacterSelectorCount,
         {"キャラ", "味方", "敵", "行動中のキャラ", "リーダー", "所持者"}},
        {"presence", PresenceNames, kPresenceCount, {"いるなら", "いないなら"}},
        {"cursor",
         CursorTargetNames,
         kCursorTargetCount,
         {"このイベント", "リーダー", "位置グループで指定", "座標で指定"}},
        {"stats", StatNames, kStatCount, {"HP", "SP"}},
        {"scenes", BgmSceneNames, kBgmSceneCount, {"ステージ", "戦闘", "ワールドマップ"}},
        // Full-width characters: "－" is 81 7C in CP932, "％" 81 93.
        {"operators", OperatorNames, kOperatorCount, {"＝", "＋", "\x81\x7C", "×", "÷", "\x81\x93"}},
        {"comparisons", ComparisonNames, kComparisonCount, {"である", "でない", "以上", "以下", "より上", "より下"}},
        {"world kinds", WorldMapPageKindNames, kWorldMapPageKindCount, {"ステージ", "道", "壁"}},
        {"game clear", GameClearActionNames, kGameClearActionCount, {"しない", "2周目へ突入", "ゲーム終了"}},
    };
    for (const ListCase& list : lists)
    {
        std::vector<std::string> expected = list.expected;
        expected.push_back("");
        EXPECT_EQ(std::vector<std::string>(list.words, list.words + list.count + 1), expected) << list.name;
    }
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
