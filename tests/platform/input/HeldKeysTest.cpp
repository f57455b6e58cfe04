#include "platform/input/HeldKeys.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

using namespace platform;

TEST(HeldKeysTest, EitherSideHoldsTheGenericModifier)
{
    struct Case
    {
        int m_nDown;  // the key the window reports
        int m_nAsked; // the key the game asks about
        bool m_bHeld;
    };
    const Case kCases[] = {
        {kVkLShift, kVkShift, true},
        {kVkRShift, kVkShift, true},
        {kVkShift, kVkShift, true},
        {kVkLControl, kVkControl, true},
        {kVkRControl, kVkControl, true},
        {kVkRMenu, kVkMenu, true},
        {kVkShift, kVkLShift, false},
        {kVkLShift, kVkControl, false},
        {'Z', 'Z', true},
        {'Z', 'X', false},
        {kVkLeft, kVkLeft, true},
    };
    for (const Case& c : kCases)
    {
        HeldKeyTable table;
        table.SetKey(c.m_nDown, true);
        EXPECT_EQ(table.IsKeyHeld(c.m_nAsked), c.m_bHeld) << c.m_nDown << " asked as " << c.m_nAsked;
        KeySet set;
        set.set(c.m_nDown);
        EXPECT_EQ(KeySetSource(set).IsKeyHeld(c.m_nAsked), c.m_bHeld) << c.m_nDown << " asked as " << c.m_nAsked;
    }
}

TEST(HeldKeysTest, OneShiftUpLeavesTheOtherHolding)
{
    HeldKeyTable table;
    table.SetKey(kVkLShift, true);
    table.SetKey(kVkRShift, true);
    table.SetKey(kVkLShift, false);
    EXPECT_TRUE(table.IsKeyHeld(kVkShift));
    table.SetKey(kVkRShift, false);
    EXPECT_FALSE(table.IsKeyHeld(kVkShift));
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
