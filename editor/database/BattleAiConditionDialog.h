#pragma once

// The battle-AI condition dialog (133, "戦闘AI 条件"): one condition of a
// battle-AI entry, read as a sentence: [whose] "の" [which value] "が"
// [number] [comparison], the number a percentage when "↑％で指定" is ticked.
// The battle-AI dialog opens it modal on a condition of its working copy,
// which it hands over; OK stores into that condition, Cancel and the close
// box nothing.

#include "common/data/CharacterRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/NumberEdit.h"

enum : int
{
    kIdConditionDialog = 133,
    kIdConditionSubject = 1187,
    kIdConditionParameter = 1188,
    kIdConditionValue = 11083,
    kIdConditionValueSpin = 11082,
    kIdConditionComparison = 1189,
    kIdConditionPercent = 1035,
};

class BattleAiConditionDialog : public DialogBase
{
public:
    // The condition it edits, then what ListBox::EditSelectedElement makes dialogs of.
    BattleAiConditionDialog(BattleAiCondition& condition, int dialogId, platform::WindowHandle parent,
                            int startMaximised, int kind, EditorApp* app, WindowBase* centreOn, int centreOnClient);

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    BattleAiCondition& Condition() const { return *m_pCondition; }

private:
    BattleAiCondition* m_pCondition;
    CheckedVector<ComboBox> m_Combos;
    CheckedVector<NumberEdit<int>> m_Numbers;
    CheckedVector<CheckBox> m_Checks;
};
