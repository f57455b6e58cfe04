#pragma once

// The base of every editor dialog, property-sheet page, palette and editor
// window made from a dialog template. Beside WindowBase it chooses between a
// modal run (RunModal, which returns the result given to Close) and a
// modeless one (RunModeless, registered with the application), hides or
// disables the other registered windows while it runs (show flags 2 and 4),
// keeps the table of bound controls to which it routes commands,
// notifications and keys, scrolls the two optional scroll bars of its layout
// (controls 1196 and 1197), and gives a modal dialog the keyboard hook.
//
// Every dialog class follows one pattern: one current instance per class,
// set by its constructor (UseClassProcedure), and one static procedure that
// hands every message to that instance's WindowProc. A class opened through a
// static run function keeps an owning pointer too (RunOwnedModal). Control id
// 1006 is OK (controls into the data, close with 1), 1007 Cancel (close with
// 0), and kWmClose closes with 0 (OnOkCancel, CloseOnWmClose).

#include "common/services/MessageBoxes.h"
#include "common/window/EditorApp.h"
#include "common/window/WindowBase.h"
#include "editor/framework/BitmapControl.h"
#include "editor/framework/DialogBuilder.h"
#include "editor/framework/KeyboardHook.h"
#include "editor/framework/PlainControl.h"
#include "editor/framework/ScrollBar.h"

#include <functional>
#include <memory>
#include <new>

// Show flags of a run.
enum : int
{
    kShowFlagHideOthers = 2,
    kShowFlagDisableOthers = 4,
    // Shown without taking the activation (a palette beside its editor window).
    kShowFlagNoActivate = 8,
};

// The ids of the standard buttons and of the layout's scroll bars.
enum : int
{
    kIdDialogOk = 1006,
    kIdDialogCancel = 1007,
    kIdHorizontalBar = 1196,
    kIdVerticalBar = 1197,
};

class ListBoxBase;

class DialogBase : public WindowBase
{
public:
    explicit DialogBase(WindowBase* centreOn = nullptr, int centreOnClient = 0);
    // A window still open is destroyed, and a modeless dialog leaves the
    // application's list (not there: "ウインドウの破棄に失敗！"). By then the
    // concrete part is gone, so its kWmDestroy handling no longer runs: a
    // modeless class that does work on kWmDestroy calls Close(0) in its own
    // destructor first.
    ~DialogBase() override;

    // Stores the kind (kWindowDialog or kWindowSheetPage), clears the run
    // state, then WindowBase::Init and the start-maximised flag.
    void Init(int resourceId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app);

    // ---- the slots ----
    // Routes the command to the bound control it addresses (below).
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    // Every concrete class overrides it: usually OnMessage, then its own messages.
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // WindowBase::OnMessage, whose result it returns, then kWmInitDialog,
    // the layout's scroll bars, the keys of a modal dialog, the size,
    // kWmNotify to the bound controls and kWmDestroy.
    int OnMessage(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // The default kWmInitDialog work that every dialog runs first: registers a
    // modeless one, maximises or re-reads the layout, applies its client
    // size, makes its scroll bars, places it and hooks the keys of a modal one.
    virtual int OnInitDialog(uintptr_t wParam, intptr_t lParam);

    // ---- runs ----
    // Runs the dialog modal; the result given to Close. 0 at once when the
    // object already has a window.
    int RunModal(int showFlags);
    // Makes and shows the window and returns; a window the object still has is closed first.
    void RunModeless(int showFlags);
    // Stores the result, empties the table of bound controls, then destroys a
    // modeless dialog's window or ends a modal run.
    void Close(int result);
    // Shows and enables the other windows again as the show flags hid or disabled them.
    void RestoreOtherWindows();

    // ---- data transfer ----
    void DataToControls();
    void DataToControlsExcept(const Control* control);
    void DataToControlsExcept(int id);
    // DataToControls while the control of the id is the source of the update
    // (WindowBase::BeginUpdate): the others' notifications are ignored meanwhile.
    void DataToControlsFrom(int id);
    // DataToControlsExcept(control) while the id is the source of the update.
    void DataToOtherControls(int id, const Control* control);
    // Every bound control stores its value into its data, the lists their working vectors (OK).
    void ControlsToData();
    // The same for every bound control but the lists: a field commit that
    // leaves the lists' bound vectors as they are.
    void ControlsToDataExceptLists();
    // Whether a numeric, text or check field the author left as it was shown
    // stores nothing (the database pages); otherwise every field stores what it shows.
    bool KeepsUntouchedValues() const { return m_bKeepUntouched != 0; }
    void SetKeepsUntouchedValues(int on) { m_bKeepUntouched = on; }

    // ---- the bound controls ----
    // Appends the control to the table (the dialog does not own it).
    void BindControl(Control* control) { m_Controls.push_back(control); }
    // Attaches every plain control of the vector by its id and binds it.
    void AttachPlainControls(CheckedVector<PlainControl>& controls);
    // Attaches every wrapper of the vector with its own binding and binds it.
    template <class Wrapper>
    void AttachControls(CheckedVector<Wrapper>& controls)
    {
        for (Wrapper& control : controls)
        {
            control.Attach(this, control.Binding());
            BindControl(&control);
        }
    }
    // Hides the dialog's control of that id; nothing when there is none.
    void HideItem(int id);
    // The id of the first bound control the command comes from when its kind
    // answers the notification: a plain control BN_CLICKED, an edit EN_UPDATE,
    // a check box anything, a combo box CBN_SELCHANGE. 0 when none.
    uint16_t FindCommandControl(uintptr_t wParam) const;
    // Puts the controls of the ids (a list ending with 0) into that tab order.
    void SetTabOrder(const int* ids);

    // ---- the bound lists ----
    // Offers a command id to every bound list, shortcut ids first, then pop-up
    // ids; 1 when a list did the command (only a list with the focus acts).
    int OfferListCommand(int id);
    // Every bound list ends its update: selection, top row, drawing.
    void EndListUpdates();
    // A right click while this dialog is the active window: the first bound
    // list with a row under the pointer selects it, takes the focus and stores
    // it (then hit, when given, hears of the list), and its pop-up menu opens
    // at the pointer. 1 when a row was hit.
    int OpenListPopup(const std::function<void(ListBoxBase& list)>& hit = {});

    // ---- a page of a property sheet ----
    // Makes the page's window, hidden, as a child of the sheet window (its
    // kWmInitDialog runs inside), registers it as a modeless window and
    // remembers the sheet. Null when the window cannot be made.
    platform::WindowHandle CreateSheetPage(platform::WindowHandle sheet);

    // ---- the standard handlers ----
    // The command handler of simple dialogs: OnCommand when the notification
    // may be handled; 1006 stores the controls and closes with 1, 1007 closes with 0.
    void OnOkCancel(uintptr_t wParam, intptr_t lParam);
    // The procedure of simple dialogs: OnMessage; kWmClose closes with 0. 1 when handled.
    intptr_t CloseOnWmClose(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // The procedure of simple dialogs with lists: as CloseOnWmClose, and a
    // right-button release once initialised opens the pop-up menu of the list
    // under the pointer (OpenListPopup).
    intptr_t CloseOnWmCloseWithListPopup(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                         intptr_t lParam);
    // The procedure of dialogs that draw: as CloseOnWmClose, and a redraw (OnPaint)
    // after kWmClose, kWmDestroy and every handled message.
    intptr_t CloseAndRedraw(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    // ---- state ----
    int IsModeless() const { return m_bModeless; }
    // Pages of a property sheet are made modeless by their sheet.
    void SetModeless(int modeless) { m_bModeless = modeless; }
    int ShowFlags() const { return m_nShowFlags; }
    int EndResult() const { return m_nEndResult; }
    // Whether the modal run has ended (Close was called).
    bool HasEnded() const { return m_State.m_bEnded; }
    int IsInitialised() const { return m_bInitialised; }
    void SetInitialised(int initialised) { m_bInitialised = initialised; }
    int StartMaximised() const { return m_bStartMaximised; }
    CheckedVector<Control*>& BoundControls() { return m_Controls; }
    BitmapControl& Picture() { return m_Picture; }
    ScrollBar& HorizontalBar() { return m_HScroll; }
    ScrollBar& VerticalBar() { return m_VScroll; }
    KeyboardHook& Hook() { return m_KeyboardHook; }
    platform::WindowProcedure ClassProcedure() const { return m_pProcedure; }
    // The template the window is made of: the one of the resource id, unless another is given.
    const DialogTemplate* Template() const;
    void SetTemplate(const DialogTemplate* dialog) { m_pTemplate = dialog; }

protected:
    // A page is its sheet's current page when the sheet names its window.
    bool IsCurrentSheetPage() const override;

    // The class pattern: this object becomes the class's current instance and
    // the class's static procedure is the one its window uses.
    template <class Dialog>
    void UseClassProcedure(Dialog* self);

    // A bar request of kWmHScroll or kWmVScroll on one of the layout's bars.
    void Scroll(ScrollBar& bar, uintptr_t wParam);
    // Makes the layout's bar when the template has none, attaches and binds it and places it.
    void AttachLayoutBar(ScrollBar& bar, int id, bool horizontal);
    // The bars along the right and the bottom edge of the client area, below
    // the tool bar's rows and above the status bar.
    void PlaceLayoutBars(int clientWidth, int clientHeight);
    void HideOtherWindows();
    EditorApp& OwnerApp() const;
    // Whether the application's window list holds this dialog.
    bool IsListed() const;

    int m_bModeless = 0;
    int m_nShowFlags = 0;
    int m_nEndResult = 0;
    KeyboardHook m_KeyboardHook;
    int m_bStartMaximised = 0;
    int m_bInitialised = 0;
    BitmapControl m_Picture;
    ScrollBar m_HScroll;
    ScrollBar m_VScroll;
    CheckedVector<Control*> m_Controls;

private:
    int m_bKeepUntouched = 0;
    template <class Dialog>
    struct ClassSlot
    {
        static inline Dialog* s_pCurrent = nullptr;
        static intptr_t Procedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
        {
            return s_pCurrent ? s_pCurrent->WindowProc(window, message, wParam, lParam) : 0;
        }
    };

    // The modal loop (or the modal runner) of RunModal; the result.
    int RunDialogBox();

    DialogWindowState m_State;
    const DialogTemplate* m_pTemplate = nullptr;
    // Clears the class's current instance when it is this object.
    void (*m_pLeaveClass)(DialogBase* gone) = nullptr;
};

template <class Dialog>
void DialogBase::UseClassProcedure(Dialog* self)
{
    ClassSlot<Dialog>::s_pCurrent = self;
    m_pProcedure = &ClassSlot<Dialog>::Procedure;
    m_pLeaveClass = [](DialogBase* gone) {
        if (static_cast<DialogBase*>(ClassSlot<Dialog>::s_pCurrent) == gone)
        {
            ClassSlot<Dialog>::s_pCurrent = nullptr;
        }
    };
}

// The run function of a dialog class opened through it: deletes the object the
// holder still has, makes a new one of the arguments, runs it modal, deletes
// it again and returns its result. Out of memory: the box, and 0.
template <class Dialog, class... Args>
int RunOwnedModal(std::unique_ptr<Dialog>& holder, int showFlags, Args&&... args)
{
    holder.reset();
    try
    {
        holder = std::make_unique<Dialog>(std::forward<Args>(args)...);
    }
    catch (const std::bad_alloc&)
    {
        ShowOutOfMemory();
        return 0;
    }
    int result = holder->RunModal(showFlags);
    holder.reset();
    return result;
}

// The value times 1.75, truncated toward zero.
int ScaleByOneAndThreeQuarters(int value);
