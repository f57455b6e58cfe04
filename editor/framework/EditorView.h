#pragma once

// The editor's two kinds of main working windows. An EditorWindow (the stage
// editor, the world-map editor) is a modeless dialog with palettes beside it
// that go with it when it is minimised. One that hid itself (and marked itself
// hidden) is shown again, with its palettes, when the editor is activated
// next. The EditorView
// is the one the main window owns and shows: the stage editor window, or,
// until that exists, a placeholder that shows which project is open.

#include "common/window/EditorApp.h"
#include "editor/framework/DialogBase.h"

#include <memory>

class EditorWindow : public DialogBase
{
public:
    using DialogBase::DialogBase;

    // The window and its palettes shown again, hidden, enabled or disabled.
    virtual void ShowWithPalettes() { Show(1); }
    virtual void HideWithPalettes() { Show(0); }
    virtual void EnableWithPalettes(int enable) { Enable(enable); }
    // Opens the map-chip palette beside the window, once the window is on the
    // screen (a fresh window does it at once).
    virtual void OpenMapChipPalette() {}

    // The window and its palettes minimised into the desktop's task bar, where
    // the author finds them again (the stage editor's minimise).
    virtual void MinimiseWithPalettes();
    // Hides the window and its palettes and marks it hidden (the placeholder's minimise).
    void HideWhenMinimised();
    // Shows a window that hid itself once it has finished its creation, and
    // clears the mark; it becomes the active window.
    void ShowIfHidden();
    // The window becomes the active window, with the keyboard focus on its
    // map, whichever of its palettes was shown last: its keys (Ctrl+S, Ctrl+Z)
    // work at once.
    void MakeActive();
    int IsHidden() const { return m_bHidden; }

protected:
    int m_bHidden = 0;
};

class EditorView : public EditorWindow, public AppView
{
public:
    using EditorWindow::EditorWindow;

    platform::WindowHandle ViewWindow() const override { return Handle(); }
    // The world-map editor window the view holds open; null when none.
    virtual EditorWindow* WorldMapWindow() const { return nullptr; }
};

// The view the main window makes until the stage editor window exists: a
// plain window that names the project folder. Closing it asks to end the
// editor, as closing the main window does.
class PlaceholderView : public EditorView
{
public:
    static constexpr int kTextId = 1000;

    explicit PlaceholderView(platform::WindowHandle parent);

    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
};
