#include "CharacterRowTexts.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/data/EventVocabulary.h"
#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"

namespace
{

constexpr int32_t kMoveAiModeWait = 0;
constexpr int32_t kMoveAiModeBattle = 1;
constexpr int32_t kMoveAiModeRecover = 2;

constexpr int32_t kBattleAiAttack = 0;
constexpr int32_t kBattleAiSkill = 1;
constexpr int32_t kBattleAiQuick = 2;

const char* SkillName(int32_t skill)
{
    return IsTableIndex(skill, SkillTable.Count()) ? SkillTable.At(skill).m_strName.c_str() : "";
}

const char* SkillCategoryName(int32_t skill)
{
    if (!IsTableIndex(skill, SkillTable.Count()))
    {
        return "";
    }
    const int32_t category = SkillTable.At(skill).m_nCategory;
    return IsTableIndex(category, System.m_SkillCategory.Count()) ? System.m_SkillCategory.At(category).m_strName.c_str()
                                                                 : "";
}

const char* ComparisonName(int32_t compare)
{
    return IsTableIndex(compare, kComparisonCount) ? ComparisonNames[compare] : "";
}

} // namespace

std::string LearnSkillRowText(const LearnSkillEntry& entry)
{
    std::string text;
    FormatString(text, "LV%d %s-%s", entry.m_nLevel, SkillCategoryName(entry.m_nSkill), SkillName(entry.m_nSkill));
    return text;
}

std::string MoveAiRowText(const MoveAiEntry& entry)
{
    std::string text;
    const char* range = MoveAiRangeNames.At(entry.m_nRange);
    const char* target = MoveAiTargetNames.At(entry.m_nTarget);
    const char* mode = MoveAiModeNames.At(entry.m_nMode);
    switch (entry.m_nMode)
    {
    case kMoveAiModeWait:
    case kMoveAiModeBattle:
        FormatString(text, "%s で %s に %s", range, target, mode);
        break;
    case kMoveAiModeRecover:
        FormatString(text, "%s で %s に %s(%s)", range, target, mode, SkillName(entry.m_nSkill));
        break;
    default:
        break;
    }
    return text;
}

std::string BattleAiRowText(const BattleAiEntry& entry)
{
    std::string text;
    const char* category = SkillCategoryName(entry.m_nSkill);
    const char* skill = SkillName(entry.m_nSkill);
    switch (entry.m_nAction)
    {
    case kBattleAiAttack:
        FormatString(text, "攻撃 (優先%d-%d)", entry.m_nPriority, entry.m_nPriorityLevel);
        break;
    case kBattleAiSkill:
        FormatString(text, "スキル %s-%s (優先%d-%d)", category, skill, entry.m_nPriority, entry.m_nPriorityLevel);
        break;
    case kBattleAiQuick:
        FormatString(text, "クイック %s-%s (優先%d-%d)", category, skill, entry.m_nPriority, entry.m_nPriorityLevel);
        break;
    default:
        break;
    }
    return text;
}

std::string BattleAiConditionText(const BattleAiCondition& condition)
{
    std::string text;
    FormatString(text, condition.m_bPercent == 1 ? "%s の %s が %d％ %s" : "%s の %s が %d %s",
                 AiSubjectNames.At(condition.m_nSubject), AiConditionParamNames.At(condition.m_nParam),
                 condition.m_nValue, ComparisonName(condition.m_nCompare));
    return text;
}
