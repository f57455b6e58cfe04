#pragma once

// The editor's application object: the lists of open modeless windows and of
// open modeless property sheets, which the editor framework fills and
// empties, and the two things the editor's message loop asks of it: the
// pre-translation of every message it takes (accelerators, the clean-up of a
// sheet the author has closed, dialog and sheet navigation) and the idle step.

#include "common/window/ModelessSheet.h"

#include <memory>
#include <vector>

class WindowBase;

struct SheetEntry
{
    ModelessSheet* m_pSheet = nullptr;
    // Where the sheet's creator holds the object that owns the sheet: the loop
    // deletes that object and empties the holder once the author closed the sheet.
    std::unique_ptr<PropSheetOwner>* m_pOwnerHolder = nullptr;
};

// The editor's current view (the stage editor window), as the application
// object and the main window see it.
class AppView
{
public:
    virtual ~AppView() = default;
    // The view's window; null when it has none.
    virtual platform::WindowHandle ViewWindow() const = 0;
    // The modeless property sheet the view holds open (the database); null when none.
    virtual ModelessSheet* OpenSheet() const { return nullptr; }
};

class EditorApp
{
public:
    EditorApp() = default;

    void AddWindow(WindowBase* window) { m_Windows.push_back(window); }
    // Removes the first entry equal to the window; 1 when there was one.
    int RemoveWindow(WindowBase* window);
    void ShowAllWindows(int show);
    void EnableAllWindows(int enable);

    // 1 when the message was used: translated by an accelerator table of a
    // registered window, or used as dialog or sheet navigation. Else 0: the
    // loop dispatches it. Sheets the author closed are cleaned up on the way;
    // that uses no message.
    int PreTranslateMessage(const platform::WindowMessage& message);
    // One idle step: nothing without a current view; else the frame rate,
    // OnIdle of every registered window, and the redraw of the pages of the
    // sheet the view holds open. Always 1.
    int OnIdle();
    // Whether a registered window has work for every idle step.
    bool WantsIdle() const;

    // The registered sheet whose window that is; null when none.
    ModelessSheet* FindSheet(platform::WindowHandle sheetWindow) const;

    std::vector<WindowBase*> m_Windows;
    std::vector<SheetEntry> m_Sheets;

private:
    // Whether the window's accelerators may apply now that the window is active.
    bool AcceleratorsApply(const WindowBase& window, platform::WindowHandle active) const;
    bool TranslateAccelerators(const platform::WindowMessage& message);
    // Destroys the first sheet the author has closed and deletes its owner.
    bool CloseFinishedSheet();
};

extern EditorApp App;
// The editor's current view; null before the start-up has made it and after it went.
extern AppView* CurrentView;
// Idle steps of the last completed second (the idle step measures it).
extern int IdleFrameRate;
