#include "editor/event/StatusActionDialog.h"

#include "editor/event/MapActionDialogs.h"

namespace
{

constexpr int32_t kMaxStatusChange = 999;

enum : int32_t
{
    kAreaWholeMap = 1,
    kAreaGroup = 3,
};

} // namespace

StatusOperationDialog::StatusOperationDialog(const ActionEditContext& context)
    : EventActionDialog(kIdStatusOperationDialog, context), m_GroupNames(PositionGroupNames(context.m_pStage))
{
    UseClassProcedure(this);
    if (IsNewAction())
    {
        *IntArg(0) = 1;
        *IntArg(1) = kAreaWholeMap;
        *IntArg(3) = 1;
    }
    AddNumberEdit(kIdStatusAmount, kIdStatusAmountSpin, 5, -kMaxStatusChange, kMaxStatusChange);
    // The area list leaves out "条件なし".
    AddComboBox(kIdStatusArea, 1, AreaConditionNames + 1, kAreaWholeMap);
    AddComboBox(kIdStatusWho, 2, CharacterSelectorNames, 0);
    AddComboBox(kIdStatusGroup, 3, &m_GroupNames, 1);
    AddComboBox(kIdStatusValue, 4, StatNames, 0);
    AddCheckBox(kIdStatusSubject, 0);
    AddCheckBox(kIdStatusPercent, 6);
}

void StatusOperationDialog::RefreshControls()
{
    const bool subject = ControlById(m_CheckBoxes, kIdStatusSubject).GetCheck() != 0;
    const bool group = ControlById(m_ComboBoxes, kIdStatusArea).GetSelectedData() == kAreaGroup;
    EnableComboBoxById(m_ComboBoxes, kIdStatusArea, !subject);
    EnableComboBoxById(m_ComboBoxes, kIdStatusWho, !subject);
    EnableComboBoxById(m_ComboBoxes, kIdStatusGroup, !subject && group);
}
