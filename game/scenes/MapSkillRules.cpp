#include "MapSkillRules.h"

#include "game/data/TargetsAndPrices.h"
#include "game/scenes/BattleFormulas.h"

bool CanUseSkillOnMap(const CharacterRecord& user, const SkillRecord& skill)
{
    return skill.m_nSkillB != 0 && skill.m_nKind == kSkillKindRecovery &&
           user.m_Param[kParamSp].m_nValue >= skill.m_nSpCost;
}

bool SkillHelps(const CharacterRecord& user, const SkillRecord& skill, const CharacterRecord& target)
{
    const int side = (user.m_bEnemy != 0) == (target.m_bEnemy != 0) ? kSideOwn : 0;
    if (CanTarget(skill, side) != 1)
    {
        return false;
    }
    const ParameterValue& hp = target.m_Param[kParamHp];
    const ParameterValue& sp = target.m_Param[kParamSp];
    const int32_t hpAmount =
        CalcRecovery(user.m_Param[kParamMagic].m_nValue, skill.m_nPower, skill.m_nStatChange[kParamHp]);
    const bool restoresHp = hpAmount > 0 && hp.m_nValue < hp.m_nBase;
    const bool restoresSp = skill.m_nStatChange[kParamSp] > 0 && sp.m_nValue < sp.m_nBase;
    return restoresHp || restoresSp;
}
