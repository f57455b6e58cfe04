#pragma once

// Captured frames against pictures stored under tests/data. After a
// deliberate change of the drawing, run the test with TK_UPDATE_PICTURES=1 to
// write the pictures anew, look at them and commit them.

#include "platform/core/Cp932.h"
#include "platform/image/PngFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// The stored picture of a name ("display/composition-8.png").
inline std::filesystem::path StoredPicturePath(const std::string& name)
{
    return std::filesystem::path(TK_TEST_DATA_DIR) / name;
}

// Fails for every pixel that differs from the stored picture (the first five
// reported), or when there is none; TK_UPDATE_PICTURES=1 stores the captured one first.
inline void ExpectStoredPicture(const platform::RgbImage& captured, const std::string& name)
{
    const std::filesystem::path stored = StoredPicturePath(name);
    const char* update = std::getenv("TK_UPDATE_PICTURES");
    if (update && std::string(update) == "1")
    {
        std::filesystem::create_directories(stored.parent_path());
        ASSERT_TRUE(platform::WritePngFile(platform::FromUtf8(stored.string()), captured));
    }
    platform::RgbImage expected;
    ASSERT_TRUE(platform::ReadPngFile(platform::FromUtf8(stored.string()), expected))
        << "no stored picture " << name << ": run with TK_UPDATE_PICTURES=1";
    ASSERT_EQ(expected.m_nWidth, captured.m_nWidth);
    ASSERT_EQ(expected.m_nHeight, captured.m_nHeight);
    int differing = 0;
    for (int y = 0; y < captured.m_nHeight; ++y)
    {
        for (int x = 0; x < captured.m_nWidth; ++x)
        {
            if (captured.Rgb(x, y) != expected.Rgb(x, y) && ++differing <= 5)
            {
                ADD_FAILURE() << "at " << x << ", " << y << ": " << std::hex << captured.Rgb(x, y) << " instead of "
                              << expected.Rgb(x, y);
            }
        }
    }
    EXPECT_EQ(differing, 0) << name;
}
