// The main of the SDL test program: SDL's dummy video driver (unless the
// environment names another), then the tests as everywhere else.
#include "common/data/SerializableRecord.h"
#include "platform/core/SystemInfo.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    CurrentVersion = kDataFormatVersion;
    platform::SetCpuClockMeasurement(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
