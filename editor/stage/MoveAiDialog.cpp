#include "editor/stage/MoveAiDialog.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/data/ProjectData.h"
#include "editor/stage/EnemyPlacementDialog.h"
#include "platform/window/WindowSystem.h"

MoveAiDialog::MoveAiDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                           WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_ComboBoxes(5)
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    if (EnemyPlacementDialog* placement = EnemyPlacementDialog::Running())
    {
        ListBox<MoveAiEntry>& list = placement->MoveAiList();
        int index = list.GetDataPos();
        if (index >= 0 && index < list.Count())
        {
            m_pEntry = &list.Working().At(index);
        }
    }
    MoveAiEntry& entry = m_pEntry ? *m_pEntry : m_Spare;
    BuildSkillAndGoalItems();
    m_ComboBoxes.At(0).Binding().SetItemTable(kIdMoveAiRange, &entry.m_nRange, MoveAiRangeNames.Words().data(), 0);
    m_ComboBoxes.At(1).Binding().SetItemTable(kIdMoveAiTarget, &entry.m_nTarget, MoveAiTargetNames.Words().data(), 0);
    m_ComboBoxes.At(2).Binding().SetItemTable(kIdMoveAiMode, &entry.m_nMode, MoveAiModeNames.Words().data(), 0);
    m_ComboBoxes.At(3).Binding().Set(kIdMoveAiSkill, &entry.m_nSkill, &m_SkillNames, 1, &m_SkillValues);
    m_ComboBoxes.At(4).Binding().Set(kIdMoveAiGoal, &entry.m_nGoalNum, &m_GoalNames, 0, &m_GoalValues);
}

MoveAiDialog::~MoveAiDialog() = default;

void MoveAiDialog::BuildSkillAndGoalItems()
{
    m_SkillNames.clear();
    m_SkillValues.clear();
    for (int i = 1; i < SkillTable.Count(); ++i)
    {
        const SkillRecord& skill = SkillTable.At(i);
        if (skill.m_nKind == kSkillKindRecovery)
        {
            m_SkillNames.push_back(skill.m_strName);
            // The skill's place in the table, which is what the game looks the skill up by.
            m_SkillValues.push_back(i);
        }
    }
    m_GoalNames.clear();
    m_GoalValues.clear();
    for (int i = 1; i < Stage.m_GroupPos.Count(); ++i)
    {
        const PositionGroup& group = Stage.m_GroupPos.At(i);
        if (group.m_Point.Count() <= kMaxGoalPoints)
        {
            m_GoalNames.push_back(group.m_strName);
            m_GoalValues.push_back(i);
        }
    }
}

ComboBox& MoveAiDialog::Box(int id)
{
    for (ComboBox& box : m_ComboBoxes)
    {
        if (box.Binding().m_nId == ControlIdBits(id))
        {
            return box;
        }
    }
    return m_ComboBoxes.At(0);
}

void MoveAiDialog::UpdateEnabling()
{
    EnableComboBoxById(m_ComboBoxes, kIdMoveAiGoal, Box(kIdMoveAiTarget).GetSelectedData() == kMoveAiTargetGoal);
    EnableComboBoxById(m_ComboBoxes, kIdMoveAiSkill, Box(kIdMoveAiMode).GetSelectedData() == kMoveAiModeRecover);
}

int MoveAiDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_ComboBoxes);
    DataToControls();
    UpdateEnabling();
    SetInitialised(1);
    return 0;
}

void MoveAiDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    // OK stores every choice, those of disabled lists too.
    OnOkCancel(wParam, lParam);
    const int id = platform::LowWord(wParam);
    if (IsInitialised() && CanHandleNotify(wParam) &&
        (id == kIdMoveAiMode || id == kIdMoveAiRange || id == kIdMoveAiTarget))
    {
        UpdateEnabling();
    }
}

intptr_t MoveAiDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
