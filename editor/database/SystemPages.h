#pragma once

// The first three system pages of the database sheet. They edit the global
// System record directly, with no working copy: every control is bound to a
// field of System, holds what the author types, spins or ticks, and hands it
// over only when the sheet saves (Save, run for each of the three pages
// before the fourth system page writes System.dat). A page whose window was
// never made commits nothing. After a save-all each page shows System's
// values again when it is next activated.
//
// - "システム" (112): the game's name, random growth and skill learning with
//   their scouting terms, scouting on or off, the stat raise per growth point.
// - "システム2" (128): the enemies' stat correction, experience, the hiring,
//   revival and release prices, the item selling price.
// - "システム3" (172): the battle system (battle time, initial action values,
//   speed corrections with the reference action counts they give, speed
//   base, the hit, critical and damage factors, damage range, HP recovery,
//   SP on a miss) and the difficulty with its stat raises.

#include "common/data/RecordRules.h"
#include "editor/database/DatabasePage.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <cstdint>
#include <string>

enum : int
{
    kIdSystemPage1 = 112,
    kIdSystemPage2 = 128,
    kIdSystemPage3 = 172,
    kIdSystemGameName = 1003,
    kGameNameLength = 16,
    // The first of the nine stat rows of each page (HP .. はやさ), their spins following the same way.
    kIdSystemGrowthRaise = 1334,
    kIdSystemEnemyStat = 1352,
    kIdSystemDifficultyRaise = 1278,
    // Page 3: what the reference action counts are computed from, and the counts.
    kIdSystemBattleTime = 1161,
    kIdSystemInitAttacker = 1271,
    kIdSystemInitDefender = 1273,
    kIdSystemSpeedAttacker = 1156,
    kIdSystemSpeedDefender = 1158,
    kIdSystemDefenderWaits = 1037,
    kIdSystemCountAttacker = 1163,
    kIdSystemCountDefender = 1164,
    kIdSystemSpeedBase = 1177,
};

// What the three pages share: the four vectors of bound controls, attached
// in the order ints, doubles, texts, check boxes, and the save step.
class SystemSettingsPage : public DatabasePage
{
public:
    SystemSettingsPage(int dialogId, DatabaseSheet& sheet);

    // Every control attached and showing its System field; then the page is initialised.
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    // Commits every control into its System field when the page's window exists. Always 1.
    int Save(DatabaseSaveErrors& errors) override;

    NumberEdit<int>& IntEdit(int index) { return m_Ints.At(index); }
    NumberEdit<double>& DoubleEdit(int index) { return m_Doubles.At(index); }
    int IntEditCount() const { return m_Ints.Count(); }
    int DoubleEditCount() const { return m_Doubles.Count(); }

protected:
    // A number with its spin (0: none); the step is 1.
    void AddInt(int id, int32_t& field, int32_t minimum, int32_t maximum, int spinId);
    // A number with its spin (0: none) and the step that also gives the decimals shown.
    void AddDouble(int id, double& field, double minimum, double maximum, int spinId, double step);
    // The nine stat rows: the edits from firstId, their spins from firstSpin.
    void AddIntRows(int firstId, int firstSpin, int32_t (&fields)[kParameterCount], int32_t maximum);
    void AddDoubleRows(int firstId, int firstSpin, double (&fields)[kParameterCount], double maximum, double step);
    // A single-line text of at most length characters, a double-byte character counting as one.
    void AddText(int id, std::string& field, int length);
    void AddCheck(int id, int32_t& field);

    CheckedVector<NumberEdit<int>> m_Ints;
    CheckedVector<NumberEdit<double>> m_Doubles;
    CheckedVector<TextEdit> m_Texts;
    CheckedVector<CheckBox> m_Checks;
};

class SystemPage1 : public SystemSettingsPage
{
public:
    explicit SystemPage1(DatabaseSheet& sheet);
};

class SystemPage2 : public SystemSettingsPage
{
public:
    explicit SystemPage2(DatabaseSheet& sheet);
};

class SystemPage3 : public SystemSettingsPage
{
public:
    explicit SystemPage3(DatabaseSheet& sheet);

    // The reference action counts of what the controls show now (the speed
    // base does not enter them), shown in the two read-only fields. Counts
    // with nothing to divide by are 0.
    void ShowActionCounts();

protected:
    // A change of the battle time, an initial action value, a speed
    // correction or the wait check box shows the counts again at once.
    bool OnPageCommand(uintptr_t wParam, intptr_t lParam) override;
};
