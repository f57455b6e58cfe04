#include "platform/window/ListModels.h"

#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace platform
{

// ---- ItemListModel ----

std::string ItemListModel::ItemText(int row) const
{
    return row >= 0 && row < Count() ? m_Items[static_cast<size_t>(row)] : std::string();
}

int ItemListModel::Insert(int row, std::string_view text)
{
    if (row < -1 || row > Count())
    {
        return -1;
    }
    if (row == -1)
    {
        row = Count();
    }
    m_Items.insert(m_Items.begin() + row, std::string(text));
    if (m_nSelection >= row)
    {
        ++m_nSelection;
    }
    Changed();
    return row;
}

int ItemListModel::Delete(int row)
{
    if (row < 0 || row >= Count())
    {
        return -1;
    }
    m_Items.erase(m_Items.begin() + row);
    if (m_nSelection == row)
    {
        m_nSelection = -1;
    }
    else if (m_nSelection > row)
    {
        --m_nSelection;
    }
    Changed();
    return Count();
}

void ItemListModel::Reset()
{
    m_Items.clear();
    m_nSelection = -1;
    Changed();
}

int ItemListModel::Select(int row)
{
    m_nSelection = row >= 0 && row < Count() ? row : -1;
    Changed();
    return m_nSelection;
}

intptr_t ItemListModel::GetItemText(int row, intptr_t buffer) const
{
    if (row < 0 || row >= Count())
    {
        return -1;
    }
    const std::string& text = m_Items[static_cast<size_t>(row)];
    return CopyTextOut(text, text.size() + 1, buffer);
}

intptr_t ItemListModel::GetItemLength(int row) const
{
    return row >= 0 && row < Count() ? static_cast<intptr_t>(m_Items[static_cast<size_t>(row)].size()) : -1;
}

namespace
{
const char* TextParam(intptr_t lParam)
{
    return lParam ? reinterpret_cast<const char*>(lParam) : "";
}
} // namespace

// ---- ListBoxModel ----

intptr_t ListBoxModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    int row = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (message)
    {
    case kLbAddString:
    {
        int at = Count();
        if (Style() & kLbsSort)
        {
            std::string_view text = TextParam(lParam);
            at = static_cast<int>(std::upper_bound(m_Items.begin(), m_Items.end(), text,
                                                   [](std::string_view a, const std::string& b) { return a < b; }) -
                                  m_Items.begin());
        }
        return Insert(at, TextParam(lParam));
    }
    case kLbInsertString:
        return Insert(row, TextParam(lParam));
    case kLbDeleteString:
        return Delete(row);
    case kLbResetContent:
        m_nTopIndex = 0;
        Reset();
        return 0;
    case kLbSetCurSel:
    {
        int selected = Select(row);
        ShowSelection();
        return selected == -1 ? kLbErr : selected;
    }
    case kLbGetCurSel:
        return m_nSelection;
    case kLbGetText:
        return GetItemText(row, lParam);
    case kLbGetTextLen:
        return GetItemLength(row);
    case kLbGetCount:
        return Count();
    case kLbGetTopIndex:
        return m_nTopIndex;
    case kLbSetTopIndex:
        if (row < 0 || (row >= Count() && row != 0))
        {
            return kLbErr;
        }
        m_nTopIndex = std::clamp(row, 0, std::max(Count() - VisibleRows(), 0));
        Changed();
        return 0;
    case kLbGetItemHeight:
        return kListRowHeight;
    case kWmSetRedraw:
        m_bRedraw = wParam != 0;
        Changed();
        return 0;
    case kWmSetFocus:
        Notify(kLbnSetFocus);
        return 0;
    case kWmKillFocus:
        Notify(kLbnKillFocus);
        return 0;
    default:
        return ItemListModel::OnMessage(message, wParam, lParam);
    }
}

int ListBoxModel::VisibleRows() const
{
    return std::max((Window().ClientRect().m_nHeight - 2 * kListBorder) / kListRowHeight, 1);
}

void ListBoxModel::ShowSelection()
{
    if (m_nSelection < 0)
    {
        return;
    }
    int rows = VisibleRows();
    if (m_nSelection < m_nTopIndex)
    {
        m_nTopIndex = m_nSelection;
    }
    else if (m_nSelection >= m_nTopIndex + rows)
    {
        m_nTopIndex = m_nSelection - rows + 1;
    }
    Changed();
}

void ListBoxModel::UserSelect(int row)
{
    if (row < 0 || row >= Count())
    {
        return;
    }
    Select(row);
    ShowSelection();
    Notify(kLbnSelChange);
}

void ListBoxModel::UserDoubleClick(int row)
{
    if (row >= 0 && row < Count())
    {
        Notify(kLbnDblClk);
    }
}

void ListBoxModel::UserScroll(int topRow)
{
    m_nTopIndex = std::clamp(topRow, 0, std::max(Count() - 1, 0));
}

void ListBoxModel::Notify(int code)
{
    if (Style() & kLbsNotify)
    {
        NotifyCommand(code);
    }
}

// ---- ComboBoxModel ----

intptr_t ComboBoxModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    int row = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (message)
    {
    case kCbAddString:
        return Insert(-1, TextParam(lParam));
    case kCbInsertString:
        return Insert(row, TextParam(lParam));
    case kCbDeleteString:
    {
        intptr_t left = Delete(row);
        SyncText();
        return left;
    }
    case kCbResetContent:
        Reset();
        SyncText();
        return 0;
    case kCbSetCurSel:
    {
        int selected = Select(row);
        SyncText();
        return selected == -1 ? kCbErr : selected;
    }
    case kCbGetCurSel:
        return m_nSelection;
    case kCbGetCount:
        return Count();
    case kCbGetLbText:
        return GetItemText(row, lParam);
    case kCbGetLbTextLen:
        return GetItemLength(row);
    case kWmSetFocus:
        NotifyCommand(kCbnSetFocus);
        return 0;
    case kWmKillFocus:
        NotifyCommand(kCbnKillFocus);
        return 0;
    default:
        return ItemListModel::OnMessage(message, wParam, lParam);
    }
}

void ComboBoxModel::SyncText()
{
    m_strText = ItemText(m_nSelection);
}

void ComboBoxModel::UserSelect(int row)
{
    if (row < 0 || row >= Count())
    {
        return;
    }
    Select(row);
    SyncText();
    NotifyCommand(kCbnSelChange);
}

} // namespace platform
