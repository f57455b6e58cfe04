#include "game/program/PlayScript.h"

#include "platform/core/Cp932.h"
#include "platform/input/VirtualKeys.h"

#include <gtest/gtest.h>

namespace
{

using Kind = PlayLine::Kind;

TEST(PlayScriptTest, EveryKindOfLineIsReadWithItsNumberAndText)
{
    PlayScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# a comment\n"
                             "press z\n"
                             "hold down+x 3\n"
                             "\n"
                             "wait 2\n"
                             "until scene 1 within 90\n"
                             "until closed\n"
                             "expect money -5\n"
                             "expect leader 1\n"
                             "expect leader ユーリ\n"
                             "expect leader none\n"
                             "expect cleared 4\n"
                             "expect cleared 4 0\n"
                             "expect var 12 -999999\n"
                             "expect item 6 2\n"
                             "capture title\n"
                             "  expect state 2  \r\n"
                             "expect unit 1 3 11\n"
                             "expect unit ユーリ off\n"
                             "expect acted 2 1\n"
                             "stage data\\stg\\Stage01.stg 2\n"
                             "stage other.stg\n"
                             "go scene 2\n"
                             "expect position 3 11\n"
                             "expect stage 1\n"
                             "until scene 3 within 900 pressing z\n"
                             "seed 4242\n"
                             "until state 27 within 600 pressing z\n"
                             "until scene 3 state 8\n",
                             &error))
        << error;
    const std::vector<PlayLine>& lines = script.Lines();
    ASSERT_EQ(lines.size(), 28u);

    // A press is the key's frame and a frame with every key up, both of line 2.
    EXPECT_EQ(lines[0].m_Kind, Kind::Keys);
    EXPECT_TRUE(lines[0].m_Keys.test('Z'));
    EXPECT_EQ(lines[0].m_nFrames, 1u);
    EXPECT_TRUE(lines[1].m_Keys.none());
    EXPECT_EQ(lines[1].m_nLine, 2);
    EXPECT_EQ(lines[2].m_nFrames, 3u);
    EXPECT_TRUE(lines[2].m_Keys.test(platform::kVkDown) && lines[2].m_Keys.test('X'));
    EXPECT_EQ(lines[3].m_nLine, 5);

    EXPECT_EQ(lines[4].m_Kind, Kind::UntilScene);
    EXPECT_EQ(lines[4].m_nScene, 1);
    EXPECT_EQ(lines[4].m_nFrames, 90u);
    EXPECT_EQ(lines[5].m_Kind, Kind::UntilClosed);
    EXPECT_EQ(lines[5].m_nFrames, PlayScript::kDefaultWithin);

    EXPECT_EQ(lines[6].m_Check, PlayCheck::Money);
    EXPECT_EQ(lines[6].m_nValue, -5);
    EXPECT_EQ(lines[7].m_Check, PlayCheck::Leader);
    EXPECT_EQ(lines[7].m_nValue, 1);
    EXPECT_TRUE(lines[7].m_strName.empty());
    EXPECT_EQ(lines[8].m_strName, platform::FromUtf8("ユーリ"));
    EXPECT_TRUE(lines[9].m_bNone);
    EXPECT_EQ(lines[10].m_nArg, 4);
    EXPECT_EQ(lines[10].m_nValue, 1);
    EXPECT_EQ(lines[11].m_nValue, 0);
    EXPECT_EQ(lines[12].m_Check, PlayCheck::Variable);
    EXPECT_EQ(lines[12].m_nArg, 12);
    EXPECT_EQ(lines[12].m_nValue, -999999);
    EXPECT_EQ(lines[13].m_Check, PlayCheck::Item);
    EXPECT_EQ(lines[13].m_nArg, 6);
    EXPECT_EQ(lines[13].m_nValue, 2);
    EXPECT_EQ(lines[14].m_Kind, Kind::Capture);
    EXPECT_EQ(lines[14].m_strName, "title.png");
    EXPECT_EQ(lines[15].m_Check, PlayCheck::State);
    EXPECT_EQ(lines[15].m_nLine, 17);
    EXPECT_EQ(lines[15].m_strText, "expect state 2");

    EXPECT_EQ(lines[16].m_Check, PlayCheck::UnitPosition);
    EXPECT_EQ(lines[16].m_nValue, 1);
    EXPECT_EQ(lines[16].m_nX, 3);
    EXPECT_EQ(lines[16].m_nY, 11);
    EXPECT_FALSE(lines[16].m_bNone);
    EXPECT_EQ(lines[17].m_strName, platform::FromUtf8("ユーリ"));
    EXPECT_TRUE(lines[17].m_bNone);
    EXPECT_EQ(lines[18].m_Check, PlayCheck::UnitActed);
    EXPECT_EQ(lines[18].m_nValue, 2);
    EXPECT_EQ(lines[18].m_nX, 1);
    EXPECT_EQ(lines[19].m_Kind, Kind::Stage);
    EXPECT_EQ(lines[19].m_strName, "data\\stg\\Stage01.stg");
    EXPECT_EQ(lines[19].m_nArg, 2);
    EXPECT_EQ(lines[20].m_nArg, 1);
    EXPECT_EQ(lines[21].m_Kind, Kind::GoScene);
    EXPECT_EQ(lines[21].m_nScene, 2);
    EXPECT_EQ(lines[22].m_Check, PlayCheck::Position);
    EXPECT_EQ(lines[22].m_nArg, 3);
    EXPECT_EQ(lines[22].m_nValue, 11);
    EXPECT_EQ(lines[23].m_Check, PlayCheck::CurrentStage);
    EXPECT_EQ(lines[23].m_nValue, 1);
    // Waiting for a scene while pressing a key.
    EXPECT_EQ(lines[24].m_Kind, Kind::UntilScene);
    EXPECT_EQ(lines[24].m_nFrames, 900u);
    EXPECT_TRUE(lines[24].m_Keys.test('Z'));
    EXPECT_TRUE(lines[4].m_Keys.none());
    EXPECT_EQ(lines[25].m_Kind, Kind::Seed);
    EXPECT_EQ(lines[25].m_nArg, 4242);
    // Waiting for a state of the current scene.
    EXPECT_EQ(lines[26].m_Kind, Kind::UntilState);
    EXPECT_EQ(lines[26].m_nValue, 27);
    EXPECT_EQ(lines[26].m_nFrames, 600u);
    EXPECT_TRUE(lines[26].m_Keys.test('Z'));
    EXPECT_EQ(lines[26].m_nScene, PlayLine::kAnyScene);
    EXPECT_EQ(lines[27].m_Kind, Kind::UntilState);
    EXPECT_EQ(lines[27].m_nScene, 3);
    EXPECT_EQ(lines[27].m_nValue, 8);
}

TEST(PlayScriptTest, AWrongLineIsNamedAndTheScriptStaysAsItWas)
{
    struct Case
    {
        const char* m_pLine;
        const char* m_pReason;
    };
    const Case cases[] = {
        {"jump 3", "unknown step \"jump\""},
        {"press q+nokey", "unknown key \"nokey\""},
        {"wait 0", "frame count"},
        {"until scene", "until scene K"},
        {"until scene 1 within", "within N"},
        {"until scene x", "not a number"},
        {"until scene 1 pressing", "pressing KEY"},
        {"until state", "until state S"},
        {"until state 8 within 9 pressing", "pressing KEY"},
        {"until scene 3 state x", "not a number"},
        {"until closed pressing z", "within N"},
        {"expect money", "expect scene"},
        {"expect money 12abc", "not a number"},
        {"expect var 3", "expect var N VALUE"},
        {"expect item 3", "expect item ITEM COUNT"},
        {"expect colour 3", "expect scene"},
        {"expect position 3", "expect position X Y"},
        {"go scene", "go scene K"},
        {"go title", "go scene K"},
        {"capture ../outside", "plain file name"},
        {"capture .hidden", "plain file name"},
        {"capture a b", "capture NAME"},
        {"expect unit 1 3", "expect unit F X Y|off"},
        {"expect unit none off", "friend number or a name"},
        {"expect acted 1", "expect acted F V"},
        {"stage", "stage FILE [NUMBER]"},
        {"stage a.stg 1 2", "stage FILE [NUMBER]"},
        {"stage a.stg one", "not a number"},
        {"seed", "seed N"},
        {"seed 1 2", "seed N"},
        {"seed x", "not a number"},
    };
    PlayScript script;
    ASSERT_TRUE(script.Parse("wait 1\n"));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pLine);
        std::string error;
        EXPECT_FALSE(script.Parse(std::string("wait 5\n# note\n") + c.m_pLine + "\n", &error));
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.m_pReason), std::string::npos) << error;
        ASSERT_EQ(script.Lines().size(), 1u);
        EXPECT_EQ(script.Lines()[0].m_nFrames, 1u);
    }
}

} // namespace
