#pragma once

// The movement-AI dialog (142, "移動AI"): one line of an enemy placement's
// movement AI, read as a sentence: within [range] "で" [target] "に" [mode],
// with the skill it heals with ("使用スキル") and the position group it heads
// for ("目的地") below. The placement dialog opens it modal on the selected
// row of its working movement-AI list, so it edits that working copy, never
// the stage; OK stores all five choices, Cancel and the close box nothing.
//
// Only recovery skills are offered, and only position groups of at most four
// points; a choice the lists do not offer opens with nothing selected, and OK
// stores nothing selected as skill 0 and goal -1. The skill list is enabled
// only for the mode "回復", the goal list only for the target "最も近い目的地".

#include "common/data/CharacterRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"

#include <string>
#include <vector>

enum : int
{
    kIdMoveAiDialog = 142,
    kIdMoveAiRange = 1202,
    kIdMoveAiTarget = 1203,
    kIdMoveAiMode = 1180,
    kIdMoveAiSkill = 1181,
    kIdMoveAiGoal = 1182,
};

// The mode that heals with a skill, and the skill kind it heals with.
constexpr int32_t kMoveAiModeRecover = 2;
constexpr int32_t kSkillKindRecovery = 2;
// Position groups of more points cannot be a goal.
constexpr int kMaxGoalPoints = 4;

class MoveAiDialog : public DialogBase
{
public:
    // As ListBox::EditSelected makes it: over the list it was opened from.
    // The entry is the selected row of the running placement dialog's list.
    MoveAiDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                 WindowBase* centreOn, int centreOnClient);
    ~MoveAiDialog() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // The skills and goals offered: names, and the value each stores.
    void BuildSkillAndGoalItems();
    // The skill list for the mode "回復", the goal list for the target "最も近い目的地".
    void UpdateEnabling();

    // The entry OK stores into; null when the dialog was opened without one.
    MoveAiEntry* Entry() const { return m_pEntry; }
    const std::vector<std::string>& SkillNames() const { return m_SkillNames; }
    const std::vector<int32_t>& SkillValues() const { return m_SkillValues; }
    const std::vector<std::string>& GoalNames() const { return m_GoalNames; }
    const std::vector<int32_t>& GoalValues() const { return m_GoalValues; }

private:
    ComboBox& Box(int id);

    CheckedVector<ComboBox> m_ComboBoxes; // range, target, mode, skill, goal
    std::vector<std::string> m_SkillNames;
    std::vector<int32_t> m_SkillValues;
    std::vector<std::string> m_GoalNames;
    std::vector<int32_t> m_GoalValues;
    MoveAiEntry* m_pEntry = nullptr;
    MoveAiEntry m_Spare; // what the lists are bound to without an entry
};
