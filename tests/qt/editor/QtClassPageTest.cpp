// The class page on real Qt widgets, offscreen: the record count, the value
// lists edited in the value dialog, and the graphic list and preview from
// the character bitmap.
#include "editor/framework/InputDialogs.h"
#include "editor/framework/ModalRuns.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

namespace
{

using QtClassPageTest = QtDatabaseTest;

// Answers the next value dialog: the text typed over the value, then OK.
void AnswerValue(ScriptedModalRuns& runs, std::string typed, std::string* prompt = nullptr)
{
    runs.Answer([typed, prompt](DialogBase& dialog) {
        if (prompt)
        {
            *prompt = dialog.Native()->Text();
        }
        auto* edit = platform::ModelOf<platform::EditModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), kIdInputEdit));
        edit->UserReplace(typed, 0, static_cast<int>(edit->Text().size()));
        platform::ModelOf<platform::ButtonModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), 1006))->UserClick();
    });
}

TEST_F(QtClassPageTest, FiveRecordsAskedForOnTwoClassesGiveSixInTheFile)
{
    ClassTable.resize(2);
    Open();
    ScriptedModalRuns runs;
    std::string prompt;
    AnswerValue(runs, "5", &prompt);
    ClickButton(Classes(), kIdDatabaseCount);
    EXPECT_EQ(prompt, "データ数");
    EXPECT_EQ(Rows(Classes(), kIdClassList), (QStringList{"1 ", "2 ", "3 ", "4 ", "5 ", kTrailerRow}));
    // The new classes have the class defaults.
    EXPECT_EQ(Classes().Working().At(5).m_nMove, 4);
    EXPECT_EQ(Classes().Working().At(5).m_nMaxLevel, 30);
    ClickSheetButton(platform::kIdSheetApply);
    auto classes = DatabaseProject::LoadTable<ClassRecord>("data\\database\\Class.dat");
    ASSERT_EQ(classes.size(), 6u);
    EXPECT_EQ(classes.At(5).m_nClassA, 5);
    EXPECT_EQ(classes.At(5).m_nExpRate, 100);
}

TEST_F(QtClassPageTest, AResistanceEditedReachesTheSelectedClassOnlyAndTheTrailingRowWritesNothing)
{
    ClassTable.resize(3);
    for (ClassRecord& record : ClassTable)
    {
        record.SetDefaults();
    }
    ClassTable.At(1).m_strName = "剣士";
    ClassTable.At(2).m_strName = "弓兵";
    System.m_Attribute.resize(3);
    System.m_Attribute.At(1).m_strName = "火";
    System.m_Attribute.At(2).m_strName = "水";
    for (ClassRecord& record : ClassTable)
    {
        record.FitToSystem();
        record.m_Resist.At(1) = 100;
        record.m_Resist.At(2) = 100;
    }
    Open();
    ClassPage& page = Classes();
    // Attribute 0 is not listed.
    EXPECT_EQ(Rows(page, kIdClassResistances),
              (QStringList{platform::FromCp932("火 100"), platform::FromCp932("水 100"), kTrailerRow}));

    const struct
    {
        const char* m_pszWhat;
        int m_nClassRow;
        int m_nResistRow;
        const char* m_pszTyped;
        int32_t m_nArcher; // the second class's resistance to water afterwards
    } cases[] = {
        {"a class row", 1, 1, "50", 50},
        {"the trailing row", 2, 1, "70", 50},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        ClickRow(page, kIdClassList, c.m_nClassRow);
        ClickRow(page, kIdClassResistances, c.m_nResistRow);
        ScriptedModalRuns runs;
        std::string prompt;
        AnswerValue(runs, c.m_pszTyped, &prompt);
        ClickButton(page, kIdClassEditResistance);
        EXPECT_EQ(prompt, "属性耐性");
        EXPECT_EQ(Rows(page, kIdClassResistances).at(1), platform::FromCp932("水 ") + c.m_pszTyped);
        EXPECT_EQ(page.Working().At(2).m_Resist.At(2), c.m_nArcher);
        EXPECT_EQ(page.Working().At(1).m_Resist.At(2), 100);
        EXPECT_FALSE(platform::IsFatalErrorRaised());
        EXPECT_TRUE(m_System.IsWindow(m_pView->m_Window.Handle())); // the editor is still up
    }
    ClickSheetButton(platform::kIdSheetApply);
    auto classes = DatabaseProject::LoadTable<ClassRecord>("data\\database\\Class.dat");
    ASSERT_EQ(classes.size(), 3u);
    EXPECT_EQ(classes.At(2).m_Resist.At(2), 50);

    // The skill-learning values: every category listed, the range 0 .. 10.
    ClickRow(page, kIdClassList, 0);
    ClickRow(page, kIdClassSkillValues, 0);
    ScriptedModalRuns runs;
    std::string prompt;
    AnswerValue(runs, "99", &prompt);
    ClickButton(page, kIdClassEditSkillValue);
    EXPECT_EQ(prompt, "スキル習得値");
    EXPECT_EQ(page.Working().At(1).m_SkillLearn.At(0), 10);
}

TEST_F(QtClassPageTest, ACharacterBitmapOfTenCellsOffersGraphicsOneToNineAndThePreviewShowsTheChosenCell)
{
    m_Project.WriteCellBitmap("bmp/Character.bmp", 480, 48, 48);
    ClassTable.resize(2);
    ClassTable.At(1).SetDefaults();
    Open();
    ClassPage& page = Classes();
    const std::vector<std::string> numbers = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    EXPECT_EQ(page.GraphicItems(), numbers);
    EXPECT_EQ(ModelOf<platform::ComboBoxModel>(page, kIdClassGraphic)->Items(), numbers);
    const DibBitmap& character = *m_pView->SharedBitmap(kBitmapCharacter);
    BitmapControl& preview = page.Preview();
    EXPECT_TRUE(DatabaseProject::ShowsCell(preview.Canvas(), character, 48, 0)); // graphic 1, the default
    ChooseRow(page, kIdClassGraphic, 8);
    EXPECT_EQ(page.Working().At(1).m_nGraphic, 9);
    EXPECT_TRUE(DatabaseProject::ShowsCell(preview.Canvas(), character, 432, 0));
    EXPECT_FALSE(DatabaseProject::ShowsCell(preview.Canvas(), character, 384, 0));
}

TEST_F(QtClassPageTest, WithoutACharacterBitmapOfTwoCellsTheGraphicListIsEmptyThePreviewBlankAndTheGraphicKept)
{
    ClassTable.resize(2);
    ClassTable.At(1).SetDefaults();
    ClassTable.At(1).m_nGraphic = 3;
    for (int width : {0, 40, 90}) // no bitmap at all, narrower than one cell, one cell and a half
    {
        SCOPED_TRACE(width);
        std::filesystem::remove("bmp/Character.bmp");
        if (width > 0)
        {
            m_Project.WriteCellBitmap("bmp/Character.bmp", width, 48, 48);
        }
        Open();
        ClassPage& page = Classes();
        EXPECT_TRUE(page.GraphicItems().empty());
        EXPECT_EQ(ModelOf<platform::ComboBoxModel>(page, kIdClassGraphic)->Count(), 0);
        const DibBitmap& canvas = page.Preview().Canvas();
        EXPECT_EQ(canvas.PixelRgb(0, 0), 0x420000u);
        EXPECT_EQ(canvas.PixelRgb(47, 47), 0x420000u);
        TypeAtEnd(page, kIdClassName, "A");
        EXPECT_EQ(page.Working().At(1).m_strName, "A");
        EXPECT_EQ(page.Working().At(1).m_nGraphic, 3);
    }
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

} // namespace
