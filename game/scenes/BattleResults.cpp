#include "BattleResults.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/data/StageRecord.h"
#include "common/services/Arithmetic.h"
#include "game/data/GameData.h"
#include "game/scenes/StageField.h"

#include <algorithm>
#include <cstdint>

namespace
{

// A recovery value of a record: as it stands, or a percentage of the maximum.
int64_t RecoveryValue(int32_t value, int32_t percentFlag, int32_t maximum)
{
    return percentFlag ? PercentOf(value, maximum) : value;
}

int32_t ClampTo(int64_t value, int32_t low, int32_t high)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::min(low, high), high));
}

} // namespace

void AddFallMessage(const BattleParticipant& friendSide, const BattleParticipant& enemySide,
                    std::vector<std::string>& lines)
{
    std::string line;
    if (friendSide.m_bDead)
    {
        FormatString(line, "%sはしんだ…", friendSide.m_strName.c_str());
    }
    else if (enemySide.m_bDead)
    {
        FormatString(line, "%sをたおした！", enemySide.m_strName.c_str());
    }
    else
    {
        return;
    }
    lines.push_back(line);
}

void RecoverAfterBattle(BattleParticipant& participant, const LandRecord* land)
{
    for (int k : {kParamHp, kParamSp})
    {
        const int32_t maximum = participant.Max(k);
        int64_t sum = 0;
        for (int32_t item : participant.m_nEquip)
        {
            if (item != 0)
            {
                const ItemRecord& record = ItemTable.At(item);
                sum += RecoveryValue(record.m_nValue[k], record.m_bPercent, maximum);
            }
        }
        if (land)
        {
            sum += RecoveryValue(land->m_nEffect[k], land->m_bPercent, maximum);
        }
        participant.m_nValue[k] = ClampTo(participant.Value(k) + sum, k == kParamHp ? 1 : 0, maximum);
    }
}

void GrantExperience(BattleParticipant& friendSide, UnitRecord& unit, const BattleParticipant& enemySide,
                     int32_t experiencePercent, std::vector<std::string>& lines)
{
    int32_t experience = unit.CalcExperience(enemySide.Level(), enemySide.m_bDead != 0);
    experience = std::max(PercentOf(experience, experiencePercent), 0);
    if (unit.m_nLevel >= unit.m_nMaxLevel)
    {
        experience = 0;
    }
    unit.m_nExp = ClampTo(static_cast<int64_t>(unit.m_nExp) + experience, INT32_MIN, INT32_MAX);
    std::string line;
    FormatString(line, "EXを%dかくとく！", experience);
    lines.push_back(line);

    const int32_t level = unit.m_nLevel;
    int32_t before[kParameterCount];
    for (int k = 0; k < kParameterCount; ++k)
    {
        before[k] = unit.m_Param[k].m_nBase;
    }
    const int skills = unit.CountSkills();
    unit.LevelUp(false);
    const int32_t levels = unit.m_nLevel - level;
    if (levels <= 0)
    {
        return;
    }
    int32_t rise[kParameterCount];
    for (int k = 0; k < kParameterCount; ++k)
    {
        rise[k] = unit.m_Param[k].m_nBase - before[k];
    }
    std::string text;
    FormatString(text, "%sのLVが%dあがった！\n", friendSide.m_strName.c_str(), levels);
    FormatString(line,
                 "%sHP   + %d  SP   + %d\nこうげき + %d  まもり  + %d\nまりょく + %d  ていこう + %d\nわざ   + %d  "
                 "はんのう + %d\nはやさ  + %d\n",
                 text.c_str(), rise[0], rise[1], rise[2], rise[3], rise[4], rise[5], rise[6], rise[7], rise[8]);
    if (unit.CountSkills() > skills)
    {
        text = line;
        FormatString(line, "%sあらたにスキルをおぼえた！", text.c_str());
    }
    lines.push_back(line);

    Progress.m_nScoutPoints =
        ClampTo(static_cast<int64_t>(Progress.m_nScoutPoints) + levels, kMinScoutPoints, kMaxScoutPoints);
    for (int k : {kParamHp, kParamSp})
    {
        const int32_t maximum = unit.m_Param[k].m_nBase;
        const int64_t raised = static_cast<int64_t>(friendSide.Value(k)) + rise[k];
        friendSide.m_nMax[k] = maximum;
        friendSide.m_nValue[k] = ClampTo(raised, k == kParamHp ? 1 : 0, maximum);
    }
}

int32_t StageExperiencePercent(const StageRecord& stage, bool clearedBefore)
{
    return clearedBefore ? stage.m_nClearedExpRate : stage.m_nFirstExpRate;
}

void SettleFallenUnits(UnitRecord* friendUnit, CharacterRecord& enemyUnit, StageField& field)
{
    if (enemyUnit.m_nPlayD)
    {
        field.RemoveUnit(enemyUnit);
    }
    if (!friendUnit || !friendUnit->m_nPlayD)
    {
        return;
    }
    field.RemoveUnit(*friendUnit);
    if (System.m_bReviveAfterClear)
    {
        return;
    }
    // The party chooses a new leader in the camp; a revived unit comes back
    // without the flag, so that the party never has two.
    UnitRecord fallen(*friendUnit);
    fallen.m_nPlayA = 0;
    fallen.SetHeldEvent(-1);
    Progress.AddFallenUnit(fallen);
    friendUnit->SetHeldEvent(-1);
    friendUnit->MakeEmpty();
}
