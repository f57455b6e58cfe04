#pragma once

// What the editor's tests put into a project folder before the editor starts:
// the bitmaps the stage editor window draws with, and lands; and the state
// each such test starts from.

#include "common/data/DataFilePaths.h"
#include "common/data/DatabaseTableFiles.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"
#include "tests/editor/framework/EditorBitmapFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

// The tiles of the sample's "bmp\MapChip.bmp".
constexpr int kSampleChipTiles = 16;

// "data\database\Land.dat" of that many lands, land i shown by tile i (of the
// sample's tiles, round again past the last) and named "地形i".
inline void WriteLands(int count)
{
    CurrentVersion = kDataFormatVersion;
    std::filesystem::create_directories("data/database");
    CheckedVector<LandRecord> lands;
    for (int i = 0; i < count; ++i)
    {
        LandRecord land;
        land.SetDefaults();
        land.m_nGraphic = i % kSampleChipTiles;
        land.m_strName = "地形" + std::to_string(i);
        lands.push_back(land);
    }
    ASSERT_EQ(SaveDatabaseTable(lands, DataFilePaths[kPathLand]), 1);
}

// A test of the whole editor starts afresh in its project folder: no fatal
// error, the data objects as built, the logs in the folder, the bitmaps there.
inline void PrepareEditorProject(const std::filesystem::path& project)
{
    platform::ClearFatalError();
    ResetProjectData();
    OpenReportLog("Report.txt");
    InitErrorLog(0, "EC.txt");
    CopyEditorBitmaps(project);
}
