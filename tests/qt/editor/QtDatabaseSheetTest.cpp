// The database sheet on real Qt widgets, offscreen: opened over a stand-in
// for the stage editor window, its ten tabs, Apply writing the tables with
// each record's own index at its position, Cancel dropping the edits since
// the last Apply, the host told once the sheet has gone, and the box that
// names the files a save could not write.
#include "editor/database/EffectRecordPage.h"
#include "editor/database/SystemPages.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

// Records whose own index fields are not their positions yet.
void OneClassAndTwoLands()
{
    ClassTable.resize(1);
    ClassTable.At(0).SetDefaults();
    ClassTable.At(0).m_nClassA = 7;
    LandTable.resize(2);
    for (int i = 0; i < 2; ++i)
    {
        LandTable.At(i).SetDefaults();
        LandTable.At(i).m_nLandA = 9 - i;
    }
    LandTable.At(0).m_strName = "平地";
    LandTable.At(1).m_strName = "森";
}

TEST_F(QtDatabaseTest, ApplyWritesTheTablesWithTheirIndicesAndCancelKeepsWhatTheLastApplyWrote)
{
    OneClassAndTwoLands();
    DatabaseSheet& sheet = Open();
    StandInView& view = *m_pView;
    // Every other window is hidden and disabled while the sheet is open.
    EXPECT_FALSE(view.m_Window.Native()->IsVisible());
    EXPECT_FALSE(view.m_Window.Native()->IsEnabled());
    EXPECT_EQ(static_cast<platform::QtWindow*>(m_System.Resolve(sheet.SheetWindow()))->Text(), "データベースの設定");
    ASSERT_EQ(Tabs()->count(), kDatabasePageCount);
    for (int i = 0; i < kDatabasePageCount; ++i)
    {
        EXPECT_EQ(Tabs()->tabText(i), platform::FromCp932(kDatabaseTabs[i].m_pszCaption)) << i;
        // Every tab stands whole in the bar, its title within it.
        QRect tab = Tabs()->tabRect(i);
        EXPECT_GE(tab.left(), 0) << i;
        EXPECT_LE(tab.right(), Tabs()->width() - 1) << i;
        EXPECT_LE(Tabs()->fontMetrics().horizontalAdvance(Tabs()->tabText(i)), tab.width()) << i;
    }
    // The class table is brought to two classes; class 0 is never listed.
    EXPECT_EQ(ClassTable.size(), 2u);
    EXPECT_EQ(Rows(Classes(), kIdClassList), (QStringList{"1 ", kTrailerRow}));

    TypeAtEnd(Classes(), kIdClassName, platform::FromCp932("剣士"));
    ShowPage(kPageLand);
    EXPECT_EQ(Rows(Lands(), kIdLandList), (QStringList{platform::FromCp932("1 平地"), platform::FromCp932("2 森"), kTrailerRow}));
    ClickRow(Lands(), kIdLandList, 1);
    TypeAtEnd(Lands(), kIdLandName, platform::FromCp932("林"));
    EXPECT_EQ(ClassTable.At(1).m_strName, ""); // nothing reaches the tables before Apply
    ClickSheetButton(platform::kIdSheetApply);

    auto classes = DatabaseProject::LoadTable<ClassRecord>("data\\database\\Class.dat");
    auto lands = DatabaseProject::LoadTable<LandRecord>("data\\database\\Land.dat");
    ASSERT_EQ(classes.size(), 2u);
    ASSERT_EQ(lands.size(), 2u);
    EXPECT_EQ(classes.At(1).m_strName, "剣士");
    EXPECT_EQ(lands.At(1).m_strName, "森林");
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(classes.At(i).m_nClassA, i);
        EXPECT_EQ(lands.At(i).m_nLandA, i);
        EXPECT_EQ(ClassTable.At(i).m_nClassA, i);
    }
    EXPECT_EQ(ClassTable.At(1).m_strName, "剣士");
    EXPECT_EQ(LandTable.At(1).m_strName, "森林");
    EXPECT_TRUE(fs::exists("data/database/System.dat"));

    // Edits after the Apply, then Cancel: files and tables stay as the Apply left them.
    const auto written = SnapshotFolder("data");
    ClickButton(Lands(), kIdDatabaseNew);
    TypeAtEnd(Lands(), kIdLandName, platform::FromCp932("沼"));
    ShowPage(kPageClass);
    TypeAtEnd(Classes(), kIdClassName, "2");
    EXPECT_EQ(Rows(Classes(), kIdClassList), (QStringList{platform::FromCp932("1 剣士2"), kTrailerRow}));
    EXPECT_EQ(view.m_nClosed, 0);
    ClickSheetButton(platform::kIdCancel);
    EXPECT_TRUE(sheet.IsFinished());
    m_System.PumpMessages(); // the loop's next turn deletes the sheet
    EXPECT_EQ(view.m_Holder, nullptr);
    EXPECT_EQ(view.m_nClosed, 1);
    EXPECT_TRUE(view.m_Window.Native()->IsVisible());
    EXPECT_TRUE(view.m_Window.Native()->IsEnabled());
    EXPECT_EQ(m_App.m_Windows, (std::vector<WindowBase*>{&view.m_Window}));
    EXPECT_TRUE(m_App.m_Sheets.empty());
    EXPECT_EQ(SnapshotFolder("data"), written);
    EXPECT_EQ(ClassTable.At(1).m_strName, "剣士");
    EXPECT_EQ(LandTable.size(), 2u);
    EXPECT_TRUE(m_Boxes.Boxes().empty());
    EXPECT_FALSE(platform::IsFatalErrorRaised());
}

TEST_F(QtDatabaseTest, OkSavesAndClosesAndAPageNeverShownStillHasItsFileWritten)
{
    OneClassAndTwoLands();
    Open();
    ClickSheetButton(platform::kIdOk); // OK saves without a change made
    m_System.PumpMessages();
    EXPECT_EQ(m_pView->m_Holder, nullptr);
    EXPECT_EQ(m_pView->m_nClosed, 1);
    auto lands = DatabaseProject::LoadTable<LandRecord>("data\\database\\Land.dat");
    ASSERT_EQ(lands.size(), 2u);
    EXPECT_EQ(lands.At(0).m_nLandA, 0);
    EXPECT_EQ(lands.At(1).m_strName, "森");
    EXPECT_EQ(DatabaseProject::LoadTable<ClassRecord>("data\\database\\Class.dat").size(), 2u);
}

// The save reloads the page shown at once, so that what the author types
// after an Apply is never replaced by the saved data when the page is shown again.
TEST_F(QtDatabaseTest, EditsMadeAfterAnApplyOutliveAnotherTabAndOkSavesThem)
{
    OneClassAndTwoLands();
    Open();
    TypeAtEnd(Classes(), kIdClassName, "A");
    ClickSheetButton(platform::kIdSheetApply);
    TypeAtEnd(Classes(), kIdClassName, "B");
    ShowPage(kPageLand);
    ShowPage(kPageClass);
    EXPECT_EQ(Edit(Classes(), kIdClassName)->text(), "AB");

    const DialogBase& battle = *Sheet().Page(kPageSystem3);
    ShowPage(kPageSystem3);
    ClickSheetButton(platform::kIdSheetApply);
    auto* battleTime = ModelOf<platform::EditModel>(battle, kIdSystemBattleTime);
    battleTime->UserReplace("77", 0, static_cast<int>(battleTime->Text().size()));
    ShowPage(kPageSystem1);
    ShowPage(kPageSystem3);
    EXPECT_EQ(Edit(battle, kIdSystemBattleTime)->text(), "77");

    ClickSheetButton(platform::kIdOk);
    m_System.PumpMessages();
    auto classes = DatabaseProject::LoadTable<ClassRecord>("data\\database\\Class.dat");
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_EQ(classes.At(1).m_strName, "AB");
    SystemRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, "data\\database\\System.dat", 0), 1);
    EXPECT_EQ(saved.m_nBattleTime, 77);
}

TEST_F(QtDatabaseTest, AnEmptyProjectGetsTwoClassesAndOneLandOfMovementCostOne)
{
    ClassTable.clear();
    LandTable.clear();
    Open();
    EXPECT_EQ(ClassTable.size(), 2u);
    EXPECT_EQ(ClassTable.At(1).m_nMove, 4);
    EXPECT_EQ(Rows(Classes(), kIdClassList), (QStringList{"1 ", kTrailerRow}));
    ASSERT_EQ(LandTable.size(), 1u);
    ShowPage(kPageLand);
    EXPECT_EQ(Rows(Lands(), kIdLandList), (QStringList{"1 ", kTrailerRow}));
    EXPECT_EQ(Edit(Lands(), 1085)->text(), "1");
}

// Gives up the superuser's rights for its life (the superuser writes into read-only folders).
class NonRootScope
{
public:
    NonRootScope() : m_bWasRoot(::geteuid() == 0)
    {
        if (m_bWasRoot)
        {
            EXPECT_EQ(::setegid(65534), 0);
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    ~NonRootScope()
    {
        if (m_bWasRoot)
        {
            EXPECT_EQ(::seteuid(0), 0);
            EXPECT_EQ(::setegid(0), 0);
        }
    }

private:
    bool m_bWasRoot;
};

TEST_F(QtDatabaseTest, ApplyIntoAReadOnlyDataFolderNamesTheFilesItCouldNotWriteAndTheEditsStay)
{
    OneClassAndTwoLands();
    Open();
    TypeAtEnd(Classes(), kIdClassName, "A");
    ::chmod(m_Folder.Path().c_str(), 0755);
    ::chmod("data", 0755);
    ::chmod("data/database", 0555);
    {
        NonRootScope notRoot;
        ClickSheetButton(platform::kIdSheetApply);
    }
    ::chmod("data/database", 0755);
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u); // one box for the whole save, though every file is written twice
    const std::string& text = m_Boxes.Boxes()[0].m_strText;
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strCaption, "エラー");
    EXPECT_NE(text.find("data\\database\\Class.dat"), std::string::npos) << text;
    EXPECT_NE(text.find("data\\database\\Land.dat"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists("data/database/Class.dat"));
    EXPECT_FALSE(platform::IsFatalErrorRaised());

    // The sheet is still open with the edit; once the folder can be written, Apply writes it.
    TypeAtEnd(Classes(), kIdClassName, "B");
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(DatabaseProject::LoadTable<ClassRecord>("data\\database\\Class.dat").At(1).m_strName, "AB");
    EXPECT_EQ(m_Boxes.Boxes().size(), 1u);
}

// A host whose window the sheet cannot be made for.
class HostWithoutWindow : public StandInView
{
public:
    using StandInView::StandInView;
    platform::WindowHandle DatabaseParent() const override { return nullptr; }
};

TEST_F(QtDatabaseTest, OpeningAgainDeletesTheSheetStillHeldAndASheetThatCannotBeMadeBringsTheWindowsBack)
{
    Open();
    StandInView& view = *m_pView;
    platform::WindowHandle first = HeldDatabaseSheet(view)->SheetWindow();
    EXPECT_EQ(view.OpenDatabase(), 1);
    ASSERT_NE(HeldDatabaseSheet(view), nullptr);
    EXPECT_FALSE(m_System.IsWindow(first));
    EXPECT_TRUE(m_System.IsWindow(HeldDatabaseSheet(view)->SheetWindow()));
    EXPECT_EQ(view.m_nClosed, 1); // the old sheet's end
    EXPECT_FALSE(view.m_Window.Native()->IsVisible());
    EXPECT_FALSE(view.m_Window.Native()->IsEnabled());
    EXPECT_EQ(m_App.m_Sheets.size(), 1u);
    m_pView.reset();
    EXPECT_TRUE(m_App.m_Sheets.empty());

    // No window system to make the sheet in: the box, and the windows come back.
    HostWithoutWindow host(&m_App);
    platform::WindowSystem* system = AppWindowSystem;
    AppWindowSystem = nullptr;
    EXPECT_EQ(host.OpenDatabase(), 0);
    AppWindowSystem = system;
    EXPECT_EQ(host.m_Holder, nullptr);
    EXPECT_TRUE(m_App.m_Sheets.empty());
    EXPECT_TRUE(host.m_Window.Native()->IsVisible());
    EXPECT_TRUE(host.m_Window.Native()->IsEnabled());
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, "ウインドウの生成に失敗！");
}

// Keys meant for a combo box's open list are the list's: Esc closes the list
// and nothing else, Down and Return choose a row. With no list open, Esc is
// the sheet's Cancel again.
TEST_F(QtDatabaseTest, EscWithAComboBoxListOpenClosesOnlyTheListAndTheSheetKeepsWhatWasTyped)
{
    ItemTable.resize(2);
    ItemTable.At(1).SetDefaults();
    ItemTable.At(1).m_nKind = 0;
    Open();
    StandInView& view = *m_pView;
    ShowPage(kPageItem);
    const DialogBase& items = *Sheet().Page(kPageItem);
    TypeAtEnd(items, kIdEffectName, platform::FromCp932("薬草"));
    auto* kind = qobject_cast<QComboBox*>(Widget(items, kIdEffectKind));
    ASSERT_NE(kind, nullptr);
    ASSERT_EQ(kind->currentIndex(), 0);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return})
    {
        kind->setFocus();
        kind->showPopup();
        QWidget* list = QApplication::activePopupWidget();
        ASSERT_NE(list, nullptr);
        QTest::keyClick(list->windowHandle(), key);
        m_System.PumpMessages();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << key;
        EXPECT_EQ(view.m_nClosed, 0) << key;
        ASSERT_NE(HeldDatabaseSheet(view), nullptr);
        EXPECT_EQ(Edit(items, kIdEffectName)->text(), platform::FromCp932("薬草"));
        EXPECT_EQ(kind->currentIndex(), 0);
    }
    kind->showPopup();
    QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Down);
    QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Return);
    m_System.PumpMessages();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(kind->currentIndex(), 1);
    EXPECT_EQ(view.m_nClosed, 0);

    // No list open: Esc is the sheet's Cancel.
    QTest::keyClick(kind, Qt::Key_Escape);
    m_System.PumpMessages();
    EXPECT_EQ(view.m_nClosed, 1);
    EXPECT_EQ(HeldDatabaseSheet(view), nullptr);
}

} // namespace
