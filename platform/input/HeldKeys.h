#pragma once

// Which keys are held down, by key number (VirtualKeys.h).
//
// The window's thread writes the table from its key messages; the game and
// event threads read it once a frame. Every entry is an atomic of its own, so
// readers need no lock; a reader may see one key change a frame before another,
// as it would with keys read one by one from the hardware.

#include "platform/input/VirtualKeys.h"

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>

namespace platform
{

// A set of held keys, one bit per key number.
using KeySet = std::bitset<kVkCount>;

// What the game reads keys through.
class KeySource
{
public:
    virtual ~KeySource() = default;
    // True while the key is down; numbers out of range are never held.
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
    std::array<std::atomic<bool>, kVkCount> m_bHeld{};
};

// The window procedure's part: a key-down message holds its key, a key-up
// releases it, and when the program stops being the active one every key is
// released (key-ups that happen meanwhile go to another program). Other messages
// change nothing. True when the message was one of these.
bool OnKeyMessage(HeldKeyTable& table, uint32_t message, uintptr_t wParam);

// A fixed set, for scripted frames and tests.
class KeySetSource final : public KeySource
{
public:
    KeySetSource() = default;
    explicit KeySetSource(const KeySet& keys) : m_Keys(keys) {}
    KeySet& Keys() { return m_Keys; }
    bool IsKeyHeld(int key) const override { return key >= 0 && key < kVkCount && m_Keys.test(key); }

private:
    KeySet m_Keys;
};

} // namespace platform
