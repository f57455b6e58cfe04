// The list-row texts of the characters' skills to learn, movement AI, battle
// AI and battle-AI conditions.
#include "DatabaseTestSupport.h"
#include "common/data/CharacterRowTexts.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

using CharacterRowTextTest = dbtest::DatabaseTest;

LearnSkillEntry Learn(int32_t skill, int32_t level)
{
    LearnSkillEntry entry;
    entry.m_nSkill = skill;
    entry.m_nLevel = level;
    return entry;
}

MoveAiEntry Move(int32_t range, int32_t target, int32_t mode, int32_t skill)
{
    MoveAiEntry entry;
    entry.m_nRange = range;
    entry.m_nTarget = target;
    entry.m_nMode = mode;
    entry.m_nSkill = skill;
    entry.m_nGoalNum = 1; // not shown
    return entry;
}

BattleAiEntry Action(int32_t action, int32_t skill, int32_t priority, int32_t level)
{
    BattleAiEntry entry;
    entry.m_nAction = action;
    entry.m_nSkill = skill;
    entry.m_nPriority = priority;
    entry.m_nPriorityLevel = level;
    return entry;
}

BattleAiCondition Condition(int32_t subject, int32_t param, int32_t value, int32_t compare, int32_t percent)
{
    BattleAiCondition condition;
    condition.m_nSubject = subject;
    condition.m_nParam = param;
    condition.m_nValue = value;
    condition.m_nCompare = compare;
    condition.m_bPercent = percent;
    return condition;
}

TEST_F(CharacterRowTextTest, RowsNameWhatTheEntriesHold)
{
    // Skills: 1 "ヒール" in category 0 "回復系", 2 "ファイア" in category 1 "魔法",
    // 3 "ナゾ" in a category the System does not have.
    System.m_SkillCategory.resize(2);
    System.m_SkillCategory.At(0).m_strName = "回復系";
    System.m_SkillCategory.At(1).m_strName = "魔法";
    SkillTable.resize(4);
    const std::pair<const char*, int32_t> skills[] = {{"", 0}, {"ヒール", 0}, {"ファイア", 1}, {"ナゾ", 7}};
    for (int s = 0; s < 4; ++s)
    {
        SkillTable.At(s).m_strName = skills[s].first;
        SkillTable.At(s).m_nCategory = skills[s].second;
    }
    BattleAiEntry newEntry;
    newEntry.SetDefaults();

    struct Case
    {
        const char* what;
        std::function<std::string()> text;
        const char* expected;
    };
    const Case cases[] = {
        {"learn", [] { return LearnSkillRowText(Learn(2, 5)); }, "LV5 魔法-ファイア"},
        {"learn, category unknown", [] { return LearnSkillRowText(Learn(3, 12)); }, "LV12 -ナゾ"},
        {"learn, skill unknown", [] { return LearnSkillRowText(Learn(9, 3)); }, "LV3 -"},
        {"move, wait", [] { return MoveAiRowText(Move(0, 8, 0, 2)); }, "マップ全範囲内 で 最も近い目的地 に 待機"},
        {"move, battle", [] { return MoveAiRowText(Move(1, 5, 1, 2)); }, "行動範囲内 で 最も近い敵 に 戦闘"},
        {"move, recover", [] { return MoveAiRowText(Move(2, 3, 2, 1)); },
         "自分＋隣4マス内 で 最もHPが低い味方 に 回復(ヒール)"},
        {"move, recover, skill unknown", [] { return MoveAiRowText(Move(2, 7, 2, -1)); },
         "自分＋隣4マス内 で 自分自身 に 回復()"},
        {"move, range and target unknown", [] { return MoveAiRowText(Move(3, 9, 0, 0)); }, " で  に 待機"},
        {"move, mode unknown", [] { return MoveAiRowText(Move(0, 0, 3, 0)); }, ""},
        {"attack, new entry", [&newEntry] { return BattleAiRowText(newEntry); }, "攻撃 (優先1-10)"},
        {"skill", [] { return BattleAiRowText(Action(1, 2, 3, 20)); }, "スキル 魔法-ファイア (優先3-20)"},
        {"quick", [] { return BattleAiRowText(Action(2, 1, 7, 1)); }, "クイック 回復系-ヒール (優先7-1)"},
        {"skill unknown", [] { return BattleAiRowText(Action(1, 4, 3, 20)); }, "スキル - (優先3-20)"},
        {"action unknown", [] { return BattleAiRowText(Action(3, 1, 1, 1)); }, ""},
        {"condition, new", [] { return BattleAiConditionText(BattleAiCondition()); }, "自分 の HP が 0 である"},
        {"condition, percent", [] { return BattleAiConditionText(Condition(1, 0, 50, 3, 1)); },
         "相手 の HP が 50％ 以下"},
        {"condition, value", [] { return BattleAiConditionText(Condition(0, 14, -5, 5, 0)); },
         "自分 の 地形 が -5 より下"},
        {"condition, percent flag other than 1", [] { return BattleAiConditionText(Condition(1, 1, 30, 2, 2)); },
         "相手 の SP が 30 以上"},
        {"condition, names unknown", [] { return BattleAiConditionText(Condition(2, 15, 1, 6, 0)); }, " の  が 1 "},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.text(), c.expected) << c.what;
    }
}

} // namespace
