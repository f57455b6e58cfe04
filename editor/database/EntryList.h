#pragma once

// A list of a record's entries edited with the buttons "挿入", "編集" and
// "削除" beside it, each entry in an entry dialog that is handed the entry
// it edits (ListBox::EditSelectedElement): the enemy's battle AI and its
// conditions, the friend's skills to learn.

#include "editor/framework/ListBox.h"

#include <memory>

struct EntryListShape
{
    int m_nList;
    int m_nInsert;
    int m_nEdit;
    int m_nDelete;
    int m_nDialog;
    int m_nMaximum;
};

// The command of the list or one of its buttons: "挿入" inserts a new entry
// before the selected row and opens the dialog on it (a cancelled dialog
// takes it out again; a full list beeps), "編集" and a double click open the
// dialog on the selected entry, "削除" deletes it (the row above is selected
// when it was the last one); a selection change is kept and the rows drawn
// again. The dialog is centred on the list. 1 when the entries changed.
template <class T, class Dialog>
int RunEntryListCommand(ListBox<T>& list, std::unique_ptr<Dialog>& holder, const EntryListShape& shape, EditorApp* app,
                        uintptr_t wParam)
{
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    const bool clicked = code == platform::kBnClicked;
    if (id == shape.m_nInsert && clicked)
    {
        return list.InsertAndEditElement(holder, shape.m_nDialog, app, 0, 1);
    }
    if ((id == shape.m_nEdit && clicked) || (id == shape.m_nList && code == platform::kLbnDblClk))
    {
        return list.EditSelectedElement(holder, shape.m_nDialog, app, 0, 1);
    }
    if (id == shape.m_nDelete && clicked && list.GetDataPos() != -1)
    {
        return list.Delete(-1);
    }
    if (id == shape.m_nList && code == platform::kLbnSelChange)
    {
        list.StoreSelected();
        list.Refill();
    }
    return 0;
}
