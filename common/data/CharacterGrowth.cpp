// The consistency check of a character against the class, item and skill
// tables, and the arithmetic of growth and levels. Growth is counted in
// hundredths of a point: each level adds its growth table entry to a
// remainder, whose whole points go to the base value.
#include "CharacterRecord.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/services/Arithmetic.h"
#include "common/services/TextAndNumbers.h"
#include "platform/core/Random.h"

#include <algorithm>
#include <limits>

namespace
{

// Values of a file that size the growth tables and the random draws are taken
// as at most these; the editor allows far less (a level limit of 99), so the
// draws of real projects stay as they are.
constexpr int32_t kMaxLevelLimit = 9999;
// Twice the 0..999 span of a parameter, in hundredths.
constexpr int64_t kMaxGrowthBonus = 199800;
constexpr int32_t kMaxRandomSkillPoints = 99999;

// A class's level limit as the growth tables take it: 1 .. kMaxLevelLimit.
int32_t LevelLimitOf(const ClassRecord& cls)
{
    return std::clamp(cls.m_nMaxLevel, 1, kMaxLevelLimit);
}

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t ClampParameter64(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, kMaxParameterValue));
}

// The class of a character; a class outside the table (the table is empty, or
// the index was set after the check) reads as a blank class.
const ClassRecord& ClassAt(int32_t index)
{
    static const ClassRecord kBlankClass;
    return IsTableIndex(index, ClassTable.Count()) ? ClassTable.At(index) : kBlankClass;
}

// The item in a slot; null when the index is outside the item table.
const ItemRecord* ItemAt(int32_t index)
{
    return IsTableIndex(index, ItemTable.Count()) ? &ItemTable.At(index) : nullptr;
}

// rand() % (max - min + 1) + min. A range whose maximum is below its minimum
// has no width to divide by: it is the single value min, and nothing is drawn.
int32_t DrawInRange(int32_t min, int32_t max)
{
    if (max < min)
    {
        return min;
    }
    const int64_t width = static_cast<int64_t>(max) - min + 1;
    return ClampToInt32(Rand() % width + min);
}

// A random total of the System (growth or skill learning): a draw in the
// range, plus the scouting bonus, capped at the maximum when asked.
int32_t DrawTotal(int32_t min, int32_t max, double scoutFactor, int32_t capAtMax, int32_t scoutCount)
{
    int32_t total = DrawInRange(min, max);
    total = TruncateToInt(total + scoutCount * scoutFactor);
    if (capAtMax && total > max)
    {
        total = max;
    }
    return total;
}

} // namespace

void CharacterRecord::Validate()
{
    if (ClassTable.empty())
    {
        return;
    }
    FitIndexOrOne(m_nClass, ClassTable.Count());
    m_nMaxLevel = LevelLimitOf(ClassTable.At(m_nClass));
    if (m_nLevel > m_nMaxLevel)
    {
        m_nLevel = m_nMaxLevel;
    }
    for (CheckedVector<int32_t>& growth : m_Growth)
    {
        growth.resize(static_cast<std::size_t>(m_nMaxLevel), 0);
    }

    const int32_t slotKind[2] = {kItemKindWeapon, kItemKindOtherEquipment};
    for (int s = 0; s < 2; ++s)
    {
        int32_t& item = m_Equip[s].m_nItem;
        if (item != 0)
        {
            const ItemRecord* record = ItemAt(item);
            if (!record || record->m_nKind != slotKind[s])
            {
                item = 0;
            }
        }
    }
    ApplyEquipment();

    for (SkillEntry& entry : m_Skill)
    {
        FitIndex(entry.m_nSkill, SkillTable.Count());
    }
    for (LearnSkillEntry& entry : m_LearnSkill)
    {
        FitIndex(entry.m_nSkill, SkillTable.Count());
    }
}

void CharacterRecord::BuildGrowthTables(bool randomGrowth, int32_t scoutCount, bool reference)
{
    if (!System.m_bScout)
    {
        scoutCount = 0;
    }
    m_nLevel = 1;

    const ClassRecord& cls = ClassAt(m_nClass);
    for (int k = 0; k < kParameterCount; ++k)
    {
        const bool fromClass = m_nInitInput[k] == 0;
        const int32_t initValue = fromClass ? cls.m_nInit[k] : m_nInitInput[k];
        const int32_t finalValue = fromClass ? cls.m_nFinal[k] : m_nFinalInput[k]; // 0: no growth
        m_nInit[k] = initValue;
        m_nFinal[k] = finalValue == 0 ? initValue : finalValue;
        m_bGrows[k] = finalValue == 0 ? 0 : 1;
        m_Param[k].m_nBase = m_nInit[k];
    }

    m_nMaxLevel = LevelLimitOf(cls);
    for (CheckedVector<int32_t>& growth : m_Growth)
    {
        growth.resize(static_cast<std::size_t>(m_nMaxLevel), 0);
    }
    InitGrowthRemainders(reference);

    const int32_t levelSteps = m_nMaxLevel - 1;
    for (int k = 0; k < kParameterCount; ++k)
    {
        const int32_t perLevel =
            levelSteps == 0 ? 0
                            : TruncateToInt((static_cast<double>(m_nFinal[k]) - m_nInit[k]) * 100.0 / levelSteps + 0.5);
        for (int level = 1; level < m_nMaxLevel; ++level)
        {
            m_Growth[k].At(level) = perLevel;
        }
    }

    if (!reference)
    {
        if (randomGrowth)
        {
            const int32_t total = DrawTotal(System.m_nGrowthMin, System.m_nGrowthMax, System.m_dGrowthScout,
                                            System.m_bGrowthCap, scoutCount);
            int64_t bonus[kParameterCount] = {};
            for (int draw = 0; draw < 27; ++draw)
            {
                const int k = Rand() % kParameterCount;
                if (m_bGrows[k])
                {
                    bonus[k] += TruncateToInt(total * 100.0 * System.m_dStatRaise[k] * 0.037037037037037035);
                    bonus[k] = std::min(bonus[k], kMaxGrowthBonus);
                }
            }
            if (levelSteps > 0)
            {
                for (int k = 0; k < kParameterCount; ++k)
                {
                    for (int64_t n = 0; n < bonus[k]; ++n)
                    {
                        const int level = Rand() % levelSteps + 1;
                        ++m_Growth[k].At(level);
                    }
                }
            }
        }

        // Skill-learning points: the class's values per System category.
        const int categories = System.m_SkillCategory.Count();
        m_SkillPoints.assign(static_cast<std::size_t>(categories), 0);
        for (int c = 0; c < categories && c < cls.m_SkillLearn.Count(); ++c)
        {
            m_SkillPoints.At(c) = cls.m_SkillLearn.At(c);
        }
        if (m_bRandomSkill)
        {
            if (!m_bEnemy && categories > 0)
            {
                const int32_t total = std::min(DrawTotal(System.m_nSkillMin, System.m_nSkillMax, System.m_dSkillScout,
                                                         System.m_bSkillCap, scoutCount),
                                               kMaxRandomSkillPoints);
                for (int32_t n = 0; n < total; ++n)
                {
                    ++m_SkillPoints.At(Rand() % categories);
                }
            }
            for (int s = 1; s < SkillTable.Count(); ++s)
            {
                const SkillRecord& skill = SkillTable.At(s);
                const int32_t points =
                    IsTableIndex(skill.m_nCategory, m_SkillPoints.Count()) ? m_SkillPoints.At(skill.m_nCategory) : 0;
                if (points == 0)
                {
                    continue;
                }
                const int32_t percent =
                    ClampToInt32(static_cast<int64_t>(skill.m_nLearnRateFactor) * points + skill.m_nLearnRate);
                if (RollPercent(percent))
                {
                    const int32_t drawn = DrawInRange(skill.m_nLearnLevelMin, skill.m_nLearnLevelMax);
                    LearnSkillEntry entry;
                    entry.m_nSkill = s;
                    entry.m_nLevel = std::max(TruncateToInt(drawn - points * skill.m_dLearnLevelFactor), 2);
                    m_LearnSkill.push_back(entry);
                }
            }
        }
        m_Skill.assign(static_cast<std::size_t>(SkillTable.Count()), SkillEntry());
        ApplyLearnedSkills(1);
    }
    ApplyEquipment();
}

void CharacterRecord::InitGrowthRemainders(bool reference)
{
    const bool random = !m_bEnemy && m_bRandomGrowth && !reference;
    for (int32_t& rest : m_nGrowthRest)
    {
        rest = random ? Rand() % 91 : 50;
    }
}

void CharacterRecord::InitLevel(int32_t level, bool reference)
{
    InitGrowthRemainders(reference);
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_Param[k].m_nBase = m_nInit[k];
    }
    m_nLevel = 1;
    m_nExp = ClampToInt32((static_cast<int64_t>(std::min(level, m_nMaxLevel)) - 1) * kExpPerLevel);
    LevelUp(reference);
}

void CharacterRecord::LevelUp(bool reference)
{
    if (m_nLevel >= m_nMaxLevel)
    {
        m_nLevel = m_nMaxLevel;
        m_nExp = 0;
        return;
    }
    while (m_nExp >= kExpPerLevel)
    {
        for (int k = 0; k < kParameterCount; ++k)
        {
            // The growth of the level being left; a level outside the table grows nothing.
            const CheckedVector<int32_t>& growth = m_Growth[k];
            const int64_t step = IsTableIndex(m_nLevel, growth.Count()) ? growth.At(m_nLevel) : 0;
            int64_t rest = m_nGrowthRest[k] + step;
            int32_t& base = m_Param[k].m_nBase;
            if (rest >= 0)
            {
                base = ClampParameter64(base + rest / 100);
                rest %= 100;
            }
            else
            {
                // A negative remainder borrows a whole point.
                base = ClampParameter64(base + rest / 100 - 1);
                rest = rest % 100 + 100;
            }
            m_nGrowthRest[k] = static_cast<int32_t>(rest);
        }
        ++m_nLevel;
        m_nExp -= kExpPerLevel;
        if (!reference)
        {
            ApplyLearnedSkills(m_nLevel);
        }
        if (m_nLevel >= m_nMaxLevel)
        {
            m_nExp = 0;
            m_nLevel = m_nMaxLevel;
            if (!m_bRandomGrowth || reference)
            {
                for (int k = 0; k < kParameterCount; ++k)
                {
                    m_Param[k].m_nBase = ClampParameter(m_nFinal[k]);
                }
            }
            break;
        }
    }
    ApplyEquipment();
}

void CharacterRecord::ApplyStatCorrection(const int32_t percent[kParameterCount])
{
    for (int k = 0; k < kParameterCount; ++k)
    {
        if (m_nInitInput[k] == 0)
        {
            m_Param[k].m_nBase = ClampParameter(PercentOf(m_Param[k].m_nBase, percent[k]));
        }
    }
    ApplyEquipment();
}

void CharacterRecord::ApplyEquipment()
{
    for (ParameterValue& param : m_Param)
    {
        param.m_nValue = param.m_nBase;
    }
    for (const EquipmentSlot& slot : m_Equip)
    {
        const ItemRecord* item = ItemAt(slot.m_nItem); // none: no bonus
        for (int k = 0; k < kParameterCount; ++k)
        {
            ParameterValue& param = m_Param[k];
            if (k < 2)
            {
                // HP and SP take no bonus from equipment.
                param.m_nBase = ClampParameter(param.m_nBase);
                param.m_nValue = ClampParameter(param.m_nValue);
                continue;
            }
            int32_t bonus = 0;
            if (item)
            {
                bonus = item->m_bPercent ? PercentOf(param.m_nBase, item->m_nValue[k]) : item->m_nValue[k];
            }
            param.m_nValue = ClampParameter64(static_cast<int64_t>(param.m_nValue) + bonus);
        }
    }
}

int32_t CharacterRecord::LearnSkill(int32_t skill)
{
    if (skill == 0)
    {
        return 0;
    }
    for (const SkillEntry& entry : m_Skill)
    {
        if (entry.m_nSkill == skill)
        {
            return 0;
        }
    }
    for (SkillEntry& entry : m_Skill)
    {
        if (entry.m_nSkill == 0)
        {
            entry.m_nSkill = skill;
            return 1;
        }
    }
    return 0;
}

void CharacterRecord::ApplyLearnedSkills(int32_t level)
{
    for (auto it = m_LearnSkill.begin(); it != m_LearnSkill.end();)
    {
        if (it->m_nSkill == 0)
        {
            it = m_LearnSkill.erase(it);
        }
        else if (it->m_nLevel <= level)
        {
            LearnSkill(it->m_nSkill);
            it = m_LearnSkill.erase(it);
        }
        else
        {
            ++it;
        }
    }
}

void CharacterRecord::ComputeReferenceValues()
{
    const int32_t level = m_nLevel; // building the tables starts again at level 1
    BuildGrowthTables(false, 0, true);
    InitLevel(level, true);
}

void EnemyRecord::ComputeReferenceValues()
{
    CharacterRecord::ComputeReferenceValues();
    ApplyStatCorrection(System.m_nEnemyStatRate);
}
