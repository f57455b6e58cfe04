#pragma once

// A property sheet of DialogBase pages (window kind kWindowSheetPage): the
// editor's database. The sheet is modeless, with a tab per page and OK,
// キャンセル and 適用 (platform/window/PropertySheet.h has its behaviour); no
// help button. A page's window is made the first time its tab is shown (the
// first page's with the sheet); the page then runs its kWmInitDialog work and
// registers itself with the application like any modeless dialog.
//
// What a page hears and says:
// - kWmNotify kPsnSetActive when it becomes the current page, kPsnApply on
//   OK and on Apply (every page whose window was made);
// - PageChanged(page) after each of its commands enables Apply.
//
// Lifetime. The creator keeps the object that owns the sheet (the sheet
// itself, or an object holding it) in a std::unique_ptr<PropSheetOwner> and
// registers that holder with the application (Register). Once the author
// closed the sheet (OK, Cancel, the close box), the sheet has no current page
// and the editor's loop, on its next turn (CloseFinishedSheets), destroys the
// sheet window and deletes the owner through the holder. The destructor
// takes the sheet out of the application's list.

#include "common/window/EditorApp.h"
#include "editor/framework/DialogBase.h"
#include "platform/window/PropertySheet.h"

#include <memory>
#include <string_view>
#include <vector>

// An object that owns a modeless property sheet; the editor's loop deletes it
// once the author closed the sheet.
class PropSheetOwner
{
public:
    virtual ~PropSheetOwner() = default;
};

class PropSheet : public PropSheetOwner
{
public:
    // The sheet belongs to the parent window; owner is the application object.
    PropSheet(int modeless, platform::WindowHandle parent, EditorApp* owner);
    // Destroys a window still there and takes the sheet out of the
    // application's list ("ウインドウの破棄に失敗！" when it was registered
    // and is not there any more).
    ~PropSheet() override;
    PropSheet(const PropSheet&) = delete;
    PropSheet& operator=(const PropSheet&) = delete;

    // Enters the sheet into the application's list with the holder through
    // which its creator keeps the sheet's owner.
    void Register(std::unique_ptr<PropSheetOwner>* holder);
    // Appends a page (constructed with kWindowSheetPage); the sheet does not own it.
    void AddPage(DialogBase* page) { m_Pages.push_back(page); }

    // Makes and shows the sheet with its first page. 0 when it cannot be
    // made: "ウインドウの生成に失敗！" and the parent window is destroyed.
    int Create();
    // Destroys the sheet window (and so the pages' windows).
    void Destroy();
    // Redraws every page (OnPaint), in tab order: the idle step's call.
    void RedrawPages();
    // Sets the sheet's caption; 1, or 0 without a window.
    int SetCaption(std::string_view caption);

    // The current page's window; null without a window and once the author closed the sheet.
    platform::WindowHandle CurrentPageWindow() const;
    // The sheet has a window and the author closed it: the loop may destroy it.
    bool IsFinished() const;
    // The sheet's keyboard (Tab, Enter, Esc, Ctrl+Tab) for a message of the
    // sheet or anything in it; 1 when used.
    int IsDialogMessage(const platform::WindowMessage& message) const;
    // Chooses the page as its tab would; 1 when it is shown.
    int SelectPage(int index);

    platform::WindowHandle Window() const { return m_hSheet; }
    platform::WindowHandle ParentWindow() const { return m_hParent; }
    int IsModeless() const { return m_bModeless; }
    std::vector<DialogBase*>& Pages() { return m_Pages; }

private:
    int m_bModeless;
    platform::WindowHandle m_hParent;
    const void* m_pKey = nullptr; // the entry's sheet in the application's list; null until registered
    EditorApp* m_pApp;
    std::vector<DialogBase*> m_Pages;
    platform::WindowHandle m_hSheet;
};

// Tells the page's sheet that the page changed what it edits: Apply is enabled.
void PageChanged(const DialogBase& page);

// The loop's clean-up of closed sheets, offered every message first: for the
// first sheet of the application's list that the author closed, destroys its
// window and deletes its owner through the registered holder (which is
// emptied). 1 when a sheet was cleaned up: the message is then consumed, and
// any other closed sheet waits for the next message.
int CloseFinishedSheets(EditorApp& app);
// The keyboard of every open sheet for the message; 1 when one used it.
int SheetDialogMessage(EditorApp& app, const platform::WindowMessage& message);
