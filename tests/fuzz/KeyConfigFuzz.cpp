// The player's key configuration: whatever the file holds, the record read
// from it is written and read back unchanged.

#include "FuzzTarget.h"

#include "game/engine/KeyConfig.h"

namespace
{

constexpr const char* kCopy = "user_data\\CustomKeyCopy.dat";

} // namespace

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::WriteFile(kKeyConfigPath, data, size);
    KeyConfig config;
    fuzz::Require(ReadKeyConfig(kKeyConfigPath, config), "a key configuration file does not open");
    fuzz::Require(WriteKeyConfig(kCopy, config), "a key configuration does not save");
    KeyConfig again;
    fuzz::Require(ReadKeyConfig(kCopy, again) && again == config, "a saved key configuration reads back otherwise");
    return 0;
}
