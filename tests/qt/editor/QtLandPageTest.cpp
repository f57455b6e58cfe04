// The land page on real Qt widgets, offscreen: the limit of 99 lands, the
// record count, the row that follows a typed name, the movement cost of at
// least 1 in the file, the map-chip preview and the background picked.
#include "editor/framework/InputDialogs.h"
#include "editor/framework/ModalRuns.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

namespace
{

using QtLandPageTest = QtDatabaseTest;

// Lands named "L1", "L2", ...
void NamedLands(int count)
{
    LandTable.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        LandTable.At(i).SetDefaults();
        LandTable.At(i).m_strName = "L" + std::to_string(i + 1);
    }
}

TEST_F(QtLandPageTest, AtNinetyNineLandsNewCtrlIAndPasteBeepAndAddNothing)
{
    NamedLands(kMaxLands);
    Open();
    ShowPage(kPageLand);
    LandPage& page = Lands();
    QListWidget* list = List(page, kIdLandList);
    ClickRow(page, kIdLandList, 3);
    m_Beeps.Clear();
    ClickButton(page, kIdDatabaseNew);
    EXPECT_EQ(m_Beeps.Count(), 1);
    m_System.SetFocus(Item(page, kIdLandList));
    CtrlKey(list, Qt::Key_I);
    EXPECT_EQ(m_Beeps.Count(), 2);
    CtrlKey(list, Qt::Key_C); // a copy is taken without a word
    EXPECT_EQ(m_Beeps.Count(), 2);
    CtrlKey(list, Qt::Key_V);
    EXPECT_EQ(m_Beeps.Count(), 3);
    EXPECT_EQ(page.Working().size(), 99u);
    EXPECT_EQ(list->count(), 100);
    EXPECT_EQ(list->item(98)->text(), "99 L99");
    EXPECT_EQ(list->currentRow(), 3);

    // Below the limit the same keys add and paste.
    ClickButton(page, kIdDatabaseClear); // the clear of a land: the defaults, movement cost 1
    EXPECT_EQ(page.Working().At(3).m_strName, "");
    EXPECT_EQ(page.Working().At(3).m_nMoveCost, 1);
    m_System.SetFocus(Item(page, kIdLandList));
    QTest::keyClick(list, Qt::Key_X, Qt::ControlModifier);
    m_System.PumpMessages();
    EXPECT_EQ(page.Working().size(), 98u);
    CtrlKey(list, Qt::Key_I);
    EXPECT_EQ(page.Working().size(), 99u);
    EXPECT_EQ(page.Working().At(98).m_nMoveCost, 1);
    EXPECT_EQ(m_Beeps.Count(), 3);
}

TEST_F(QtLandPageTest, TypingANameUpdatesItsRowAndACountOfFiveFromTwelveSelectsLandFive)
{
    NamedLands(12);
    Open();
    ShowPage(kPageLand);
    LandPage& page = Lands();
    ClickRow(page, kIdLandList, 9);
    EXPECT_EQ(Edit(page, kIdLandName)->text(), "L10");
    TypeAtEnd(page, kIdLandName, platform::FromCp932("草"));
    EXPECT_EQ(List(page, kIdLandList)->item(9)->text(), platform::FromCp932("10 L10草"));
    EXPECT_EQ(page.Working().At(9).m_strName, "L10草");

    ScriptedModalRuns runs;
    runs.Answer([](DialogBase& dialog) {
        EXPECT_EQ(dialog.Native()->Text(), "データ数");
        auto* edit = platform::ModelOf<platform::EditModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), kIdInputEdit));
        EXPECT_EQ(edit->Text(), "12");
        edit->UserReplace("5", 0, static_cast<int>(edit->Text().size()));
        platform::ModelOf<platform::ButtonModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), 1006))->UserClick();
    });
    ClickButton(page, kIdDatabaseCount);
    EXPECT_EQ(Rows(page, kIdLandList), (QStringList{"1 L1", "2 L2", "3 L3", "4 L4", "5 L5", kTrailerRow}));
    EXPECT_EQ(List(page, kIdLandList)->currentRow(), 4);
    EXPECT_EQ(page.Current().m_strName, "L5");
    EXPECT_EQ(Edit(page, kIdLandName)->text(), "L5");
}

TEST_F(QtLandPageTest, AfterAnApplyThePageShowsItsRecordAgainWhenItIsNextShownAndOnlyThen)
{
    NamedLands(3);
    Open();
    ShowPage(kPageLand);
    LandPage& page = Lands();
    ClickRow(page, kIdLandList, 1);
    ClickRow(page, kIdLandList, 3); // the trailing row: the fields keep showing land 2
    EXPECT_EQ(Edit(page, kIdLandName)->text(), "L2");
    ClickSheetButton(platform::kIdSheetApply); // the page shown reloads at once: the first land, shown
    EXPECT_EQ(Edit(page, kIdLandName)->text(), "L1");
    ShowPage(kPageClass);
    ShowPage(kPageLand);
    EXPECT_EQ(Edit(page, kIdLandName)->text(), "L1");
    ClickRow(page, kIdLandList, 1);
    ClickRow(page, kIdLandList, 3);
    ShowPage(kPageClass);
    ShowPage(kPageLand); // not marked: the fields stay
    EXPECT_EQ(Edit(page, kIdLandName)->text(), "L2");
    EXPECT_EQ(page.Current().m_strName, "L1");
}

TEST_F(QtLandPageTest, ALandLoadedWithMovementCostZeroIsWrittenWithOne)
{
    NamedLands(1);
    ASSERT_EQ(SaveTableFile(LandTable, "data\\database\\Land.dat"), 1);
    // The cost of the one land, after the version word, the count, the land's field count and its index.
    constexpr size_t kCostAt = 16;
    std::vector<unsigned char> bytes = m_Folder.ReadFile("data/database/Land.dat");
    ASSERT_EQ(bytes.at(kCostAt), 1);
    bytes.at(kCostAt) = 0;
    m_Folder.WriteFile("data/database/Land.dat", bytes);
    ASSERT_EQ(LoadTableFile(LandTable, "data\\database\\Land.dat", 0), 1);
    Open();
    ShowPage(kPageLand);
    EXPECT_EQ(Edit(Lands(), 1085)->text(), "1");
    ClickSheetButton(platform::kIdOk);
    bytes = m_Folder.ReadFile("data/database/Land.dat");
    EXPECT_EQ(bytes.at(kCostAt), 1);
    EXPECT_EQ(bytes.at(kCostAt + 1), 0);
}

TEST_F(QtLandPageTest, GraphicNinePreviewsTheMapChipFromThirtyTwoThirtyTwo)
{
    m_Project.WriteCellBitmap("bmp/MapChip.bmp", 256, 64, 32);
    NamedLands(2);
    Open();
    ShowPage(kPageLand);
    LandPage& page = Lands();
    EXPECT_EQ(page.GraphicItems().size(), 120u);
    EXPECT_EQ(page.GraphicItems().back(), "119");
    const DibBitmap& chips = *m_pView->SharedBitmap(kBitmapMapChip);
    EXPECT_TRUE(DatabaseProject::ShowsCell(page.Preview().Canvas(), chips, 0, 0));
    ChooseRow(page, kIdLandGraphic, 9);
    EXPECT_EQ(page.Working().At(0).m_nGraphic, 9);
    EXPECT_TRUE(DatabaseProject::ShowsCell(page.Preview().Canvas(), chips, 32, 32));
    // A cell beyond the bitmap draws nothing on the cleared preview.
    ChooseRow(page, kIdLandGraphic, 16);
    EXPECT_EQ(page.Preview().Canvas().PixelRgb(5, 5), 0u);
}

TEST_F(QtLandPageTest, TheBackgroundPickedIsKeptRelativeToTheProjectFolder)
{
    NamedLands(1);
    m_Folder.WriteFile("bmp/back/Forest.bmp", std::string("BM"));
    Open();
    ShowPage(kPageLand);
    LandPage& page = Lands();
    m_Boxes.AnswerFileDialog({(m_Folder.Path() / "bmp/back/Forest.bmp").string()});
    ClickButton(page, kIdLandBrowse);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 1u);
    EXPECT_EQ(m_Boxes.FileRequests()[0].m_strTitle, "背景画像の選択");
    EXPECT_EQ(page.Working().At(0).m_strBack, ".\\bmp\\back\\Forest.bmp");
    m_Boxes.AnswerFileDialog({});
    ClickButton(page, kIdLandBrowse); // cancelled: the field stays
    EXPECT_EQ(page.Working().At(0).m_strBack, ".\\bmp\\back\\Forest.bmp");
}

} // namespace

namespace
{

// A graphic or special effect the combo boxes cannot show stays as stored
// when another field of the land is edited; a row chosen is stored.
TEST_F(QtLandPageTest, AGraphicOrEffectTheCombosCannotShowIsKeptWhenAnotherFieldIsEdited)
{
    NamedLands(2);
    LandTable.At(0).m_nGraphic = 500;
    LandTable.At(0).m_nSpecial = 999;
    Open();
    ShowPage(kPageLand);
    LandPage& page = Lands();
    ASSERT_EQ(qobject_cast<QComboBox*>(Widget(page, kIdLandGraphic))->currentIndex(), -1);
    TypeAtEnd(page, kIdLandName, "x");
    ClickSheetButton(platform::kIdSheetApply);
    auto lands = DatabaseProject::LoadTable<LandRecord>("data\\database\\Land.dat");
    ASSERT_EQ(lands.size(), 2u);
    EXPECT_EQ(lands.At(0).m_strName, "L1x");
    EXPECT_EQ(lands.At(0).m_nGraphic, 500);
    EXPECT_EQ(lands.At(0).m_nSpecial, 999);

    ChooseRow(page, kIdLandGraphic, 9);
    ClickSheetButton(platform::kIdSheetApply);
    lands = DatabaseProject::LoadTable<LandRecord>("data\\database\\Land.dat");
    EXPECT_EQ(lands.At(0).m_nGraphic, 9);
    EXPECT_EQ(lands.At(0).m_nSpecial, 999);
}

} // namespace
