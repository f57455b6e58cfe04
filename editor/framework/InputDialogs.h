#pragma once

// The two small modal dialogs that ask the author for one number or one line
// of text: dialog 122 "値の入力" (edit 1077 with its spin 1078) and dialog
// 164 "テキストの入力" (edit 1077). The prompt is the dialog's title. Each is
// opened through its Run, which owns the object for the length of the run.
// OK stores into the caller's variable and returns 1; Cancel and the close
// box return 0 and leave the variable exactly as it was, whatever was typed:
// the edit works on a copy, and only OK hands it over.

#include "editor/framework/DialogBase.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <memory>
#include <string>

enum : int
{
    kIdValueInputDialog = 122,
    kIdTextInputDialog = 164,
    kIdInputEdit = 1077,
    kIdInputSpin = 1078,
};

// What both dialogs are: one bound edit over a copy of the caller's
// variable, the prompt as the title, OK and Cancel. Dialog is the concrete
// class (its class procedure and its running object), Edit the edit's wrapper.
template <class Dialog, class Edit, class Value>
class InputDialog : public DialogBase
{
public:
    // The object of the run going on; null between runs.
    static Dialog* Running() { return s_pRunning.get(); }

    // 1006 stores the edit and hands the value over; 1007 closes with 0.
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // Binds the edit, shows the value with the whole text selected, and the prompt as the title.
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    const std::string& Prompt() const { return m_strPrompt; }
    Edit& Field() { return m_Edits.At(0); }

protected:
    // A null prompt is an empty title. The dialog is placed over the anchor
    // window (its client area with the flag).
    InputDialog(int dialogId, platform::WindowHandle parent, EditorApp* owner, Value* value, const char* prompt,
                WindowBase* anchor, int centreOnClient);

    template <class... Args>
    static int RunDialog(Args&&... args)
    {
        return RunOwnedModal(s_pRunning, 0, std::forward<Args>(args)...);
    }

    Value* m_pValue;
    Value m_Working;
    std::string m_strPrompt;
    CheckedVector<Edit> m_Edits;

private:
    static inline std::unique_ptr<Dialog> s_pRunning;
};

class ValueInputDialog : public InputDialog<ValueInputDialog, NumberEdit<int>, int>
{
public:
    // The value stored lies in [minimum, maximum].
    ValueInputDialog(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum, int maximum,
                     const char* prompt, WindowBase* anchor, int centreOnClient);

    // 1 when the author confirmed with OK (the value is stored), else 0.
    static int Run(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum, int maximum,
                   const char* prompt, WindowBase* anchor, int centreOnClient);
};

class TextInputDialog : public InputDialog<TextInputDialog, TextEdit, std::string>
{
public:
    // The text keeps to maxLength bytes, or to maxLength characters of one
    // line with the double-byte flag (a double-byte character counting one).
    TextInputDialog(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength,
                    int doubleByte, const char* prompt, WindowBase* anchor, int centreOnClient);

    // 1 when the author confirmed with OK (the text is stored), else 0.
    static int Run(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength, int doubleByte,
                   const char* prompt, WindowBase* anchor, int centreOnClient);
};
