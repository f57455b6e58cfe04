#pragma once

// Which keys are held down, by key number (VirtualKeys.h).
//
// The window's thread writes the table from its key events; the game and
// event threads read it once a frame. Every entry is an atomic of its own, so
// readers need no lock; a reader may see one key change a frame before another,
// as it would with keys read one by one from the hardware.

#include "platform/input/VirtualKeys.h"

#include <array>
#include <atomic>
#include <bitset>

namespace platform
{

// A set of held keys, one bit per key number.
using KeySet = std::bitset<kVkCount>;

// What the game reads keys through.
class KeySource
{
public:
    virtual ~KeySource() = default;
    // True while the key is down. The three shift, control and alt numbers are
    // held when either of their left and right keys is. Numbers out of range are never held.
    virtual bool IsKeyHeld(int key) const = 0;
};

class HeldKeyTable final : public KeySource
{
public:
    void SetKey(int key, bool held);
    // Every key of the set down, every other key up.
    void Assign(const KeySet& keys);
    void ReleaseAll();
    KeySet Snapshot() const;

    bool IsKeyHeld(int key) const override;

private:
    bool Raw(int key) const { return m_bHeld[key].load(std::memory_order_relaxed); }

    std::array<std::atomic<bool>, kVkCount> m_bHeld{};
};

// A fixed set, for scripted frames and tests.
class KeySetSource final : public KeySource
{
public:
    KeySetSource() = default;
    explicit KeySetSource(const KeySet& keys) : m_Keys(keys) {}
    KeySet& Keys() { return m_Keys; }
    bool IsKeyHeld(int key) const override;

private:
    KeySet m_Keys;
};

// The held state of a key in a set, with the either-side rule of KeySource.
bool IsKeyInSet(const KeySet& keys, int key);

} // namespace platform
