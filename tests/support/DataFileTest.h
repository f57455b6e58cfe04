#pragma once

// Fixture of the data-file tests: a temporary project folder as the current
// folder, fresh logs in it, and no fatal error left over from another test.

#include "TempFolder.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"

#include <gtest/gtest.h>

class DataFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearFatalError();
        OpenReportLog("Report.txt");
        InitErrorLog(0, "EC.txt");
    }
    void TearDown() override { platform::ClearFatalError(); }

    TempFolder m_Folder;
};
