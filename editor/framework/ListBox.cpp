#include "editor/framework/ListBox.h"

#include "common/data/StageRecord.h"
#include "common/data/WorldMapRecord.h"
#include "common/window/Accelerators.h"
#include "editor/framework/InputDialogs.h"
#include "platform/window/Beep.h"
#include "platform/window/WindowSystem.h"

namespace
{

constexpr int kTrailerLength = 64;
constexpr int kMaxDigits = 11;

// The number of decimal digits of n, at most 11.
int DigitsOf(unsigned n)
{
    int digits = 1;
    while (n / 10 != 0 && digits < kMaxDigits)
    {
        n /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

void FormatPaddedNumber(std::string& out, int value, int digits, bool plusSign)
{
    // The magnitude as unsigned: the lowest int has no negation.
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    if (digits == 0)
    {
        digits = DigitsOf(magnitude);
    }
    out.clear();
    for (int i = 0; i < digits; ++i)
    {
        out.insert(out.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    }
    if (value < 0)
    {
        out.insert(out.begin(), '-');
    }
    else if (plusSign && value >= 1)
    {
        out.insert(out.begin(), '+');
    }
}

void ClearListElement(WorldMapEvent& element)
{
    element = WorldMapEvent();
    element.Init();
}

void ClearListElement(ShopItemEntry& element)
{
    element = ShopItemEntry();
    element.SetDefaults();
}

void ClearListElement(EnemyPlacement& element)
{
    element = EnemyPlacement();
    element.SetDefaults();
}

int RefuseListCommand()
{
    platform::MessageBeep(platform::kBeepDefault);
    return 0;
}

void FindControlById(CheckedVector<PlainControl>& controls, int id, int enable)
{
    EnableControlById(controls, id, enable);
}

// ---- ListBoxBase ----

ListBoxBase::ListBoxBase() : Control(kControlListBox), m_strTrailer(kTrailerLength, '-')
{
}

void ListBoxBase::SendToList(uint32_t message, uintptr_t wParam, intptr_t lParam) const
{
    platform::SendWindowMessage(m_hWnd, message, wParam, lParam);
}

intptr_t ListBoxBase::AskList(uint32_t message, uintptr_t wParam, intptr_t lParam) const
{
    return platform::SendWindowMessage(m_hWnd, message, wParam, lParam);
}

void ListBoxBase::TakeShape(int numbered, int minimum, int maximum, int base, int trailer, int noSelection)
{
    m_bNumbered = numbered;
    m_nMinimum = minimum;
    m_nMaximum = maximum;
    m_nBase = base;
    m_bTrailer = trailer;
    m_bNoSelection = (minimum < 1 && !trailer) ? 1 : noSelection;
    m_nSel = -1;
    m_nPrevSel = -1;
}

bool ListBoxBase::HasFocus() const
{
    platform::WindowSystem* system = platform::SystemOfWindow(m_hWnd);
    return system && system->Focus() == m_hWnd;
}

void ListBoxBase::Refill()
{
    // Inside a command the list already waits for its EndUpdate to draw.
    const bool drawing = !m_bUpdating;
    if (drawing)
    {
        SendToList(platform::kWmSetRedraw, 0);
    }
    int digits = m_bNumbered ? DigitsOf(static_cast<unsigned>(Count() - m_nBase)) : 0;
    SendToList(platform::kLbResetContent, 0);
    std::string text;
    std::string number;
    for (int i = m_nBase; i < Count(); ++i)
    {
        RowText(text, i);
        if (m_bNumbered)
        {
            FormatPaddedNumber(number, i - m_nBase + 1, digits, false);
            text = number + " " + text;
        }
        SendToList(platform::kLbAddString, 0, reinterpret_cast<intptr_t>(text.c_str()));
    }
    if (m_bTrailer)
    {
        SendToList(platform::kLbAddString, 0, reinterpret_cast<intptr_t>(m_strTrailer.c_str()));
    }
    SendToList(platform::kLbSetTopIndex, static_cast<uintptr_t>(m_nTop));
    SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(static_cast<intptr_t>(m_nSel)));
    if (drawing)
    {
        SendToList(platform::kWmSetRedraw, 1);
    }
}

int ListBoxBase::GetCurSel() const
{
    if (AskList(platform::kLbGetCount) <= 0)
    {
        return -1;
    }
    return static_cast<int>(AskList(platform::kLbGetCurSel));
}

int ListBoxBase::GetDataPos() const
{
    int row = GetCurSel();
    return row == -1 || IsTrailerRow(row) ? -1 : m_nBase + row;
}

bool ListBoxBase::IsTrailerRow(int row) const
{
    return m_bTrailer && row == Count() - m_nBase;
}

void ListBoxBase::SetCurSel(int row, int store)
{
    int selection = row;
    if (row == -1 && !m_bNoSelection)
    {
        selection = 0;
    }
    if (selection >= RowCount())
    {
        selection = -1;
    }
    m_nSel = selection;
    if (store)
    {
        StoreRow(selection);
    }
    SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(static_cast<intptr_t>(selection)));
}

void ListBoxBase::StoreSelected()
{
    m_nSel = GetCurSel();
    StoreRow(m_nSel);
}

int ListBoxBase::SelectAtPoint(const platform::Point& screen)
{
    if (!ContainsPoint(&screen))
    {
        return 0;
    }
    platform::NativeWindow* native = Native();
    int top = static_cast<int>(AskList(platform::kLbGetTopIndex));
    int row = top + (screen.m_nY - native->ScreenRect().m_nTop - platform::kListBorder) / platform::kListRowHeight;
    if (row < 0 || row >= AskList(platform::kLbGetCount))
    {
        m_nTop = top;
        return 0;
    }
    SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(row));
    m_nSel = row;
    native->System().SetFocus(m_hWnd);
    m_nTop = static_cast<int>(AskList(platform::kLbGetTopIndex));
    StoreRow(row);
    return 1;
}

void ListBoxBase::BeginUpdate()
{
    m_bUpdating = 1;
    m_nTop = static_cast<int>(AskList(platform::kLbGetTopIndex));
    m_nSel = GetCurSel();
}

void ListBoxBase::EndUpdate()
{
    if (m_nSel == -1 && !m_bNoSelection)
    {
        m_nSel = m_nPrevSel == -1 ? 0 : m_nPrevSel;
    }
    SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(static_cast<intptr_t>(m_nSel)));
    SendToList(platform::kLbSetTopIndex, static_cast<uintptr_t>(m_nTop));
    m_nPrevSel = m_nSel;
    m_bUpdating = 0;
    SendToList(platform::kWmSetRedraw, 1);
}

void ListBoxBase::OnKillFocus()
{
    SendToList(platform::kLbSetCurSel, static_cast<uintptr_t>(static_cast<intptr_t>(m_nSel)));
}

void ListBoxBase::Refresh()
{
    Refill();
    EndUpdate();
}

void ListBoxBase::OnKey(uintptr_t key, intptr_t, int ctrlDown)
{
    if (!HasFocus())
    {
        return;
    }
    static constexpr uintptr_t kKeys[kListCommandCount] = {'X', 'C', 'V', 'I', 'I', platform::kVkDelete,
                                                           platform::kVkDelete};
    for (int slot = 0; slot < kListCommandCount; ++slot)
    {
        bool needsCtrl = slot < kListClear;
        if (m_ShortcutIds[slot] == 0 || key != kKeys[slot] || (needsCtrl && !ctrlDown))
        {
            continue;
        }
        platform::SendWindowMessage(m_hOwner, platform::kWmCommand, platform::MakeWParam(m_ShortcutIds[slot], 0), 0);
    }
}

int ListBoxBase::RunCommand(int slot)
{
    switch (slot)
    {
    case kListCut: return Cut();
    case kListCopy: return Copy();
    case kListPaste: return Paste();
    case kListAdd: return AddNew();
    case kListInsert: return InsertNew();
    case kListClear: return Clear();
    case kListDelete: return Delete(-1);
    default: return 0;
    }
}

int ListBoxBase::OnAccelCommand(int id)
{
    if (id == 0 || !HasFocus())
    {
        return 0;
    }
    for (int slot = 0; slot < kListCommandCount; ++slot)
    {
        if (m_ShortcutIds[slot] == id)
        {
            return RunCommand(slot) == 1 ? 1 : 0;
        }
    }
    return 0;
}

int ListBoxBase::OnMenuCommand(int id)
{
    if (id == 0 || !HasFocus())
    {
        return 0;
    }
    for (int slot = 0; slot < kListCommandCount; ++slot)
    {
        if (m_PopupIds[slot] == id)
        {
            return RunCommand(slot) == 1 ? 1 : 0;
        }
    }
    return 0;
}

int ListBoxBase::SetAccelerators(int tableId, int mode, int set)
{
    RegisterListAcceleratorTables();
    if (m_pOwner)
    {
        m_pOwner->AddAccelerators(m_hWnd, tableId);
    }
    const ListCommandSet* ids = FindListCommandSet(mode, set);
    if (!ids)
    {
        ShowDebugErrorF("アクセラレータのIDが用意されていません！");
        return 0;
    }
    m_ShortcutIds = ids->m_Shortcut;
    return 1;
}

int ListBoxBase::SetPopupMenu(int menuId, int mode, int set)
{
    m_pPopupMenu = FindPopupMenu(menuId);
    const ListCommandSet* ids = FindListCommandSet(mode, set);
    if (!ids || !ids->m_nPopupMenu)
    {
        ShowDebugErrorF("ポップアップメニューのIDが用意されていません！");
        return 0;
    }
    m_PopupIds = ids->m_Popup;
    return 1;
}

int ListBoxBase::SetAcceleratorsAndMenu(int tableId, int menuId, int mode, int set)
{
    int accelerators = SetAccelerators(tableId, mode, set);
    int menu = SetPopupMenu(menuId, mode, set);
    return accelerators && menu ? 1 : 0;
}

void ListBoxBase::LeaveCommandsToOwner(int menuId)
{
    m_ShortcutIds = {};
    m_PopupIds = {};
    m_pPopupMenu = FindPopupMenu(menuId);
}

int ListBoxBase::AskCount(int minimum, int maximum, const Control* anchor)
{
    int count = Count() - m_nBase;
    std::unique_ptr<ControlAnchor> placed = anchor ? std::make_unique<ControlAnchor>(*anchor) : nullptr;
    EditorApp* app = m_pOwner ? m_pOwner->Owner() : &App;
    if (!ValueInputDialog::Run(m_hOwner, app, &count, minimum, maximum, "データ数", placed.get(), placed ? 1 : 0))
    {
        return 0;
    }
    return SetCount(count);
}
