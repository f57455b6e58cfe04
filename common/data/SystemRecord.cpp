#include "SystemRecord.h"

#include "common/data/DataFile.h"
#include "common/services/Arithmetic.h"

NamedSymbolEntry::NamedSymbolEntry()
{
    BindFields(kDataFormatVersion);
}

void NamedSymbolEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nSymbol, "m_nSymbol");
    BindString(m_strName, "m_strName");
}

MenuCommandEntry::MenuCommandEntry()
{
    BindFields(kDataFormatVersion);
}

void MenuCommandEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_bEnabled, "m_bEnabled");
}

void ResetVectorPrototype(MenuCommandEntry& prototype)
{
    ClearRecord(prototype);
    prototype.m_bEnabled = 1;
}

namespace
{

// Cuts or extends a menu list to its length; new commands are offered.
void FitMenu(CheckedVector<MenuCommandEntry>& menu, int length)
{
    menu.resize(static_cast<std::size_t>(length), MenuCommandEntry());
}

} // namespace

SystemRecord::SystemRecord()
{
    BindFields(kDataFormatVersion);
    ApplyDefaults();
}

void SystemRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nGrowthMin, "m_nGrowthMin");
    BindInt(m_nGrowthMax, "m_nGrowthMax");
    BindDouble(m_dGrowthScout, "m_dGrowthScout");
    BindInt(m_bGrowthCap, "m_bGrowthCap");
    BindInt(m_nSkillMin, "m_nSkillMin");
    BindInt(m_nSkillMax, "m_nSkillMax");
    BindDouble(m_dSkillScout, "m_dSkillScout");
    BindInt(m_bSkillCap, "m_bSkillCap");
    BindInt(m_bScout, "m_bScout");
    if (VersionAtLeast(version, 91))
    {
        BindDoubles(m_dStatRaise, kParameterCount, "m_dStatRaise");
        BindInts(m_nEnemyStatRate, kParameterCount, "m_nEnemyStatRate");
    }
    BindInt(m_nExpBase, "m_nExpBase");
    BindDouble(m_dExpLevelDiff, "m_dExpLevelDiff");
    BindDouble(m_dExpFinish, "m_dExpFinish");
    BindInt(m_nHireCost, "m_nHireCost");
    BindInt(m_nHireCostPerLevel, "m_nHireCostPerLevel");
    BindInt(m_bReviveAfterClear, "m_bReviveAfterClear");
    BindInt(m_nReviveCost, "m_nReviveCost");
    BindInt(m_nReviveCostPerLevel, "m_nReviveCostPerLevel");
    if (VersionAtLeast(version, 77))
    {
        BindInt(m_nReleasePrice, "m_nReleasePrice");
        BindInt(m_nReleasePricePerLevel, "m_nReleasePricePerLevel");
    }
    if (VersionAtLeast(version, 84))
    {
        BindInt(m_nItemSellRate, "m_nItemSellRate");
    }
    if (VersionAtLeast(version, 74))
    {
        BindInt(m_nBattleTime, "m_nBattleTime");
        BindInts(m_nInitialAction, 2, "m_nInitialAction");
        BindInts(m_nSpeedRate, 2, "m_nSpeedRate");
    }
    if (VersionAtLeast(version, 104))
    {
        BindInt(m_bDefenderWaits, "m_bDefenderWaits");
        BindInt(m_nSpeedBase, "m_nSpeedBase");
    }
    if (VersionAtLeast(version, 74))
    {
        BindDoubles(m_dActionCount, 2, "m_dActionCount");
    }
    if (VersionAtLeast(version, 88))
    {
        BindDouble(m_dHitFactor, "m_dHitFactor");
        BindDouble(m_dCriticalFactor, "m_dCriticalFactor");
        BindDouble(m_dAttackFactor, "m_dAttackFactor");
        BindDouble(m_dDefenseFactor, "m_dDefenseFactor");
    }
    if (VersionAtLeast(version, 80))
    {
        BindInt(m_nDamageRateMin, "m_nDamageRateMin");
        BindInt(m_nDamageRateMax, "m_nDamageRateMax");
    }
    if (VersionAtLeast(version, 76))
    {
        BindInt(m_nHpRecoverRate, "m_nHpRecoverRate");
    }
    if (VersionAtLeast(version, 101))
    {
        BindInt(m_bSpOnHitOnly, "m_bSpOnHitOnly");
    }
    if (VersionAtLeast(version, 77))
    {
        BindInt(m_nDifficultyInitial, "m_nDifficultyInitial");
        BindInt(m_nDifficultyMax, "m_nDifficultyMax");
        BindInt(m_bDifficultyPercent, "m_bDifficultyPercent");
        BindInts(m_nDifficultyStatRaise, kParameterCount, "m_nDifficultyStatRaise");
        BindStrings(m_strBgm, 4, "m_strBgm");
    }
    BindString(m_strGameName, "m_strGameName");
}

bool SystemRecord::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadRecordVector(m_Attribute, in) || !LoadRecordVector(m_SkillCategory, in) ||
        !LoadRecordVector(m_ItemCategory, in) || !LoadRecordVector(m_FormationMenu, in) ||
        !LoadRecordVector(m_PlacementMenu, in) || !LoadRecordVector(m_MapCharaMenu, in) ||
        !LoadRecordVector(m_MapMenu, in) || !LoadRecordVector(m_BattleCharaMenu, in))
    {
        return false;
    }
    if (in.ChecksValues())
    {
        UpdateActionCounts();
    }

    const int32_t version = in.Version();
    if (!VersionAtLeast(version, 71))
    {
        FitMenu(m_MapCharaMenu, kMapCharaMenuLength);
    }
    if (!VersionAtLeast(version, 77))
    {
        FitMenu(m_FormationMenu, kFormationMenuLength);
    }
    if (!VersionAtLeast(version, 103))
    {
        // Files before 103 are brought to the twelve formation commands by
        // copying entry i into entry i + 1 from i = 3 upward, which leaves
        // entries 4 to 11 all equal to entry 3.
        FitMenu(m_FormationMenu, kFormationMenuLength);
        for (int i = 3; i <= 10; ++i)
        {
            m_FormationMenu.At(i + 1) = m_FormationMenu.At(i);
        }
    }
    return true;
}

void SystemRecord::Save(DataWriter& out)
{
    UpdateActionCounts();
    SaveRecord(out);
    SaveRecordVector(m_Attribute, out);
    SaveRecordVector(m_SkillCategory, out);
    SaveRecordVector(m_ItemCategory, out);
    SaveRecordVector(m_FormationMenu, out);
    SaveRecordVector(m_PlacementMenu, out);
    SaveRecordVector(m_MapCharaMenu, out);
    SaveRecordVector(m_MapMenu, out);
    SaveRecordVector(m_BattleCharaMenu, out);
}

void SystemRecord::SetDefaults()
{
    ClearRecord(*this);
    ApplyDefaults();
}

void SystemRecord::ApplyDefaults()
{
    m_nInitialAction[0] = 500;
    m_nInitialAction[1] = 0;
    m_nSpeedRate[0] = 100;
    m_nSpeedRate[1] = 100;
    m_bGrowthCap = 1;
    m_bSkillCap = 1;
    m_bScout = 1;
    m_nBattleTime = 27;
    m_dHitFactor = 5.0;
    m_dCriticalFactor = 1.0;
    m_dAttackFactor = 1.0;
    m_dDefenseFactor = 1.0;
    m_nDamageRateMin = 90;
    m_nDamageRateMax = 110;
    m_nHpRecoverRate = 50;
    m_bSpOnHitOnly = 1;
    m_bDifficultyPercent = 1;
    for (int32_t& raise : m_nDifficultyStatRaise)
    {
        raise = 10;
    }
    CalcBattleActionCounts(m_dActionCount[0], m_dActionCount[1], 27, 500, 0, 100, 100, 0);

    FitMenu(m_FormationMenu, kFormationMenuLength);
    FitMenu(m_PlacementMenu, kPlacementMenuLength);
    FitMenu(m_MapCharaMenu, kMapCharaMenuLength);
    FitMenu(m_MapMenu, kMapMenuLength);
    FitMenu(m_BattleCharaMenu, kBattleCharaMenuLength);

    if (m_Attribute.size() < 2)
    {
        m_Attribute.resize(2);
    }
    if (m_SkillCategory.empty())
    {
        m_SkillCategory.resize(1);
    }
    if (m_ItemCategory.empty())
    {
        m_ItemCategory.resize(1);
    }
}

void SystemRecord::UpdateActionCounts()
{
    CalcBattleActionCounts(m_dActionCount[0], m_dActionCount[1], m_nBattleTime, m_nInitialAction[0],
                           m_nInitialAction[1], m_nSpeedRate[0], m_nSpeedRate[1], m_bDefenderWaits);
}

void CalcBattleActionCounts(double& attackerCount, double& defenderCount, int32_t battleTime, int32_t attackerInitial,
                            int32_t defenderInitial, int32_t attackerSpeedRate, int32_t defenderSpeedRate,
                            int32_t defenderWaits)
{
    attackerCount = 0.0;
    defenderCount = 0.0;
    const double a = attackerSpeedRate * 10.0;
    const double b = defenderSpeedRate * 10.0;
    if (a + b == 0.0)
    {
        return; // no add values to share out
    }
    const int32_t attackerAdd = TruncateToInt(a / (a + b) * 200.0);
    const int32_t defenderAdd = TruncateToInt(b / (a + b) * 200.0);

    double defenderSteps = battleTime;
    if (defenderWaits)
    {
        if (attackerAdd == 0)
        {
            return; // the attacker never reaches its first action
        }
        defenderSteps = static_cast<double>(battleTime) -
                        TruncateToInt((1000.0 - attackerInitial) / attackerAdd + 0.99999999999) - 1.0;
    }
    attackerCount = (static_cast<double>(attackerAdd) * battleTime + attackerInitial) * 0.001;
    defenderCount = (defenderSteps * defenderAdd + defenderInitial) * 0.001;
}

void SystemRecord::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Attribute", m_Attribute);
    visitor.Records("m_SkillCategory", m_SkillCategory);
    visitor.Records("m_ItemCategory", m_ItemCategory);
    visitor.Records("m_FormationMenu", m_FormationMenu);
    visitor.Records("m_PlacementMenu", m_PlacementMenu);
    visitor.Records("m_MapCharaMenu", m_MapCharaMenu);
    visitor.Records("m_MapMenu", m_MapMenu);
    visitor.Records("m_BattleCharaMenu", m_BattleCharaMenu);
}
