#include "platform/window/Beep.h"

#include <gtest/gtest.h>

namespace
{

TEST(BeepTest, TheBackendsSoundPlaysAndTheInnermostRecorderHearsEachBeep)
{
    std::vector<uint32_t> played;
    platform::BeepSound before = platform::SetBeepSound([&](uint32_t type) { played.push_back(type); });
    {
        platform::BeepRecorder outer;
        platform::MessageBeep(platform::kBeepDefault);
        {
            platform::BeepRecorder inner;
            platform::MessageBeep(0x30);
            EXPECT_EQ(inner.Beeps(), (std::vector<uint32_t>{0x30}));
        }
        platform::MessageBeep(platform::kBeepDefault);
        EXPECT_EQ(outer.Count(), 2);
    }
    EXPECT_EQ(played, (std::vector<uint32_t>{0, 0x30, 0}));
    platform::SetBeepSound(std::move(before));
    // Without a sound and a recorder a beep is silent.
    platform::BeepSound none = platform::SetBeepSound(nullptr);
    platform::MessageBeep(platform::kBeepDefault);
    platform::SetBeepSound(std::move(none));
}

} // namespace
