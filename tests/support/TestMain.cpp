// The main of every test program: the process starts as the programs do after
// their start-up (records bind at the current format) and skips the one-second
// processor clock measurement of the system report.
#include "common/data/SerializableRecord.h"
#include "platform/core/SystemInfo.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    CurrentVersion = kDataFormatVersion;
    platform::SetCpuClockMeasurement(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
