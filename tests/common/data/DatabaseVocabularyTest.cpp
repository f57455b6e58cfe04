#include "common/data/DatabaseVocabulary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct ListCase
{
    const char* name;
    const WordList& list;
    std::vector<std::string> words; // every visible entry, in row order
};

// Each list whole: the rows are stored in the files, so swapping two of them
// is a change of file format.
TEST(DatabaseVocabularyTest, ListsHoldTheirWordsInOrderAndEndWithOneEmptyEntry)
{
    const std::vector<std::string> colors = {"そのまま（カラーアニメなし）", "そのまま（カラーアニメあり）", "赤", "青",
                                             "紫", "黄", "緑", "黒"};
    const ListCase cases[] = {
        {"BattleAiActionNames", BattleAiActionNames, {"攻撃", "スキル", "クイック"}},
        {"AiSubjectNames", AiSubjectNames, {"自分", "相手"}},
        {"AiConditionParamNames",
         AiConditionParamNames,
         {"HP", "SP", "こうげき", "まもり", "まりょく", "ていこう", "わざ", "はんのう", "はやさ", "クラス", "レベル",
          "ターン", "残りターン数", "時間", "地形"}},
        {"ItemKindNames", ItemKindNames, {"薬", "装備-武器", "装備-その他", "宝"}},
        {"ItemColorNames", ItemColorNames, colors},
        {"LandEffectNames", LandEffectNames, {"なし", "戦闘時間の修正(%)"}},
        {"MoveAiModeNames", MoveAiModeNames, {"待機", "戦闘", "回復"}},
        {"MoveAiRangeNames", MoveAiRangeNames, {"マップ全範囲内", "行動範囲内", "自分＋隣4マス内"}},
        {"MoveAiTargetNames",
         MoveAiTargetNames,
         {"最も近い味方", "最も効果的な味方（武器攻撃計算）", "最も効果的な味方（魔法攻撃計算）", "最もHPが低い味方",
          "リーダーの味方", "最も近い敵", "最も弱っている敵", "自分自身", "最も近い目的地"}},
        {"SkillKindNames", SkillKindNames, {"武器攻撃", "魔法攻撃", "回復", "ダメージ軽減", "時間", "補助", "地形"}},
        {"SkillTargetNames", SkillTargetNames, {"自分", "相手", "時間", "地形"}},
        {"SkillSpecialNames", SkillSpecialNames, {"なし"}},
        {"SkillColorNames", SkillColorNames, colors},
        {"BgmSlotNames", BgmSlotNames, {"ステージ", "戦闘", "ワールドマップ", "タイトル"}},
        {"BgmChangeSceneNames", BgmChangeSceneNames, {"ステージ", "戦闘", "ワールドマップ"}},
        {"FormationMenuNames",
         FormationMenuNames,
         {"ステータス", "そうび", "リーダー", "おみせ", "やとう", "ふっかつ", "ほうしゅつ", "もちもの", "セーブ",
          "しゅつげき", "なんいど", "しゅうりょう"}},
        {"PlacementMenuNames",
         PlacementMenuNames,
         {"はいち", "いちこうかん", "とりけす", "マップをみる", "じょうけんをみる", "せんとうかいし"}},
        {"MapCharaMenuNames", MapCharaMenuNames, {"特殊コマンド", "たたかう", "たいき", "スキル", "もちもの"}},
        {"MapMenuNames", MapMenuNames, {"サーチ", "じょうけんをみる", "もちもの", "ターンしゅうりょう"}},
        {"BattleCharaMenuNames", BattleCharaMenuNames, {"こうげき", "スキル", "クイック", "もちもの"}},
    };
    for (const ListCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<std::string> expected = c.words;
        expected.push_back(""); // the entry that closes the list
        EXPECT_EQ(std::vector<std::string>(c.list.Words().begin(), c.list.Words().end()), expected);
        EXPECT_EQ(c.list.Count(), static_cast<int>(c.words.size()));
        // A row outside the list (a file changed by other means) reads as "".
        EXPECT_STREQ(c.list.At(c.list.Count()), "");
        EXPECT_STREQ(c.list.At(-1), "");
    }
}

TEST(DatabaseVocabularyTest, ParameterNamesComeFirstInTheirFixedOrder)
{
    const char* expected[] = {"HP", "SP", "こうげき", "まもり", "まりょく", "ていこう", "わざ", "はんのう", "はやさ"};
    for (int k = 0; k < 9; ++k)
    {
        EXPECT_STREQ(AiConditionParamNames.At(k), expected[k]);
    }
    EXPECT_STREQ(MoveAiTargetNames.At(8), "最も近い目的地");
}

TEST(DatabaseVocabularyTest, WordsAreCp932Text)
{
    // "攻撃" in CP932.
    EXPECT_EQ(std::string(BattleAiActionNames.At(0)), std::string("\x8D\x55\x8C\x82"));
}

} // namespace
