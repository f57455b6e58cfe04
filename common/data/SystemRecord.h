#pragma once

// The project-wide game settings (System.dat): random growth and scouting,
// stat raises, experience and money formulas, the battle system, battle
// formula factors, difficulty, the five in-game command menus, the attribute
// and category lists, the game name and the four music files.

#include "common/data/RecordRules.h"
#include "common/data/SerializableRecord.h"

#include <string>

// An attribute or a category: a symbol number and a name.
class NamedSymbolEntry : public SerializableRecord
{
public:
    NamedSymbolEntry();
    void BindFields(int32_t version) override;

    int32_t m_nSymbol = 0;
    std::string m_strName;
};

class AttributeEntry : public NamedSymbolEntry
{
};

class CategoryEntry : public NamedSymbolEntry
{
};

// One command of an in-game menu: 1 when the game offers it.
class MenuCommandEntry : public SerializableRecord
{
public:
    MenuCommandEntry();
    void BindFields(int32_t version) override;

    int32_t m_bEnabled = 1;
};

// Menu lists are loaded from enabled entries.
void ResetVectorPrototype(MenuCommandEntry& prototype);

// Lengths of the five menu lists.
constexpr int kFormationMenuLength = 12;
constexpr int kPlacementMenuLength = 6;
constexpr int kMapCharaMenuLength = 5;
constexpr int kMapMenuLength = 4;
constexpr int kBattleCharaMenuLength = 4;

class SystemRecord : public SerializableRecord
{
public:
    // Bound at the current format and at the defaults of a new project.
    SystemRecord();

    void BindFields(int32_t version) override;
    // Reads the image and the eight lists, recomputes the action counts and
    // upgrades the menus of older files.
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // The settings of a new project.
    void SetDefaults();
    // Recomputes m_dActionCount from the battle-system fields.
    void UpdateActionCounts();

    int32_t m_nGrowthMin = 0;
    int32_t m_nGrowthMax = 0;
    double m_dGrowthScout = 0.0;
    int32_t m_bGrowthCap = 0;
    int32_t m_nSkillMin = 0;
    int32_t m_nSkillMax = 0;
    double m_dSkillScout = 0.0;
    int32_t m_bSkillCap = 0;
    int32_t m_bScout = 0;
    double m_dStatRaise[kParameterCount] = {};
    int32_t m_nEnemyStatRate[kParameterCount] = {};
    int32_t m_nExpBase = 0;
    double m_dExpLevelDiff = 0.0;
    double m_dExpFinish = 0.0;
    int32_t m_nHireCost = 0;
    int32_t m_nHireCostPerLevel = 0;
    int32_t m_bReviveAfterClear = 0;
    int32_t m_nReviveCost = 0;
    int32_t m_nReviveCostPerLevel = 0;
    int32_t m_nReleasePrice = 0;
    int32_t m_nReleasePricePerLevel = 0;
    int32_t m_nItemSellRate = 0;
    int32_t m_nBattleTime = 0;
    int32_t m_nInitialAction[2] = {}; // attacker, defender
    int32_t m_nSpeedRate[2] = {};     // attacker, defender
    int32_t m_bDefenderWaits = 0;
    int32_t m_nSpeedBase = 0;
    double m_dActionCount[2] = {}; // reference numbers of actions, kept by UpdateActionCounts
    double m_dHitFactor = 0.0;
    double m_dCriticalFactor = 0.0;
    double m_dAttackFactor = 0.0;
    double m_dDefenseFactor = 0.0;
    int32_t m_nDamageRateMin = 0;
    int32_t m_nDamageRateMax = 0;
    int32_t m_nHpRecoverRate = 0;
    int32_t m_bSpOnHitOnly = 0;
    int32_t m_nDifficultyInitial = 0;
    int32_t m_nDifficultyMax = 0;
    int32_t m_bDifficultyPercent = 0;
    int32_t m_nDifficultyStatRaise[kParameterCount] = {};

    std::string m_strBgm[4]; // stage, battle, world map, title
    std::string m_strGameName;

    CheckedVector<AttributeEntry> m_Attribute;
    CheckedVector<CategoryEntry> m_SkillCategory;
    CheckedVector<CategoryEntry> m_ItemCategory;
    CheckedVector<MenuCommandEntry> m_FormationMenu;
    CheckedVector<MenuCommandEntry> m_PlacementMenu;
    CheckedVector<MenuCommandEntry> m_MapCharaMenu;
    CheckedVector<MenuCommandEntry> m_MapMenu;
    CheckedVector<MenuCommandEntry> m_BattleCharaMenu;

private:
    // SetDefaults without the clearing (the constructor's members start at 0).
    void ApplyDefaults();
};

// The reference numbers of actions of attacker and defender in one battle.
// Both are 0 when the speed rates leave no add value to divide by.
void CalcBattleActionCounts(double& attackerCount, double& defenderCount, int32_t battleTime, int32_t attackerInitial,
                            int32_t defenderInitial, int32_t attackerSpeedRate, int32_t defenderSpeedRate,
                            int32_t defenderWaits);
