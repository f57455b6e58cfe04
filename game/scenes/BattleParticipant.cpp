#include "BattleParticipant.h"

#include <algorithm>

void BattleParticipant::TakeUnit(CharacterRecord& unit, int32_t side)
{
    *this = BattleParticipant();
    m_pUnit = &unit;
    m_strName = unit.m_strName;
    m_nSide = side;
    m_nClass = unit.m_nClass;
    for (int k = 0; k < kParameterCount; ++k)
    {
        const ParameterValue& param = unit.m_Param[k];
        const bool hasMaximum = k == kParamHp || k == kParamSp;
        m_nMax[k] = hasMaximum ? param.m_nBase : param.m_nValue;
        m_nValue[k] = param.m_nValue;
    }
    m_nEquip[0] = unit.m_Equip[0].m_nItem;
    m_nEquip[1] = unit.m_Equip[1].m_nItem;
    m_Skill = unit.m_Skill;
}

void BattleParticipant::TakeUnit(EnemyRecord& enemy)
{
    TakeUnit(enemy, kSideEnemy);
    m_BattleAi = enemy.m_BattleAi;
}

void BattleParticipant::RestoreHpSp()
{
    m_nValue[kParamHp] = m_nMax[kParamHp];
    m_nValue[kParamSp] = m_nMax[kParamSp];
}

int32_t BattleParticipant::Level() const
{
    return m_pUnit ? m_pUnit->m_nLevel : 0;
}

int BattleParticipant::CountPendingActions() const
{
    return static_cast<int>(
        std::count_if(m_Timeline.begin(), m_Timeline.end(), [](const PlannedAction& a) { return !a.m_bDone; }));
}
