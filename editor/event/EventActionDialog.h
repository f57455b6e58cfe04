#pragma once

// The base of the dialogs that edit one action of an event page, each for one
// kind of command. The action is edited in place (ActionEditContext); on
// construction its argument vectors are sized to the counts of its code in
// the command table (new ints 0, new strings empty, surplus dropped from the
// end; the argument checks of the data model do not run), so that every
// argument a control is bound to exists before anything is shown, with the
// value it was stored with. A derived constructor then writes the kind's defaults for a new
// action and fills the bindings of its controls with the arguments.
//
// The dialog attaches every control of its vectors (numeric edits, combo
// boxes, text edits, check boxes, previews, then plain controls), shows the arguments and runs
// RefreshControls, the one place of its enabling rules, again after every
// command. OK (1006) stores every control into its argument and ends with 1;
// Cancel (1007) and the close box end with 0 and store nothing.

#include "editor/event/ActionKindDialog.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <memory>

class EventActionDialog : public DialogBase
{
public:
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // Enables the controls that the shown choices call for. Nothing here.
    virtual void RefreshControls() {}

    EventCommand& Command() { return *m_Context.m_pCommand; }
    bool IsNewAction() const { return m_Context.m_bNewAction != 0; }

protected:
    EventActionDialog(int dialogId, const ActionEditContext& context);

    // The command's int argument as a bound value.
    int32_t* IntArg(int index) { return &Command().m_nValParam.At(index); }
    // Appends a numeric edit with its spin, step 1.
    void AddNumberEdit(int id, int spinId, int index, int32_t minimum, int32_t maximum);
    // Appends a combo box over a word list of the data model.
    void AddComboBox(int id, int index, const char* const* table, int32_t base);
    // Appends a combo box over a list of names the dialog keeps.
    void AddComboBox(int id, int index, const std::vector<std::string>* names, int32_t base);
    // Appends a check box: 1 ticked, 0 not.
    void AddCheckBox(int id, int index);

    ActionEditContext m_Context;
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<ComboBox> m_ComboBoxes;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<CheckBox> m_CheckBoxes;
    CheckedVector<BitmapControl> m_Previews;
    CheckedVector<PlainControl> m_PlainControls;
};

// The opener of a kind's dialog: makes the dialog over the context's anchor,
// runs it modal, deletes it; its result.
template <class Dialog>
int RunActionDialog(const ActionEditContext& context)
{
    static std::unique_ptr<Dialog> running;
    return RunOwnedModal(running, 1, context);
}
