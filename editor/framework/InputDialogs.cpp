#include "editor/framework/InputDialogs.h"

#include "platform/window/WindowSystem.h"

namespace
{

// The edit opens with its text selected, so typing replaces it.
constexpr int kSelectedChars = 99;

} // namespace

// ---- InputDialog ----

template <class Dialog, class Edit, class Value>
InputDialog<Dialog, Edit, Value>::InputDialog(int dialogId, platform::WindowHandle parent, EditorApp* owner,
                                              Value* value, const char* prompt, WindowBase* anchor,
                                              int centreOnClient)
    : DialogBase(anchor, centreOnClient), m_pValue(value), m_Working(value ? *value : Value()),
      m_strPrompt(prompt ? prompt : ""), m_Edits(1)
{
    // The concrete class takes its class procedure in its own constructor:
    // here the object is not yet a Dialog, and casting to one is undefined.
    Init(dialogId, parent, 0, kWindowDialog, owner);
}

template <class Dialog, class Edit, class Value>
void InputDialog<Dialog, Edit, Value>::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
    if (platform::LowWord(wParam) == kIdDialogOk && m_pValue)
    {
        *m_pValue = m_Working;
    }
}

template <class Dialog, class Edit, class Value>
intptr_t InputDialog<Dialog, Edit, Value>::WindowProc(platform::WindowHandle window, uint32_t message,
                                                      uintptr_t wParam, intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}

template <class Dialog, class Edit, class Value>
int InputDialog<Dialog, Edit, Value>::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    if (platform::NativeWindow* native = Native())
    {
        native->SetTitle(m_strPrompt);
    }
    for (int i = 0; i < m_Edits.Count(); ++i)
    {
        Edit& edit = m_Edits.At(i);
        edit.Attach(this, edit.Binding());
        BindControl(&edit);
    }
    DataToControls();
    platform::SendWindowMessage(m_Edits.At(0).Handle(), platform::kEmSetSel, 0, kSelectedChars);
    SetInitialised(1);
    return 0;
}

// ---- ValueInputDialog ----

ValueInputDialog::ValueInputDialog(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum,
                                   int maximum, const char* prompt, WindowBase* anchor, int centreOnClient)
    : InputDialog(kIdValueInputDialog, parent, owner, value, prompt, anchor, centreOnClient)
{
    UseClassProcedure(this);
    Field().Binding().Set(kIdInputEdit, &m_Working, minimum, maximum, 0, kIdInputSpin, 1);
}

int ValueInputDialog::Run(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum, int maximum,
                          const char* prompt, WindowBase* anchor, int centreOnClient)
{
    return RunDialog(parent, owner, value, minimum, maximum, prompt, anchor, centreOnClient);
}

// ---- TextInputDialog ----

TextInputDialog::TextInputDialog(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength,
                                 int doubleByte, const char* prompt, WindowBase* anchor, int centreOnClient)
    : InputDialog(kIdTextInputDialog, parent, owner, text, prompt, anchor, centreOnClient)
{
    UseClassProcedure(this);
    Field().Binding().Set(kIdInputEdit, &m_Working, maxLength, doubleByte);
}

int TextInputDialog::Run(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength,
                         int doubleByte, const char* prompt, WindowBase* anchor, int centreOnClient)
{
    return RunDialog(parent, owner, text, maxLength, doubleByte, prompt, anchor, centreOnClient);
}

template class InputDialog<ValueInputDialog, NumberEdit<int>, int>;
template class InputDialog<TextInputDialog, TextEdit, std::string>;
