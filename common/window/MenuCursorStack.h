#pragma once

// A stack of cursor positions for nested menus: a menu pushes a level when it
// opens and pops it when it closes. The current and previous entries are kept
// as indices, so growing the stack never leaves them dangling.

#include "common/data/CheckedVector.h"

#include <cstdint>

struct CursorEntry
{
    int32_t m_nColumn = 0;
    int32_t m_nRow = 0;
    int32_t m_nX = 0;
    int32_t m_nY = 0;

    bool operator==(const CursorEntry&) const = default;
};
static_assert(sizeof(CursorEntry) == 16, "a cursor entry is four int32");

class MenuCursorStack
{
public:
    MenuCursorStack() { Reset(); }

    // Exactly one zeroed entry; it is current, there is no previous one.
    void Reset();
    // Appends a zeroed entry, or with copyFlag 1 and at least two entries a copy of the one below.
    void Push(int copyFlag);
    // Push(0), then the new entry's column and row.
    void PushAt(int32_t column, int32_t row);
    // With at least two entries drops the top; the new top is zeroed (mode 0),
    // kept (1) or takes the dropped entry's values (2).
    void Pop(int mode);
    // One entry holding the current entry's values; no previous one.
    void Collapse();

    CursorEntry& Current() { return m_Entries.At(m_nCurrent); }
    const CursorEntry& Current() const { return m_Entries.At(m_nCurrent); }
    // The entry below the current one; null when there is none.
    CursorEntry* Previous() { return m_nPrevious < 0 ? nullptr : &m_Entries.At(m_nPrevious); }
    int Count() const { return m_Entries.Count(); }
    CursorEntry& At(int index) { return m_Entries.At(index); }

private:
    GuardedVector<CursorEntry> m_Entries;
    int m_nCurrent = 0;
    int m_nPrevious = -1;
};
