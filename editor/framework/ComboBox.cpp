#include "editor/framework/ComboBox.h"

#include "editor/framework/DialogBase.h"
#include "common/services/MessageBoxes.h"
#include "platform/window/WindowSystem.h"

namespace
{

uintptr_t RowParam(int row)
{
    return static_cast<uintptr_t>(static_cast<intptr_t>(row));
}

} // namespace

// ---- ComboBox ----

void ComboBox::Attach(DialogBase* owner, const ComboBoxBinding& binding)
{
    Control::Attach(owner, static_cast<uint16_t>(binding.m_nId));
    m_pValue = binding.m_pValue;
    // A table wins over a vector.
    m_pItemTable = binding.m_pItemTable;
    m_pItemVector = binding.m_pItemTable ? nullptr : binding.m_pItemVector;
    if (m_pItemTable || m_pItemVector)
    {
        // The row kept is found with the base and the value table of the previous attach.
        Refill(m_pValueTable);
    }
    m_nBase = binding.m_nBase;
    m_pValueTable = binding.m_pValueTable;
}

void ComboBox::DataToControl()
{
    if (m_pValue)
    {
        platform::SendWindowMessage(m_hWnd, platform::kCbSetCurSel, RowParam(DataToPos(*m_pValue)), 0);
    }
}

void ComboBox::ControlToData()
{
    if (m_pValue)
    {
        *m_pValue = PosToData(CurSel());
    }
}

int32_t ComboBox::PosToData(int position) const
{
    if (m_pValueTable && position != -1)
    {
        if (position >= 0 && position < static_cast<int>(m_pValueTable->size()))
        {
            return (*m_pValueTable)[static_cast<size_t>(position)];
        }
        ShowDebugErrorF("コンボボックスのPosToDataに失敗！");
        return -1;
    }
    return m_nBase + position;
}

int ComboBox::DataToPos(int32_t value) const
{
    if (m_pValueTable)
    {
        for (size_t row = 0; row < m_pValueTable->size(); ++row)
        {
            if ((*m_pValueTable)[row] == value)
            {
                return static_cast<int>(row);
            }
        }
        return -1;
    }
    return value - m_nBase;
}

int32_t ComboBox::GetSelectedData() const
{
    return PosToData(CurSel());
}

void ComboBox::SelectData(int32_t value)
{
    platform::SendWindowMessage(m_hWnd, platform::kCbSetCurSel, RowParam(DataToPos(value)), 0);
}

void ComboBox::SetItemVector(const std::vector<std::string>* items)
{
    m_pItemVector = items;
    m_pItemTable = nullptr;
    Refill(m_pValueTable);
}

void ComboBox::SetItemTable(const char* const* table)
{
    m_pItemTable = table;
    m_pItemVector = nullptr;
    Refill(m_pValueTable);
}

int ComboBox::CurSel() const
{
    if (!Native())
    {
        return -1;
    }
    return static_cast<int>(platform::SendWindowMessage(m_hWnd, platform::kCbGetCurSel, 0, 0));
}

int ComboBox::BoundRowInTable(const std::vector<int32_t>& values) const
{
    if (!m_pValue)
    {
        return -1;
    }
    for (size_t row = 0; row < values.size(); ++row)
    {
        if (values[row] == *m_pValue)
        {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void ComboBox::Refill(const std::vector<int32_t>* values)
{
    int row = values ? BoundRowInTable(*values) : CurSel();
    platform::SendWindowMessage(m_hWnd, platform::kCbResetContent, 0, 0);
    int inserted = 0;
    auto insert = [&](const char* text) {
        platform::SendWindowMessage(m_hWnd, platform::kCbInsertString, RowParam(inserted++),
                                    reinterpret_cast<intptr_t>(text));
    };
    if (m_pItemTable)
    {
        for (const char* const* text = m_pItemTable; *text && **text; ++text)
        {
            insert(*text);
        }
    }
    else if (m_pItemVector)
    {
        for (const std::string& text : *m_pItemVector)
        {
            insert(text.c_str());
        }
    }
    platform::SendWindowMessage(m_hWnd, platform::kCbSetCurSel, RowParam(row), 0);
}

void EnableComboBoxById(CheckedVector<ComboBox>& boxes, int id, int on)
{
    EnableControlById(boxes, id, on);
}

// ---- CheckBox ----

void CheckBox::Attach(DialogBase* owner, const CheckBoxBinding& binding)
{
    Control::Attach(owner, static_cast<uint16_t>(binding.m_nId));
    m_pValue = binding.m_pValue;
    m_nShownState = -1;
}

void CheckBox::DataToControl()
{
    if (m_pValue)
    {
        platform::SendWindowMessage(m_hWnd, platform::kBmSetCheck, static_cast<uintptr_t>(*m_pValue), 0);
        m_nShownState = Native() ? GetCheck() : -1;
    }
}

void CheckBox::ControlToData()
{
    if (m_pValue && Native())
    {
        const int state = GetCheck();
        // The author has not changed what the box showed: the value stays as it was given.
        if (!Owner() || !Owner()->KeepsUntouchedValues() || state != m_nShownState)
        {
            *m_pValue = static_cast<int32_t>(state);
            m_nShownState = state;
        }
    }
}

int CheckBox::GetCheck() const
{
    return Native() ? static_cast<int>(platform::SendWindowMessage(m_hWnd, platform::kBmGetCheck, 0, 0)) : 0;
}
