#include "editor/event/EventActionDialog.h"

#include "editor/event/EventDialog.h"

EventActionDialog::EventActionDialog(int dialogId, const ActionEditContext& context)
    : DialogBase(context.m_pAnchor, 0), m_Context(context)
{
    Init(dialogId, context.m_hParent, 0, kWindowDialog, context.m_pApp);
    Command().FitArgumentCounts();
}

void EventActionDialog::AddNumberEdit(int id, int spinId, int index, int32_t minimum, int32_t maximum)
{
    m_NumberEdits.emplace_back().Binding().Set(id, IntArg(index), minimum, maximum, 0, spinId, 1);
}

void EventActionDialog::AddComboBox(int id, int index, const char* const* table, int32_t base)
{
    m_ComboBoxes.emplace_back().Binding().SetItemTable(id, IntArg(index), table, base);
}

void EventActionDialog::AddComboBox(int id, int index, const std::vector<std::string>* names, int32_t base)
{
    m_ComboBoxes.emplace_back().Binding().Set(id, IntArg(index), names, base, nullptr);
}

void EventActionDialog::AddCheckBox(int id, int index)
{
    m_CheckBoxes.emplace_back().Binding().Set(id, IntArg(index));
}

int EventActionDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    // The page rows count the actions, the one under edit among them.
    if (EventDialog* events = EventDialog::Running())
    {
        events->PageList().Refill();
        events->PageList().EndUpdate();
    }
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_NumberEdits);
    AttachControls(m_ComboBoxes);
    AttachControls(m_TextEdits);
    AttachControls(m_CheckBoxes);
    AttachControls(m_Previews);
    AttachPlainControls(m_PlainControls);
    DataToControls();
    RefreshControls();
    SetInitialised(1);
    return 0;
}

void EventActionDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
    if (IsInitialised() && !HasEnded() && CanHandleNotify(wParam))
    {
        RefreshControls();
    }
}

intptr_t EventActionDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam)
{
    return CloseAndRedraw(window, message, wParam, lParam);
}
