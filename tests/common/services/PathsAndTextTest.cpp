#include "common/services/Paths.h"
#include "common/services/TextAndNumbers.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/core/Random.h"

#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{

struct ExtensionCase
{
    const char* path;
    const char* extension; // null: cut
    int result;
    const char* replaced;
    const char* got;
};

TEST(PathsTest, ReplaceAndGetExtension)
{
    const ExtensionCase cases[] = {
        {"data\\stg\\a.stg_276", "stg", 1, "data\\stg\\a.stg", "stg_276"},
        {"a.b.c", "x", 1, "a.b.x", "c"},
        {"a.b.c", nullptr, 1, "a.b", "c"},
        {"noext", "stg", 0, "noext", ""},
        {"dir.d\\file", "x", 1, "dir.x", "d\\file"}, // the last '.' wins, even in a folder name
    };
    for (const ExtensionCase& c : cases)
    {
        std::string out;
        EXPECT_EQ(ReplaceExtension(out, c.path, c.extension), c.result) << c.path;
        EXPECT_EQ(out, c.replaced) << c.path;
        EXPECT_EQ(GetExtension(out, c.path), c.result) << c.path;
        EXPECT_EQ(out, c.got) << c.path;
    }
}

TEST(PathsTest, MakeRelativePathGivesTheStoredForm)
{
    TempFolder folder;
    std::string here = platform::CurrentFolder();
    struct
    {
        std::string absolute;
        const char* relative;
    } cases[] = {
        {here + "/bgm/x.mid", ".\\bgm\\x.mid"},
        {here + "/表/ソ.bmp", ".\\表\\ソ.bmp"},
        {here + "/../x.mid", "..\\x.mid"},
        {here + "/./bgm/../y.ogg", ".\\y.ogg"},
    };
    for (auto& c : cases)
    {
        std::string path = c.absolute;
        EXPECT_EQ(MakeRelativePath(path), 1) << c.absolute;
        EXPECT_EQ(path, c.relative);
    }
    std::string relative = "bgm\\x.mid";
    EXPECT_EQ(MakeRelativePath(relative), 0);
    EXPECT_EQ(relative, "bgm\\x.mid");
}

TEST(PathsTest, MakeAbsolutePath)
{
    TempFolder folder;
    std::string path = ".\\bgm\\表.mid";
    ASSERT_EQ(MakeAbsolutePath(path), 1);
    EXPECT_EQ(path, platform::FromUtf8(std::filesystem::current_path().string()) + "/bgm/表.mid");
    EXPECT_EQ(MakeAbsolutePath(path), 0);
    ASSERT_EQ(MakeRelativePath(path), 1);
    EXPECT_EQ(path, ".\\bgm\\表.mid");
}

TEST(TextTest, CountMbChars)
{
    EXPECT_EQ(CountMbChars("あい\na"), 3);
    EXPECT_EQ(CountMbChars(""), 0);
    EXPECT_EQ(CountMbChars("表示"), 2);     // 95 5C: a trail byte equal to '\\'
    EXPECT_EQ(CountMbChars("\xB1\xB2"), 2); // half-width katakana
    EXPECT_EQ(CountMbChars("\n\n"), 0);
}

TEST(TextTest, RollPercent)
{
    for (int value : {0, 50, 99})
    {
        platform::ScopedRandomSource fixed([value] { return value; });
        EXPECT_FALSE(RollPercent(0));
        EXPECT_TRUE(RollPercent(100));
        EXPECT_EQ(RollPercent(50), value % 100 + 1 <= 50);
    }
}

TEST(StepTowardPointTest, ArrivesWithinTenSubSteps)
{
    double x = 0.0, y = 0.0;
    EXPECT_TRUE(StepTowardPoint(x, y, 3, 1, 10.0));
    EXPECT_EQ(static_cast<int>(x), 3);
    EXPECT_EQ(static_cast<int>(y), 1);
}

TEST(StepTowardPointTest, SlowSpeedMovesTenStepsAlongTheMajorAxis)
{
    double x = 0.0, y = 0.0;
    EXPECT_FALSE(StepTowardPoint(x, y, 0, -20, 1.0));
    EXPECT_DOUBLE_EQ(y, -1.0);
    EXPECT_DOUBLE_EQ(x, 0.0);
}

TEST(StepTowardPointTest, PointOnTheTargetHasArrived)
{
    double x = 4.5, y = 2.25;
    EXPECT_TRUE(StepTowardPoint(x, y, 4, 2, 10.0));
    EXPECT_EQ(x, 4.5);
    EXPECT_EQ(y, 2.25);
}

} // namespace
