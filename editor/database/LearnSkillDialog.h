#pragma once

// The learned-skill dialog (126, "習得スキル"): one skill a friend learns
// and the level it learns it at. The friend page opens it modal on an entry
// of its current friend's skills to learn, which it hands over; OK stores
// the skill and the level into that entry, Cancel and the close box nothing.
// Skill 0 is never offered: row p of the list is skill p + 1.

#include "common/data/CharacterRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/NumberEdit.h"

#include <string>
#include <vector>

enum : int
{
    kIdLearnSkillDialog = 126,
    kIdLearnSkillSkill = 1125,
    kIdLearnSkillLevel = 1116,
    kIdLearnSkillLevelSpin = 1064,
};

class LearnSkillDialog : public DialogBase
{
public:
    // The entry it edits, then what ListBox::EditSelectedElement makes dialogs of.
    LearnSkillDialog(LearnSkillEntry& entry, int dialogId, platform::WindowHandle parent, int startMaximised, int kind,
                     EditorApp* app, WindowBase* centreOn, int centreOnClient);

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    LearnSkillEntry& Entry() const { return *m_pEntry; }
    const std::vector<std::string>& SkillNames() const { return m_SkillNames; }

private:
    LearnSkillEntry* m_pEntry;
    CheckedVector<NumberEdit<int>> m_Numbers;
    CheckedVector<ComboBox> m_Combos;
    std::vector<std::string> m_SkillNames;
};
