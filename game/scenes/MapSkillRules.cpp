#include "MapSkillRules.h"

#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "common/services/TextAndNumbers.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/BattleFormulas.h"

#include <algorithm>

namespace
{

int SideOf(const CharacterRecord& user, const CharacterRecord& target)
{
    return (user.m_bEnemy != 0) == (target.m_bEnemy != 0) ? kSideOwn : 0;
}

// The target is short of what the amounts restore.
bool Needs(const CharacterRecord& target, int32_t hpAmount, int32_t spAmount)
{
    const ParameterValue& hp = target.m_Param[kParamHp];
    const ParameterValue& sp = target.m_Param[kParamSp];
    return (hpAmount > 0 && hp.m_nValue < hp.m_nBase) || (spAmount > 0 && sp.m_nValue < sp.m_nBase);
}

int32_t AddWithin(int32_t value, int64_t amount, int32_t low, int32_t high)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value + amount, low, std::max(low, high)));
}

} // namespace

bool CanUseSkillOnMap(const CharacterRecord& user, const SkillRecord& skill)
{
    return skill.m_nSkillB != 0 && skill.m_nKind == kSkillKindRecovery &&
           user.m_Param[kParamSp].m_nValue >= skill.m_nSpCost;
}

bool SkillHelps(const CharacterRecord& user, const SkillRecord& skill, const CharacterRecord& target)
{
    if (CanTarget(skill, SideOf(user, target)) != 1)
    {
        return false;
    }
    const int32_t hpAmount =
        CalcRecovery(user.m_Param[kParamMagic].m_nValue, skill.m_nPower, skill.m_nStatChange[kParamHp]);
    return Needs(target, hpAmount, skill.m_nStatChange[kParamSp]);
}

void ApplyMapRecovery(CharacterRecord& target, int32_t hpAmount, int32_t spAmount, int32_t hitRate,
                      int32_t criticalRate, int32_t attribute)
{
    if (!RollPercent(hitRate))
    {
        return;
    }
    if (attribute != 0)
    {
        hpAmount = ApplyClassAttributeRate(target.m_nClass, hpAmount, attribute);
        spAmount = ApplyClassAttributeRate(target.m_nClass, spAmount, attribute);
    }
    int64_t hp = hpAmount;
    if (RollPercent(criticalRate))
    {
        hp *= 2;
    }
    ParameterValue& targetHp = target.m_Param[kParamHp];
    ParameterValue& targetSp = target.m_Param[kParamSp];
    targetHp.m_nValue = AddWithin(targetHp.m_nValue, hp, 1, targetHp.m_nBase);
    targetSp.m_nValue = AddWithin(targetSp.m_nValue, spAmount, 0, targetSp.m_nBase);
}

void UseSkillOnMap(CharacterRecord& user, const SkillRecord& skill, CharacterRecord& target, int32_t weaponHitRate)
{
    ParameterValue& sp = user.m_Param[kParamSp];
    sp.m_nValue = AddWithin(sp.m_nValue, -static_cast<int64_t>(skill.m_nSpCost), 0, sp.m_nBase);
    const int32_t hpAmount =
        CalcRecovery(user.m_Param[kParamMagic].m_nValue, skill.m_nPower, skill.m_nStatChange[kParamHp]);
    ApplyMapRecovery(target, hpAmount, skill.m_nStatChange[kParamSp],
                     skill.m_nHitRate != 0 ? skill.m_nHitRate : weaponHitRate, skill.m_nCritical, skill.m_nAttribute);
}

bool CanUseItemOnMap(const ItemRecord& item)
{
    return item.m_nItemB != 0 && item.m_nKind == kItemKindMedicine;
}

void ItemRecoveryAmounts(const ItemRecord& item, const CharacterRecord& target, int32_t& hp, int32_t& sp)
{
    hp = item.m_nValue[kParamHp];
    sp = item.m_nValue[kParamSp];
    if (item.m_bPercent)
    {
        hp = PercentOf(target.m_Param[kParamHp].m_nBase, hp);
        sp = PercentOf(target.m_Param[kParamSp].m_nBase, sp);
    }
}

bool ItemHelps(const CharacterRecord& user, const ItemRecord& item, const CharacterRecord& target)
{
    int32_t hp = 0;
    int32_t sp = 0;
    ItemRecoveryAmounts(item, target, hp, sp);
    return CanTarget(item, SideOf(user, target)) == 1 && Needs(target, hp, sp);
}

bool UseItemOnMap(ItemList& stock, int32_t item, CharacterRecord& target)
{
    if (!IsTableIndex(item, ItemTable.Count()) || !CanUseItemOnMap(ItemTable.At(item)) ||
        CountStack(stock, item) <= 0 || !AddToStacks(stock, item, -1))
    {
        return false;
    }
    const ItemRecord& record = ItemTable.At(item);
    int32_t hp = 0;
    int32_t sp = 0;
    ItemRecoveryAmounts(record, target, hp, sp);
    ApplyMapRecovery(target, hp, sp, record.m_nHitRate, record.m_nCritical, record.m_nAttribute);
    return true;
}
