// The main of every test program: the process starts as the programs do after
// their start-up (records bind at the current format) and skips the one-second
// processor clock measurement of the system report.
#include "common/data/SerializableRecord.h"
#include "platform/core/SystemInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Headless, whatever runs the program (the list of variables that ctest
    // passes reaches the tests only in part); a setting from outside wins.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    CurrentVersion = kDataFormatVersion;
    platform::SetCpuClockMeasurement(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
