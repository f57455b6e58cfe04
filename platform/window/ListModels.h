#pragma once

// List boxes and drop-down combo boxes: a list of CP932 texts with one
// selected row (-1: none). The program fills and selects through the LB_ and
// CB_ messages without any notification; only the author's choice raises
// LBN_SELCHANGE or CBN_SELCHANGE. A list box reports to its parent only with
// kLbsNotify, as the system's does; the dialog templates give it that style.
// Rows of a list box are kListRowHeight pixels high below a border of
// kListBorder pixels; the top row is the first one shown.

#include "platform/window/ControlModel.h"

#include <vector>

namespace platform
{

// The rows and the selection that both kinds keep.
class ItemListModel : public ControlModel
{
public:
    explicit ItemListModel(NativeWindow& window) : ControlModel(window, "") {}

    const std::vector<std::string>& Items() const { return m_Items; }
    int Count() const { return static_cast<int>(m_Items.size()); }
    int Selection() const { return m_nSelection; }
    // The row's text; "" outside the list.
    std::string ItemText(int row) const;

protected:
    // The message answers both kinds share; the row index of an insert, or -1.
    int Insert(int row, std::string_view text);
    int Delete(int row);
    void Reset();
    // Selects the row (-1 or a row outside the list: none); -1 when nothing is selected afterwards.
    int Select(int row);
    intptr_t GetItemText(int row, intptr_t buffer) const;
    intptr_t GetItemLength(int row) const;

    std::vector<std::string> m_Items;
    int m_nSelection = -1;
};

class ListBoxModel : public ItemListModel
{
public:
    explicit ListBoxModel(NativeWindow& window) : ItemListModel(window) {}

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    int TopIndex() const { return m_nTopIndex; }
    // Rows that fit in the client area.
    int VisibleRows() const;
    bool IsRedrawOn() const { return m_bRedraw; }

    // ---- the author ----
    // Clicks a row (-1: below the last row, which selects nothing new).
    void UserSelect(int row);
    void UserDoubleClick(int row);
    // Scrolls the list so that the row is the top one.
    void UserScroll(int topRow);

private:
    void Notify(int code);
    // Scrolls so that the selected row is shown.
    void ShowSelection();

    int m_nTopIndex = 0;
    bool m_bRedraw = true;
};

class ComboBoxModel : public ItemListModel
{
public:
    explicit ComboBoxModel(NativeWindow& window) : ItemListModel(window) {}

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // ---- the author ----
    // Chooses a row from the drop-down list.
    void UserSelect(int row);

private:
    void SyncText();
};

} // namespace platform
