#include "common/data/DataFile.h"
#include "common/data/EditConfigRecord.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{

TEST(EditConfigTest, DefaultsAndCurrentImage)
{
    TempFolder folder;
    EditConfigRecord config;
    EXPECT_EQ(config.m_nUndoDepth, 3);
    EXPECT_EQ(config.m_bSearchGameProgram, 1);
    EXPECT_EQ(config.m_strConvertFolder, "data\\bmp\\convert");
    EXPECT_EQ(config.m_strDefaultPalette, "data\\plt\\Default.plt");
    EXPECT_EQ(config.m_strDefaultWorldPalette, "data\\wplt\\Default.wplt");

    ASSERT_EQ(SaveRecordFile(config, "EditConfig.dat"), 1);
    std::vector<unsigned char> expected = ByteBuilder()
                                              .Int(276)
                                              .Int(11)
                                              .Ints({3, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0})
                                              .Int(5)
                                              .String("")
                                              .String("data\\bmp\\convert")
                                              .String("")
                                              .String("data\\plt\\Default.plt")
                                              .String("data\\wplt\\Default.wplt");
    EXPECT_EQ(HexBytes(folder.ReadFile("EditConfig.dat")), HexBytes(expected));
}

TEST(EditConfigTest, Version85FileKeepsTheNewerDefaults)
{
    TempFolder folder;
    folder.WriteFile("EditConfig.dat", ByteBuilder()
                                           .Int(85)
                                           .Int(6)
                                           .Ints({7, 1, 0, 1, 0, 0})
                                           .Int(3)
                                           .String("data\\stg\\first.stg")
                                           .String("data\\plt\\mine.plt")
                                           .String("data\\wplt\\mine.wplt"));
    EditConfigRecord config;
    ASSERT_EQ(LoadRecordFile(config, "EditConfig.dat", 0), 1);
    EXPECT_EQ(config.m_nUndoDepth, 7);
    EXPECT_EQ(config.m_bEditPlacedEvent, 1);
    EXPECT_EQ(config.m_bAutoStageNumber, 0);
    EXPECT_EQ(config.m_strDefaultStage, "data\\stg\\first.stg");
    EXPECT_EQ(config.m_strDefaultPalette, "data\\plt\\mine.plt");
    EXPECT_EQ(config.m_strDefaultWorldPalette, "data\\wplt\\mine.wplt");
    // Members of versions 86 to 94 keep their defaults.
    EXPECT_EQ(config.m_bKeepEventPalette, 1);
    EXPECT_EQ(config.m_bSearchGameProgram, 1);
    EXPECT_EQ(config.m_bUseTransparentColor, 1);
    EXPECT_EQ(config.m_strConvertFolder, "data\\bmp\\convert");
    EXPECT_EQ(config.m_strGameProgram, "");
}

TEST(EditConfigTest, UndoDepthIsAtLeastOneWhereUsed)
{
    EditConfigRecord config;
    for (int stored : {-5, 0, 1, 9})
    {
        config.m_nUndoDepth = stored;
        EXPECT_EQ(config.UndoDepth(), stored < 1 ? 1 : stored);
    }
}

} // namespace
