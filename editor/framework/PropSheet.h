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
// and the editor's loop (EditorApp::PreTranslateMessage), on its next turn,
// destroys the sheet window and deletes the owner through the holder; the
// sheet posts itself a message so that the turn comes. The loop also gives
// the sheet its keyboard (IsSheetMessage) and the idle step redraws the pages
// of the sheet the view holds open (RedrawPages). The destructor takes the
// sheet out of the application's list.

#include "common/window/EditorApp.h"
#include "editor/framework/DialogBase.h"
#include "platform/window/PropertySheet.h"

#include <memory>
#include <string_view>
#include <vector>

class PropSheet : public ModelessSheet, public PropSheetOwner
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
    // made: "ウインドウの生成に失敗！"; the parent window stays.
    int Create();

    // ---- what the editor's loop asks ----
    platform::WindowHandle SheetWindow() const override { return m_hSheet; }
    // The current page's window; null without a window and once the author closed the sheet.
    platform::WindowHandle CurrentPage() const override;
    // Destroys the sheet window (and so the pages' windows).
    void Destroy() override;
    // The sheet's keyboard (Tab, Enter, Esc, Ctrl+Tab) for a message of the
    // sheet or anything in it; true when used.
    bool IsSheetMessage(const platform::WindowMessage& message) override;
    // Redraws every page (OnPaint), in tab order.
    void RedrawPages() override;

    // Sets the sheet's caption; 1, or 0 without a window.
    int SetCaption(std::string_view caption);
    // The sheet has a window and the author closed it: the loop's next turn destroys it.
    bool IsFinished() const { return platform::ResolveWindow(m_hSheet) && !CurrentPage(); }
    // Chooses the page as its tab would; 1 when it is shown.
    int SelectPage(int index);

    platform::WindowHandle ParentWindow() const { return m_hParent; }
    int IsModeless() const { return m_bModeless; }
    std::vector<DialogBase*>& Pages() { return m_Pages; }

private:
    int m_bModeless;
    platform::WindowHandle m_hParent;
    const ModelessSheet* m_pKey = nullptr; // the entry's sheet in the application's list; null until registered
    EditorApp* m_pApp;
    std::vector<DialogBase*> m_Pages;
    platform::WindowHandle m_hSheet;
};

// Tells the page's sheet that the page changed what it edits: Apply is enabled.
void PageChanged(const DialogBase& page);
