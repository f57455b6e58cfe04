#include "platform/input/HeldKeys.h"

namespace platform
{

namespace
{

bool InRange(int key)
{
    return key >= 0 && key < kVkCount;
}

} // namespace

void HeldKeyTable::SetKey(int key, bool held)
{
    if (InRange(key))
    {
        m_bHeld[key].store(held, std::memory_order_relaxed);
    }
}

void HeldKeyTable::Assign(const KeySet& keys)
{
    for (int key = 0; key < kVkCount; ++key)
    {
        m_bHeld[key].store(keys.test(key), std::memory_order_relaxed);
    }
}

void HeldKeyTable::ReleaseAll()
{
    Assign(KeySet{});
}

KeySet HeldKeyTable::Snapshot() const
{
    KeySet keys;
    for (int key = 0; key < kVkCount; ++key)
    {
        keys.set(key, m_bHeld[key].load(std::memory_order_relaxed));
    }
    return keys;
}

bool HeldKeyTable::IsKeyHeld(int key) const
{
    return InRange(key) && m_bHeld[key].load(std::memory_order_relaxed);
}

bool OnKeyMessage(HeldKeyTable& table, uint32_t message, uintptr_t wParam)
{
    switch (message)
    {
    case kWmKeyDown:
    case kWmKeyUp:
        if (wParam < kVkCount)
        {
            table.SetKey(static_cast<int>(wParam), message == kWmKeyDown);
        }
        return true;
    case kWmActivateApp:
        if (wParam == 0)
        {
            table.ReleaseAll();
        }
        return true;
    default:
        return false;
    }
}

} // namespace platform
