#include "editor/database/LearnSkillDialog.h"

#include "common/data/ProjectData.h"
#include "editor/database/CharacterPage.h"

LearnSkillDialog::LearnSkillDialog(LearnSkillEntry& entry, int dialogId, platform::WindowHandle parent,
                                   int startMaximised, int kind, EditorApp* app, WindowBase* centreOn,
                                   int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_pEntry(&entry), m_Numbers(1), m_Combos(1),
      m_SkillNames(RecordNames(SkillTable, 1))
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    m_Numbers.At(0).Binding().Set(kIdLearnSkillLevel, &entry.m_nLevel, 1, 99, 0, kIdLearnSkillLevelSpin, 1);
    m_Combos.At(0).Binding().Set(kIdLearnSkillSkill, &entry.m_nSkill, &m_SkillNames, 1, nullptr);
}

int LearnSkillDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_Numbers);
    AttachControls(m_Combos);
    DataToControls();
    SetInitialised(1);
    return 0;
}

void LearnSkillDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
}

intptr_t LearnSkillDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
