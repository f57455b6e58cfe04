#include "editor/event/MapActionDialogs.h"

#include "common/data/ProjectData.h"
#include "editor/event/BasicActionDialogs.h"
#include "editor/event/VariableNames.h"

namespace
{

// Map coordinates as the dialog takes them; the data model fits them to the map.
constexpr int32_t kMaxCoordinate = 64;

enum : int32_t
{
    kCursorTargetGroup = 2,
    kCursorTargetCoordinates = 3,
    kAreaWholeMap = 1,
    kAreaGroup = 3,
    kEveryLand = -1,
};

} // namespace

std::vector<std::string> PositionGroupNames(const StageRecord* stage)
{
    std::vector<std::string> names;
    for (int k = 1; stage && k < stage->m_GroupPos.Count(); ++k)
    {
        names.push_back(stage->m_GroupPos.At(k).m_strName);
    }
    return names;
}

// ---- the map cursor ----

MapCursorActionDialog::MapCursorActionDialog(const ActionEditContext& context)
    : EventActionDialog(kIdMapCursorActionDialog, context), m_GroupNames(PositionGroupNames(context.m_pStage))
{
    UseClassProcedure(this);
    if (IsNewAction())
    {
        *IntArg(1) = 1;
    }
    AddComboBox(kIdCursorTarget, 0, CursorTargetNames, 0);
    AddComboBox(kIdPositionGroup, 1, &m_GroupNames, 1);
    AddNumberEdit(kIdCursorX, kIdCursorXSpin, 2, 0, kMaxCoordinate);
    AddNumberEdit(kIdCursorY, kIdCursorYSpin, 3, 0, kMaxCoordinate);
}

void MapCursorActionDialog::RefreshControls()
{
    const int32_t target = ControlById(m_ComboBoxes, kIdCursorTarget).GetSelectedData();
    ControlById(m_ComboBoxes, kIdPositionGroup).Enable(target == kCursorTargetGroup);
    ControlById(m_NumberEdits, kIdCursorX).Enable(target == kCursorTargetCoordinates);
    ControlById(m_NumberEdits, kIdCursorY).Enable(target == kCursorTargetCoordinates);
}

// ---- the variable ----

VariableActionDialog::VariableActionDialog(const ActionEditContext& context)
    : EventActionDialog(kIdVariableActionDialog, context)
{
    UseClassProcedure(this);
    BuildVariableNameRows(m_VariableNames);
    AddComboBox(kIdVariable, 0, &m_VariableNames, 0);
    AddComboBox(kIdOperator, 1, OperatorNames, 0);
    AddNumberEdit(kIdOperand, kIdOperandSpin, 2, -kMaxOperand, kMaxOperand);
    m_PlainControls.push_back(PlainControl(kIdRenameVariable));
}

void VariableActionDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    EventActionDialog::OnCommand(wParam, lParam);
    if (CanHandleNotify(wParam) && platform::LowWord(wParam) == kIdRenameVariable)
    {
        RenameChosenVariable(*this, ControlById(m_ComboBoxes, kIdVariable), m_PlainControls.At(0), m_VariableNames);
    }
}

// ---- the map chips ----

MapChipActionDialog::MapChipActionDialog(const ActionEditContext& context)
    : EventActionDialog(kIdMapChipActionDialog, context), m_GroupNames(PositionGroupNames(context.m_pStage))
{
    UseClassProcedure(this);
    m_LandsReplaced.push_back("全マップチップ");
    for (const LandRecord& land : LandTable)
    {
        m_LandsReplaced.push_back(land.m_strName);
        m_Lands.push_back(land.m_strName);
    }
    if (IsNewAction())
    {
        *IntArg(0) = kAreaWholeMap;
        *IntArg(1) = kEveryLand;
        *IntArg(2) = 0;
        *IntArg(3) = 1;
    }
    // The area list leaves out "条件なし".
    AddComboBox(kIdMapChipArea, 0, AreaConditionNames + 1, kAreaWholeMap);
    AddComboBox(kIdMapChipFrom, 1, &m_LandsReplaced, kEveryLand);
    AddComboBox(kIdMapChipTo, 2, &m_Lands, 0);
    AddComboBox(kIdPositionGroup, 3, &m_GroupNames, 1);
}

void MapChipActionDialog::RefreshControls()
{
    ControlById(m_ComboBoxes, kIdPositionGroup).Enable(ControlById(m_ComboBoxes, kIdMapChipArea).GetSelectedData() == kAreaGroup);
}
