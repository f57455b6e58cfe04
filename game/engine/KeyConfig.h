#pragma once

// The player's key configuration, "user_data\\CustomKey.dat": eight actions
// (left, right, up, down, buttons 1 to 4), each on the keyboard or a joystick.
// The file is 76 bytes, little-endian:
//   8 x {int32 device, int16 code, 2 bytes unused}, int32 action count,
//   int32 joystick count, int32 use flag.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr char kKeyConfigPath[] = "user_data\\CustomKey.dat";
constexpr std::size_t kKeyConfigFileSize = 76;

constexpr int kKeyActionCount = 8;
constexpr int kKeyboardDevice = 8; // devices 0..7 are joystick ids
constexpr int kMaxConfiguredJoysticks = 1;

// The joystick codes of the four directions; any other joystick code is a button mask.
constexpr int kJoystickAxisLeft = 256;
constexpr int kJoystickAxisRight = 512;
constexpr int kJoystickAxisUp = 1024;
constexpr int kJoystickAxisDown = 2048;

// Actions in file order.
enum KeyActionIndex
{
    kActionLeft,
    kActionRight,
    kActionUp,
    kActionDown,
    kActionButton1,
};

struct KeyAction
{
    int32_t m_nDevice = kKeyboardDevice;
    // A key number on the keyboard; on a joystick an axis code or a button
    // mask, read as 16 unsigned bits.
    int16_t m_nCode = 0;
    uint16_t m_nUnused = 0; // kept so that a file is written back as it was read

    bool operator==(const KeyAction&) const = default;
};

struct KeyConfig
{
    KeyConfig();

    std::array<KeyAction, kKeyActionCount> m_Actions;
    int32_t m_nActionCount = kKeyActionCount; // buttons polled are actions 4 .. count - 1
    int32_t m_nJoystickCount = 1;             // joystick ids 0 .. count - 1 are polled
    int32_t m_nUseFlag = 0;                   // 0: the built-in keys are used

    bool operator==(const KeyConfig&) const = default;
};

// Keyboard arrows and Z, X, C, V; one joystick; use flag 0.
void SetDefaultKeyConfig(KeyConfig& config);

// What the game cannot use falls back to the built-in keys, with a report
// line: an action count outside 5..8 or a joystick count outside 0..8 (the
// whole configuration), an action on no key (keyboard codes 1..255) or on a
// joystick that is not polled or with code 0 (that action alone).
void ValidateKeyConfig(KeyConfig& config);

std::array<unsigned char, kKeyConfigFileSize> KeyConfigBytes(const KeyConfig& config);
// Takes the first `size` bytes of the file image (at most 76); the rest of the
// record keeps what it held. Then validates.
void ApplyKeyConfigBytes(KeyConfig& config, const unsigned char* bytes, std::size_t size);

// Reads up to 76 bytes of the file. False only when it cannot be opened; a
// shorter file fills the record as far as it goes.
bool ReadKeyConfig(std::string_view path, KeyConfig& config);
// Writes the 76 bytes without ever destroying the previous file.
bool WriteKeyConfig(std::string_view path, const KeyConfig& config, std::string* error = nullptr);
