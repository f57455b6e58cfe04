#include "common/window/MenuCursorStack.h"

void MenuCursorStack::Reset()
{
    m_Entries.assign(1, CursorEntry{});
    m_nCurrent = 0;
    m_nPrevious = -1;
}

void MenuCursorStack::Push(int copyFlag)
{
    m_Entries.push_back(CursorEntry{});
    m_nCurrent = Count() - 1;
    m_nPrevious = m_nCurrent - 1;
    if (copyFlag == 1 && Count() >= 2)
    {
        m_Entries.At(m_nCurrent) = m_Entries.At(m_nPrevious);
    }
}

void MenuCursorStack::PushAt(int32_t column, int32_t row)
{
    Push(0);
    Current().m_nColumn = column;
    Current().m_nRow = row;
}

void MenuCursorStack::Pop(int mode)
{
    if (Count() < 2)
    {
        return;
    }
    CursorEntry popped = m_Entries.back();
    m_Entries.pop_back();
    m_nCurrent = Count() - 1;
    m_nPrevious = m_nCurrent - 1;
    if (mode == 0)
    {
        m_Entries.At(m_nCurrent) = CursorEntry{};
    }
    else if (mode == 2)
    {
        m_Entries.At(m_nCurrent) = popped;
    }
}

void MenuCursorStack::Collapse()
{
    CursorEntry kept = Current();
    m_Entries.assign(1, kept);
    m_nCurrent = 0;
    m_nPrevious = -1;
}
