#pragma once

// The list box through which a dialog shows and edits a vector of records:
// one row per element of a working vector from the base index on, each
// optionally numbered, and optionally a trailing row of 64 '-' after the last
// element (where paste and insert append). The selected element is copied
// into a record of the owner (the selected-element record) after every
// selection change and edit, so the owner's other controls can show it.
//
// The seven editing commands (cut, copy, paste, add, insert, clear, delete)
// edit the working vector and refuse with the refusal beep when the list is
// full (count >= base + maximum: paste, add, insert), at its minimum (count
// <= base + minimum: delete, cut) or without a row to work on (copy, paste).
// Each list has a clipboard of its own that holds one element. The commands
// are reached by ids: the owner offers every kWmCommand id it receives to
// its lists (OnAccelCommand, OnMenuCommand, or DialogBase::OfferListCommand);
// a list acts only while it has the keyboard focus. The ids come from the
// list's edit mode and command set (SetAccelerators, SetPopupMenu); a modal
// owner's keys reach the list through OnKey, which sends the ids to the owner.
//
// The bound vector (the dialog's data) is touched only by Attach,
// DataToControl and ControlToData: DialogBase::ControlsToData writes the
// working vector back (OK), DialogBase::ControlsToDataExceptLists leaves it.
//
// The owner, in its kWmInitDialog work: Attach with the binding it filled in
// its constructor, BindControl, SetAccelerators / SetPopupMenu, SetCurSel(0,
// 1), then DialogBase::DataToControls (which fills the rows). Around every
// kWmCommand the dialog base calls BeginUpdate; the owner ends with
// EndUpdate on every list (DialogBase::EndListUpdates).

#include "common/services/MessageBoxes.h"
#include "common/window/EditorApp.h"
#include "editor/framework/Control.h"
#include "editor/framework/ControlAnchor.h"
#include "editor/framework/ControlBindings.h"
#include "editor/framework/DialogBase.h"
#include "editor/resources/ListEditResources.h"

#include <memory>
#include <new>
#include <string>

// What the other editor windows do while an entry dialog of a list runs
// (the window mode of EditSelected and InsertAndEdit).
enum : int
{
    kEntryHidesOthers = 1,
    kEntryDisablesOthers = 2,
};

// The row number as out: the value's last digits, zero-padded to that many
// digits (0: as many as the value has, at most 11); a negative value gets a
// '-' before its digits, and with the plus sign a value of 1 or more a '+'.
void FormatPaddedNumber(std::string& out, int value, int digits, bool plusSign);

// Inserts a copy of the value before element index, or appends it when the
// index is at or past the end.
template <class T>
void InsertAt(CheckedVector<T>& vector, int index, const T& value)
{
    if (index >= 0 && index < vector.Count())
    {
        vector.insert(vector.begin() + index, value);
    }
    else
    {
        vector.push_back(value);
    }
}

// Erases element index: 1, or 0 when there is no such element.
template <class T>
int EraseAt(CheckedVector<T>& vector, int index)
{
    if (index < 0 || index >= vector.Count())
    {
        return 0;
    }
    vector.erase(vector.begin() + index);
    return 1;
}

// What clear makes of an element: a default one. A record whose cleared form
// differs has its own overload, declared here before the template below or,
// for the database's records, in editor/database/DatabaseRecords.h, which
// the lists of those records see (argument-dependent lookup).
class WorldMapEvent;
// A world-map event is never without a page: cleared, it has exactly one empty page.
void ClearListElement(WorldMapEvent& element);
class EnemyPlacement;
// A cleared enemy placement stands off the map (x = y = -1), in no group, without movement AI.
void ClearListElement(EnemyPlacement& element);
class ShopItemEntry;
// A cleared goods entry of the shop offers item 1.
void ClearListElement(ShopItemEntry& element);

template <class T>
void ClearListElement(T& element)
{
    element = T();
}

// The element that add, insert and a larger count make: a cleared one.
template <class T>
T NewListElement()
{
    T element;
    ClearListElement(element);
    return element;
}

// Enables the first control of the vector with that id; nothing when none has it.
void FindControlById(CheckedVector<PlainControl>& controls, int id, int enable);

// What a list is without its element type: rows, selection, command ids,
// keys and the redraw bracket. ListBox<T> adds the vectors and the commands.
class ListBoxBase : public Control
{
public:
    ListBoxBase();

    // ---- the dialog's calls ----
    // Nothing: the owner reacts to LBN_SELCHANGE itself (StoreSelected).
    void OnChange() override {}
    // After a command: the selection (the previous one, or row 0, when the
    // list may not stand without one), the top row and the drawing come back.
    void EndUpdate() override;
    // The list shows the selection it keeps.
    void OnKillFocus() override;
    // Before a command: keeps the top row and the selection.
    void BeginUpdate() override;
    // A key of a modal owner while the list has the focus: Ctrl+X, Ctrl+C,
    // Ctrl+V and Ctrl+I send the cut, copy, paste and add or insert ids,
    // Delete the clear or delete id (Ctrl or not), as kWmCommand to the owner.
    void OnKey(uintptr_t key, intptr_t keyData, int ctrlDown) override;

    // ---- rows and selection ----
    // Builds every row again, then the top row and the selection; the list
    // does not draw meanwhile, so that it shows only the rows it ends with.
    void Refill();
    // The selected row; -1 without rows or without a selection.
    int GetCurSel() const;
    // The element index of the selected row; -1 without one or on the trailing row.
    int GetDataPos() const;
    bool IsTrailerRow(int row) const;
    // Selects the row (-1: none, which is row 0 unless the list may stand
    // without a selection; past the last row: none); with store, the element
    // goes into the selected-element record.
    void SetCurSel(int row, int store);
    // The selected element into the selected-element record.
    void StoreSelected();
    // The selected-element record over the selected element, and the rows again.
    virtual void StoreBack() = 0;
    // Selects the row under the screen point, gives the list the focus and
    // stores the element; 1 when a row was hit. Rows are kListRowHeight
    // pixels high below a border of kListBorder.
    int SelectAtPoint(const platform::Point& screen);

    // ---- the editing commands: 1 when done, 0 when refused ----
    virtual int Copy() = 0;
    virtual int Cut() = 0;
    virtual int Paste() = 0;
    virtual int AddNew() = 0;
    virtual int InsertNew() = 0;
    virtual int Clear() = 0;
    // The row's element (-1: the selected row's).
    virtual int Delete(int row) = 0;
    // Resizes the working vector to base + n elements (refused outside minimum
    // .. maximum): elements cut from the end or default ones appended; a
    // selection past the end goes to the last row, the record follows it (and
    // is cleared when no element is left).
    virtual int SetCount(int n) = 0;
    // The author's "データ数": the value dialog asks for the number of shown
    // elements within [minimum, maximum], placed over the anchor control
    // (centred on it), and OK sets it (SetCount). 1 when the count was set.
    int AskCount(int minimum, int maximum, const Control* anchor);
    // The command of a shortcut or pop-up id, while the list has the focus: 1
    // when the command was done; 0 when refused, not the list's or the list has no focus.
    int OnAccelCommand(int id);
    int OnMenuCommand(int id);

    // ---- command ids ----
    // Binds the accelerator table to the list with its owner, then sets the
    // shortcut ids of the pair. 0, ids unchanged, for a pair there are none of.
    int SetAccelerators(int tableId, int mode, int set);
    // Takes the menu's pop-up, then sets the pop-up ids of the pair; 0, ids
    // unchanged, for a pair without a pop-up menu.
    int SetPopupMenu(int menuId, int mode, int set);
    int SetAcceleratorsAndMenu(int tableId, int menuId, int mode, int set);
    // The owner does every command itself: the list answers no shortcut or
    // pop-up id (OnAccelCommand, OnMenuCommand and OnKey do nothing) and only
    // shows the menu's pop-up on a right click.
    void LeaveCommandsToOwner(int menuId);

    // ---- state ----
    int Selection() const { return m_nSel; }
    int PreviousSelection() const { return m_nPrevSel; }
    int TopRow() const { return m_nTop; }
    int Base() const { return m_nBase; }
    int Minimum() const { return m_nMinimum; }
    int Maximum() const { return m_nMaximum; }
    bool IsNumbered() const { return m_bNumbered != 0; }
    bool HasTrailer() const { return m_bTrailer != 0; }
    bool MayStandWithoutSelection() const { return m_bNoSelection != 0; }
    // The command last started: 0 cut, 1 copy, 2 paste, 3 add, 4 insert, 5 clear, 6 delete.
    int LastCommand() const { return m_nLastCommand; }
    const ListCommandIds& ShortcutIds() const { return m_ShortcutIds; }
    const ListCommandIds& PopupIds() const { return m_PopupIds; }
    // The number of elements of the working vector, those below the base included.
    virtual int Count() const = 0;
    bool HasFocus() const;

protected:
    // The text of element index (the base counted), without its number.
    virtual void RowText(std::string& out, int index) const = 0;
    // The element of the row into the selected-element record; nothing without
    // a record, for -1 and for the trailing row.
    virtual void StoreRow(int row) = 0;
    // Runs the command of a slot.
    int RunCommand(int slot);
    // Rows, then EndUpdate.
    void Refresh();
    // The number of rows, the trailing one included.
    int RowCount() const { return Count() - m_nBase + (m_bTrailer ? 1 : 0); }
    void SendToList(uint32_t message, uintptr_t wParam, intptr_t lParam = 0) const;
    intptr_t AskList(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) const;
    // Stores the binding's numbers and flags (the no-selection flag is forced on when
    // the minimum is below 1 and there is no trailing row); the selections become -1.
    void TakeShape(int numbered, int minimum, int maximum, int base, int trailer, int noSelection);

    int32_t m_nSel = -1;
    int32_t m_nPrevSel = -1;
    int32_t m_nTop = 0;
    // Between BeginUpdate and EndUpdate: the list does not draw.
    int32_t m_bUpdating = 0;
    int32_t m_bNumbered = 0;
    int32_t m_nMinimum = 0;
    int32_t m_nMaximum = 0;
    int32_t m_bNoSelection = 0;
    int32_t m_nBase = 0;
    int32_t m_bTrailer = 0;
    ListCommandIds m_ShortcutIds = kDefaultListShortcutIds;
    ListCommandIds m_PopupIds = kDefaultListPopupIds;
    int32_t m_nLastCommand = 0;
    std::string m_strTrailer;
};

// The list box of vectors of T. T is default-constructible and copyable; the
// elements that add, insert and a grown count make are cleared ones
// (ClearListElement: a default T unless the record says otherwise).
template <class T>
class ListBox : public ListBoxBase
{
public:
    ListBox() = default;

    // Attaches the list box control, takes the binding and copies the bound
    // vector into the working one. The rows are filled by DataToControl.
    void Attach(DialogBase* owner, const ListBoxBinding<T>& binding);

    // The bound vector into the working one, then the rows.
    void DataToControl() override;
    // The working vector back into the bound one.
    void ControlToData() override;

    void StoreBack() override;

    int Copy() override;
    int Cut() override;
    int Paste() override;
    int AddNew() override;
    int InsertNew() override;
    int Clear() override;
    int Delete(int row) override;
    int SetCount(int n) override;

    // Opens the entry dialog of the selected element: Dialog is made of
    // (dialog id, the list's dialog window, 0, kWindowDialog, app, the window
    // to centre on or null, the centre-on-client flag) into the holder, run
    // modal and deleted. Window mode 1 hides every editor window meanwhile, 2
    // disables them; with centreOnList the dialog centres on the list. After
    // OK the rows are built again. The dialog's result; 0 at once without a
    // selected element.
    template <class Dialog>
    int EditSelected(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode, int centreOnList);
    // Inserts a new element and opens its entry dialog; a cancelled dialog
    // takes the element out again as delete does (which keeps it, with the
    // beep, when the list is at its minimum). 1 when confirmed or when the
    // insert was refused, 0 when cancelled.
    template <class Dialog>
    int InsertAndEdit(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                      int centreOnList);
    // EditSelected and InsertAndEdit for an entry dialog that is handed the
    // element it edits: Dialog is made of (the selected element, dialog id,
    // the list's dialog window, 0, kWindowDialog, app, the window to centre
    // on or null, the centre-on-client flag).
    template <class Dialog>
    int EditSelectedElement(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                            int centreOnList);
    template <class Dialog>
    int InsertAndEditElement(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                             int centreOnList);
    // The run of an entry dialog on the selected element for a dialog made
    // otherwise: make(element, anchor or null) makes the dialog into the
    // holder; the rest is EditSelected's.
    template <class Dialog, class Make>
    int RunEntryDialog(std::unique_ptr<Dialog>& holder, EditorApp* app, int windowMode, int centreOnList, Make make);

    // The clipboard becomes exactly the element (the copy of the stage's map commands).
    void SetClipboard(const T& element);
    bool HasClipboard() const { return !m_Clipboard.empty(); }
    const CheckedVector<T>& Clipboard() const { return m_Clipboard; }

    int Count() const override { return Working().Count(); }
    CheckedVector<T>& Working() { return m_pWorking ? *m_pWorking : m_OwnWorking; }
    const CheckedVector<T>& Working() const { return m_pWorking ? *m_pWorking : m_OwnWorking; }
    CheckedVector<T>* Bound() const { return m_pBound; }
    T* SelectedRecord() const { return m_pSelected; }
    ListBoxBinding<T>& Binding() { return m_Binding; }

protected:
    void RowText(std::string& out, int index) const override;
    void StoreRow(int row) override;

private:
    // The element into the selected-element record, when there is one.
    void Record(const T& element)
    {
        if (m_pSelected && m_pSelected != &element)
        {
            *m_pSelected = element;
        }
    }
    bool IsFull() const { return Count() >= m_nMaximum + m_nBase; }
    // InsertNew, then the edit; a cancelled edit takes the element out again.
    template <class Edit>
    int InsertThen(Edit edit);
    // The refusal: the beep, 0.
    static int Refuse();

    CheckedVector<T>* m_pBound = nullptr;
    CheckedVector<T>* m_pWorking = nullptr;
    T* m_pSelected = nullptr;
    CheckedVector<T> m_Clipboard; // one element at most
    typename ListBoxBinding<T>::RowText m_RowText;
    CheckedVector<T> m_OwnWorking; // the working vector of a binding that named none
    ListBoxBinding<T> m_Binding;
};

// The beep of a refused command, outside the template.
int RefuseListCommand();

template <class T>
int ListBox<T>::Refuse()
{
    return RefuseListCommand();
}

template <class T>
void ListBox<T>::Attach(DialogBase* owner, const ListBoxBinding<T>& binding)
{
    Control::Attach(owner, static_cast<uint16_t>(binding.m_nId));
    m_pBound = binding.m_pBound;
    m_pWorking = binding.m_pWorking;
    if (m_pBound && m_pBound != &Working())
    {
        Working() = *m_pBound;
    }
    m_pSelected = binding.m_pSelected;
    m_RowText = binding.m_RowText;
    TakeShape(binding.m_bNumbered, binding.m_nMinimum, binding.m_nMaximum, binding.m_nBase, binding.m_bTrailer,
              binding.m_bNoSelection);
}

template <class T>
void ListBox<T>::DataToControl()
{
    if (m_pBound && m_pBound != &Working())
    {
        Working() = *m_pBound;
    }
    Refill();
}

template <class T>
void ListBox<T>::ControlToData()
{
    if (m_pBound && m_pBound != &Working())
    {
        *m_pBound = Working();
    }
}

template <class T>
void ListBox<T>::RowText(std::string& out, int index) const
{
    out.clear();
    if (m_RowText)
    {
        m_RowText(out, index, Working().At(index));
    }
}

template <class T>
void ListBox<T>::StoreRow(int row)
{
    if (m_pSelected && row >= 0 && row < Count() - m_nBase)
    {
        Record(Working().At(m_nBase + row));
    }
}

template <class T>
void ListBox<T>::StoreBack()
{
    int row = GetCurSel();
    m_nSel = row;
    if (m_pSelected && row != -1 && !IsTrailerRow(row))
    {
        Working().At(m_nBase + row) = *m_pSelected;
        Refill();
    }
}

template <class T>
int ListBox<T>::Copy()
{
    m_nLastCommand = kListCopy;
    m_nSel = GetCurSel();
    if (m_nSel == -1 || IsTrailerRow(m_nSel))
    {
        return Refuse();
    }
    m_Clipboard.resize(1);
    m_Clipboard.At(0) = Working().At(m_nBase + m_nSel);
    return 1;
}

template <class T>
int ListBox<T>::Cut()
{
    int copied = Copy();
    int deleted = Delete(-1);
    if (copied == 1 && deleted == 1)
    {
        m_nLastCommand = kListCut;
        return 1;
    }
    return 0;
}

template <class T>
int ListBox<T>::Paste()
{
    m_nLastCommand = kListPaste;
    m_nSel = GetCurSel();
    if (m_nSel == -1 || IsFull() || m_Clipboard.empty())
    {
        return Refuse();
    }
    InsertAt(Working(), m_nBase + m_nSel, m_Clipboard.At(0));
    Record(Working().At(m_nBase + m_nSel));
    Refresh();
    return 1;
}

template <class T>
int ListBox<T>::AddNew()
{
    m_nLastCommand = kListAdd;
    if (IsFull())
    {
        return Refuse();
    }
    Working().push_back(NewListElement<T>());
    m_nSel = Count() - 1 - m_nBase;
    Record(Working().At(m_nBase + m_nSel));
    Refresh();
    return 1;
}

template <class T>
int ListBox<T>::InsertNew()
{
    m_nLastCommand = kListInsert;
    m_nSel = GetCurSel();
    if (m_nSel == -1)
    {
        m_nSel = 0;
    }
    if (IsFull())
    {
        return Refuse();
    }
    InsertAt(Working(), m_nBase + m_nSel, NewListElement<T>());
    Record(Working().At(m_nBase + m_nSel));
    Refresh();
    return 1;
}

template <class T>
int ListBox<T>::Clear()
{
    m_nLastCommand = kListClear;
    m_nSel = GetCurSel();
    if (m_nSel != -1 && !IsTrailerRow(m_nSel))
    {
        T& element = Working().At(m_nBase + m_nSel);
        ClearListElement(element);
        Record(element);
    }
    Refresh();
    return 1;
}

template <class T>
int ListBox<T>::Delete(int row)
{
    m_nLastCommand = kListDelete;
    if (row == -1)
    {
        row = GetCurSel();
    }
    m_nSel = row;
    if (row == -1 || IsTrailerRow(row))
    {
        Refresh();
        return 1;
    }
    if (Count() <= m_nMinimum + m_nBase)
    {
        return Refuse();
    }
    EraseAt(Working(), m_nBase + row);
    if (m_nBase + row >= Count())
    {
        --m_nSel;
        SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(m_nSel));
    }
    if (m_pSelected)
    {
        if (Count() <= m_nBase)
        {
            ClearListElement(*m_pSelected);
            m_nSel = -1;
        }
        else if (m_nSel >= 0)
        {
            Record(Working().At(m_nBase + m_nSel));
        }
    }
    Refresh();
    return 1;
}

template <class T>
int ListBox<T>::SetCount(int n)
{
    if (n < m_nMinimum || n > m_nMaximum)
    {
        return Refuse();
    }
    Working().resize(static_cast<size_t>(m_nBase + n), NewListElement<T>());
    if (m_nSel >= n)
    {
        m_nSel = n - 1;
    }
    if (m_pSelected)
    {
        if (n == 0)
        {
            ClearListElement(*m_pSelected);
        }
        else if (m_nSel >= 0)
        {
            Record(Working().At(m_nBase + m_nSel));
        }
    }
    Refresh();
    return 1;
}

template <class T>
void ListBox<T>::SetClipboard(const T& element)
{
    m_Clipboard.resize(1);
    m_Clipboard.At(0) = element;
}

template <class T>
template <class Dialog, class Make>
int ListBox<T>::RunEntryDialog(std::unique_ptr<Dialog>& holder, EditorApp* app, int windowMode, int centreOnList,
                               Make make)
{
    int row = GetCurSel();
    if (row == -1 || IsTrailerRow(row) || m_nBase + row < 0 || m_nBase + row >= Count())
    {
        return 0;
    }
    EditorApp& windows = app ? *app : ::App;
    if (windowMode == kEntryHidesOthers)
    {
        windows.ShowAllWindows(0);
    }
    else if (windowMode == kEntryDisablesOthers)
    {
        windows.EnableAllWindows(0);
    }
    int result = 0;
    {
        std::unique_ptr<ControlAnchor> anchor;
        holder.reset();
        try
        {
            if (centreOnList)
            {
                anchor = std::make_unique<ControlAnchor>(*this);
            }
            holder = make(Working().At(m_nBase + row), anchor.get());
        }
        catch (const std::bad_alloc&)
        {
            ShowOutOfMemory();
        }
        if (holder)
        {
            result = holder->RunModal(0);
            holder.reset();
        }
    }
    if (result)
    {
        Refill();
        SendToList(platform::kLbSetTopIndex, static_cast<uintptr_t>(m_nTop));
        SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(m_nSel));
        EndUpdate();
    }
    if (windowMode == kEntryHidesOthers)
    {
        windows.ShowAllWindows(1);
    }
    else if (windowMode == kEntryDisablesOthers)
    {
        windows.EnableAllWindows(1);
    }
    return result;
}

template <class T>
template <class Dialog>
int ListBox<T>::EditSelected(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                             int centreOnList)
{
    return RunEntryDialog(holder, app, windowMode, centreOnList, [&](T&, ControlAnchor* anchor) {
        return std::make_unique<Dialog>(dialogId, m_hOwner, 0, kWindowDialog, app, anchor, centreOnList ? 1 : 0);
    });
}

template <class T>
template <class Dialog>
int ListBox<T>::EditSelectedElement(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                                    int centreOnList)
{
    return RunEntryDialog(holder, app, windowMode, centreOnList, [&](T& element, ControlAnchor* anchor) {
        return std::make_unique<Dialog>(element, dialogId, m_hOwner, 0, kWindowDialog, app, anchor,
                                        centreOnList ? 1 : 0);
    });
}

template <class T>
template <class Edit>
int ListBox<T>::InsertThen(Edit edit)
{
    if (!InsertNew())
    {
        return 1;
    }
    if (edit())
    {
        return 1;
    }
    Delete(-1);
    m_nLastCommand = kListInsert;
    return 0;
}

template <class T>
template <class Dialog>
int ListBox<T>::InsertAndEdit(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                              int centreOnList)
{
    return InsertThen([&] { return EditSelected(holder, dialogId, app, windowMode, centreOnList); });
}

template <class T>
template <class Dialog>
int ListBox<T>::InsertAndEditElement(std::unique_ptr<Dialog>& holder, int dialogId, EditorApp* app, int windowMode,
                                     int centreOnList)
{
    return InsertThen([&] { return EditSelectedElement(holder, dialogId, app, windowMode, centreOnList); });
}
