#include "editor/framework/InputDialogs.h"

#include "platform/window/WindowSystem.h"

namespace
{

// The edit opens with its text selected, so typing replaces it.
constexpr int kSelectedChars = 99;

// What both dialogs do when their window is made, once the edit is bound.
void ShowPromptAndSelect(DialogBase& dialog, const std::string& prompt, const Control& edit)
{
    if (platform::NativeWindow* native = dialog.Native())
    {
        native->SetTitle(prompt);
    }
    dialog.DataToControls();
    platform::SendWindowMessage(edit.Handle(), platform::kEmSetSel, 0, kSelectedChars);
    dialog.SetInitialised(1);
}

} // namespace

// ---- ValueInputDialog ----

ValueInputDialog::ValueInputDialog(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum,
                                   int maximum, const char* prompt, WindowBase* anchor, int centreOnClient)
    : DialogBase(anchor, centreOnClient), m_pValue(value), m_nWorking(value ? *value : 0),
      m_strPrompt(prompt ? prompt : ""), m_Edits(1)
{
    Init(kIdValueInputDialog, parent, 0, kWindowDialog, owner);
    UseClassProcedure(this);
    m_Edits.At(0).Binding().Set(kIdInputEdit, &m_nWorking, minimum, maximum, 0, kIdInputSpin, 1);
}

ValueInputDialog::~ValueInputDialog() = default;

int ValueInputDialog::Run(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum, int maximum,
                          const char* prompt, WindowBase* anchor, int centreOnClient)
{
    return RunOwnedModal(s_pRunning, 0, parent, owner, value, minimum, maximum, prompt, anchor, centreOnClient);
}

void ValueInputDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
    if (platform::LowWord(wParam) == kIdDialogOk && m_pValue)
    {
        *m_pValue = m_nWorking;
    }
}

intptr_t ValueInputDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}

int ValueInputDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    for (int i = 0; i < m_Edits.Count(); ++i)
    {
        NumberEdit<int>& edit = m_Edits.At(i);
        edit.Attach(this, edit.Binding());
        BindControl(&edit);
    }
    ShowPromptAndSelect(*this, m_strPrompt, m_Edits.At(0));
    return 0;
}

// ---- TextInputDialog ----

TextInputDialog::TextInputDialog(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength,
                                 int doubleByte, const char* prompt, WindowBase* anchor, int centreOnClient)
    : DialogBase(anchor, centreOnClient), m_pText(text), m_strWorking(text ? *text : std::string()),
      m_strPrompt(prompt ? prompt : ""), m_Edits(1)
{
    Init(kIdTextInputDialog, parent, 0, kWindowDialog, owner);
    UseClassProcedure(this);
    m_Edits.At(0).Binding().Set(kIdInputEdit, &m_strWorking, maxLength, doubleByte);
}

TextInputDialog::~TextInputDialog() = default;

int TextInputDialog::Run(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength,
                         int doubleByte, const char* prompt, WindowBase* anchor, int centreOnClient)
{
    return RunOwnedModal(s_pRunning, 0, parent, owner, text, maxLength, doubleByte, prompt, anchor, centreOnClient);
}

void TextInputDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    OnOkCancel(wParam, lParam);
    if (platform::LowWord(wParam) == kIdDialogOk && m_pText)
    {
        *m_pText = m_strWorking;
    }
}

intptr_t TextInputDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}

int TextInputDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    for (int i = 0; i < m_Edits.Count(); ++i)
    {
        TextEdit& edit = m_Edits.At(i);
        edit.Attach(this, edit.Binding());
        BindControl(&edit);
    }
    ShowPromptAndSelect(*this, m_strPrompt, m_Edits.At(0));
    return 0;
}
