#include "BattleEffects.h"

#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "common/services/TextAndNumbers.h"
#include "game/data/GameData.h"
#include "game/data/SoundRequests.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/BattleFormulas.h"

#include <algorithm>

namespace
{

// A skill being carried out.
struct SkillUse
{
    BattleState& m_Battle;
    BattleParticipant& m_Actor;
    const SkillRecord& m_Skill;
    const ActionForecast& m_Forecast;
    bool m_bQuick;
    BattleHooks& m_Hooks;
};

using Forecaster = void (*)(ActionForecast& forecast, const SkillRecord& skill);
using Executor = int (*)(SkillUse& use);

struct SkillEffect
{
    Forecaster m_pForecast;
    Executor m_pExecute;
    bool m_bNeedsTarget; // the forecast reads the target's parameters
};

// The skill's hit rate; 0 takes the weapon's.
int32_t SkillHitRate(const BattleParticipant& actor, const SkillRecord& skill)
{
    return skill.m_nHitRate != 0 ? skill.m_nHitRate : WeaponHitRate(actor);
}

// An attack pitting the actor's attackParam against the target's
// defenceParam; the forecast comes in with the skill's base rates.
void ForecastAttack(ActionForecast& f, const SkillRecord& skill, int attackParam, int defenceParam)
{
    const BattleParticipant& actor = *f.m_pActor;
    const BattleParticipant& target = *f.m_pTarget;
    f.m_nHitRate = CalcHitRate(actor, target.Value(kParamReaction), f.m_nHitRate);
    f.m_nCriticalRate = CalcCriticalRate(actor, target.Value(kParamReaction), f.m_nCriticalRate);
    const int32_t damage = CalcDamage(actor.Value(attackParam), target.Value(defenceParam), skill.m_nPower,
                                      skill.m_nStatChange[kParamHp]);
    f.m_nValue = ApplyDefence(target, damage, f.m_nAttribute);
}

// -value; the lowest int32 (a damaged file's) gives the highest.
int32_t Negated(int32_t value)
{
    return value == INT32_MIN ? INT32_MAX : -value;
}

// A value that heals (positive amount) or, taken the other way, hurts.
int32_t RecoveryOrDamage(const BattleParticipant& target, int32_t amount, int32_t attribute)
{
    if (amount > 0)
    {
        return ScaleRecovery(target, -amount, attribute);
    }
    if (amount < 0)
    {
        return ApplyDefence(target, Negated(amount), attribute);
    }
    return 0;
}

void ForecastWeaponSkill(ActionForecast& f, const SkillRecord& skill)
{
    if (skill.m_nAttribute == 0)
    {
        f.m_nAttribute = WeaponAttribute(*f.m_pActor);
    }
    ForecastAttack(f, skill, kParamAttack, kParamDefence);
}

void ForecastMagicAttack(ActionForecast& f, const SkillRecord& skill)
{
    ForecastAttack(f, skill, kParamMagic, kParamResistance);
}

void ForecastRecovery(ActionForecast& f, const SkillRecord& skill)
{
    const int32_t amount =
        CalcRecovery(f.m_pActor->Value(kParamMagic), skill.m_nPower, skill.m_nStatChange[kParamHp]);
    f.m_nValue = RecoveryOrDamage(*f.m_pTarget, amount, f.m_nAttribute);
}

void ForecastHpChange(ActionForecast& f, const SkillRecord& skill)
{
    f.m_nValue = RecoveryOrDamage(*f.m_pTarget, skill.m_nStatChange[kParamHp], f.m_nAttribute);
}

void ForecastRatesOnly(ActionForecast&, const SkillRecord&)
{
}

void Miss(BattleParticipant& target)
{
    target.m_nPopupValue = 0;
    target.m_bShowPopup = 1;
    target.m_nResultKind = kResultMiss;
}

// The hit roll: a miss shows on the target and ends the action.
bool RollHit(const ActionForecast& f, BattleParticipant& target)
{
    if (RollPercent(f.m_nHitRate))
    {
        return true;
    }
    Miss(target);
    return false;
}

// Damage with its critical roll; the critical is heard.
void StrikeTarget(const ActionForecast& f, BattleParticipant& target)
{
    int32_t value = f.m_nValue;
    if (RollPercent(f.m_nCriticalRate))
    {
        RequestSound(kSoundCritical);
        value *= 2;
    }
    ApplyDamage(target, value);
    target.m_nResultKind = kResultDamage;
}

// A recovery, or a damage that never fells.
void HealOrWound(BattleParticipant& target, int32_t value)
{
    if (value < 0)
    {
        ApplyRecovery(target, value);
        target.m_nResultKind = kResultRecovery;
    }
    else if (value > 0)
    {
        ApplyNonLethal(target, value);
    }
}

// Rolls the hit on the skill's target; on a hit the effect, then the skill's
// stat changes.
int ExecuteOnTarget(SkillUse& use, void (*effect)(SkillUse& use, BattleParticipant& target))
{
    BattleParticipant& target = *use.m_Forecast.m_pTarget;
    if (!RollHit(use.m_Forecast, target))
    {
        return 0;
    }
    effect(use, target);
    ApplySkillStatChanges(target, use.m_Skill, use.m_Forecast.m_nAttribute, use.m_Battle.m_ActionMessages);
    return 1;
}

int ExecuteAttack(SkillUse& use)
{
    return ExecuteOnTarget(use, [](SkillUse& u, BattleParticipant& target) { StrikeTarget(u.m_Forecast, target); });
}

// A critical doubles a recovery, without the critical sound.
int ExecuteRecovery(SkillUse& use)
{
    return ExecuteOnTarget(use, [](SkillUse& u, BattleParticipant& target) {
        const int32_t value = u.m_Forecast.m_nValue;
        HealOrWound(target, RollPercent(u.m_Forecast.m_nCriticalRate) ? value * 2 : value);
    });
}

// The reduction grows by the power, twice on a critical; the HP change is not doubled.
int ExecuteReduction(SkillUse& use)
{
    return ExecuteOnTarget(use, [](SkillUse& u, BattleParticipant& target) {
        const int64_t power = u.m_Skill.m_nPower;
        const int64_t added = RollPercent(u.m_Forecast.m_nCriticalRate) ? 2 * power : power;
        target.m_nDamageReduction =
            static_cast<int32_t>(std::clamp<int64_t>(target.m_nDamageReduction + added, INT32_MIN, INT32_MAX));
        HealOrWound(target, u.m_Forecast.m_nValue);
    });
}

int ExecuteTime(SkillUse& use)
{
    if (!RollPercent(use.m_Forecast.m_nHitRate))
    {
        return 0;
    }
    const int32_t before = use.m_Battle.m_nElapsed;
    use.m_Hooks.ShiftTime(use.m_Skill.m_nPower, use.m_Actor);
    // The quick command comes back only when the time moved: a quick time
    // skill that left it where it was (power 0, or a step back that finds no
    // action to return to) would otherwise be drawn again and again in one turn.
    if (!use.m_bQuick || use.m_Battle.m_nElapsed != before)
    {
        use.m_Actor.m_bQuickUsed = 0;
    }
    if (use.m_bQuick)
    {
        use.m_Hooks.PlanExchange(0);
    }
    else
    {
        use.m_Actor.m_nActionValue += 1000;
        use.m_Hooks.PlanExchange(1);
    }
    return 1;
}

int ExecuteLand(SkillUse& use)
{
    if (!RollPercent(use.m_Forecast.m_nHitRate))
    {
        return 0;
    }
    const int32_t land = use.m_Skill.m_nPower - 1;
    if (!IsTableIndex(land, LandTable.Count()))
    {
        return 1;
    }
    BattleState& battle = use.m_Battle;
    const LandRecord* oldLand = IsTableIndex(battle.m_nLand, LandTable.Count()) ? &LandTable.At(battle.m_nLand) : nullptr;
    const LandRecord& newLand = LandTable.At(land);
    battle.m_nLand = land;
    use.m_Hooks.ReloadBackground();
    ApplyLandModifiers(battle.m_Friend, &newLand, oldLand);
    ApplyLandModifiers(battle.m_Enemy, &newLand, oldLand);
    if (newLand.m_nSpecial == kLandEffectBattleTime)
    {
        battle.m_nBattleTime = PercentOf(System.m_nBattleTime, newLand.m_nSpecialValue);
    }
    else if (battle.m_nBattleTime != System.m_nBattleTime)
    {
        battle.m_nBattleTime = System.m_nBattleTime;
    }
    use.m_Hooks.PlanExchange(0);
    return 1;
}

// By skill kind. A kind outside the table is reported as any index outside a
// list and takes kind 0.
const GuardedVector<SkillEffect> kSkillEffects = {
    {ForecastWeaponSkill, ExecuteAttack, true},    // weapon attack
    {ForecastMagicAttack, ExecuteAttack, true},    // magic attack
    {ForecastRecovery, ExecuteRecovery, true},     // recovery
    {ForecastHpChange, ExecuteReduction, true},    // damage reduction
    {ForecastRatesOnly, ExecuteTime, false},       // time
    {ForecastHpChange, ExecuteRecovery, true},     // support
    {ForecastRatesOnly, ExecuteLand, false},       // land
};

void ForecastWeapon(ActionForecast& f, BattleParticipant& actor, BattleParticipant& opponent)
{
    f.m_pTarget = &opponent;
    f.m_nHitRate = CalcHitRate(actor, opponent.Value(kParamReaction), WeaponHitRate(actor));
    f.m_nCriticalRate = CalcCriticalRate(actor, opponent.Value(kParamReaction), WeaponCriticalRate(actor));
    f.m_nAttribute = WeaponAttribute(actor);
    const int32_t damage = CalcDamage(actor.Value(kParamAttack), opponent.Value(kParamDefence), 0, 0);
    f.m_nValue = ApplyDefence(opponent, damage, f.m_nAttribute);
}

void ForecastSkill(ActionForecast& f, BattleParticipant& actor, BattleParticipant& opponent, const SkillRecord& skill)
{
    if (skill.m_nTarget == kSkillTargetSelf)
    {
        f.m_pTarget = &actor;
    }
    else if (skill.m_nTarget == kSkillTargetOpponent)
    {
        f.m_pTarget = &opponent;
    }
    f.m_nHitRate = SkillHitRate(actor, skill);
    f.m_nCriticalRate = skill.m_nCritical;
    f.m_nAttribute = skill.m_nAttribute;
    const SkillEffect& effect = kSkillEffects.At(skill.m_nKind);
    // An effect on a unit, authored to aim at the time or the land, has no
    // unit to work on: its rates stand as they are, without a value.
    if (!effect.m_bNeedsTarget || f.m_pTarget)
    {
        effect.m_pForecast(f, skill);
    }
}

void ForecastItem(ActionForecast& f, BattleParticipant& actor, const ItemRecord& item)
{
    f.m_pTarget = &actor;
    f.m_nHitRate = item.m_nHitRate;
    f.m_nCriticalRate = item.m_nCritical;
    f.m_nAttribute = item.m_nAttribute;
    const int32_t recovery = item.m_nValue[kParamHp];
    const int32_t amount = item.m_bPercent ? PercentOf(recovery, actor.Max(kParamHp)) : recovery;
    f.m_nValue = ScaleRecovery(actor, Negated(amount), f.m_nAttribute);
}

int ExecuteItem(BattleState& battle, BattleParticipant& actor, const ItemRecord& item, int32_t itemIndex)
{
    const ActionForecast& f = battle.m_Forecast;
    if (!RollHit(f, actor))
    {
        return 0;
    }
    int32_t value = f.m_nValue;
    if (RollPercent(f.m_nCriticalRate))
    {
        value *= 2;
    }
    ApplyRecovery(actor, value);
    actor.m_nResultKind = kResultRecovery;
    ApplyItemStatChanges(actor, item, f.m_nAttribute, battle.m_ActionMessages);
    Progress.AddItem(itemIndex, -1);
    return 1;
}

void SpendSkillPoints(BattleParticipant& actor, const SkillRecord& skill, int result)
{
    if (result == 0 && System.m_bSpOnHitOnly)
    {
        return;
    }
    int32_t& sp = actor.m_nValue[kParamSp];
    const int64_t left = static_cast<int64_t>(sp) - skill.m_nSpCost;
    sp = static_cast<int32_t>(std::max<int64_t>(0, std::min<int64_t>(left, actor.Max(kParamSp))));
}

bool IsSkillAction(int32_t kind)
{
    return kind == kActionSkill || kind == kActionQuickSkill;
}

} // namespace

bool IsSkillUsableInBattle(const SkillRecord& skill)
{
    return skill.m_nSkillB != 0;
}

bool IsItemUsableInBattle(const ItemRecord& item)
{
    return item.m_nItemB != 0 && item.m_nKind == kItemKindMedicine;
}

const ActionForecast& ForecastAction(BattleState& battle, BattleParticipant& actor)
{
    ActionForecast& f = battle.m_Forecast;
    f = ActionForecast();
    f.m_pActor = &actor;
    BattleParticipant& opponent = battle.OpponentOf(actor);
    const BattleAction& action = battle.m_Action;
    if (action.m_nKind == kActionWeapon)
    {
        ForecastWeapon(f, actor, opponent);
    }
    else if (IsSkillAction(action.m_nKind))
    {
        ForecastSkill(f, actor, opponent, SkillTable.At(action.m_nSkill));
    }
    else if (action.m_nKind == kActionItem)
    {
        const ItemRecord& item = ItemTable.At(action.m_nItem);
        if (IsItemUsableInBattle(item))
        {
            ForecastItem(f, actor, item);
        }
    }
    return f;
}

int ExecuteAction(BattleState& battle, BattleParticipant& actor, BattleHooks& hooks)
{
    const ActionForecast& f = ForecastAction(battle, actor);
    const BattleAction& action = battle.m_Action;
    if (action.m_nKind == kActionWeapon)
    {
        BattleParticipant& target = *f.m_pTarget;
        if (!RollHit(f, target))
        {
            return 0;
        }
        StrikeTarget(f, target);
        return 1;
    }
    if (IsSkillAction(action.m_nKind))
    {
        const SkillRecord& skill = SkillTable.At(action.m_nSkill);
        const SkillEffect& effect = kSkillEffects.At(skill.m_nKind);
        SkillUse use{battle, actor, skill, f, action.m_nKind == kActionQuickSkill, hooks};
        // Without a unit to work on, the skill is spent and does nothing.
        const int result = !effect.m_bNeedsTarget || f.m_pTarget ? effect.m_pExecute(use) : 1;
        SpendSkillPoints(actor, skill, result);
        return result;
    }
    if (action.m_nKind == kActionItem)
    {
        const ItemRecord& item = ItemTable.At(action.m_nItem);
        return IsItemUsableInBattle(item) ? ExecuteItem(battle, actor, item, action.m_nItem) : 0;
    }
    return 0;
}
