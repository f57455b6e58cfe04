#include "platform/input/HeldKeys.h"

namespace platform
{

namespace
{

// The left and right keys that also hold a generic one, or {0, 0}.
struct KeyPair
{
    int m_nLeft = 0;
    int m_nRight = 0;
};

KeyPair SidesOf(int key)
{
    switch (key)
    {
    case kVkShift:
        return {kVkLShift, kVkRShift};
    case kVkControl:
        return {kVkLControl, kVkRControl};
    case kVkMenu:
        return {kVkLMenu, kVkRMenu};
    default:
        return {};
    }
}

bool InRange(int key)
{
    return key >= 0 && key < kVkCount;
}

template <typename Held> bool HeldWithSides(int key, Held held)
{
    if (!InRange(key))
    {
        return false;
    }
    if (held(key))
    {
        return true;
    }
    KeyPair sides = SidesOf(key);
    return sides.m_nLeft != 0 && (held(sides.m_nLeft) || held(sides.m_nRight));
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
        keys.set(key, Raw(key));
    }
    return keys;
}

bool HeldKeyTable::IsKeyHeld(int key) const
{
    return HeldWithSides(key, [this](int k) { return Raw(k); });
}

bool IsKeyInSet(const KeySet& keys, int key)
{
    return HeldWithSides(key, [&keys](int k) { return keys.test(k); });
}

bool KeySetSource::IsKeyHeld(int key) const
{
    return IsKeyInSet(m_Keys, key);
}

} // namespace platform
