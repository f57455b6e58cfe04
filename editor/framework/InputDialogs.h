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

class ValueInputDialog : public DialogBase
{
public:
    // The value must lie in [minimum, maximum] to be stored; a null prompt is
    // an empty title. The dialog is placed over the anchor window (its client
    // area with the flag).
    ValueInputDialog(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum, int maximum,
                     const char* prompt, WindowBase* anchor, int centreOnClient);
    ~ValueInputDialog() override;

    // 1 when the author confirmed with OK (the value is stored), else 0.
    static int Run(platform::WindowHandle parent, EditorApp* owner, int* value, int minimum, int maximum,
                   const char* prompt, WindowBase* anchor, int centreOnClient);
    // The object of the run going on; null between runs.
    static ValueInputDialog* Running() { return s_pRunning.get(); }

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    const std::string& Prompt() const { return m_strPrompt; }
    NumberEdit<int>& Edit() { return m_Edits.At(0); }

private:
    static inline std::unique_ptr<ValueInputDialog> s_pRunning;

    int* m_pValue;
    int m_nWorking;
    std::string m_strPrompt;
    CheckedVector<NumberEdit<int>> m_Edits;
};

class TextInputDialog : public DialogBase
{
public:
    // The text keeps to maxLength bytes, or maxLength characters of one line
    // with the double-byte flag (a double-byte character counting one).
    TextInputDialog(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength,
                    int doubleByte, const char* prompt, WindowBase* anchor, int centreOnClient);
    ~TextInputDialog() override;

    static int Run(platform::WindowHandle parent, EditorApp* owner, std::string* text, int maxLength, int doubleByte,
                   const char* prompt, WindowBase* anchor, int centreOnClient);
    static TextInputDialog* Running() { return s_pRunning.get(); }

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    const std::string& Prompt() const { return m_strPrompt; }
    TextEdit& Edit() { return m_Edits.At(0); }

private:
    static inline std::unique_ptr<TextInputDialog> s_pRunning;

    std::string* m_pText;
    std::string m_strWorking;
    std::string m_strPrompt;
    CheckedVector<TextEdit> m_Edits;
};
