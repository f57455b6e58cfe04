#pragma once

// Keys for modal dialogs. Inside a modal dialog the keys go to the focused
// control, so the dialog itself never sees them; every modal DialogBase
// installs a KeyboardHook on its window, and one hook per window system (its
// key observer) posts a copy of every key-down and key-up to the active window
// when that window carries a hook attached to it. The copies carry
// kKeyReposted, so the dialog keyboard leaves them alone; the dialog routes
// them to its bound controls (Control::OnKey) with the state of the Ctrl key
// the hook tracks. The hook never swallows a key: the focused control still
// gets it as usual. Tab is never copied, nor Enter while an input method
// composes (Enter then confirms the composition).

#include "platform/window/WindowSystem.h"

// 1 after a copied Ctrl key-down, 0 after a copied Ctrl key-up.
extern int CtrlKeyDown;

class KeyboardHook
{
public:
    KeyboardHook() = default;
    virtual ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Marks the window with this hook (its "cHook" property) and makes the
    // hook its system's key observer. 1 when a hook is installed afterwards.
    int Install(platform::WindowHandle window);
    // Removes the hook from the program's window system (shut-down).
    static void UninstallAll();

    platform::WindowHandle Window() const { return m_hWindow; }

private:
    static void HookProc(const platform::WindowMessage& key);

    platform::WindowHandle m_hWindow;
};
