// The enemy palette of a started editor on the dummy backend, with the
// placement dialog (169) and the movement-AI dialog (142) it opens, answered
// through scripted modal runs: the row texts, the pen's placement, insert and
// edit, paste, the count, and the movement-AI lists and their enabling.
#include "common/data/DatabaseVocabulary.h"
#include "editor/framework/InputDialogs.h"
#include "editor/framework/ModalRuns.h"
#include "editor/stage/EnemyPalette.h"
#include "platform/window/Beep.h"
#include "tests/editor/framework/DialogAuthor.h"
#include "tests/editor/stage/StageWindowFixture.h"

namespace
{

using Rows = std::vector<std::string>;
const std::string kTrailer(64, '-');

MoveAiEntry Entry(int32_t range, int32_t target, int32_t mode, int32_t skill = 0, int32_t goal = 0)
{
    MoveAiEntry entry;
    entry.m_nRange = range;
    entry.m_nTarget = target;
    entry.m_nMode = mode;
    entry.m_nSkill = skill;
    entry.m_nGoalNum = goal;
    return entry;
}

EnemyPlacement Placement(int32_t enemy, int32_t x, int32_t y, int32_t group = 0, std::vector<MoveAiEntry> ai = {})
{
    EnemyPlacement placement;
    placement.m_nEnemy = enemy;
    placement.m_nX = x;
    placement.m_nY = y;
    placement.m_nEnemyGroup = group;
    placement.m_MoveAI.assign(ai.begin(), ai.end());
    return placement;
}

// Every field of the placements, one line each.
std::string Describe(const CheckedVector<EnemyPlacement>& placements)
{
    std::string text;
    for (const EnemyPlacement& p : placements)
    {
        text += std::to_string(p.m_nEnemy) + " (" + std::to_string(p.m_nX) + "," + std::to_string(p.m_nY) + ") g" +
                std::to_string(p.m_nEnemyGroup) + " [";
        for (const MoveAiEntry& e : p.m_MoveAI)
        {
            text += std::to_string(e.m_nRange) + std::to_string(e.m_nTarget) + std::to_string(e.m_nMode) + "/" +
                    std::to_string(e.m_nSkill) + "/" + std::to_string(e.m_nGoalNum) + " ";
        }
        text += "]\n";
    }
    return text;
}

void SetEnemy(int index, const char* name, int32_t level, int32_t hp, int32_t sp)
{
    EnemyRecord& enemy = EnemyTable.At(index);
    enemy.m_strName = name;
    enemy.m_nLevel = level;
    enemy.m_Param[0].m_nValue = hp;
    enemy.m_Param[1].m_nValue = sp;
}

TEST(EnemyPaletteRowTextTest, RowsAsTheyReadWithTheNamePaddedToEightBytes)
{
    EnemyTable.resize(5);
    SetEnemy(1, "Orc", 3, 40, 5);
    SetEnemy(2, "ゴブ", 1, 9, 0);           // 4 bytes, 2 characters
    SetEnemy(3, "ゴブリン", 2, 12, 3);      // exactly 8 bytes
    SetEnemy(4, "ドラゴンロード", 30, 999, 250); // 14 bytes
    struct Case
    {
        EnemyPlacement m_Placement;
        const char* m_pszRow;
    };
    const Case cases[] = {
        {Placement(0, -1, -1), "(--,--) 未設定"},
        {Placement(0, -1, 5), "(--,--) 未設定"},
        {Placement(0, 3, 4), "(3,4) 未設定"},
        {Placement(1, -1, 7, 2), "グ2 (--,--) 1-Orc      LV3 HP40 SP5 "},
        {Placement(2, 0, 7), "グ0 (0,7) 2-ゴブ     LV1 HP9 SP0 "},
        {Placement(3, 10, 11, 100), "グ100 (10,11) 3-ゴブリン LV2 HP12 SP3 "},
        {Placement(4, 1, 0), "グ0 (1,0) 4-ドラゴンロード LV30 HP999 SP250 "},
        // An enemy the table does not have: no name, no values, nothing read past the table.
        {Placement(9, 1, 2, 1), "グ1 (1,2) 9-         LV0 HP0 SP0 "},
    };
    for (const Case& c : cases)
    {
        std::string row;
        EnemyPaletteRowText(row, 0, c.m_Placement);
        EXPECT_EQ(row, c.m_pszRow);
    }
    ResetProjectData();
}

TEST(EnemyPaletteRowTextTest, MoveAiRowsNameOnlyWhatTheirTablesHold)
{
    SkillTable.resize(3);
    SkillTable.At(2).m_strName = "ヒール";
    struct Case
    {
        MoveAiEntry m_Entry;
        const char* m_pszRow;
    };
    const Case cases[] = {
        {Entry(0, 5, 1, 2), "マップ全範囲内 で 最も近い敵 に 戦闘"},
        {Entry(1, 3, 2, 2), "行動範囲内 で 最もHPが低い味方 に 回復(ヒール)"},
        {Entry(2, 8, 0), "自分＋隣4マス内 で 最も近い目的地 に 待機"},
        {Entry(0, 0, 3), ""},
        {Entry(0, 0, -1), ""},
        // A damaged file, or a dialog confirmed with nothing chosen: the name is empty.
        {Entry(3, -1, 0), " で  に 待機"},
        {Entry(0, 9, 2, 7), "マップ全範囲内 で  に 回復()"},
    };
    for (const Case& c : cases)
    {
        std::string row;
        MoveAiListRowText(row, 0, c.m_Entry);
        EXPECT_EQ(row, c.m_pszRow);
    }
    ResetProjectData();
}

class EnemyPaletteTest : public StageWindowTest, public DialogAuthor
{
protected:
    EnemyPaletteTest() : DialogAuthor(m_System) {}
    // The editor with three enemies and the placements, showing the enemy palette.
    void StartWithPlacements(std::vector<EnemyPlacement> placements)
    {
        StartWithLands(5);
        EnemyTable.resize(3);
        SetEnemy(1, "Orc", 3, 40, 5);
        SetEnemy(2, "ゴブリン", 2, 12, 3);
        Stage.m_Enemy.assign(placements.begin(), placements.end());
        Command(kCmdBarEnemies);
        ASSERT_NE(Palette(), nullptr);
    }
    EnemyPalette* Palette() const { return static_cast<EnemyPalette*>(Window()->EnemyPalette()); }

public:
    void PaletteClick(int id)
    {
        Click(*Palette(), id);
        m_System.PumpMessages();
    }
    void PalettePick(int row) { Pick(*Palette(), kIdEnemyList, row); }

protected:
    ScriptedModalRuns m_Runs;
    platform::BeepRecorder m_Beeps;
};

TEST_F(EnemyPaletteTest, TheSelectedRowIsThePensPlacementAndTheTrailingRowGivesNone)
{
    StartWithPlacements({Placement(1, 2, 3, 1), Placement(0, -1, -1)});
    EnemyPalette& palette = *Palette();
    EXPECT_EQ(RowsOf(palette, kIdEnemyList),
              (Rows{"1 グ1 (2,3) 1-Orc      LV3 HP40 SP5 ", "2 (--,--) 未設定", kTrailer}));
    EXPECT_EQ(SelectionOf(palette, kIdEnemyList), -1) << "a new stage's palette has no row";
    EXPECT_EQ(StageEdit.m_nBlockWidth, 0);

    PalettePick(1);
    EXPECT_EQ(StageEdit.m_nPltNum, 1);
    EXPECT_EQ(StageEdit.m_PickedEnemy[0][0], 1);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 1);
    EXPECT_EQ(StageEdit.m_nBlockHeight, 1);
    EXPECT_EQ(StageEdit.m_nPaletteRow, 1);

    // The trailing row: nothing to place, and edit, delete, cut and copy do nothing (copy beeps).
    PalettePick(2);
    EXPECT_EQ(StageEdit.m_nPltNum, -1);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 0);
    EXPECT_EQ(StageEdit.m_nBlockHeight, 0);
    const std::string before = Describe(Stage.m_Enemy);
    PaletteClick(kIdEnemyEdit);
    PaletteClick(kIdEnemyDelete);
    ListCommand(palette, kIdEnemyList, kIdEnemyCutKey);
    ListCommand(palette, kIdEnemyList, kIdEnemyCopyMenu);
    EXPECT_EQ(m_Runs.Runs().size(), 0u);
    EXPECT_EQ(Describe(Stage.m_Enemy), before);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0);
    EXPECT_EQ(m_Beeps.Count(), 1);

    // The palette cannot be closed by itself.
    m_System.SendMessage(palette.Handle(), platform::kWmClose, 0, 0);
    EXPECT_TRUE(m_System.Resolve(palette.Handle()) != nullptr);

    // Another palette and back: the palette opens on the row it showed.
    PalettePick(1);
    const size_t boxes = m_Boxes.Boxes().size();
    Command(kCmdBarMapChips);
    EXPECT_EQ(Window()->EnemyPalette(), nullptr);
    EXPECT_EQ(m_Boxes.Boxes().size(), boxes) << "the palette goes without a box";
    Command(kCmdBarEnemies);
    ASSERT_NE(Palette(), nullptr);
    EXPECT_EQ(SelectionOf(*Palette(), kIdEnemyList), 1);
    EXPECT_EQ(StageEdit.m_nPltNum, 1);

    // A row the list no longer has gives no selection.
    Command(kCmdBarMapChips);
    Stage.m_Enemy.resize(0);
    Command(kCmdBarEnemies);
    EXPECT_EQ(SelectionOf(*Palette(), kIdEnemyList), -1);
    EXPECT_EQ(StageEdit.m_nPltNum, -1);
}

TEST_F(EnemyPaletteTest, ThePenMovesTheSelectedPlacementAndUndoPutsItBack)
{
    StartWithPlacements({Placement(1, -1, -1), Placement(2, 1, 1)});
    PalettePick(0);
    ClickCell(1, 1);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (1,1) g0 []\n2 (-1,1) g0 []\n") << "the one standing there leaves the map";
    EXPECT_EQ(RowsOf(*Palette(), kIdEnemyList).at(0), "1 グ0 (1,1) 1-Orc      LV3 HP40 SP5 ");
    Command(kCmdUndo);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (-1,-1) g0 []\n2 (1,1) g0 []\n");
    EXPECT_EQ(RowsOf(*Palette(), kIdEnemyList).at(0), "1 グ0 (--,--) 1-Orc      LV3 HP40 SP5 ");
}

TEST_F(EnemyPaletteTest, InsertThenCancelLeavesThePlacementsAsTheyWereWithoutAnUndoPoint)
{
    StartWithPlacements({Placement(1, 2, 3, 1, {Entry(0, 5, 1)}), Placement(2, 4, 4)});
    PalettePick(1);
    const std::string before = Describe(Stage.m_Enemy);
    m_Runs.Answer([&](DialogBase& dialog) {
        EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g1 [051/0/0 ]\n0 (-1,-1) g0 []\n2 (4,4) g0 []\n");
        Choose(dialog, kIdPlacementEnemy, 2);
        Type(dialog, kIdPlacementGroup, "7");
        Click(dialog, kIdDialogCancel);
    });
    PaletteClick(kIdEnemyInsert);
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_EQ(m_Runs.Runs()[0].m_nDialogId, kIdEnemyPlacementDialog);
    EXPECT_EQ(m_Runs.Runs()[0].m_nResult, 0);
    EXPECT_EQ(Describe(Stage.m_Enemy), before);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0);
    EXPECT_EQ(RowsOf(*Palette(), kIdEnemyList).size(), 3u);
    EXPECT_EQ(StageEdit.m_pEditedPlacement, nullptr);
}

TEST_F(EnemyPaletteTest, InsertThenOkRecordsTheNewPlacementBeforeStoringTheDialog)
{
    StartWithPlacements({Placement(1, 2, 3)});
    PalettePick(1); // the trailing row: the new placement goes at the end
    m_Runs.Answer([&](DialogBase& dialog) {
        EXPECT_EQ(RowsOf(dialog, kIdPlacementEnemy), (Rows{"未設定", "Orc", "ゴブリン"}));
        EXPECT_EQ(SelectionOf(dialog, kIdPlacementEnemy), 0);
        Choose(dialog, kIdPlacementEnemy, 2);
        Type(dialog, kIdPlacementGroup, "150"); // brought back to 100
        Click(dialog, kIdDialogOk);
    });
    PaletteClick(kIdEnemyInsert);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g0 []\n2 (-1,-1) g100 []\n");
    ASSERT_EQ(StageEdit.UndoLists().Count(), 1);
    EXPECT_EQ(Describe(StageEdit.UndoLists().m_Placements.back()), "1 (2,3) g0 []\n0 (-1,-1) g0 []\n");
    EXPECT_EQ(RowsOf(*Palette(), kIdEnemyList).at(1), "2 グ100 (--,--) 2-ゴブリン LV2 HP12 SP3 ");
    EXPECT_EQ(StageEdit.m_nPltNum, 1) << "the new placement is the pen's";

    // Undo takes the dialog's values off, then the insert is a step of its own no more: the default placement stays.
    Command(kCmdUndo);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g0 []\n0 (-1,-1) g0 []\n");
}

TEST_F(EnemyPaletteTest, AnInsertedEnemyWithItsMoveAiGoesOnTheMapByThePenAndUndoTakesItOff)
{
    StartWithPlacements({});
    // The palette stands beside the editor: its left edge plus its client width, 10 pixels below its top.
    platform::Rect editor = Window()->Native()->WindowRect();
    platform::Rect palette = Palette()->Native()->WindowRect();
    EXPECT_EQ(palette.m_nLeft, editor.m_nLeft + Window()->Native()->ClientRect().m_nWidth);
    EXPECT_EQ(palette.m_nTop, editor.m_nTop + 10);

    PalettePick(0);
    m_Runs.Answer([&](DialogBase& placement) {
        Choose(placement, kIdPlacementEnemy, 1);
        Type(placement, kIdPlacementGroup, "2");
        Pick(placement, kIdMoveAiList, 0);
        m_Runs.Answer([&](DialogBase& dialog) {
            Choose(dialog, kIdMoveAiRange, 1);
            Choose(dialog, kIdMoveAiTarget, 5);
            Choose(dialog, kIdMoveAiMode, 1);
            Click(dialog, kIdDialogOk);
        });
        Click(placement, kIdMoveAiInsert);
        Click(placement, kIdDialogOk);
    });
    PaletteClick(kIdEnemyInsert);
    ASSERT_EQ(m_Runs.Runs().size(), 2u);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (-1,-1) g2 [151/0/-1 ]\n");
    EXPECT_EQ(StageEdit.m_nPltNum, 0);

    ClickCell(3, 2);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (3,2) g2 [151/0/-1 ]\n");
    EXPECT_EQ(RowsOf(*Palette(), kIdEnemyList).at(0), "1 グ2 (3,2) 1-Orc      LV3 HP40 SP5 ");
    Command(kCmdUndo);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (-1,-1) g2 [151/0/-1 ]\n");
}

TEST_F(EnemyPaletteTest, PastePutsACopyBeforeTheSelectedRowOffTheMapAfterOneUndoPoint)
{
    StartWithPlacements({Placement(1, 2, 3, 4, {Entry(1, 8, 0, 0, 2)}), Placement(2, 5, 5)});
    PalettePick(0);
    ListCommand(*Palette(), kIdEnemyList, kIdEnemyCopyKey);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0) << "copy changes nothing";
    PalettePick(1);
    ListCommand(*Palette(), kIdEnemyList, kIdEnemyPasteKey);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g4 [180/0/2 ]\n1 (-1,-1) g4 [180/0/2 ]\n2 (5,5) g0 []\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);

    // Cut is one undo step too, and its placement pastes onto the trailing row: the end.
    PalettePick(2);
    ListCommand(*Palette(), kIdEnemyList, kIdEnemyCutMenu);
    PalettePick(2);
    ListCommand(*Palette(), kIdEnemyList, kIdEnemyPasteMenu);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g4 [180/0/2 ]\n1 (-1,-1) g4 [180/0/2 ]\n2 (-1,-1) g0 []\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 3);
    Command(kCmdUndo);
    Command(kCmdUndo);
    Command(kCmdUndo);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g4 [180/0/2 ]\n2 (5,5) g0 []\n");

    // Delete (the key) takes the selected placement, after its undo point.
    PalettePick(0);
    ListCommand(*Palette(), kIdEnemyList, kIdEnemyDeleteKey);
    EXPECT_EQ(Describe(Stage.m_Enemy), "2 (5,5) g0 []\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);
}

TEST_F(EnemyPaletteTest, TheCountIsOneUndoStepAndNeverEmptiesTheList)
{
    StartWithPlacements({Placement(1, 0, 0), Placement(2, 1, 0), Placement(1, 2, 0), Placement(2, 3, 0),
                         Placement(1, 4, 0)});
    const std::string five = Describe(Stage.m_Enemy);
    auto answerCount = [&](const std::string& typed, int button) {
        m_Runs.Answer([&, typed, button](DialogBase& dialog) {
            EXPECT_EQ(dialog.ResourceId(), kIdValueInputDialog);
            Type(dialog, kIdInputEdit, typed);
            Click(dialog, button);
        });
        PaletteClick(kIdEnemyCount);
    };

    answerCount("1", kIdDialogCancel);
    EXPECT_EQ(Describe(Stage.m_Enemy), five);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0);

    answerCount("1", kIdDialogOk);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (0,0) g0 []\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);
    Command(kCmdUndo);
    EXPECT_EQ(Describe(Stage.m_Enemy), five);

    // A lone minus sign commits the smallest count: the list keeps one placement.
    answerCount("-", kIdDialogOk);
    EXPECT_EQ(Stage.m_Enemy.Count(), 1);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);

    answerCount("99", kIdDialogOk);
    ASSERT_EQ(Stage.m_Enemy.Count(), 99);
    Rows rows = RowsOf(*Palette(), kIdEnemyList);
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows[98], "99 (--,--) 未設定");
    EXPECT_EQ(rows[0], "01 グ0 (0,0) 1-Orc      LV3 HP40 SP5 ");

    // A full list refuses the insert with a beep and opens no dialog.
    size_t runs = m_Runs.Runs().size();
    PalettePick(0);
    PaletteClick(kIdEnemyInsert);
    EXPECT_EQ(m_Runs.Runs().size(), runs);
    EXPECT_EQ(Stage.m_Enemy.Count(), 99);
    EXPECT_EQ(m_Beeps.Count(), 1);
}

TEST_F(EnemyPaletteTest, TheRightClickTheKeysAndTheDoubleClickReachThePalettesCommands)
{
    StartWithPlacements({Placement(1, 2, 3), Placement(2, 4, 4)});
    EnemyPalette& palette = *Palette();
    platform::WindowHandle list = Item(palette, kIdEnemyList);

    // The palette opened beside the stage editor without taking the activation
    // or the focus; activated later (by its caption, its frame or a click), it
    // focuses its first control, as it would have opened activated.
    EXPECT_FALSE(m_System.IsWithin(m_System.Focus(), palette.Handle()));
    m_System.SetActiveWindow(palette.Handle());
    EXPECT_EQ(m_System.Focus(), Item(palette, kIdEnemyInsert));

    // A right click on the second row selects it, for the pen too, and its
    // pop-up's "切り取り" cuts it.
    platform::Rect rows = m_System.Resolve(list)->ScreenRect();
    m_System.SetCursorPos({rows.m_nLeft + 10, rows.m_nTop + platform::kListBorder + platform::kListRowHeight + 5});
    m_System.SetPopupChoice(kIdEnemyCutMenu);
    m_System.SendMessage(palette.Handle(), platform::kWmRButtonUp, 0, 0);
    EXPECT_EQ(StageEdit.m_PickedEnemy[0][0], 1);
    m_System.PumpMessages();
    m_System.SetPopupChoice(0);
    const platform::Menu* popup = static_cast<platform::DummyWindow*>(palette.Native())->LastPopupMenu();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->m_Items.size(), 7u);
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (2,3) g0 []\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);
    EXPECT_EQ(StageEdit.m_nPltNum, 0) << "the selection moved up to the last placement";

    // Ctrl+V in the list pastes it before the selected row, off the map (through the editor's loop step).
    m_System.SetMessageFilter([](platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
        return App.PreTranslateMessage({window, message, wParam, lParam}) != 0;
    });
    m_System.SetActiveWindow(palette.Handle());
    m_System.SetFocus(list);
    m_System.FeedKey('V', platform::kKeyControl);
    m_System.PumpMessages();
    m_System.SetMessageFilter(nullptr);
    EXPECT_EQ(Describe(Stage.m_Enemy), "2 (-1,-1) g0 []\n1 (2,3) g0 []\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 2);

    // A double-click edits the row.
    m_Runs.Answer([&](DialogBase& dialog) {
        EXPECT_EQ(RowsOf(dialog, kIdPlacementEnemy).size(), 3u);
        Click(dialog, kIdDialogCancel);
    });
    platform::ModelOf<platform::ListBoxModel>(list)->UserDoubleClick(1);
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_EQ(m_Runs.Runs()[0].m_nDialogId, kIdEnemyPlacementDialog);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 2);
}

class MoveAiDialogTest : public EnemyPaletteTest
{
protected:
    // Skills 1 and 3 heal; skill 3 keeps a stale own number. Groups 1 (4 points) and 3 (none) may be goals.
    void MakeSkillsAndGroups()
    {
        SkillTable.resize(4);
        const char* names[] = {"", "ヒール", "ファイア", "キュア"};
        const int32_t kinds[] = {2, 2, 1, 2};
        for (int i = 0; i < 4; ++i)
        {
            SkillTable.At(i).m_strName = names[i];
            SkillTable.At(i).m_nKind = kinds[i];
            SkillTable.At(i).m_nSkillB = i;
        }
        SkillTable.At(3).m_nSkillB = 9;
        Stage.m_GroupPos.resize(4);
        const char* groups[] = {"", "砦", "森", "橋"};
        const int points[] = {0, 4, 5, 0};
        for (int i = 0; i < 4; ++i)
        {
            Stage.m_GroupPos.At(i).m_strName = groups[i];
            Stage.m_GroupPos.At(i).m_Point.resize(static_cast<size_t>(points[i]));
        }
    }
    // Opens the placement dialog on the first placement with "編集"; the script is the author in it.
    void EditFirst(const std::function<void(DialogBase&)>& script)
    {
        PalettePick(0);
        m_Runs.Answer(script);
        PaletteClick(kIdEnemyEdit);
    }
    // In the placement dialog: the movement-AI dialog on the row, answered by the script.
    void EditEntry(DialogBase& placement, int row, const std::function<void(DialogBase&)>& script)
    {
        Pick(placement, kIdMoveAiList, row);
        m_Runs.Answer(script);
        Click(placement, kIdMoveAiEdit);
    }
};

TEST_F(MoveAiDialogTest, OffersHealingSkillsAndSmallGroupsAndEnablesThemByModeAndTarget)
{
    StartWithPlacements({Placement(1, 0, 0, 0, {Entry(0, 8, 1, 3, 3), Entry(1, 0, 2, 2, 2)})});
    MakeSkillsAndGroups();
    EditFirst([&](DialogBase& placement) {
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList),
                  (Rows{"マップ全範囲内 で 最も近い目的地 に 戦闘", "行動範囲内 で 最も近い味方 に 回復(ファイア)", kTrailer}));
        EditEntry(placement, 0, [&](DialogBase& dialog) {
            EXPECT_EQ(RowsOf(dialog, kIdMoveAiSkill), (Rows{"ヒール", "キュア"}));
            EXPECT_EQ(RowsOf(dialog, kIdMoveAiGoal), (Rows{"砦", "橋"}));
            EXPECT_EQ(RowsOf(dialog, kIdMoveAiTarget).size(), 9u);
            EXPECT_EQ(SelectionOf(dialog, kIdMoveAiSkill), 1) << "skill 3 by its place in the table";
            EXPECT_EQ(SelectionOf(dialog, kIdMoveAiGoal), 1);
            EXPECT_TRUE(IsEnabled(dialog, kIdMoveAiGoal));
            EXPECT_FALSE(IsEnabled(dialog, kIdMoveAiSkill));
            Choose(dialog, kIdMoveAiTarget, 0);
            EXPECT_FALSE(IsEnabled(dialog, kIdMoveAiGoal));
            Choose(dialog, kIdMoveAiTarget, 8);
            EXPECT_TRUE(IsEnabled(dialog, kIdMoveAiGoal));
            Choose(dialog, kIdMoveAiMode, 2);
            EXPECT_TRUE(IsEnabled(dialog, kIdMoveAiSkill));
            Choose(dialog, kIdMoveAiMode, 0);
            EXPECT_FALSE(IsEnabled(dialog, kIdMoveAiSkill));
            Choose(dialog, kIdMoveAiSkill, 0);
            Choose(dialog, kIdMoveAiRange, 2);
            Click(dialog, kIdDialogOk);
        });
        // The second entry's skill 2 and group 2 are not offered: nothing selected stores skill 0 and goal -1.
        EditEntry(placement, 1, [&](DialogBase& dialog) {
            EXPECT_EQ(SelectionOf(dialog, kIdMoveAiSkill), -1);
            EXPECT_EQ(SelectionOf(dialog, kIdMoveAiGoal), -1);
            EXPECT_TRUE(IsEnabled(dialog, kIdMoveAiSkill));
            Click(dialog, kIdDialogOk);
        });
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList),
                  (Rows{"自分＋隣4マス内 で 最も近い目的地 に 待機", "行動範囲内 で 最も近い味方 に 回復()", kTrailer}));
        Click(placement, kIdDialogOk);
    });
    // Every choice is stored, those of disabled lists too.
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (0,0) g0 [280/1/3 102/0/-1 ]\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);
}

TEST_F(MoveAiDialogTest, CancelKeepsTheEntryAndThePlacementKeepsItsListUntilOk)
{
    StartWithPlacements({Placement(1, 0, 0, 3, {Entry(0, 5, 1)})});
    MakeSkillsAndGroups();
    const std::string before = Describe(Stage.m_Enemy);
    EditFirst([&](DialogBase& placement) {
        EditEntry(placement, 0, [&](DialogBase& dialog) {
            Choose(dialog, kIdMoveAiMode, 2);
            Choose(dialog, kIdMoveAiSkill, 0);
            Click(dialog, kIdDialogCancel);
        });
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList), (Rows{"マップ全範囲内 で 最も近い敵 に 戦闘", kTrailer}));
        // Insert before the first entry; a cancelled dialog takes the new entry out again.
        Pick(placement, kIdMoveAiList, 0);
        m_Runs.Answer([&](DialogBase& dialog) { Click(dialog, kIdDialogCancel); });
        Click(placement, kIdMoveAiInsert);
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList).size(), 2u);
        m_Runs.Answer([&](DialogBase& dialog) {
            Choose(dialog, kIdMoveAiTarget, 7);
            Click(dialog, kIdDialogOk);
        });
        Click(placement, kIdMoveAiInsert);
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList),
                  (Rows{"マップ全範囲内 で 自分自身 に 待機", "マップ全範囲内 で 最も近い敵 に 戦闘", kTrailer}));
        Pick(placement, kIdMoveAiList, 1);
        Click(placement, kIdMoveAiDelete);
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList), (Rows{"マップ全範囲内 で 自分自身 に 待機", kTrailer}));
        EXPECT_EQ(Describe(Stage.m_Enemy), before) << "the stage is the dialog's only on OK";
        Click(placement, kIdDialogCancel);
    });
    EXPECT_EQ(Describe(Stage.m_Enemy), before);
    EXPECT_EQ(StageEdit.UndoLists().Count(), 0);

    EditFirst([&](DialogBase& placement) {
        m_Runs.Answer([&](DialogBase& dialog) { Click(dialog, kIdDialogOk); });
        Pick(placement, kIdMoveAiList, 1);
        Click(placement, kIdMoveAiInsert);
        Click(placement, kIdDialogOk);
    });
    EXPECT_EQ(Describe(Stage.m_Enemy), "1 (0,0) g3 [051/0/0 000/0/-1 ]\n");
    EXPECT_EQ(StageEdit.UndoLists().Count(), 1);
}

TEST_F(MoveAiDialogTest, AnEleventhEntryBeepsAndChangesNothing)
{
    std::vector<MoveAiEntry> ten(10, Entry(0, 0, 0));
    StartWithPlacements({Placement(1, 0, 0, 0, ten)});
    EditFirst([&](DialogBase& placement) {
        Pick(placement, kIdMoveAiList, 0);
        Click(placement, kIdMoveAiInsert);
        EXPECT_EQ(RowsOf(placement, kIdMoveAiList).size(), 11u);
        Click(placement, kIdDialogOk);
    });
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_EQ(Stage.m_Enemy.At(0).m_MoveAI.Count(), 10);
    EXPECT_EQ(m_Runs.Runs().size(), 1u) << "no movement-AI dialog";
}

} // namespace
