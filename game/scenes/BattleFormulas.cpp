#include "BattleFormulas.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "platform/core/Random.h"

#include <algorithm>
#include <limits>

namespace
{

constexpr int32_t kNoWeaponHitRate = 90;

// Clamps without the precondition lo <= hi: an inverted range gives lo.
int64_t Bound(int64_t value, int64_t lo, int64_t hi)
{
    return std::max(lo, std::min(value, hi));
}

int32_t Saturate(int64_t value)
{
    return static_cast<int32_t>(
        Bound(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

const ItemRecord* WeaponOf(const BattleParticipant& unit)
{
    return unit.WeaponItem() != 0 ? &ItemTable.At(unit.WeaponItem()) : nullptr;
}

int32_t RateFromSkill(const BattleParticipant& attacker, int32_t targetReaction, int32_t base, double factor)
{
    const double skill = static_cast<double>(attacker.Value(kParamSkill)) - targetReaction;
    return TruncateToInt(skill * factor + base);
}

// The amount of a value marked as a percentage of a maximum.
int32_t AmountOf(int32_t value, bool percent, int32_t maximum)
{
    return percent ? PercentOf(value, maximum) : value;
}

void ChangeStats(BattleParticipant& target, const int32_t (&values)[kParameterCount], bool percent,
                 int32_t attribute, std::vector<std::string>& messages)
{
    for (int k = kParamSp; k < kParameterCount; ++k)
    {
        const int32_t amount = AmountOf(values[k], percent, target.Max(k));
        const int32_t change = ApplyAttributeRate(target, amount, attribute);
        ChangeStat(target, k, static_cast<int32_t>(Bound(change, -kMaxHitValue, kMaxHitValue)), messages);
    }
}

} // namespace

int32_t CalcHitRate(const BattleParticipant& attacker, int32_t targetReaction, int32_t baseHit)
{
    return RateFromSkill(attacker, targetReaction, baseHit, System.m_dHitFactor);
}

int32_t CalcCriticalRate(const BattleParticipant& attacker, int32_t targetReaction, int32_t baseCrit)
{
    return baseCrit == 0 ? 0 : RateFromSkill(attacker, targetReaction, baseCrit, System.m_dCriticalFactor);
}

int32_t WeaponHitRate(const BattleParticipant& unit)
{
    const ItemRecord* weapon = WeaponOf(unit);
    return weapon ? weapon->m_nHitRate : kNoWeaponHitRate;
}

int32_t WeaponCriticalRate(const BattleParticipant& unit)
{
    const ItemRecord* weapon = WeaponOf(unit);
    return weapon ? weapon->m_nCritical : 0;
}

int32_t WeaponAttribute(const BattleParticipant& unit)
{
    const ItemRecord* weapon = WeaponOf(unit);
    return weapon ? weapon->m_nAttribute : 0;
}

int32_t CalcDamage(int32_t attack, int32_t defence, int32_t power, int32_t hpChange)
{
    const double raw = static_cast<double>(attack) * System.m_dAttackFactor + power -
                       static_cast<double>(defence) * System.m_dDefenseFactor;
    return Saturate(std::max<int64_t>(0, TruncateToInt(raw)) - hpChange);
}

int32_t CalcRecovery(int32_t magic, int32_t power, int32_t hpChange)
{
    const double raw = static_cast<double>(magic) * System.m_dAttackFactor + power;
    return Saturate(static_cast<int64_t>(hpChange) + std::max<int64_t>(0, TruncateToInt(raw)));
}

int32_t ApplyClassAttributeRate(int32_t classIndex, int32_t value, int32_t attribute)
{
    if (attribute == 0)
    {
        return value;
    }
    const int64_t resist = ClassTable.At(classIndex).m_Resist.At(attribute);
    return Saturate(static_cast<int64_t>(value) * resist / 100);
}

int32_t ApplyAttributeRate(const BattleParticipant& target, int32_t value, int32_t attribute)
{
    return ApplyClassAttributeRate(target.m_nClass, value, attribute);
}

int32_t ApplyDefence(const BattleParticipant& target, int32_t value, int32_t attribute)
{
    const int64_t reduced = Bound(static_cast<int64_t>(value) - target.m_nDamageReduction, 0, kMaxHitValue);
    const int32_t rated = ApplyAttributeRate(target, static_cast<int32_t>(reduced), attribute);
    return static_cast<int32_t>(Bound(rated, 0, kMaxHitValue));
}

int32_t ScaleRecovery(const BattleParticipant& target, int32_t value, int32_t attribute)
{
    const int32_t rated = ApplyAttributeRate(target, std::min(value, 0), attribute);
    const int32_t scaled = PercentOf(rated, System.m_nHpRecoverRate);
    return static_cast<int32_t>(Bound(scaled, -kMaxHitValue, 0));
}

int32_t RollSpreadPercent()
{
    const int64_t minimum = System.m_nDamageRateMin;
    const int64_t range = static_cast<int64_t>(System.m_nDamageRateMax) - minimum + 1;
    if (range == 0)
    {
        return static_cast<int32_t>(minimum);
    }
    // As in C, the remainder takes the sign of the draw, which is never negative.
    return Saturate(minimum + Rand() % range);
}

int32_t RollSpread(int32_t value)
{
    return PercentOf(value, RollSpreadPercent());
}

int32_t ApplyDamage(BattleParticipant& target, int32_t value)
{
    const int32_t damage = static_cast<int32_t>(Bound(RollSpread(value), 0, kMaxHitValue));
    int32_t& hp = target.m_nValue[kParamHp];
    hp = static_cast<int32_t>(Bound(static_cast<int64_t>(hp) - damage, 0, target.Max(kParamHp)));
    if (hp == 0)
    {
        target.m_bDead = 1;
    }
    target.m_nPopupValue = damage;
    target.m_bShowPopup = 1;
    return damage;
}

void ApplyRecovery(BattleParticipant& target, int32_t value)
{
    const int32_t recovery = static_cast<int32_t>(Bound(value, -kMaxHitValue, 0));
    int32_t& hp = target.m_nValue[kParamHp];
    hp = static_cast<int32_t>(Bound(static_cast<int64_t>(hp) - recovery, 0, target.Max(kParamHp)));
    if (hp == 0)
    {
        target.m_bDead = 1;
    }
    if (recovery != 0)
    {
        target.m_nPopupValue = -recovery;
        target.m_bShowPopup = 1;
    }
}

void ApplyNonLethal(BattleParticipant& target, int32_t value)
{
    int32_t& hp = target.m_nValue[kParamHp];
    const int32_t before = hp;
    hp = static_cast<int32_t>(Bound(std::min<int64_t>(static_cast<int64_t>(hp) - value, target.Max(kParamHp)), 1,
                                    std::numeric_limits<int32_t>::max()));
    target.m_nPopupValue = Saturate(static_cast<int64_t>(before) - hp);
    target.m_nResultKind = kResultDamage;
    target.m_bShowPopup = 1;
}

void ChangeStat(BattleParticipant& target, int index, int32_t change, std::vector<std::string>& messages)
{
    if (change == 0 || index < kParamSp || index >= kParameterCount)
    {
        return;
    }
    const int32_t cap = index == kParamSp ? target.Max(kParamSp) : kMaxParameterValue;
    int32_t& value = target.m_nValue[index];
    value = static_cast<int32_t>(Bound(static_cast<int64_t>(value) + change, 0, cap));
    std::string line;
    const char* name = AiConditionParamNames.At(index);
    if (change > 0)
    {
        FormatString(line, "%s の %s + %d", target.m_strName.c_str(), name, change);
    }
    else
    {
        FormatString(line, "%s の %s - %d", target.m_strName.c_str(), name, -change);
    }
    messages.push_back(line);
}

void ApplySkillStatChanges(BattleParticipant& target, const SkillRecord& skill, int32_t attribute,
                           std::vector<std::string>& messages)
{
    ChangeStats(target, skill.m_nStatChange, false, attribute, messages);
}

void ApplyItemStatChanges(BattleParticipant& target, const ItemRecord& item, int32_t attribute,
                          std::vector<std::string>& messages)
{
    ChangeStats(target, item.m_nValue, item.m_bPercent != 0, attribute, messages);
}

void ApplyLandModifiers(BattleParticipant& unit, const LandRecord* newLand, const LandRecord* oldLand)
{
    for (int k = kParamAttack; k < kParameterCount; ++k)
    {
        int32_t& value = unit.m_nValue[k];
        if (oldLand && oldLand->m_nEffect[k] != 0)
        {
            const int32_t amount = AmountOf(oldLand->m_nEffect[k], oldLand->m_bPercent != 0, unit.Max(k));
            value = static_cast<int32_t>(Bound(static_cast<int64_t>(value) - amount, 0, kMaxParameterValue));
        }
        if (newLand && newLand->m_nEffect[k] != 0)
        {
            const int32_t amount = AmountOf(newLand->m_nEffect[k], newLand->m_bPercent != 0, unit.Max(k));
            value = static_cast<int32_t>(Bound(static_cast<int64_t>(value) + amount, 0, kMaxParameterValue));
        }
    }
}

int32_t CalcActionAddValue(const BattleParticipant& unit, int32_t otherSpeed)
{
    const int32_t ownRate = System.m_nSpeedRate[unit.m_bAttacker ? 0 : 1];
    const int32_t otherRate = System.m_nSpeedRate[unit.m_bAttacker ? 1 : 0];
    const int32_t x =
        TruncateToInt((static_cast<double>(unit.Value(kParamSpeed)) + System.m_nSpeedBase) * ownRate * 0.01);
    const int32_t y = TruncateToInt((static_cast<double>(otherSpeed) + System.m_nSpeedBase) * otherRate * 0.01);
    if (x > 0 && y <= 0)
    {
        return 200;
    }
    if (x <= 0 && y > 0)
    {
        return 0;
    }
    const double sum = static_cast<double>(x) + y;
    if (sum == 0.0)
    {
        return 100;
    }
    return TruncateToInt(x / sum * 200.0);
}
