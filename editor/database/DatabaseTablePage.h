#pragma once

// A database page that edits one table of records (classes, friends,
// enemies, skills, items, lands). It works on a working copy of the global
// table: the record list on the left shows and edits the copy, the current
// record is a copy of the record at the selected row, and every other bound
// control of the page edits the current record. Nothing reaches the global
// table or the table's file before the sheet saves.
//
// What a concrete page does:
// - its constructor binds its own controls to fields of Current() (the
//   record list is bound here, from the shape);
// - its kWmInitDialog work (OnInitDialog): DialogBase::OnInitDialog,
//   AttachRecordList, its own controls (AttachBound), FinishInitDialog;
// - its own commands in OnTableCommand, and whatever follows a change of the
//   current record in OnRecordShown.
// The buttons "新規" (1066), "ｸﾘｱ" (1067) and "ﾃﾞｰﾀ数" (11071), the list's
// selection, its shortcut keys (accelerator table 132) and pop-up menu (170),
// the field commit, the right click and the save step are done here.

#include "common/data/DataFilePaths.h"
#include "common/data/DatabaseTableFiles.h"
#include "editor/database/DatabasePage.h"
#include "editor/database/DatabaseRecords.h"
#include "editor/framework/ListBox.h"

#include <string>

// The ids every table page has.
enum : int
{
    kIdDatabaseNew = 1066,
    kIdDatabaseClear = 1067,
    kIdDatabaseCount = 11071,
};

// The record list's shortcut table and pop-up menu, and its command set (edit mode 0, set 1).
enum : int
{
    kRecordListAccelerators = 132,
    kRecordListPopup = 170,
};

// The row text of a record list that shows the record's name.
template <class T>
void NameRowText(std::string& out, int, const T& record)
{
    out = record.m_strName;
}

// The table with default records appended until it holds at least count.
template <class T>
CheckedVector<T>& FillTable(CheckedVector<T>& table, int count)
{
    while (table.Count() < count)
    {
        table.push_back(NewListElement<T>());
    }
    return table;
}

template <class T>
class DatabaseTablePage : public DatabasePage
{
public:
    using RowText = typename ListBoxBinding<T>::RowText;

    // How the page shows its table.
    struct Shape
    {
        int m_nListId = 0;
        int m_nBase = 0;    // leading records never shown
        int m_nMinimum = 1; // records shown, at least and at most
        int m_nMaximum = 999;
        DataFilePathIndex m_nFile = kPathClass;
        int32_t T::*m_pIndex = nullptr; // the record's own position, set when saved
    };

    // The table step of every save-all: the working copy's index fields (and
    // whatever PrepareForSave adds); the working copy into the global table
    // when the page's window was ever made; the global table into its file.
    int Save(DatabaseSaveErrors& errors) override;

    ListBox<T>& RecordList() { return m_List; }
    CheckedVector<T>& Working() { return m_Working; }
    T& Current() { return m_Current; }
    CheckedVector<T>& Table() { return *m_pTable; }
    const Shape& TableShape() const { return m_Shape; }

protected:
    DatabaseTablePage(int dialogId, DatabaseSheet& sheet, CheckedVector<T>& table, const Shape& shape,
                      RowText rowText);

    // The record list with its keys and pop-up menu, and the three buttons: attached and bound.
    void AttachRecordList();
    // The end of the kWmInitDialog work: the current record from the
    // selection, row 0 selected and its record loaded, every control filled,
    // the page initialised.
    void FinishInitDialog();
    // The current record := the record of the selected row, or the first
    // shown record when no real row is selected.
    void LoadSelected();
    // Every control but the record list shows its data; their notifications are ignored.
    void ShowRecord(uintptr_t source);

    void OnSetActive() override;
    void OnRightClick() override;
    bool OnPageCommand(uintptr_t wParam, intptr_t lParam) override;
    void OnListCommandDone(uintptr_t wParam) override;
    // The controls but the lists into the current record (StoreFields), then
    // the record into the working copy at a real selected row, the rows again.
    void CommitFields(uintptr_t wParam) override;

    // The page's own commands; false ends the command at once.
    virtual bool OnTableCommand(uintptr_t wParam, intptr_t lParam);
    // The current record changed and the controls show it (a selection, a
    // button, a list command, a commit). Nothing by default.
    virtual void OnRecordShown() {}
    // The field commit's store: every control but the lists.
    virtual void StoreFields() { ControlsToDataExceptLists(); }
    // The first step of the save: each record's own index := its position.
    virtual void PrepareForSave();

    CheckedVector<T>* m_pTable;
    CheckedVector<T> m_Working;
    T m_Current;
    ListBox<T> m_List;
    CheckedVector<PlainControl> m_CommonButtons;
    Shape m_Shape;
};

template <class T>
DatabaseTablePage<T>::DatabaseTablePage(int dialogId, DatabaseSheet& sheet, CheckedVector<T>& table,
                                        const Shape& shape, RowText rowText)
    : DatabasePage(dialogId, sheet), m_pTable(&table), m_Working(table), m_Current(NewListElement<T>()),
      m_Shape(shape)
{
    m_List.Binding().Set(shape.m_nListId, m_pTable, &m_Working, &m_Current, 1, shape.m_nMinimum, shape.m_nMaximum,
                         shape.m_nBase, 1, 0, std::move(rowText));
    for (int id : {kIdDatabaseNew, kIdDatabaseClear, kIdDatabaseCount})
    {
        m_CommonButtons.push_back(PlainControl(id));
    }
}

template <class T>
void DatabaseTablePage<T>::AttachRecordList()
{
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    m_List.SetAcceleratorsAndMenu(kRecordListAccelerators, kRecordListPopup, 0, 1);
    AttachPlainControls(m_CommonButtons);
}

template <class T>
void DatabaseTablePage<T>::FinishInitDialog()
{
    LoadSelected();
    m_List.SetCurSel(0, 1);
    DataToControls();
    OnRecordShown();
    SetInitialised(1);
}

template <class T>
void DatabaseTablePage<T>::LoadSelected()
{
    int position = m_List.GetDataPos();
    if (position == -1)
    {
        position = m_Shape.m_nBase;
    }
    if (position < m_Working.Count())
    {
        m_Current = m_Working.At(position);
    }
}

template <class T>
void DatabaseTablePage<T>::ShowRecord(uintptr_t source)
{
    DataToOtherControls(static_cast<int>(source), &m_List);
}

template <class T>
void DatabaseTablePage<T>::OnSetActive()
{
    if (m_bReload)
    {
        // The saved table (its records checked against the other saved tables) before the current record.
        m_Working = *m_pTable;
    }
    LoadSelected();
    DatabasePage::OnSetActive();
}

template <class T>
void DatabaseTablePage<T>::OnRightClick()
{
    OpenListPopup([this](ListBoxBase& list) {
        if (&list == &m_List && m_List.GetDataPos() != -1)
        {
            ShowRecord(static_cast<uintptr_t>(-1));
            OnRecordShown();
        }
    });
}

template <class T>
bool DatabaseTablePage<T>::OnPageCommand(uintptr_t wParam, intptr_t lParam)
{
    int id = platform::LowWord(wParam);
    int code = platform::HighWord(wParam);
    if (id == m_Shape.m_nListId && code == platform::kLbnSelChange)
    {
        m_List.StoreSelected();
        if (m_List.GetDataPos() != -1)
        {
            m_List.Refill();
            ShowRecord(wParam);
            OnRecordShown();
        }
    }
    else if (code == platform::kBnClicked && (id == kIdDatabaseNew || id == kIdDatabaseClear || id == kIdDatabaseCount))
    {
        int done = 0;
        if (id == kIdDatabaseNew)
        {
            done = m_List.AddNew();
        }
        else if (id == kIdDatabaseClear)
        {
            done = m_List.GetDataPos() != -1 ? m_List.Clear() : (m_List.Refill(), 0);
        }
        else
        {
            done = m_List.AskCount(m_Shape.m_nMinimum, m_Shape.m_nMaximum, &m_CommonButtons.At(2));
        }
        if (done)
        {
            ShowRecord(wParam);
            OnRecordShown();
        }
    }
    return OnTableCommand(wParam, lParam);
}

template <class T>
bool DatabaseTablePage<T>::OnTableCommand(uintptr_t, intptr_t)
{
    return true;
}

template <class T>
void DatabaseTablePage<T>::OnListCommandDone(uintptr_t wParam)
{
    ShowRecord(wParam);
    OnRecordShown();
}

template <class T>
void DatabaseTablePage<T>::CommitFields(uintptr_t)
{
    StoreFields();
    if (m_List.GetDataPos() != -1)
    {
        m_List.StoreBack();
        m_List.EndUpdate();
    }
    OnRecordShown();
}

template <class T>
void DatabaseTablePage<T>::PrepareForSave()
{
    if (!m_Shape.m_pIndex)
    {
        return;
    }
    for (int i = 0; i < m_Working.Count(); ++i)
    {
        m_Working.At(i).*m_Shape.m_pIndex = i;
    }
}

template <class T>
int DatabaseTablePage<T>::Save(DatabaseSaveErrors& errors)
{
    PrepareForSave();
    if (Handle())
    {
        m_List.ControlToData();
    }
    const char* path = DataFilePaths[m_Shape.m_nFile];
    std::string reason;
    if (!SaveDatabaseTable<T>(*m_pTable, path, m_Shape.m_pIndex, &reason))
    {
        errors.Add(path, reason);
        return 0;
    }
    return 1;
}
