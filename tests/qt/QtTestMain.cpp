// The main of the Qt test program: a QApplication on the offscreen platform
// (unless the environment names another), then the tests as everywhere else.
#include "common/data/SerializableRecord.h"
#include "platform/core/SystemInfo.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    CurrentVersion = kDataFormatVersion;
    platform::SetCpuClockMeasurement(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
