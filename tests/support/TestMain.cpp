// The main of every test program: each test starts as the programs do,
// before their start-up sets the current format (CurrentVersion is 0, so a
// start-up step that forgets to set it shows), and the system report skips
// its one-second processor clock measurement.
#include "common/data/SerializableRecord.h"
#include "platform/core/SystemInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

class StartLikeAProgram : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override { CurrentVersion = 0; }
};

} // namespace

int main(int argc, char** argv)
{
    // Headless, whatever runs the program (the list of variables that ctest
    // passes reaches the tests only in part); a setting from outside wins.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    platform::SetCpuClockMeasurement(false);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new StartLikeAProgram);
    return RUN_ALL_TESTS();
}
