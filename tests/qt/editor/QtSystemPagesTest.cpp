// The first three system pages on real Qt widgets, offscreen: every bound
// control has its window and spin, the reference action counts follow the
// battle fields at once and stay finite, the steps, limits and the length
// of the game name, and System changing only on Apply (and never for a page
// never opened).
#include "common/data/ProjectData.h"
#include "editor/database/SystemPages.h"
#include "platform/qt/QtButtons.h"
#include "platform/qt/QtUpDown.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <QAbstractButton>
#include <QToolButton>

#include <cmath>

namespace
{

class QtSystemPagesTest : public QtDatabaseTest
{
protected:
    SystemSettingsPage& Page(int index) const { return *static_cast<SystemSettingsPage*>(Sheet().Page(index)); }
    SystemPage3& Battle() const { return *static_cast<SystemPage3*>(Sheet().Page(kPageSystem3)); }
    QString Text(int index, int id) const { return Edit(Page(index), id)->text(); }
    // The author replaces the field's whole text.
    void Replace(int index, int id, const char* text)
    {
        auto* edit = ModelOf<platform::EditModel>(Page(index), id);
        edit->UserReplace(text, 0, static_cast<int>(edit->Text().size()));
    }
    QAbstractButton* CheckButton(int index, int id) const
    {
        return static_cast<platform::QtCheckButton*>(Widget(Page(index), id))->Button();
    }
    void Tick(int index, int id)
    {
        QAbstractButton* button = CheckButton(index, id);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    }
    void ClickSpin(int index, int id, bool up)
    {
        auto* spin = static_cast<platform::QtUpDown*>(Widget(Page(index), id));
        QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
};

TEST_F(QtSystemPagesTest, EveryBoundControlOfTheThreePagesHasItsWindowAndSpinAndShowsSystemsDefaults)
{
    System.SetDefaults();
    Open();
    const struct
    {
        int m_nPage;
        int m_nInts;
        int m_nDoubles;
    } pages[] = {{kPageSystem1, 4, 11}, {kPageSystem2, 17, 2}, {kPageSystem3, 20, 6}};
    for (const auto& expected : pages)
    {
        ShowPage(expected.m_nPage);
        SystemSettingsPage& page = Page(expected.m_nPage);
        ASSERT_EQ(page.IntEditCount(), expected.m_nInts) << expected.m_nPage;
        ASSERT_EQ(page.DoubleEditCount(), expected.m_nDoubles) << expected.m_nPage;
        for (int i = 0; i < page.IntEditCount(); ++i)
        {
            NumberEditBinding<int>& binding = page.IntEdit(i).Binding();
            EXPECT_NE(Edit(page, static_cast<int>(binding.m_nId)), nullptr) << binding.m_nId;
            EXPECT_NE(Widget(page, static_cast<int>(binding.m_nSpinId)), nullptr) << binding.m_nId;
            EXPECT_EQ(Edit(page, static_cast<int>(binding.m_nId))->text(), QString::number(*binding.m_pValue));
        }
        for (int i = 0; i < page.DoubleEditCount(); ++i)
        {
            NumberEditBinding<double>& binding = page.DoubleEdit(i).Binding();
            EXPECT_NE(Edit(page, static_cast<int>(binding.m_nId)), nullptr) << binding.m_nId;
            if (binding.m_nSpinId != 0)
            {
                EXPECT_NE(Widget(page, static_cast<int>(binding.m_nSpinId)), nullptr) << binding.m_nId;
            }
        }
    }
    // A few of the defaults as the author sees them.
    EXPECT_EQ(Text(kPageSystem1, 1156), "0.000");
    EXPECT_EQ(Text(kPageSystem1, kIdSystemGrowthRaise), "0.0");
    EXPECT_TRUE(CheckButton(kPageSystem1, 1038)->isChecked());
    EXPECT_EQ(Text(kPageSystem3, 1179), "5.0");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemDifficultyRaise + 8), "10");
    EXPECT_TRUE(Edit(Page(kPageSystem3), kIdSystemCountAttacker)->isReadOnly());
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(QtSystemPagesTest, TheReferenceActionCountsFollowTheBattleFieldsAtOnceAndStayFinite)
{
    System.SetDefaults();
    Open();
    ShowPage(kPageSystem3);
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountAttacker), "3.2");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountDefender), "2.7");

    // Waiting for the attacker's first action: shown before any save.
    Tick(kPageSystem3, kIdSystemDefenderWaits);
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountDefender), "2.1");
    EXPECT_EQ(System.m_bDefenderWaits, 0);
    EXPECT_EQ(System.m_dActionCount[1], SystemRecord().m_dActionCount[1]);

    // An attacker that starts past 1000: its first-action term is negative and truncated toward zero.
    Replace(kPageSystem3, kIdSystemInitAttacker, "1500");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountAttacker), "4.2");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountDefender), "3.0");

    // The speed base does not enter the counts.
    Replace(kPageSystem3, kIdSystemSpeedBase, "50");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountDefender), "3.0");

    // Nothing to share out between two speeds of 0: both counts 0, and so is what Apply commits.
    Replace(kPageSystem3, kIdSystemSpeedAttacker, "0");
    Replace(kPageSystem3, kIdSystemSpeedDefender, "0");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountAttacker), "0.0");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountDefender), "0.0");
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(System.m_nSpeedRate[0], 0);
    EXPECT_EQ(System.m_nInitialAction[0], 1500);
    EXPECT_EQ(System.m_nSpeedBase, 50);
    EXPECT_EQ(System.m_dActionCount[0], 0.0);
    EXPECT_EQ(System.m_dActionCount[1], 0.0);
    ASSERT_EQ(SaveRecordFile(System, "data\\database\\System.dat"), 1);
    SystemRecord written;
    ASSERT_EQ(LoadRecordFile(written, "data\\database\\System.dat", 0), 1);
    EXPECT_TRUE(std::isfinite(written.m_dActionCount[0]) && std::isfinite(written.m_dActionCount[1]));
    EXPECT_EQ(written.m_dActionCount[1], 0.0);

    // The attacker with a speed of its own again, the defender none: only the attacker acts.
    Replace(kPageSystem3, kIdSystemSpeedAttacker, "100");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountAttacker), "6.9");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemCountDefender), "0.0");
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(QtSystemPagesTest, SpinsStepByTheirUnitWithinTheLimitsAndTheGameNameTakesSixteenCharacters)
{
    System.SetDefaults();
    Open();
    ShowPage(kPageSystem1);
    ClickSpin(kPageSystem1, 1178, true);
    EXPECT_EQ(Text(kPageSystem1, 1156), "0.001");
    Replace(kPageSystem1, kIdSystemGrowthRaise + 8, "99.8");
    ClickSpin(kPageSystem1, 1351, true);
    ClickSpin(kPageSystem1, 1351, true);
    EXPECT_EQ(Text(kPageSystem1, kIdSystemGrowthRaise + 8), "99.9");
    Replace(kPageSystem1, 1152, "12000");
    EXPECT_EQ(Text(kPageSystem1, 1152), "9999");
    Replace(kPageSystem1, 1158, "1001");
    EXPECT_EQ(Text(kPageSystem1, 1158), "1000");

    // Sixteen double-byte characters fit; a seventeenth does not.
    QLineEdit* name = Edit(Page(kPageSystem1), kIdSystemGameName);
    name->setFocus();
    const QString sixteen = QString::fromUtf8(u8"あいうえおかきくけこさしすせそた");
    TypeKeys(name, sixteen + QString::fromUtf8(u8"ち"));
    EXPECT_EQ(name->text(), sixteen);

    ShowPage(kPageSystem2);
    Replace(kPageSystem2, 1170, "1234567");
    EXPECT_EQ(Text(kPageSystem2, 1170), "999999");
    ClickSpin(kPageSystem2, 21186, true);
    EXPECT_EQ(Text(kPageSystem2, 21185), "0.1");

    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(System.m_dGrowthScout, 0.001);
    EXPECT_EQ(System.m_dStatRaise[8], 99.9);
    EXPECT_EQ(System.m_nGrowthMin, 9999);
    EXPECT_EQ(System.m_nSkillMin, 1000);
    EXPECT_EQ(System.m_strGameName, platform::ToCp932(sixteen));
    EXPECT_EQ(System.m_nHireCost, 999999);
    EXPECT_EQ(System.m_dExpLevelDiff, 0.1);
}

TEST_F(QtSystemPagesTest, SystemChangesOnlyOnApplyAPageNeverOpenedKeepsItAndApplyShowsSystemAgainOnce)
{
    System.SetDefaults();
    System.m_nBattleTime = 40;
    System.m_nExpBase = 3;
    Open();
    ShowPage(kPageSystem1);
    ShowPage(kPageSystem2);
    Replace(kPageSystem2, 1164, "50");
    Tick(kPageSystem2, 1037);
    EXPECT_EQ(System.m_nExpBase, 3);
    EXPECT_EQ(System.m_bReviveAfterClear, 0);
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(System.m_nExpBase, 50);
    EXPECT_EQ(System.m_bReviveAfterClear, 1);
    EXPECT_EQ(System.m_nBattleTime, 40); // page 3 was never opened

    // The page shown takes System at once; another page, marked by the save,
    // when it is next shown; then neither again until the next save.
    System.m_nExpBase = 7;
    System.m_nGrowthMin = 41;
    ShowPage(kPageSystem1);
    EXPECT_EQ(Text(kPageSystem1, 1152), "41");
    ShowPage(kPageSystem2);
    EXPECT_EQ(Text(kPageSystem2, 1164), "50");
    System.m_nExpBase = 8;
    System.m_nGrowthMin = 42;
    ShowPage(kPageSystem1);
    ShowPage(kPageSystem2);
    EXPECT_EQ(Text(kPageSystem2, 1164), "50");
    EXPECT_EQ(Text(kPageSystem1, 1152), "41");

    // Cancel drops what the fields hold.
    Replace(kPageSystem2, 1164, "60");
    ClickSheetButton(platform::kIdCancel);
    m_System.PumpMessages();
    EXPECT_EQ(System.m_nExpBase, 8);
}

// A field the author did not change stores nothing: more decimals than it
// shows, a number beyond its limits and a text longer than it takes survive
// an Apply and an OK of every page shown, and an Apply after an edit elsewhere.
TEST_F(QtSystemPagesTest, FieldsLeftAsShownKeepTheirValuesThroughApplyAndOk)
{
    System.SetDefaults();
    System.m_dHitFactor = 5.25;                  // page 3 shows "5.3" (or "5.2")
    System.m_dGrowthScout = 0.0125;              // page 1 shows three decimals
    System.m_nBattleTime = 150;                  // page 3 takes 0 to 100
    System.m_strGameName = std::string(20, 'N'); // page 1 takes 16 characters
    ASSERT_EQ(SaveRecordFile(System, "data\\database\\System.dat"), 1);
    const std::vector<unsigned char> stored = m_Folder.ReadFile("data/database/System.dat");
    Open();
    for (int page = 0; page < kDatabasePageCount; ++page)
    {
        ShowPage(page);
    }
    EXPECT_EQ(Text(kPageSystem3, kIdSystemBattleTime), "100");
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_TRUE(m_Folder.ReadFile("data/database/System.dat") == stored);

    ShowPage(kPageSystem3);
    Replace(kPageSystem3, kIdSystemInitAttacker, "3");
    ClickSheetButton(platform::kIdSheetApply);
    EXPECT_EQ(System.m_dHitFactor, 5.25);
    EXPECT_EQ(System.m_dGrowthScout, 0.0125);
    EXPECT_EQ(System.m_nBattleTime, 150);
    EXPECT_EQ(System.m_strGameName, std::string(20, 'N'));
    EXPECT_EQ(System.m_nInitialAction[0], 3);

    // A field the author did change stores what it shows.
    Replace(kPageSystem3, kIdSystemBattleTime, "150");
    EXPECT_EQ(Text(kPageSystem3, kIdSystemBattleTime), "100");
    ClickSheetButton(platform::kIdOk);
    m_System.PumpMessages();
    SystemRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, "data\\database\\System.dat", 0), 1);
    EXPECT_EQ(saved.m_nBattleTime, 100);
    EXPECT_EQ(saved.m_dHitFactor, 5.25);
}

// A decimal typed as a German author types it, with a comma, is 2.5 on the
// page and in the file, under any locale; a letter is refused with a beep.
TEST_F(QtSystemPagesTest, ADecimalTypedWithACommaIsStoredWithItsPointAndALetterBeepsAndChangesNothing)
{
    System.SetDefaults();
    Open();
    ShowPage(kPageSystem1);
    QLineEdit* raise = Edit(Page(kPageSystem1), kIdSystemGrowthRaise);
    ASSERT_NE(raise, nullptr);
    m_System.SetFocus(m_System.GetDlgItem(Page(kPageSystem1).Handle(), kIdSystemGrowthRaise));
    QTest::keyClick(raise, Qt::Key_A, Qt::ControlModifier);
    TypeKeys(raise, "2,5");
    EXPECT_EQ(raise->text(), "2.5");
    EXPECT_EQ(m_Beeps.Count(), 0);
    TypeKeys(raise, "x");
    EXPECT_EQ(raise->text(), "2.5");
    EXPECT_EQ(m_Beeps.Count(), 1);
    ClickSheetButton(platform::kIdOk);
    m_System.PumpMessages();
    SystemRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, "data\\database\\System.dat", 0), 1);
    EXPECT_EQ(saved.m_dStatRaise[0], 2.5);
}

} // namespace
