// The stage's own dialogs as the stage editor opens them, on the dummy
// backend: the position group list (146) with its edit dialog (147), and the
// stage settings (144) with the explanation page (145).
#include "common/data/DataStream.h"
#include "editor/framework/ModalRuns.h"
#include "editor/stage/PositionGroupDialogs.h"
#include "editor/stage/StageSettingsDialog.h"
#include "platform/core/Files.h"
#include "platform/window/Beep.h"
#include "platform/window/ScrollBarModel.h"
#include "tests/editor/framework/DialogAuthor.h"
#include "tests/editor/stage/StageWindowFixture.h"

#include <filesystem>
#include <functional>

namespace
{

using Rows = std::vector<std::string>;
const std::string kTrailer(64, '-');

std::vector<unsigned char> Image(const StageRecord& stage)
{
    StageRecord copy = stage;
    DataWriter out;
    copy.Save(out);
    return out.Bytes();
}

PositionGroup Group(const char* name, int centreX, int centreY, std::initializer_list<MapPoint> cells)
{
    PositionGroup group;
    group.m_strName = name;
    group.m_nCenterX = centreX;
    group.m_nCenterY = centreY;
    group.m_Point.assign(cells.begin(), cells.end());
    return group;
}

ExplanationPage Page(const char* text)
{
    ExplanationPage page;
    page.m_strText = text;
    return page;
}

// "%-8s 中心座標(%d,%d)" behind the row number.
std::string GroupRow(const std::string& number, const std::string& name, int x, int y)
{
    return number + " " + name + std::string(8 - std::min<size_t>(name.size(), 8), ' ') + " 中心座標(" +
           std::to_string(x) + "," + std::to_string(y) + ")";
}

class StageDialogsTest : public StageWindowTest, public DialogAuthor
{
protected:
    using Script = std::function<void(DialogBase&)>;

    StageDialogsTest() : DialogAuthor(m_System) {}

    // The left button on a cell of the edit dialog's map (the view's own cell, scrolling not counted).
    void ClickViewCell(const DialogBase& dialog, int column, int row)
    {
        intptr_t point = platform::MakeLParam(dialog.OriginX() + column * 32 + 5, dialog.OriginY() + row * 32 + 7);
        m_System.SendMessage(dialog.Handle(), platform::kWmMouseMove, 0, point);
        m_System.SendMessage(dialog.Handle(), platform::kWmLButtonDown, platform::kMkLButton, point);
    }
    // The right button released over row (12-pixel rows below a 2-pixel margin)
    // of the list, the pop-up answered with the command.
    void RightClickRow(const DialogBase& dialog, int list, int row, int command)
    {
        platform::Rect rect = m_System.Resolve(Item(dialog, list))->ScreenRect();
        m_System.SetCursorPos({rect.m_nLeft + 10, rect.m_nTop + 2 + 12 * row + 3});
        m_System.SetPopupChoice(command);
        m_System.SendMessage(dialog.Handle(), platform::kWmRButtonUp, 0, 0);
        m_System.PumpMessages();
    }
    // The answer of the next modal dialog.
    void Then(Script script) { m_Runs.Answer(std::move(script)); }
    // The value dialog's answer: the value typed, then OK.
    void ThenValue(const std::string& value)
    {
        Then([this, value](DialogBase& dialog) {
            Type(dialog, 1077, value);
            Click(dialog, kIdDialogOk);
        });
    }

    ScriptedModalRuns m_Runs;
    platform::BeepRecorder m_Beeps;
};

// Every stage the sample ships starts the party in a group that the settings
// dialog offers as its start and that the group list shows to edit.
TEST_F(StageDialogsTest, EverySampleStageStartsInAGroupTheSettingsOfferAndTheGroupListEdits)
{
    StartWithLands(16);
    namespace fs = std::filesystem;
    fs::create_directories("data/stg");
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(TK_SAMPLE_DIR) / "data" / "stg"))
    {
        fs::copy_file(entry.path(), fs::path("data/stg") / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
        files.push_back("data\\stg\\" + entry.path().filename().string());
    }
    ASSERT_EQ(files.size(), 3u) << "the two stages and the training ground";
    for (const std::string& file : files)
    {
        SCOPED_TRACE(file);
        ASSERT_EQ(LoadRecordFile(Stage, file, 1), 1);
        const int32_t start = Stage.m_nStartGroup;
        ASSERT_GE(start, 1);
        ASSERT_LT(start, Stage.m_GroupPos.Count());
        const PositionGroup& group = Stage.m_GroupPos.At(start);
        EXPECT_FALSE(group.m_Point.empty());
        Then([&](DialogBase& dialog) {
            EXPECT_EQ(SelectionOf(dialog, kIdSettingsStartGroup), start - 1);
            EXPECT_EQ(RowsOf(dialog, kIdSettingsStartGroup).at(static_cast<size_t>(start - 1)), group.m_strName);
            Click(dialog, kIdDialogCancel);
        });
        Command(kCmdStageSettings);
        Then([&](DialogBase& dialog) {
            EXPECT_EQ(RowsOf(dialog, kIdGroupList).at(static_cast<size_t>(start - 1)),
                      GroupRow(std::to_string(start), group.m_strName, group.m_nCenterX, group.m_nCenterY));
            Click(dialog, kIdDialogCancel);
        });
        Command(kCmdPositionGroups);
    }
}

TEST_F(StageDialogsTest, TheGroupListKeepsGroupZeroAndWritesItsWorkingCopyOnlyOnOk)
{
    StartWithLands(5);
    Stage.m_GroupPos.clear();
    Stage.m_GroupPos.push_back(Group("予約", 3, 4, {{1, 1}}));

    // A stage of group 0 alone gets group 1 at once, Cancel or not; the list never shows group 0.
    Then([&](DialogBase& dialog) {
        EXPECT_EQ(Stage.m_GroupPos.Count(), 2);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList), (Rows{GroupRow("1", "", 0, 0), kTrailer}));
        Click(dialog, kIdGroupNew);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList).size(), 3u);
        Click(dialog, kIdDialogCancel);
    });
    Command(kCmdPositionGroups);
    ASSERT_EQ(Stage.m_GroupPos.Count(), 2);
    const std::vector<unsigned char> cancelled = Image(Stage);

    // Clear keeps the row and the places behind it; the count cuts from the end; new appends.
    Stage.m_GroupPos.At(1) = Group("本隊", 2, 3, {{1, 2}});
    Stage.m_GroupPos.push_back(Group("伏兵", 5, 5, {}));
    Then([&](DialogBase& dialog) {
        EXPECT_EQ(RowsOf(dialog, kIdGroupList),
                  (Rows{GroupRow("1", "本隊", 2, 3), GroupRow("2", "伏兵", 5, 5), kTrailer}));
        Pick(dialog, kIdGroupList, 0);
        Click(dialog, kIdGroupClear);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList),
                  (Rows{GroupRow("1", "", 0, 0), GroupRow("2", "伏兵", 5, 5), kTrailer}));
        ThenValue("1");
        Click(dialog, kIdGroupCount);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList), (Rows{GroupRow("1", "", 0, 0), kTrailer}));
        Click(dialog, kIdGroupNew);
        Click(dialog, kIdGroupNew);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList).size(), 4u);
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdPositionGroups);
    ASSERT_EQ(Stage.m_GroupPos.Count(), 4);
    EXPECT_EQ(Stage.m_GroupPos.At(0).m_strName, "予約");
    EXPECT_EQ(Stage.m_GroupPos.At(0).m_Point.size(), 1u);
    for (int i = 1; i < 4; ++i)
    {
        EXPECT_TRUE(Stage.m_GroupPos.At(i).m_strName.empty()) << i;
        EXPECT_TRUE(Stage.m_GroupPos.At(i).m_Point.empty()) << i;
    }
    EXPECT_EQ(m_Beeps.Count(), 0);
    EXPECT_NE(Image(Stage), cancelled);
}

TEST_F(StageDialogsTest, TheEditDialogTogglesCellsOnItsMapAndStoresOnlyOnOk)
{
    StartWithLands(5);
    Stage.ResizeMap(21, 15);
    Stage.m_GroupPos.At(1) = Group("本隊", 4, 5, {{1, 1}, {2, 2}, {3, 3}});
    auto editScript = [&](bool confirm) {
        return [this, confirm](DialogBase& dialog) {
            auto& edit = static_cast<PositionGroupEditDialog&>(dialog);
            ASSERT_EQ(PositionGroupEditDialog::Running(), &edit);
            // The row below the map, each control at n x 1.75 pixels.
            const int ids[] = {kIdGroupNameLabel, kIdGroupName,   kIdGroupCentreLabel, kIdGroupCentreX,
                               kIdGroupCentreYLabel, kIdGroupCentreY, kIdDialogOk,     kIdDialogCancel};
            const int lefts[] = {17, 105, 227, 297, 344, 358, 437, 542};
            for (size_t i = 0; i < std::size(ids); ++i)
            {
                EXPECT_EQ(m_System.Resolve(Item(dialog, ids[i]))->WindowRect().m_nLeft, lefts[i]) << ids[i];
            }
            // Each centre spin stands at its edit's right edge, clear of what follows in the row.
            const struct
            {
                int m_nEdit, m_nSpin, m_nNextLeft;
            } spins[] = {{kIdGroupCentreX, kIdGroupCentreXSpin, 344}, {kIdGroupCentreY, kIdGroupCentreYSpin, 437}};
            for (const auto& pair : spins)
            {
                platform::Rect edit = m_System.Resolve(Item(dialog, pair.m_nEdit))->WindowRect();
                platform::Rect spin = m_System.Resolve(Item(dialog, pair.m_nSpin))->WindowRect();
                EXPECT_EQ(spin.m_nLeft, edit.m_nLeft + edit.m_nWidth) << pair.m_nSpin;
                EXPECT_EQ(spin.m_nTop, edit.m_nTop) << pair.m_nSpin;
                EXPECT_LE(spin.m_nLeft + spin.m_nWidth, pair.m_nNextLeft) << pair.m_nSpin;
            }
            EXPECT_EQ(TextOf(dialog, kIdGroupName), "本隊");
            EXPECT_EQ(TextOf(dialog, kIdGroupCentreX), "4");

            // A cell taken out of the middle and put back goes to the end; the centre stays.
            ClickViewCell(dialog, 2, 2);
            EXPECT_EQ(edit.Cells(), (CheckedVector<MapPoint>{{1, 1}, {3, 3}}));
            ClickViewCell(dialog, 2, 2);
            EXPECT_EQ(edit.Cells(), (CheckedVector<MapPoint>{{1, 1}, {3, 3}, {2, 2}}));
            EXPECT_EQ(DummyOf(dialog)->GetStatusBar()->Text(), "座標 (2,2)");

            // 21 columns in a view of 20: the bar scrolls one column, no more.
            platform::ScrollInfo info;
            info.m_nMask = platform::kSifRange | platform::kSifPage;
            ASSERT_TRUE(platform::GetScrollInfo(Item(dialog, kIdHorizontalBar), platform::kSbCtl, info));
            EXPECT_EQ(info.m_nMax, 20);
            EXPECT_EQ(info.m_nPage, 20u);
            for (int i = 0; i < 2; ++i)
            {
                m_System.SendMessage(dialog.Handle(), platform::kWmHScroll, platform::kSbLineDown,
                                     static_cast<intptr_t>(platform::HandleParam(Item(dialog, kIdHorizontalBar))));
            }
            EXPECT_EQ(edit.ScrollX(), 1);
            ClickViewCell(dialog, 19, 0);
            EXPECT_EQ(edit.Cells().back(), (MapPoint{20, 0}));

            Type(dialog, kIdGroupName, "先鋒");
            Click(dialog, confirm ? kIdDialogOk : kIdDialogCancel);
        };
    };
    Then([&](DialogBase& dialog) {
        Pick(dialog, kIdGroupList, 0);
        Then(editScript(false));
        Click(dialog, kIdGroupEdit);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList).at(0), GroupRow("1", "本隊", 4, 5));
        Then(editScript(true));
        Click(dialog, kIdGroupEdit);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList).at(0), GroupRow("1", "先鋒", 4, 5));
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdPositionGroups);
    EXPECT_EQ(m_Runs.Runs().size(), 3u);
    const PositionGroup& group = Stage.m_GroupPos.At(1);
    EXPECT_EQ(group.m_strName, "先鋒");
    EXPECT_EQ(group.m_nCenterX, 4);
    EXPECT_EQ(group.m_nCenterY, 5);
    EXPECT_EQ(group.m_Point, (CheckedVector<MapPoint>{{1, 1}, {3, 3}, {2, 2}, {20, 0}}));
}

TEST_F(StageDialogsTest, SettingsOkLaysTheMapOutAgainAndClearsTheHistoryCancelChangesNothing)
{
    StartWithLands(5);
    Stage.CellAt(0, 0) = 1;
    Stage.CellAt(19, 14) = 3;
    Stage.CellAt(5, 7) = 2;
    StageEdit.RecordUndo(Stage);
    ASSERT_EQ(Stage.m_nPitch, 32);

    // Cancel after edits everywhere: the stage and its history as they were.
    const std::vector<unsigned char> before = Image(Stage);
    Then([&](DialogBase& dialog) {
        // The template's size, which the window may be sized within 100 x 100 to 640 x 480.
        EXPECT_EQ(dialog.MinClientSize().m_nX, 100);
        EXPECT_EQ(dialog.MinClientSize().m_nY, 100);
        EXPECT_EQ(dialog.MaxClientSize().m_nX, 640);
        EXPECT_EQ(dialog.MaxClientSize().m_nY, 480);
        EXPECT_EQ(TextOf(dialog, kIdSettingsWidth), "20");
        Type(dialog, kIdSettingsName, "森の砦");
        Type(dialog, kIdSettingsWidth, "40");
        Type(dialog, kIdSettingsReward, "500");
        Type(dialog, kIdSettingsBgm, "bgm\\battle.mid");
        Click(dialog, kIdDialogCancel);
    });
    Command(kCmdStageSettings);
    EXPECT_EQ(Image(Stage), before);
    EXPECT_TRUE(StageEdit.CanUndo());

    // OK: 40 wide is pitch 64, every old cell keeps its (x, y); the history is gone.
    Then([&](DialogBase& dialog) {
        Type(dialog, kIdSettingsName, "森の砦");
        Type(dialog, kIdSettingsWidth, "40");
        Type(dialog, kIdSettingsReward, "1000000");
        Type(dialog, kIdSettingsFirstExp, "150");
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdStageSettings);
    EXPECT_EQ(Stage.m_strName, "森の砦");
    EXPECT_EQ(Stage.m_nWidth, 40);
    EXPECT_EQ(Stage.m_nHeight, 15);
    EXPECT_EQ(Stage.m_nPitch, 64);
    EXPECT_EQ(Stage.CellAt(0, 0), 1);
    EXPECT_EQ(Stage.CellAt(19, 14), 3);
    EXPECT_EQ(Stage.CellAt(5, 7), 2);
    EXPECT_EQ(Stage.CellAt(39, 14), 0);
    EXPECT_EQ(Stage.m_nReward, 999999);
    EXPECT_EQ(Stage.m_nFirstExpRate, 150);
    EXPECT_FALSE(StageEdit.CanUndo());

    // A lone "-" in the width never makes a stage without columns.
    Then([&](DialogBase& dialog) {
        Type(dialog, kIdSettingsWidth, "-");
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdStageSettings);
    EXPECT_GE(Stage.m_nWidth, 1);
    EXPECT_EQ(Stage.CellAt(0, 0), 1);
}

TEST_F(StageDialogsTest, AStageLargerThanTheSettingsOfferKeepsItsSizeThroughOk)
{
    StartWithLands(5);
    Stage.ResizeMap(100, 70);
    Stage.CellAt(99, 69) = 4;
    Then(
        [&](DialogBase& dialog)
        {
            EXPECT_EQ(TextOf(dialog, kIdSettingsWidth), "100");
            EXPECT_EQ(TextOf(dialog, kIdSettingsHeight), "70");
            Click(dialog, kIdDialogOk);
        });
    Command(kCmdStageSettings);
    EXPECT_EQ(Stage.m_nWidth, 100);
    EXPECT_EQ(Stage.m_nHeight, 70);
    EXPECT_EQ(Stage.CellAt(99, 69), 4);

    // A smaller size the author types is taken; nothing beyond the loaded size.
    Then(
        [&](DialogBase& dialog)
        {
            Type(dialog, kIdSettingsWidth, "90");
            Type(dialog, kIdSettingsHeight, "500");
            Click(dialog, kIdDialogOk);
        });
    Command(kCmdStageSettings);
    EXPECT_EQ(Stage.m_nWidth, 90);
    EXPECT_EQ(Stage.m_nHeight, 70);
}

TEST_F(StageDialogsTest, TheExplanationListsKeepTheirEditsOnOkAndLoseThemOnCancel)
{
    StartWithLands(5);
    Stage.m_WinPage.clear();
    Stage.m_WinPage.push_back(Page("敵を全滅させる"));
    Stage.m_LosePage.clear();

    Then([&](DialogBase& dialog) {
        EXPECT_EQ(RowsOf(dialog, kIdVictoryList), (Rows{"1 敵を全滅させる", kTrailer}));
        // Insert before the selection, edited in the explanation dialog.
        Then([&](DialogBase& page) {
            ASSERT_EQ(ExplanationDialog::Running(), &page);
            Type(page, kIdExplanationText, "ボスを倒す");
            Choose(page, kIdExplanationMode, 4);
            Type(page, kIdExplanationX, "64");
            Click(page, kIdDialogOk);
        });
        Click(dialog, kIdVictoryInsert);
        EXPECT_EQ(RowsOf(dialog, kIdVictoryList), (Rows{"1 ボスを倒す", "2 敵を全滅させる", kTrailer}));
        // A page inserted and cancelled is taken out again.
        Then([&](DialogBase& page) {
            Type(page, kIdExplanationText, "全滅");
            Click(page, kIdDialogCancel);
        });
        Click(dialog, kIdDefeatInsert);
        EXPECT_EQ(RowsOf(dialog, kIdDefeatList), (Rows{kTrailer}));
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdStageSettings);
    ASSERT_EQ(Stage.m_WinPage.Count(), 2);
    EXPECT_EQ(Stage.m_WinPage.At(0).m_strText, "ボスを倒す");
    EXPECT_EQ(Stage.m_WinPage.At(0).m_nCursorMode, 4);
    EXPECT_EQ(Stage.m_WinPage.At(0).m_nX, 19) << "64 is kept by the dialog, the stage's check clamps it";
    EXPECT_TRUE(Stage.m_LosePage.empty());

    // Deleted, then cancelled: both pages stay; a full list refuses the insert with the beep.
    Then([&](DialogBase& dialog) {
        Pick(dialog, kIdVictoryList, 0);
        Click(dialog, kIdVictoryDelete);
        EXPECT_EQ(RowsOf(dialog, kIdVictoryList), (Rows{"1 敵を全滅させる", kTrailer}));
        Click(dialog, kIdDialogCancel);
    });
    Command(kCmdStageSettings);
    EXPECT_EQ(Stage.m_WinPage.Count(), 2);

    Stage.m_OtherPage.assign(4, Page("特別"));
    const size_t runs = m_Runs.Runs().size();
    Then([&](DialogBase& dialog) {
        Click(dialog, kIdOtherInsert);
        EXPECT_EQ(m_Beeps.Count(), 1);
        EXPECT_EQ(RowsOf(dialog, kIdOtherList).size(), 5u);
        Click(dialog, kIdDialogCancel);
    });
    Command(kCmdStageSettings);
    EXPECT_EQ(m_Runs.Runs().size(), runs + 1) << "no explanation dialog opened";
}

TEST_F(StageDialogsTest, TheCursorTargetEnablesItsOwnChoicesAndAnEmptyEnemyListStoresMinusOne)
{
    StartWithLands(5);
    Stage.m_Enemy.clear();
    Stage.m_GroupPos.At(1).m_strName = "本隊";
    Stage.m_WinPage.clear();

    Then([&](DialogBase& dialog) {
        Then([&](DialogBase& page) {
            auto& explanation = static_cast<ExplanationDialog&>(page);
            EXPECT_TRUE(explanation.EnemyItems().empty());
            EXPECT_EQ(explanation.CursorGroupItems(), (std::vector<std::string>{"本隊"}));
            EXPECT_EQ(explanation.ShownGroupItems(), (std::vector<std::string>{"表示しない", "本隊"}));
            // Enemy, group, X with its spin, Y: enabled for each target.
            const struct
            {
                int m_nMode;
                std::vector<bool> m_Enabled;
            } table[] = {
                {2, {true, false, false, false, false}}, {3, {false, true, false, false, false}},
                {4, {false, false, true, true, true}},   {1, {false, false, false, false, false}},
                {0, {false, false, false, false, false}},
            };
            for (const auto& row : table)
            {
                Choose(page, kIdExplanationMode, row.m_nMode);
                std::vector<bool> enabled;
                for (int id : {int{kIdExplanationEnemy}, int{kIdExplanationGroup}, int{kIdExplanationX},
                               int{kIdExplanationXSpin}, int{kIdExplanationY}})
                {
                    enabled.push_back(IsEnabled(page, id));
                }
                EXPECT_EQ(enabled, row.m_Enabled) << "mode " << row.m_nMode;
                EXPECT_TRUE(IsEnabled(page, kIdExplanationShownGroup));
            }
            Choose(page, kIdExplanationMode, 2);
            Click(page, kIdDialogOk);
        });
        Click(dialog, kIdVictoryInsert);
        auto& settings = static_cast<StageSettingsDialog&>(dialog);
        EXPECT_EQ(settings.Pages(0).At(0).m_nEnemy, -1);
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdStageSettings);
    ASSERT_EQ(Stage.m_WinPage.Count(), 1);
    EXPECT_EQ(Stage.m_WinPage.At(0).m_nCursorMode, 2);
    EXPECT_EQ(Stage.m_WinPage.At(0).m_nEnemy, 0) << "the stage's check";
}

TEST_F(StageDialogsTest, TheBgmIsChosenRelativeToTheProjectAndReachesTheStageOnlyOnOk)
{
    StartWithLands(5);
    Stage.m_strBgm = "bgm\\old.mid";
    const std::string chosen = platform::CurrentFolder() + "/bgm/battle.mid";
    auto browse = [&](DialogBase& dialog, std::vector<std::string> answer) {
        m_Boxes.AnswerFileDialog(std::move(answer));
        Click(dialog, kIdSettingsBgmBrowse);
    };

    // A cancelled choice changes nothing; a chosen file shows relative; Cancel keeps the stage's music.
    Then([&](DialogBase& dialog) {
        browse(dialog, {});
        const platform::FileDialogRequest& request = m_Boxes.FileRequests().back();
        EXPECT_EQ(request.m_strTitle, "BGMの選択");
        EXPECT_EQ(request.m_strInitialFolder, "bgm\\");
        EXPECT_EQ(std::string(request.m_strFilter.c_str()), "BgmFile ( *.mid;*.ogg )");
        EXPECT_EQ(request.m_strDefaultExtension, "mid;ogg");
        EXPECT_EQ(TextOf(dialog, kIdSettingsBgm), "bgm\\old.mid");
        browse(dialog, {chosen});
        EXPECT_EQ(TextOf(dialog, kIdSettingsBgm), ".\\bgm\\battle.mid");
        Click(dialog, kIdDialogCancel);
    });
    Command(kCmdStageSettings);
    EXPECT_EQ(Stage.m_strBgm, "bgm\\old.mid");

    Then([&](DialogBase& dialog) {
        browse(dialog, {chosen});
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdStageSettings);
    EXPECT_EQ(Stage.m_strBgm, ".\\bgm\\battle.mid");
}

TEST_F(StageDialogsTest, ARightClickSelectsTheRowUnderThePointerAndOpensTheListsMenu)
{
    StartWithLands(5);
    Stage.m_GroupPos.assign(4, Group("本隊", 1, 1, {{1, 1}}));
    Then([&](DialogBase& dialog) {
        // Below the trailing row: no row, no menu; nor while another window is the active one.
        RightClickRow(dialog, kIdGroupList, 5, 40081);
        EXPECT_EQ(DummyOf(dialog)->LastPopupMenu(), nullptr);
        m_System.SetActiveWindow(Window()->Handle());
        RightClickRow(dialog, kIdGroupList, 1, 40081);
        EXPECT_EQ(DummyOf(dialog)->LastPopupMenu(), nullptr);
        m_System.SetActiveWindow(dialog.Handle());
        // "データのクリア" on row 2 empties group 2 in its place.
        RightClickRow(dialog, kIdGroupList, 1, 40081);
        ASSERT_NE(DummyOf(dialog)->LastPopupMenu(), nullptr);
        EXPECT_EQ(DummyOf(dialog)->LastPopupMenu()->m_Items.back().m_nCommand, 40081);
        EXPECT_EQ(RowsOf(dialog, kIdGroupList), (Rows{GroupRow("1", "本隊", 1, 1), GroupRow("2", "", 0, 0),
                                                      GroupRow("3", "本隊", 1, 1), kTrailer}));
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdPositionGroups);
    EXPECT_TRUE(Stage.m_GroupPos.At(2).m_strName.empty());
    EXPECT_EQ(Stage.m_GroupPos.At(3).m_strName, "本隊");

    // The defeat list's own menu: its cut takes the page under the pointer.
    Stage.m_LosePage.assign(1, Page("全滅"));
    Stage.m_LosePage.push_back(Page("時間切れ"));
    Then([&](DialogBase& dialog) {
        RightClickRow(dialog, kIdDefeatList, 1, 40075);
        ASSERT_NE(DummyOf(dialog)->LastPopupMenu(), nullptr);
        EXPECT_EQ(DummyOf(dialog)->LastPopupMenu()->m_Items.front().m_nCommand, 40075);
        EXPECT_EQ(RowsOf(dialog, kIdDefeatList), (Rows{"1 全滅", kTrailer}));
        Click(dialog, kIdDialogOk);
    });
    Command(kCmdStageSettings);
    ASSERT_EQ(Stage.m_LosePage.Count(), 1);
    EXPECT_EQ(Stage.m_LosePage.At(0).m_strText, "全滅");
}

} // namespace
