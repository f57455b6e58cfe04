#pragma once

// The battle-AI dialog (132, "戦闘AI"): one battle action of an enemy, what
// it does (行動: attack, skill, quick), with which skill, its priority level
// (1 .. 9) and priority value (0 .. 100), and the conditions that must all
// hold before the action is a candidate. The enemy page opens it modal on an
// entry of its current enemy's battle AI, which it hands over. The
// conditions are edited in a working copy, one at a time in the condition
// dialog (BattleAiConditionDialog); OK stores the four values and the
// conditions into the entry, Cancel and the close box nothing.
//
// The skill list is enabled only for a skill or quick action; an attack
// keeps the skill it had.

#include "editor/database/BattleAiConditionDialog.h"
#include "editor/framework/ListBox.h"

#include <memory>
#include <string>
#include <vector>

enum : int
{
    kIdBattleAiDialog = 132,
    kIdBattleAiAction = 1180,
    kIdBattleAiSkill = 1181,
    kIdBattleAiPriority = 1182,
    kIdBattleAiPriorityValue = 1183,
    kIdBattleAiPrioritySpin = 1184,
    kIdBattleAiPriorityValueSpin = 1185,
    kIdConditionList = 1186,
    kIdConditionInsert = 1192,
    kIdConditionEdit = 1193,
    kIdConditionDelete = 1194,
    kMaxBattleAiConditions = 99,
};

class BattleAiDialog : public DialogBase
{
public:
    // The entry it edits, then what ListBox::EditSelectedElement makes dialogs of.
    BattleAiDialog(BattleAiEntry& entry, int dialogId, platform::WindowHandle parent, int startMaximised, int kind,
                   EditorApp* app, WindowBase* centreOn, int centreOnClient);
    ~BattleAiDialog() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // The skill list for a skill or a quick action, as the action list shows it now.
    void UpdateSkillEnable();

    BattleAiEntry& Entry() const { return *m_pEntry; }
    ListBox<BattleAiCondition>& Conditions() { return m_List; }
    const std::vector<std::string>& SkillNames() const { return m_SkillNames; }
    BattleAiConditionDialog* RunningConditionDialog() const { return m_pConditionDialog.get(); }

private:
    BattleAiEntry* m_pEntry;
    CheckedVector<BattleAiCondition> m_Conditions; // the working copy
    CheckedVector<ComboBox> m_Combos;              // action, skill
    CheckedVector<NumberEdit<int>> m_Numbers;      // priority level, priority value
    ListBox<BattleAiCondition> m_List;
    std::vector<std::string> m_SkillNames;
    std::unique_ptr<BattleAiConditionDialog> m_pConditionDialog;
};
