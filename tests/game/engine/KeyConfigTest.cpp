#include "game/engine/KeyConfig.h"

#include "TempFolder.h"
#include "game/engine/InputState.h"
#include "platform/input/VirtualKeys.h"
#include "tests/game/engine/InputTestDevices.h"

#include <gtest/gtest.h>

namespace
{

using platform::kVkLeft;

// One action of the file: int32 device, int16 code, 2 unused bytes.
ByteBuilder& Action(ByteBuilder& bytes, int32_t device, uint16_t code, uint16_t unused = 0)
{
    return bytes.Int(device).Int(static_cast<int32_t>(code | (uint32_t(unused) << 16)));
}

// A file with the four directions on joystick 0's axes and the buttons on keys A, S, D, F.
ByteBuilder JoystickFile(int32_t actionCount, int32_t joysticks, int32_t useFlag)
{
    ByteBuilder bytes;
    Action(bytes, 0, kJoystickAxisLeft, 0x1234);
    Action(bytes, 0, kJoystickAxisRight);
    Action(bytes, 0, kJoystickAxisUp);
    Action(bytes, 0, kJoystickAxisDown);
    for (char key : {'A', 'S', 'D', 'F'})
    {
        Action(bytes, kKeyboardDevice, static_cast<uint16_t>(key));
    }
    return bytes.Ints({actionCount, joysticks, useFlag});
}

TEST(KeyConfigTest, DefaultsWhenThereIsNoFile)
{
    TempFolder folder;
    KeyConfig config;
    config.m_nUseFlag = 1;
    EXPECT_FALSE(ReadKeyConfig(kKeyConfigPath, config));
    EXPECT_EQ(config.m_nUseFlag, 1); // a failed read leaves the record as it was
    folder.WriteFile("user_data/CustomKey.dat/inside", std::string("a folder, not a file"));
    EXPECT_FALSE(ReadKeyConfig(kKeyConfigPath, config));

    SetDefaultKeyConfig(config);
    const int kCodes[] = {37, 39, 38, 40, 90, 88, 67, 86};
    for (int i = 0; i < kKeyActionCount; ++i)
    {
        EXPECT_EQ(config.m_Actions[i].m_nDevice, kKeyboardDevice) << i;
        EXPECT_EQ(config.m_Actions[i].m_nCode, kCodes[i]) << i;
    }
    EXPECT_EQ(config.m_nActionCount, 8);
    EXPECT_EQ(config.m_nJoystickCount, 1);
    EXPECT_EQ(config.m_nUseFlag, 0);
    EXPECT_EQ(KeyConfig(), config);
}

TEST(KeyConfigTest, AFileOf76BytesRoundTrips)
{
    TempFolder folder;
    const ByteBuilder bytes = JoystickFile(6, 1, 1);
    ASSERT_EQ(bytes.Data().size(), kKeyConfigFileSize);
    folder.WriteFile("user_data/CustomKey.dat", bytes);

    KeyConfig config;
    ASSERT_TRUE(ReadKeyConfig(kKeyConfigPath, config));
    EXPECT_EQ(config.m_Actions[kActionLeft].m_nDevice, 0);
    EXPECT_EQ(config.m_Actions[kActionLeft].m_nCode, kJoystickAxisLeft);
    EXPECT_EQ(config.m_Actions[kActionDown].m_nCode, kJoystickAxisDown);
    EXPECT_EQ(config.m_Actions[kActionButton1 + 3].m_nCode, 'F');
    EXPECT_EQ(config.m_nActionCount, 6);
    EXPECT_EQ(config.m_nUseFlag, 1);

    std::string error;
    ASSERT_TRUE(WriteKeyConfig("user_data\\Copy.dat", config, &error)) << error;
    EXPECT_EQ(folder.ReadFile("user_data/Copy.dat"), bytes.Data()) << HexBytes(folder.ReadFile("user_data/Copy.dat"));
}

TEST(KeyConfigTest, ShortAndLongFiles)
{
    TempFolder folder;
    const ByteBuilder full = JoystickFile(8, 1, 1);

    // Eight bytes: the first action; the rest keeps what it held.
    folder.WriteFile("user_data/CustomKey.dat",
                     std::vector<unsigned char>(full.Data().begin(), full.Data().begin() + 8));
    KeyConfig config;
    ASSERT_TRUE(ReadKeyConfig(kKeyConfigPath, config));
    KeyConfig expected;
    expected.m_Actions[kActionLeft] = {0, kJoystickAxisLeft, 0x1234};
    EXPECT_EQ(config, expected);

    // Bytes after the 76th are not read.
    std::vector<unsigned char> longer = full.Data();
    longer.resize(200, 0xFF);
    folder.WriteFile("user_data/CustomKey.dat", longer);
    ASSERT_TRUE(ReadKeyConfig(kKeyConfigPath, config));
    KeyConfig fromFull;
    ApplyKeyConfigBytes(fromFull, full.Data().data(), full.Data().size());
    EXPECT_EQ(config, fromFull);
}

TEST(KeyConfigTest, WhatCannotBeUsedFallsBackToTheBuiltInKeys)
{
    struct Case
    {
        int32_t m_nActionCount;
        int32_t m_nJoysticks;
        int32_t m_nDevice; // of every action
        uint16_t m_nCode;
        bool m_bKept; // else each action has its built-in key
    };
    const Case kCases[] = {
        {8, 1, kKeyboardDevice, 'Q', true},
        {5, 0, kKeyboardDevice, 255, true},
        {8, 1, 0, 0x8000, true}, // joystick button masks keep all 16 bits
        {8, 8, 0, kJoystickAxisDown, true},
        {99, 1, kKeyboardDevice, 'Q', false},
        {-7, 1, kKeyboardDevice, 'Q', false},
        {4, 1, kKeyboardDevice, 'Q', false}, // no button at all
        {8, -2, kKeyboardDevice, 'Q', false},
        {8, 9, kKeyboardDevice, 'Q', false},
        {8, 1, kKeyboardDevice, 300, false},
        {8, 1, kKeyboardDevice, 0xFFFF, false},
        {8, 1, kKeyboardDevice, 0, false},
        {8, 1, 42, 'Q', false},
        {8, 1, -1, 'Q', false},
        {8, 1, 7, 2, false}, // a joystick that is never polled
        {8, 0, 0, 2, false},
        {8, 1, 0, 0, false},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nActionCount << " actions, " << c.m_nJoysticks << " joysticks, device "
                                        << c.m_nDevice << ", code " << c.m_nCode);
        TempFolder folder;
        ByteBuilder bytes;
        for (int i = 0; i < kKeyActionCount; ++i)
        {
            Action(bytes, c.m_nDevice, c.m_nCode);
        }
        folder.WriteFile("user_data/CustomKey.dat", bytes.Ints({c.m_nActionCount, c.m_nJoysticks, 1}));
        KeyConfig config;
        ASSERT_TRUE(ReadKeyConfig(kKeyConfigPath, config));
        const KeyConfig builtIn;
        for (int i = 0; i < kKeyActionCount; ++i)
        {
            const KeyAction expected =
                c.m_bKept ? KeyAction{c.m_nDevice, static_cast<int16_t>(c.m_nCode), 0} : builtIn.m_Actions[i];
            EXPECT_EQ(config.m_Actions[i], expected) << i;
        }

        // Button 1 works on its key, or on Z when it fell back.
        TestDevices devices;
        devices.m_Joystick.m_bPresent = true;
        if (c.m_nDevice == kKeyboardDevice && c.m_bKept)
        {
            devices.Hold({c.m_nCode});
        }
        else if (c.m_bKept)
        {
            devices.m_Joystick.m_Info.m_nButtons = c.m_nCode;
        }
        else
        {
            devices.Hold({'Z'});
        }
        InputState state;
        EXPECT_EQ(state.PollFrame(config, devices.Devices()), 1);
        EXPECT_TRUE(state.m_nButtons & kInputButton1);
        EXPECT_LE(devices.m_Joystick.m_nLastId, 0);
    }
}

TEST(KeyConfigTest, TheUseFlagChoosesBetweenTheFileAndTheBuiltInKeys)
{
    TempFolder folder;
    ByteBuilder bytes;
    Action(bytes, kKeyboardDevice, 'A'); // left on A
    for (int i = 1; i < kKeyActionCount; ++i)
    {
        Action(bytes, kKeyboardDevice, 0);
    }
    for (int32_t useFlag : {0, 1})
    {
        folder.WriteFile("user_data/CustomKey.dat", ByteBuilder(bytes).Ints({8, 0, useFlag}));
        KeyConfig config;
        ASSERT_TRUE(ReadKeyConfig(kKeyConfigPath, config));
        TestDevices devices;
        InputState state;

        devices.Hold({'A'});
        state.PollFrame(config, devices.Devices());
        EXPECT_EQ(state.m_nDirections, useFlag ? kInputLeft : 0) << "use flag " << useFlag;
        devices.Hold({kVkLeft});
        state.PollFrame(config, devices.Devices());
        EXPECT_EQ(state.m_nDirections, useFlag ? 0 : kInputLeft) << "use flag " << useFlag;

        // Each poll reads nothing when the other one is in use.
        EXPECT_EQ(state.PollConfiguredKeys(config, devices.Devices(), 1, 60), useFlag);
        EXPECT_EQ(state.PollDefaultKeys(config, devices.Devices(), 0, 3, 60), 1 - useFlag);
    }
}

} // namespace
