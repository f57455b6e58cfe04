#include "platform/window/WindowHandle.h"

#include <mutex>
#include <vector>

namespace platform
{

namespace
{

struct Slot
{
    NativeWindow* m_pWindow = nullptr;
    WindowSystem* m_pSystem = nullptr;
    uint32_t m_nGeneration = 0;
};

struct Table
{
    std::mutex m_Mutex;
    std::vector<Slot> m_Slots;
    std::vector<uint32_t> m_Free; // reused last-freed first
};

Table& TheTable()
{
    static Table table;
    return table;
}

} // namespace

namespace
{
// The live slot of the handle, or null; the table's lock is held.
const Slot* Find(const Table& table, WindowHandle handle)
{
    uint32_t slot = handle.Slot();
    if (!handle || slot >= table.m_Slots.size() || table.m_Slots[slot].m_nGeneration != handle.Generation() ||
        !table.m_Slots[slot].m_pWindow)
    {
        return nullptr;
    }
    return &table.m_Slots[slot];
}
} // namespace

NativeWindow* ResolveWindow(WindowHandle handle)
{
    Table& table = TheTable();
    std::lock_guard lock(table.m_Mutex);
    const Slot* slot = Find(table, handle);
    return slot ? slot->m_pWindow : nullptr;
}

WindowSystem* SystemOfWindow(WindowHandle handle)
{
    Table& table = TheTable();
    std::lock_guard lock(table.m_Mutex);
    const Slot* slot = Find(table, handle);
    return slot ? slot->m_pSystem : nullptr;
}

namespace handles
{

WindowHandle Register(NativeWindow* window, WindowSystem* system)
{
    Table& table = TheTable();
    std::lock_guard lock(table.m_Mutex);
    uint32_t slot = 0;
    if (!table.m_Free.empty())
    {
        slot = table.m_Free.back();
        table.m_Free.pop_back();
    }
    else
    {
        slot = static_cast<uint32_t>(table.m_Slots.size());
        // Generation 0 never names a window, so a zeroed value stays null.
        table.m_Slots.push_back({nullptr, nullptr, 1});
    }
    Slot& entry = table.m_Slots[slot];
    entry.m_pWindow = window;
    entry.m_pSystem = system;
    return WindowHandle::FromValue(static_cast<uint64_t>(entry.m_nGeneration) << 32 | (slot + 1u));
}

void Unregister(WindowHandle handle)
{
    Table& table = TheTable();
    std::lock_guard lock(table.m_Mutex);
    if (!Find(table, handle))
    {
        return;
    }
    uint32_t slot = handle.Slot();
    Slot& entry = table.m_Slots[slot];
    entry.m_pWindow = nullptr;
    entry.m_pSystem = nullptr;
    // The next window in this slot gets a new generation.
    if (++entry.m_nGeneration == 0)
    {
        entry.m_nGeneration = 1;
    }
    table.m_Free.push_back(slot);
}

} // namespace handles

} // namespace platform
