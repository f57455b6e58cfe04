#include "game/engine/SystemIni.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{

// The seven values in file order: music, volume, windowed, depth, fps, page flip, FPS display.
GameSettings Values(int32_t music, int32_t volume, int32_t windowed, int32_t depth, int32_t fps, int32_t flip,
                    int32_t fpsDisplay)
{
    return {music, volume, windowed, depth, fps, flip, fpsDisplay};
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
    {
        text += line + "\r\n";
    }
    return text;
}

TEST(SystemIniTest, EveryCaseOfTheFile)
{
    const GameSettings defaults = Values(1, 0, 0, 0, 60, 1, 1);
    const struct
    {
        const char* m_pName;
        std::optional<std::string> m_Text; // none: no file
        bool m_bRead;
        GameSettings m_Settings; // what the start-up takes
    } cases[] = {
        {"missing file", std::nullopt, false, defaults},
        {"every value",
         Lines({"Music=0", "Volume=-500", "Window=0", "Color=16", "FPS=30", "Flip=0", "ShowFPS=0"}),
         true,
         Values(0, -500, 0, 16, 30, 0, 0)},
        {"windowed forces page flipping", Lines({"M=1", "V=0", "W=1", "C=16", "F=60", "P=0", "S=1"}), true,
         Values(1, 0, 1, 16, 60, 1, 1)},
        {"fps 10 is 20", Lines({"M=1", "V=0", "W=0", "C=8", "F=10", "P=1", "S=1"}), true, Values(1, 0, 0, 8, 20, 1, 1)},
        {"fps 100 is 60", Lines({"M=1", "V=0", "W=0", "C=8", "F=100", "P=1", "S=1"}), true,
         Values(1, 0, 0, 8, 60, 1, 1)},
        {"volume 10000 is each sound's own", Lines({"M=1", "V=10000", "W=0", "C=0", "F=60", "P=1", "S=1"}), true,
         Values(1, 0, 0, 0, 60, 1, 1)},
        {"volume 5000 is -5000", Lines({"M=1", "V=5000", "W=0", "C=0", "F=60", "P=1", "S=1"}), true,
         Values(1, -5000, 0, 0, 60, 1, 1)},
        {"volume 20000 is 1", Lines({"M=1", "V=20000", "W=0", "C=0", "F=60", "P=1", "S=1"}), true,
         Values(1, 1, 0, 0, 60, 1, 1)},
        {"a comment after a value",
         Lines({"Music=0 // no music", "Volume=0", "Window=0", "Color=0", "FPS=40/ forty", "Flip=1", "ShowFPS=1"}),
         true,
         Values(0, 0, 0, 0, 40, 1, 1)},
        {"blanks before the first value are dropped", Lines({"Music =\t 0", "V=0", "W=0", "C=0", "F=50", "P=1", "S=1"}),
         true, Values(0, 0, 0, 0, 50, 1, 1)},
        {"a later blank after '=' stores 0", Lines({"M=1", "V=0", "W= 1", "C=16", "F=60", "P=1", "S=1"}), true,
         Values(1, 0, 0, 16, 60, 1, 1)},
        {"a value ends at a tab and at the end of the file", "M=0\tx\nV=0\nW=0\nC=0\nF=45\nP=1\nS=0", true,
         Values(0, 0, 0, 0, 45, 1, 0)},
        {"six values give all defaults", Lines({"M=0", "V=0", "W=1", "C=16", "F=30", "P=0"}), false, defaults},
        {"a key that runs away gives all defaults", std::string(3000, 'k') + Lines({"=0", "V=0", "W=0", "C=0", "F=30",
                                                                                      "P=0", "S=0"}),
         false, defaults},
        {"a value that runs away gives all defaults", "M=" + std::string(3000, '7') + Lines({"", "V=0", "W=0", "C=0",
                                                                                              "F=30", "P=0", "S=0"}),
         false, defaults},
    };
    for (const auto& c : cases)
    {
        TempFolder project;
        if (c.m_Text)
        {
            project.WriteFile("System.ini", *c.m_Text);
        }
        GameSettings read;
        EXPECT_EQ(ReadSystemIni("System.ini", read), c.m_bRead) << c.m_pName;
        EXPECT_EQ(LoadGameSettings("System.ini"), c.m_Settings) << c.m_pName;
    }
}

TEST(SystemIniTest, FrameValuesFollowTheRate)
{
    const struct
    {
        int m_nFps;
        FrameValues m_Values;
    } cases[] = {
        {60, {60, 1.0, 1.0, 10, 18, 6}},
        {30, {30, 0.5, 2.0, 20, 9, 3}},
        {20, {20, 20 / 60.0, 3.0, 30, 6, 2}},
        {45, {45, 0.75, 60 / 45.0, 13, 13, 4}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(DeriveFrameValues(c.m_nFps), c.m_Values) << c.m_nFps;
    }
}

} // namespace
