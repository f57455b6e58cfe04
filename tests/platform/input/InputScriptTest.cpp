#include "platform/input/InputScript.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using namespace platform;

KeySet Keys(std::initializer_list<int> keys)
{
    KeySet set;
    for (int key : keys)
    {
        set.set(key);
    }
    return set;
}

std::vector<KeySet> AllFrames(InputScript& script)
{
    std::vector<KeySet> frames;
    KeySet keys;
    while (script.NextFrame(keys))
    {
        frames.push_back(keys);
    }
    return frames;
}

TEST(InputScriptTest, StepsBecomeFramesOfHeldKeys)
{
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# title, then the first menu entry\r\n"
                             "wait 2\r\n"
                             "\n"
                             "  press enter  \n"
                             "press enter\n"
                             "hold down 3\n"
                             "hold z+x 2",
                             &error))
        << error;
    const KeySet none;
    const std::vector<KeySet> expected = {
        none,
        none, // wait 2
        Keys({kVkReturn}),
        none, // press enter
        Keys({kVkReturn}),
        none, // press enter: a second press, not a longer hold
        Keys({kVkDown}),
        Keys({kVkDown}),
        Keys({kVkDown}), // hold down 3
        Keys({'Z', 'X'}),
        Keys({'Z', 'X'}), // hold z+x 2
    };
    EXPECT_EQ(script.FrameCount(), expected.size());
    EXPECT_EQ(AllFrames(script), expected);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(script.Position(), expected.size());

    KeySet keys = Keys({'Q'});
    EXPECT_FALSE(script.NextFrame(keys));
    EXPECT_TRUE(keys.none());

    script.Rewind();
    EXPECT_EQ(AllFrames(script), expected);
}

TEST(InputScriptTest, ErrorsNameTheLineAndKeepTheScript)
{
    InputScript script;
    ASSERT_TRUE(script.Parse("hold left 2"));
    KeySet keys;
    ASSERT_TRUE(script.NextFrame(keys));

    struct Case
    {
        const char* m_pText;
        const char* m_pError;
    };
    const Case kCases[] = {
        {"wait 1\npress q+", "line 2: unknown key \"\""},
        {"press jump", "line 1: unknown key \"jump\""},
        {"hold z", "line 1: expected \"press KEY\", \"hold KEY N\" or \"wait N\""},
        {"wait", "line 1: expected \"press KEY\", \"hold KEY N\" or \"wait N\""},
        {"\n\nwait 0", "line 3: frame count \"0\" is not 1..10000000"},
        {"wait -3", "line 1: frame count \"-3\" is not 1..10000000"},
        {"wait 10000001", "line 1: frame count \"10000001\" is not 1..10000000"},
        {"wait 5x", "line 1: frame count \"5x\" is not 1..10000000"},
        {"hold z 2 3", "line 1: expected \"press KEY\", \"hold KEY N\" or \"wait N\""},
        {"release z", "line 1: expected \"press KEY\", \"hold KEY N\" or \"wait N\""},
    };
    for (const Case& c : kCases)
    {
        std::string error;
        EXPECT_FALSE(script.Parse(c.m_pText, &error)) << c.m_pText;
        EXPECT_EQ(error, c.m_pError) << c.m_pText;
    }
    // The old script goes on where it was.
    EXPECT_EQ(script.Position(), 1u);
    ASSERT_TRUE(script.NextFrame(keys));
    EXPECT_EQ(keys, Keys({kVkLeft}));
    EXPECT_TRUE(script.Finished());
}

TEST(InputScriptTest, AnEmptyScriptHasNoFrames)
{
    InputScript script;
    ASSERT_TRUE(script.Parse("# nothing\n\n"));
    EXPECT_EQ(script.FrameCount(), 0u);
    EXPECT_TRUE(script.Finished());
}

TEST(InputScriptTest, LongWaitsTakeNoMemoryPerFrame)
{
    InputScript script;
    ASSERT_TRUE(script.Parse("wait 10000000\nwait 10000000\npress z"));
    EXPECT_EQ(script.FrameCount(), 20'000'002u);
}

} // namespace
