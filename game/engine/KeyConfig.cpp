#include "game/engine/KeyConfig.h"

#include "common/services/Log.h"
#include "platform/core/ByteOrder.h"
#include "platform/core/Files.h"
#include "platform/input/VirtualKeys.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

constexpr std::size_t kActionBytes = 8;
constexpr std::size_t kCountsOffset = kKeyActionCount * kActionBytes;

} // namespace

KeyConfig::KeyConfig()
{
    SetDefaultKeyConfig(*this);
}

void SetDefaultKeyConfig(KeyConfig& config)
{
    static constexpr std::array<int16_t, kKeyActionCount> kCodes = {
        platform::kVkLeft, platform::kVkRight, platform::kVkUp, platform::kVkDown, 'Z', 'X', 'C', 'V'};
    for (int i = 0; i < kKeyActionCount; ++i)
    {
        config.m_Actions[i] = KeyAction{kKeyboardDevice, kCodes[i], 0};
    }
    config.m_nActionCount = kKeyActionCount;
    config.m_nJoystickCount = 1;
    config.m_nUseFlag = 0;
}

void ValidateKeyConfig(KeyConfig& config)
{
    // Counts the file cannot mean: nothing of it is trusted.
    if (config.m_nActionCount <= kActionButton1 || config.m_nActionCount > kKeyActionCount ||
        config.m_nJoystickCount < 0 || config.m_nJoystickCount > kKeyboardDevice)
    {
        WriteReport("KeyConfig : action count %d, joystick count %d out of range; the built-in keys are used",
                    static_cast<int>(config.m_nActionCount), static_cast<int>(config.m_nJoystickCount));
        SetDefaultKeyConfig(config);
        return;
    }
    const KeyConfig builtIn;
    const int polled = std::min<int>(config.m_nJoystickCount, kMaxConfiguredJoysticks);
    for (int i = 0; i < kKeyActionCount; ++i)
    {
        KeyAction& action = config.m_Actions[i];
        const bool usable = action.m_nDevice == kKeyboardDevice
                                ? action.m_nCode > 0 && action.m_nCode < platform::kVkCount
                                : action.m_nDevice >= 0 && action.m_nDevice < polled && action.m_nCode != 0;
        if (!usable)
        {
            WriteReport("KeyConfig : action %d (device %d, code %d) cannot be used; its built-in key is used", i,
                        static_cast<int>(action.m_nDevice), static_cast<int>(action.m_nCode));
            action = builtIn.m_Actions[i];
        }
    }
}

std::array<unsigned char, kKeyConfigFileSize> KeyConfigBytes(const KeyConfig& config)
{
    std::array<unsigned char, kKeyConfigFileSize> bytes{};
    for (int i = 0; i < kKeyActionCount; ++i)
    {
        unsigned char* out = bytes.data() + i * kActionBytes;
        const KeyAction& action = config.m_Actions[i];
        platform::WriteLe32(out, static_cast<uint32_t>(action.m_nDevice));
        platform::WriteLe16(out + 4, static_cast<uint16_t>(action.m_nCode));
        platform::WriteLe16(out + 6, action.m_nUnused);
    }
    platform::WriteLe32(bytes.data() + kCountsOffset, static_cast<uint32_t>(config.m_nActionCount));
    platform::WriteLe32(bytes.data() + kCountsOffset + 4, static_cast<uint32_t>(config.m_nJoystickCount));
    platform::WriteLe32(bytes.data() + kCountsOffset + 8, static_cast<uint32_t>(config.m_nUseFlag));
    return bytes;
}

void ApplyKeyConfigBytes(KeyConfig& config, const unsigned char* bytes, std::size_t size)
{
    std::array<unsigned char, kKeyConfigFileSize> image = KeyConfigBytes(config);
    std::memcpy(image.data(), bytes, std::min(size, image.size()));
    for (int i = 0; i < kKeyActionCount; ++i)
    {
        const unsigned char* in = image.data() + i * kActionBytes;
        KeyAction& action = config.m_Actions[i];
        action.m_nDevice = static_cast<int32_t>(platform::ReadLe32(in));
        action.m_nCode = static_cast<int16_t>(platform::ReadLe16(in + 4));
        action.m_nUnused = static_cast<uint16_t>(platform::ReadLe16(in + 6));
    }
    config.m_nActionCount = static_cast<int32_t>(platform::ReadLe32(image.data() + kCountsOffset));
    config.m_nJoystickCount = static_cast<int32_t>(platform::ReadLe32(image.data() + kCountsOffset + 4));
    config.m_nUseFlag = static_cast<int32_t>(platform::ReadLe32(image.data() + kCountsOffset + 8));
    ValidateKeyConfig(config);
}

bool ReadKeyConfig(std::string_view path, KeyConfig& config)
{
    if (platform::IsFolder(path))
    {
        return false;
    }
    std::FILE* file = std::fopen(platform::DiskPath(path).c_str(), "rb");
    if (file == nullptr)
    {
        return false;
    }
    unsigned char bytes[kKeyConfigFileSize];
    std::size_t size = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    ApplyKeyConfigBytes(config, bytes, size);
    return true;
}

bool WriteKeyConfig(std::string_view path, const KeyConfig& config, std::string* error)
{
    const std::array<unsigned char, kKeyConfigFileSize> bytes = KeyConfigBytes(config);
    return platform::WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}
