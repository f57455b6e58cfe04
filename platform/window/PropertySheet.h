#pragma once

// Property sheets: a top-level window with a tab control, one page per tab,
// and the buttons OK, キャンセル and 適用 (Apply). The sheet is modeless: it
// shows itself and returns; the program's loop keeps it running.
//
// A page is a child dialog window that the sheet makes (through the page's
// own function) the first time its tab is chosen; the first page is made
// with the sheet. Every page the sheet made stays until the sheet window is
// destroyed, which destroys them with it.
//
// What the pages hear, as kWmNotify with a NotifyHeader from the sheet (id 0):
// - kPsnSetActive when the page becomes the current one (the first page
//   once the sheet is made, any page when its tab is chosen);
// - kPsnApply on OK and on Apply, every page the sheet made, in tab order.
// What the sheet hears:
// - kPsmChanged (wParam the page's window) enables Apply, until the next Apply;
// - kPsmGetCurrentPageHwnd answers the current page's window, and nothing
//   once the author closed the sheet with OK, Cancel or the close box: the
//   sheet hides and waits for the program to destroy it. It posts itself a
//   kWmNull then, so that the loop takes a turn even when nothing else comes;
// - kPsmSetCurSel (wParam the page's index) chooses a page as its tab would;
// - kPsmIsDialogMessage (lParam a WindowMessage*) applies the sheet's
//   keyboard to a message for the sheet or anything inside it: Tab and
//   Shift+Tab go round the tab control, the current page's controls and the
//   buttons; Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp choose
//   the next or previous page; Enter presses the focused push button, else
//   OK (a multi-line edit with kEsWantReturn keeps it); Esc is Cancel.
//   Nonzero when the message was used.

#include "platform/window/WindowSystem.h"

#include <functional>
#include <string>
#include <vector>

namespace platform
{

enum : uint32_t
{
    kPsmSetCurSel = kWmUser + 101,
    kPsmChanged = kWmUser + 104,
    kPsmIsDialogMessage = kWmUser + 117,
    kPsmGetCurrentPageHwnd = kWmUser + 118,
};

enum : int
{
    kPsnSetActive = -200,
    kPsnApply = -202,
};

// The ids of the sheet's own controls (OK and Cancel are kIdOk and kIdCancel).
enum : int
{
    kIdSheetTabs = 0x3020,
    kIdSheetApply = 0x3021,
};

struct PropertySheetPage
{
    std::string m_strTitle; // the tab's text (CP932)
    int m_nWidth = 0;       // the page's size in pixels
    int m_nHeight = 0;
    // Makes the page's window, hidden, as a child of the sheet; null when it cannot.
    std::function<WindowHandle(WindowHandle sheet)> m_Create;
};

struct PropertySheetParams
{
    WindowHandle m_hOwner; // the window the sheet belongs to and is centred on
    std::string m_strCaption;
    std::vector<PropertySheetPage> m_Pages;
};

// Makes the sheet with its first page and shows it, active, the focus on the
// page's first control. Null when the sheet or its first page cannot be made.
WindowHandle CreatePropertySheet(WindowSystem& system, PropertySheetParams params);

// The texts of the sheet's buttons.
inline constexpr std::string_view kSheetOkText = "OK";
inline constexpr std::string_view kSheetCancelText = "キャンセル";
inline constexpr std::string_view kSheetApplyText = "適用(&A)";

} // namespace platform
