#include "platform/input/HeldKeys.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

using namespace platform;

TEST(HeldKeysTest, KeyMessagesHoldAndReleaseKeys)
{
    struct Step
    {
        uint32_t m_nMessage;
        uintptr_t m_nWParam;
        bool m_bHandled;
        KeySet m_Held; // after the message
    };
    const KeySet none;
    const KeySet z = KeySet().set('Z');
    const KeySet zLeft = KeySet().set('Z').set(kVkLeft);
    const Step kSteps[] = {
        {kWmKeyDown, 'Z', true, z},         {kWmKeyDown, 'Z', true, z},     // an auto-repeat keeps it down
        {kWmKeyDown, kVkLeft, true, zLeft}, {kWmKeyDown, 300, true, zLeft}, // out of range: nothing
        {kWmChar, 'a', false, zLeft},       {kWmKeyUp, kVkLeft, true, z},
        {kWmActivateApp, 1, true, z},       {kWmKeyDown, kVkShift, true, KeySet(z).set(kVkShift)},
        {kWmActivateApp, 0, true, none}, // another program takes the keyboard
    };
    HeldKeyTable table;
    for (const Step& step : kSteps)
    {
        EXPECT_EQ(OnKeyMessage(table, step.m_nMessage, step.m_nWParam), step.m_bHandled)
            << step.m_nMessage << " " << step.m_nWParam;
        EXPECT_EQ(table.Snapshot(), step.m_Held) << step.m_nMessage << " " << step.m_nWParam;
    }
}

TEST(HeldKeysTest, NumbersOutOfRangeAreNeverHeldAndChangeNothing)
{
    HeldKeyTable table;
    for (int key : {-1, kVkCount, 70000})
    {
        table.SetKey(key, true);
        EXPECT_FALSE(table.IsKeyHeld(key));
    }
    EXPECT_TRUE(table.Snapshot().none());
}

TEST(HeldKeysTest, AssignReplacesTheWholeTable)
{
    HeldKeyTable table;
    table.SetKey('A', true);
    KeySet keys;
    keys.set(kVkUp).set('X');
    table.Assign(keys);
    EXPECT_EQ(table.Snapshot(), keys);
    table.ReleaseAll();
    EXPECT_TRUE(table.Snapshot().none());
}

// One thread writes, another reads, as the window and the game thread do; run
// under ThreadSanitizer this shows the table needs no lock.
TEST(HeldKeysTest, ReadsWhileAnotherThreadWrites)
{
    HeldKeyTable table;
    std::thread writer(
        [&table]
        {
            for (int i = 0; i < 2000; ++i)
            {
                table.SetKey(kVkRight, i % 2 == 0);
                table.SetKey('Z', i % 3 == 0);
            }
            table.SetKey('V', true);
        });
    while (!table.IsKeyHeld('V'))
    {
        (void)table.IsKeyHeld(kVkRight);
        (void)table.Snapshot();
    }
    writer.join();
    EXPECT_FALSE(table.IsKeyHeld(kVkRight));
    EXPECT_FALSE(table.IsKeyHeld('Z'));
}

TEST(VirtualKeysTest, NamesOfScripts)
{
    struct Case
    {
        const char* m_pName;
        int m_nKey;
    };
    const Case kCases[] = {
        {"left", kVkLeft},
        {"RIGHT", kVkRight},
        {"up", kVkUp},
        {"down", kVkDown},
        {"z", 'Z'},
        {"X", 'X'},
        {"c", 'C'},
        {"v", 'V'},
        {"esc", kVkEscape},
        {"enter", kVkReturn},
        {"f1", kVkF1},
        {"F8", kVkF1 + 7},
        {"f12", kVkF1 + 11},
        {"space", kVkSpace},
        {"shift", kVkShift},
        {"ctrl", kVkControl},
        {"7", '7'},
        {"f13", 0},
        {"f0", 0},
        {"f01", 0},
        {"", 0},
        {"zz", 0},
        {"escape", 0},
        {"f", 'F'},
        {"-", 0},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(VirtualKeyFromName(c.m_pName), c.m_nKey) << '"' << c.m_pName << '"';
    }
}

} // namespace
