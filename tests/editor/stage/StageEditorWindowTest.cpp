// The stage editor window of a started editor on the dummy backend: what it
// is made of, the stage file commands, the palettes, the history, the pop-up
// of the event mode, the test play and the ways it keeps the author's work
// and windows when something fails.
#include "common/data/DataFilePaths.h"
#include "common/project/GameProgram.h"
#include "platform/core/Files.h"
#include "editor/database/ClassPage.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/event/EventDialog.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/framework/ModalRuns.h"
#include "platform/window/ButtonModel.h"
#include "editor/resources/WindowResources.h"
#include "platform/window/ScrollBarModel.h"
#include "tests/editor/stage/StageWindowFixture.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;
using platform::ToolButton;

const platform::MenuItem* FindItem(const std::vector<platform::MenuItem>& items, int command)
{
    for (const platform::MenuItem& item : items)
    {
        if (item.m_SubItems.empty() && !item.m_bSeparator && item.m_nCommand == command)
        {
            return &item;
        }
        if (const platform::MenuItem* found = FindItem(item.m_SubItems, command))
        {
            return found;
        }
    }
    return nullptr;
}

platform::ModelToolBar* BarOf(const WindowBase& window)
{
    return static_cast<platform::DummyWindow*>(window.Native())->GetToolBar();
}

TEST_F(StageWindowTest, TheWindowIsMadeOfItsTemplateMenuToolBarAndStatusBar)
{
    StartWithLands(5);
    StageEditorWindow* window = Window();
    platform::DummyWindow* native = DummyOf(*window);
    EXPECT_EQ(Title(), "Tarnwick ");
    EXPECT_TRUE(native->HasMenuBar());
    ASSERT_EQ(native->MenuBar().m_Items.size(), 5u);
    EXPECT_EQ(native->MenuBar().m_Items[0].m_strText, "ファイル(&F)");

    // The map view fills the client area between the tool bar, the scroll bars and the status bar.
    EXPECT_EQ(window->UsableWidth(), 640);
    EXPECT_EQ(window->UsableHeight(), 480);
    EXPECT_EQ(window->Picture().Canvas().Width(), 640);
    EXPECT_EQ(window->Picture().Canvas().Height(), 480);
    EXPECT_EQ(window->Picture().Native()->WindowRect(), (platform::Rect{0, kToolBarRowHeight, 640, 480}));
    EXPECT_EQ(window->VerticalBar().Native()->WindowRect().m_nTop, kToolBarRowHeight);
    EXPECT_EQ(window->HorizontalBar().Native()->WindowRect().Bottom(),
              window->ClientRectangle().m_nHeight - kStatusBarHeight);

    // Tool bar 139: the common images, then the palettes' strip; the active palette's button checked.
    platform::ModelToolBar* bar = BarOf(*window);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 10);
    const char* tips[] = {"新規作成", "開く", "上書き保存", "", "元に戻す", "やり直し", "",
                          "マップチップパレット", "敵パレット", "イベントパレット"};
    for (int i = 0; i < 10; ++i)
    {
        EXPECT_EQ(bar->Tip(i), tips[i]) << i;
    }
    EXPECT_EQ(bar->ImageCount(), platform::kStdImageCount + 3);
    EXPECT_EQ(bar->ButtonState(kCmdBarMapChips), ToolButton::kStateChecked | ToolButton::kStateEnabled);
    EXPECT_EQ(bar->ButtonState(kCmdBarEnemies), ToolButton::kStateEnabled);
    EXPECT_EQ(bar->ButtonState(kCmdUndo), 0) << "nothing to undo";
    EXPECT_TRUE(FindItem(native->MenuBar().m_Items, kCmdMenuMapChips)->m_bChecked);
    EXPECT_TRUE(FindItem(native->MenuBar().m_Items, kCmdUndo)->m_bGrayed);

    // Accelerator table 132 on the window; the status bar names the cursor cell once the mouse moved.
    ASSERT_EQ(window->Accelerators().size(), 1u);
    EXPECT_EQ(window->Accelerators()[0].m_pTable, FindAcceleratorTable(kAcceleratorsStageEditor));
    MapMouse(platform::kWmMouseMove, 3, 2, false, false);
    EXPECT_EQ(native->GetStatusBar()->Text(), "座標 (3,2)");
    EXPECT_NE(window->ChipPalette(), nullptr);
}

TEST_F(StageWindowTest, SavesGoToThisVersionsFileThroughTheDialogUnlessTheFileIsOfIt)
{
    StartWithLands(5);
    WriteStage(MakeStage({"1111", "1111"}), "data\\stg\\Old.stg_250");

    // Opened from a stg_250 file: the title names it.
    m_Boxes.AnswerFileDialog({"data\\stg\\Old.stg_250"});
    Command(kCmdOpenStageKey);
    const platform::FileDialogRequest& open = m_Boxes.FileRequests().back();
    EXPECT_EQ(open.m_strTitle, "読み込むファイルの選択");
    EXPECT_EQ(open.m_strInitialFolder, "data\\stg");
    EXPECT_EQ(open.m_strDefaultExtension, "stg_*");
    EXPECT_EQ(std::string(open.m_strFilter.c_str()), "StageFile ( *.stg_* )");
    EXPECT_EQ(Title(), "Tarnwick data\\stg\\Old.stg_250");
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"1111", "1111"}));

    // Ctrl+S offers the same name at this version.
    m_Boxes.AnswerFileDialog({"data\\stg\\Old.stg_276"});
    Command(kCmdSaveStageKey);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 2u);
    const platform::FileDialogRequest& save = m_Boxes.FileRequests().back();
    EXPECT_EQ(save.m_strInitialName, "data\\stg\\Old.stg_276");
    EXPECT_EQ(save.m_strTitle, "保存先のファイルの選択");
    EXPECT_EQ(save.m_strInitialFolder, "data\\stg\\");
    EXPECT_EQ(save.m_strDefaultExtension, "stg_276");
    EXPECT_EQ(std::string(save.m_strFilter.c_str()), "StageFile ( *.stg_276 )");
    EXPECT_TRUE(save.m_bOverwritePrompt);
    EXPECT_TRUE(fs::exists("data/stg/Old.stg_276"));
    EXPECT_EQ(Title(), "Tarnwick data\\stg\\Old.stg_276");

    // After that, Ctrl+S writes the file without a dialog.
    Stage.CellAt(0, 0) = 3;
    Command(kCmdSaveStageKey);
    EXPECT_EQ(m_Boxes.FileRequests().size(), 2u);
    StageRecord back;
    ASSERT_EQ(LoadRecordFile(back, "data\\stg\\Old.stg_276", 0), 1);
    EXPECT_EQ(back.CellAt(0, 0), 3);

    // "新規保存" always asks, with no name offered.
    m_Boxes.AnswerFileDialog({});
    Command(kCmdSaveStageAs);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 3u);
    EXPECT_EQ(m_Boxes.FileRequests().back().m_strInitialName, "");
    EXPECT_EQ(Title(), "Tarnwick data\\stg\\Old.stg_276");

    // A new stage always opens the dialog; cancelled, nothing is written and it stays unnamed.
    m_Boxes.AnswerBoxes({platform::kIdYes});
    Command(kCmdNewStage);
    m_Boxes.AnswerFileDialog({});
    Command(kCmdSaveStage);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 4u);
    EXPECT_EQ(m_Boxes.FileRequests().back().m_strInitialName, "");
    EXPECT_EQ(StageEdit.m_strStageFile, "");
    EXPECT_EQ(Title(), "Tarnwick ");
}

TEST_F(StageWindowTest, AFailedSaveNamesTheFileAndKeepsTheNameAndTheEdits)
{
    StartWithLands(5);
    WriteStage(MakeStage({"11", "11"}), "data\\stg\\Mine.stg_276");
    fs::create_directories("data/locked");
    m_Boxes.AnswerFileDialog({"data\\stg\\Mine.stg_276"});
    Command(kCmdOpenStage);
    Stage.CellAt(1, 1) = 4;

    // A folder the editor may not write to (the superuser may: a folder stands in the way of the file then).
    fs::permissions("data/locked", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (geteuid() == 0)
    {
        fs::create_directories("data/locked/Copy.stg_276/in-the-way");
    }
    size_t boxes = m_Boxes.Boxes().size();
    m_Boxes.AnswerFileDialog({"data\\locked\\Copy.stg_276"});
    Command(kCmdSaveStageAs);
    ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox()->m_strCaption, "エラー");
    EXPECT_EQ(LastBox()->m_strText.rfind("data\\locked\\Copy.stg_276 を保存できませんでした！\n", 0), 0u)
        << LastBox()->m_strText;
    EXPECT_EQ(StageEdit.m_strStageFile, "data\\stg\\Mine.stg_276");
    EXPECT_EQ(Title(), "Tarnwick data\\stg\\Mine.stg_276");
    EXPECT_EQ(Stage.CellAt(1, 1), 4);
    fs::permissions("data/locked", fs::perms::owner_all, fs::perm_options::add);
}

TEST_F(StageWindowTest, TheDefaultStageIsChosenRelativeToTheProjectAndSavedAtOnce)
{
    StartWithLands(5);
    WriteStage(MakeStage({"44"}), "data\\stg\\Start.stg_276");
    std::string full = platform::CurrentFolder() + "/data/stg/Start.stg_276";
    m_Boxes.AnswerFileDialog({full});
    Command(kCmdDefaultStage);
    EXPECT_EQ(m_Boxes.FileRequests().back().m_strTitle, "デフォルトステージの選択");
    EXPECT_EQ(EditConfig.m_strDefaultStage, ".\\data\\stg\\Start.stg_276");
    EditConfigRecord saved;
    ASSERT_EQ(LoadRecordFile(saved, DataFilePaths[kPathEditConfig], 0), 1);
    EXPECT_EQ(saved.m_strDefaultStage, ".\\data\\stg\\Start.stg_276");
    // The next new stage is that one.
    m_Boxes.AnswerBoxes({platform::kIdYes});
    Command(kCmdNewStage);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"44"}));

    // Cancelled: nothing changes.
    m_Boxes.AnswerFileDialog({});
    Command(kCmdDefaultStage);
    EXPECT_EQ(EditConfig.m_strDefaultStage, ".\\data\\stg\\Start.stg_276");
}

TEST_F(StageWindowTest, TheScrollBarsMoveTheMapAndTheMouseNamesTheCellUnderIt)
{
    StartWithLands(5);
    std::vector<std::string> rows(20, std::string(30, '0'));
    rows[19][29] = '4';
    WriteStage(MakeStage(rows), "data\\stg\\Wide.stg_276");
    m_Boxes.AnswerFileDialog({"data\\stg\\Wide.stg_276"});
    Command(kCmdOpenStage);
    StageEditorWindow* window = Window();
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifAll;
    ASSERT_TRUE(platform::GetScrollInfo(window->HorizontalBar().Handle(), platform::kSbCtl, info));
    EXPECT_EQ(info.m_nMax, 29);
    EXPECT_EQ(info.m_nPage, 20u);
    ASSERT_TRUE(platform::GetScrollInfo(window->VerticalBar().Handle(), platform::kSbCtl, info));
    EXPECT_EQ(info.m_nMax, 19);
    EXPECT_EQ(info.m_nPage, 15u);

    for (ScrollBar* bar : {&window->HorizontalBar(), &window->VerticalBar()})
    {
        platform::ModelOf<platform::ScrollBarModel>(bar->Handle())->UserRequest(platform::kSbBottom);
    }
    EXPECT_EQ(window->Viewport().m_nScrollColumn, 10);
    EXPECT_EQ(window->Viewport().m_nScrollRow, 5);
    // The last cell of the stage is now at the bottom right of the view.
    MapMouse(platform::kWmMouseMove, 29, 19, false, false);
    EXPECT_EQ(StageEdit.Cursor().m_nColumn, 29);
    EXPECT_EQ(StageEdit.Cursor().m_nRow, 19);
    const DibBitmap& view = window->Picture().Canvas();
    const DibBitmap& tiles = EditorBitmaps[kBitmapMapChip];
    EXPECT_EQ(view.PixelRgb(19 * kMapCellSize + 16, 14 * kMapCellSize + 16),
              tiles.PixelRgb(4 * kMapCellSize + 16, 16));
    EXPECT_EQ(DummyOf(*window)->GetStatusBar()->Text(), "座標 (29,19)");
}

TEST_F(StageWindowTest, AStageFileThatDoesNotLoadWholeIsRefusedAndTheStageStays)
{
    StartWithLands(5);
    WriteStage(MakeStage({"2222"}), "data\\stg\\Whole.stg_276");
    std::vector<unsigned char> bytes = m_Folder.ReadFile("data/stg/Whole.stg_276");
    bytes.resize(bytes.size() - 9);
    m_Folder.WriteFile("data/stg/Cut.stg_276", bytes);
    m_Boxes.AnswerFileDialog({"data\\stg\\Whole.stg_276"});
    Command(kCmdOpenStage);
    ClickCell(0, 0); // an edit in the history
    platform::WindowHandle before = Window()->Handle();

    for (const char* path : {"data\\stg\\Cut.stg_276", "data\\stg\\Missing.stg_276"})
    {
        m_Boxes.AnswerFileDialog({path});
        Command(kCmdOpenStage);
        ASSERT_NE(LastBox(), nullptr);
        EXPECT_EQ(LastBox()->m_strText, std::string(path) + " が読み込めません！");
        EXPECT_EQ(MapRows(), (std::vector<std::string>{"0222"})) << path;
        EXPECT_EQ(StageEdit.m_strStageFile, "data\\stg\\Whole.stg_276") << path;
        EXPECT_TRUE(StageEdit.CanUndo()) << path;
        EXPECT_EQ(Window()->Handle(), before) << "the view stays";
    }
}

TEST_F(StageWindowTest, ANewStageAsksFirstAndStartsFromTheDefaultStage)
{
    StartWithLands(5);
    WriteStage(MakeStage({"33", "33"}), "data\\stg\\Base.stg_276");
    EditConfig.m_strDefaultStage = "data\\stg\\Base.stg_276";
    ClickCell(0, 0);
    platform::WindowHandle first = Window()->Handle();

    m_Boxes.AnswerBoxes({platform::kIdNo});
    Command(kCmdNewStage);
    EXPECT_EQ(LastBox()->m_strText, "現在のステージは破棄されます。\n新規作成しますか？\n");
    EXPECT_EQ(LastBox()->m_strCaption, "新規作成の確認");
    EXPECT_EQ(Window()->Handle(), first);
    EXPECT_EQ(Stage.m_nWidth, 20);

    m_Boxes.AnswerBoxes({platform::kIdYes});
    Command(kCmdNewStage);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"33", "33"}));
    EXPECT_FALSE(StageEdit.CanUndo());
    // A fresh view, with its own map chip palette, in front.
    ASSERT_NE(Window(), nullptr);
    EXPECT_FALSE(m_System.IsWindow(first));
    EXPECT_TRUE(Window()->Handle());
    EXPECT_EQ(MainWindow.View(), Window());
    EXPECT_NE(Window()->ChipPalette(), nullptr);
    EXPECT_EQ(Title(), "Tarnwick ");
    EXPECT_EQ(App.m_Windows.size(), 2u);
}

TEST_F(StageWindowTest, EditsAreUndoneAndRedoneByTheCommandsAndTheButtonsFollow)
{
    StartWithLands(5);
    WriteStage(MakeStage({"000", "000"}), "data\\stg\\Edit.stg_276");
    m_Boxes.AnswerFileDialog({"data\\stg\\Edit.stg_276"});
    Command(kCmdOpenStage);
    StageEdit.m_PickedChip[0][0] = 2;
    ClickCell(1, 0);
    ClickCell(2, 1);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"020", "002"}));
    platform::ModelToolBar* bar = BarOf(*Window());
    EXPECT_EQ(bar->ButtonState(kCmdUndo), ToolButton::kStateEnabled);
    EXPECT_EQ(bar->ButtonState(kCmdRedo), 0);

    Command(kCmdUndo);
    Command(kCmdUndoKey);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"000", "000"}));
    EXPECT_EQ(bar->ButtonState(kCmdUndo), 0);
    EXPECT_EQ(bar->ButtonState(kCmdRedo), ToolButton::kStateEnabled);
    EXPECT_TRUE(FindItem(DummyOf(*Window())->MenuBar().m_Items, kCmdUndo)->m_bGrayed);
    EXPECT_FALSE(FindItem(DummyOf(*Window())->MenuBar().m_Items, kCmdRedo)->m_bGrayed);

    Command(kCmdRedoKey);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"020", "000"}));
    Command(kCmdRedo);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"020", "002"}));

    // The list-editing keys of the table do nothing on the map.
    for (int id : {kCmdListCut, kCmdListCopy, kCmdListPaste, kCmdListNew, kCmdListAdd, kCmdListClear})
    {
        Command(id);
    }
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"020", "002"}));
    EXPECT_EQ(StageEdit.UndoLists().Count(), 2);
    EXPECT_FALSE(StageEdit.CanRedo());
}

TEST_F(StageWindowTest, ClearingAsksAndIsOneUndoStep)
{
    StartWithLands(5);
    struct Row
    {
        int m_nCommand;
        const char* m_pszQuestion;
    };
    const Row rows[] = {
        {kCmdClearChips, "全てのマップチップをクリアしますか？"},
        {kCmdClearEnemies, "全ての敵をクリアしますか？"},
        {kCmdClearEvents, "全てのイベントをクリアしますか？"},
    };
    for (const Row& row : rows)
    {
        Stage.CellAt(0, 0) = 4;
        EnemyPlacement placement;
        placement.SetDefaults();
        Stage.m_Enemy.assign(1, placement);
        Event event;
        event.m_Page.resize(1);
        Stage.m_Event.assign(1, event);
        StageEdit.ClearHistory();
        auto untouched = [&] { return Stage.CellAt(0, 0) == 4 && Stage.m_Enemy.size() == 1 && Stage.m_Event.size() == 1; };

        m_Boxes.AnswerBoxes({platform::kIdNo});
        Command(row.m_nCommand);
        EXPECT_EQ(LastBox()->m_strText, row.m_pszQuestion);
        EXPECT_EQ(LastBox()->m_strCaption, "データクリアの確認");
        EXPECT_TRUE(untouched()) << row.m_pszQuestion;
        EXPECT_FALSE(StageEdit.CanUndo());

        m_Boxes.AnswerBoxes({platform::kIdYes});
        Command(row.m_nCommand);
        EXPECT_EQ(Stage.CellAt(0, 0) == 0, row.m_nCommand == kCmdClearChips) << row.m_pszQuestion;
        EXPECT_EQ(Stage.m_Enemy.empty(), row.m_nCommand == kCmdClearEnemies) << row.m_pszQuestion;
        EXPECT_EQ(Stage.m_Event.empty(), row.m_nCommand == kCmdClearEvents) << row.m_pszQuestion;
        Command(kCmdUndo);
        EXPECT_TRUE(untouched()) << row.m_pszQuestion;
    }
}

TEST_F(StageWindowTest, ThePaletteSwitchKeepsEachPalettesToolState)
{
    StartWithLands(5);
    StageEditorWindow* window = Window();
    MapChipPalette* chips = window->ChipPalette();
    ASSERT_NE(chips, nullptr);
    StageEdit.SetPenMode(kToolFill);
    StageEdit.m_nPltNum = 3;
    StageEdit.m_nBlockWidth = 2;
    StageEdit.m_nBlockHeight = 2;

    // The active palette's button changes nothing: no slot saved, the palette kept.
    PaletteSlot before = StageEdit.m_Slot[kPaletteMapChip];
    Command(kCmdBarMapChips);
    EXPECT_EQ(StageEdit.m_nTool, kToolFill);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 2);
    EXPECT_EQ(StageEdit.m_Slot[kPaletteMapChip].m_nTool, before.m_nTool);
    EXPECT_EQ(window->ChipPalette(), chips);
    EXPECT_EQ(BarOf(*window)->ButtonState(kCmdBarMapChips), ToolButton::kStateChecked | ToolButton::kStateEnabled);

    // Another palette: this one's state goes into its slot, that one's comes out of its own.
    Command(kCmdBarEnemies);
    EXPECT_EQ(StageEdit.m_nPalette, kPaletteEnemy);
    const PaletteSlot& kept = StageEdit.m_Slot[kPaletteMapChip];
    EXPECT_EQ(kept.m_nTool, kToolFill);
    EXPECT_EQ(kept.m_nPenMode, kToolFill);
    EXPECT_EQ(kept.m_nPltNum, 3);
    EXPECT_EQ(kept.m_nBlockWidth, 2);
    EXPECT_EQ(kept.m_nBlockHeight, 2);
    EXPECT_EQ(StageEdit.m_nTool, kToolPen);
    EXPECT_EQ(StageEdit.m_nPltNum, -1);
    EXPECT_EQ(StageEdit.m_nBlockWidth, 0);
    EXPECT_EQ(window->ChipPalette(), nullptr) << "one palette at a time";
    EXPECT_TRUE(FindItem(DummyOf(*window)->MenuBar().m_Items, kCmdMenuEnemies)->m_bChecked);
    EXPECT_FALSE(FindItem(DummyOf(*window)->MenuBar().m_Items, kCmdMenuMapChips)->m_bChecked);
    EXPECT_EQ(BarOf(*window)->ButtonState(kCmdBarEnemies), ToolButton::kStateChecked | ToolButton::kStateEnabled);
    EXPECT_EQ(BarOf(*window)->ButtonState(kCmdBarMapChips), ToolButton::kStateEnabled);

    // The menu's item brings the map chips back as they were, with their palette.
    Command(kCmdMenuMapChips);
    EXPECT_EQ(StageEdit.m_nTool, kToolFill);
    EXPECT_EQ(StageEdit.m_nPltNum, 3);
    EXPECT_EQ(StageEdit.m_nBlockHeight, 2);
    EXPECT_NE(window->ChipPalette(), nullptr);
    EXPECT_EQ(StageEdit.m_Slot[kPaletteEnemy].m_nPltNum, -1);
}

TEST_F(StageWindowTest, AChipPaletteOfTwentyLandsScrollsThreeRows)
{
    StartWithLands(20);
    MapChipPalette* palette = Window()->ChipPalette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->Native()->Text(), "マップチップパレット");
    platform::WindowHandle bar = palette->VerticalBar().Handle();
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifAll;
    ASSERT_TRUE(platform::GetScrollInfo(bar, platform::kSbCtl, info));
    EXPECT_EQ(info.m_nMin, 0);
    EXPECT_EQ(info.m_nMax, 2);
    // Never taller than the three rows.
    EXPECT_EQ(palette->MaxClientSize().m_nY, 3 * kMapCellSize + kToolBarRowHeight + kStatusBarHeight);

    // One row high, scrolled to the end: the third row shows chips 16 to 19, then nothing.
    platform::Rect client = palette->ClientRectangle();
    palette->SetClientSize(client.m_nWidth, kMapCellSize + kToolBarRowHeight + kStatusBarHeight);
    platform::ModelOf<platform::ScrollBarModel>(bar)->UserRequest(platform::kSbBottom);
    EXPECT_EQ(palette->ScrollRow(), 2);
    palette->OnPaint();
    const DibBitmap& view = palette->Picture().Canvas();
    const DibBitmap& tiles = EditorBitmaps[kBitmapMapChip];
    for (int column = 0; column < kPaletteChipsPerRow; ++column)
    {
        int chip = 16 + column;
        // The middle of the tile (the selection frame lies on the edges of chip 0, not shown).
        int x = column * kMapCellSize + 16;
        int tile = chip % kSampleChipTiles;
        uint32_t expected = chip < 20 ? tiles.PixelRgb(tile % 8 * kMapCellSize + 16, tile / 8 * kMapCellSize + 16) : 0;
        EXPECT_EQ(view.PixelRgb(x, 16), expected) << chip;
    }

    // A click picks the chip under it; one below the last chip names none.
    auto click = [&](int x, int y) {
        platform::SendWindowMessage(palette->Handle(), platform::kWmLButtonDown, platform::kMkLButton,
                                    platform::MakeLParam(x, y + palette->OriginY()));
    };
    click(3 * kMapCellSize + 1, 1);
    EXPECT_EQ(StageEdit.m_nPltNum, 19);
    EXPECT_EQ(StageEdit.m_PickedChip[0][0], 19);
    EXPECT_EQ(DummyOf(*palette)->GetStatusBar()->Text(), "20 : 地形19");
    click(5 * kMapCellSize + 1, 1);
    EXPECT_EQ(StageEdit.m_nPltNum, 21);
    EXPECT_EQ(DummyOf(*palette)->GetStatusBar()->Text(), "");

    // Its tool bar chooses the tool.
    platform::ModelToolBar* tools = BarOf(*palette);
    ASSERT_EQ(tools->ButtonCount(), 4);
    EXPECT_EQ(tools->Tip(3), "塗り潰し");
    platform::SendWindowMessage(palette->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdToolFill, 0), 0);
    EXPECT_EQ(StageEdit.m_nTool, kToolFill);
    EXPECT_EQ(tools->ButtonState(kCmdToolFill), ToolButton::kStateChecked | ToolButton::kStateEnabled);
    EXPECT_EQ(tools->ButtonState(kCmdToolPen), ToolButton::kStateEnabled);
    // It does not close by itself.
    platform::SendWindowMessage(palette->Handle(), platform::kWmClose, 0, 0);
    EXPECT_TRUE(palette->Handle());
}

TEST_F(StageWindowTest, APickOnTheMapTakesTheFrameOffTheChipPaletteAtOnce)
{
    StartWithLands(5);
    MapChipPalette* palette = Window()->ChipPalette();
    ASSERT_NE(palette, nullptr);
    platform::SendWindowMessage(palette->Handle(), platform::kWmLButtonDown, platform::kMkLButton,
                                platform::MakeLParam(kMapCellSize + 1, palette->OriginY() + 1));
    ASSERT_EQ(StageEdit.m_nPltNum, 1);
    const DibBitmap& view = palette->Picture().Canvas();
    const uint32_t framed = view.PixelRgb(kMapCellSize, 0); // the frame's left edge
    RightDrag(0, 0, 1, 1);
    EXPECT_EQ(StageEdit.m_nPltNum, -1);
    const uint32_t after = view.PixelRgb(kMapCellSize, 0);
    EXPECT_NE(after, framed);
    palette->OnPaint();
    EXPECT_EQ(view.PixelRgb(kMapCellSize, 0), after) << "the palette was drawn as it is";
}

TEST_F(StageWindowTest, ThePopupOfTheEventModeCopiesPastesAndDeletesOnItsCell)
{
    StartWithLands(5);
    Event event;
    event.m_strName = "宝箱";
    event.m_Page.resize(1);
    Stage.PutEvent(event, 2, 1);
    Command(kCmdMenuEvents);
    ASSERT_EQ(StageEdit.m_nPalette, kPaletteEvent);
    StageEditorWindow* window = Window();
    m_System.SetActiveWindow(window->Handle());

    auto popupOn = [&](int column, int row, int choice) {
        m_System.SetPopupChoice(choice);
        MapMouse(platform::kWmMouseMove, column, row, false, false);
        MapMouse(platform::kWmRButtonDown, column, row, false, true);
        MapMouse(platform::kWmRButtonUp, column, row, false, false);
        const platform::Menu* popup = DummyOf(*window)->LastPopupMenu();
        // The mouse moves on before the chosen command arrives.
        MapMouse(platform::kWmMouseMove, 0, 0, false, false);
        m_System.PumpMessages();
        return popup;
    };
    const platform::Menu* popup = popupOn(2, 1, kCmdEventCopy);
    ASSERT_NE(popup, nullptr);
    for (int id : {kCmdEventEdit, kCmdEventCut, kCmdEventCopy, kCmdEventDelete})
    {
        EXPECT_FALSE(FindItem(popup->m_Items, id)->m_bGrayed) << id;
    }
    EXPECT_TRUE(FindItem(popup->m_Items, kCmdEventPaste)->m_bGrayed);
    EXPECT_EQ(StageEdit.m_bClipboard, 1);
    EXPECT_EQ(StageEdit.m_ClipboardEvent.m_strName, "宝箱");
    EXPECT_EQ(StageEdit.m_MapCursor.Count(), 1);

    // On an empty cell only pasting is offered; it goes to the cell of the menu.
    popup = popupOn(4, 3, kCmdEventPaste);
    EXPECT_TRUE(FindItem(popup->m_Items, kCmdEventCopy)->m_bGrayed);
    EXPECT_FALSE(FindItem(popup->m_Items, kCmdEventPaste)->m_bGrayed);
    ASSERT_NE(Stage.GetEventAt(4, 3), nullptr);
    EXPECT_EQ(Stage.GetEventAt(4, 3)->m_strName, "宝箱");
    EXPECT_EQ(Stage.m_Event.size(), 2u);

    popupOn(2, 1, kCmdEventDelete);
    EXPECT_EQ(Stage.GetEventAt(2, 1), nullptr);
    popupOn(4, 3, kCmdEventCut);
    EXPECT_TRUE(Stage.m_Event.empty());
    EXPECT_EQ(StageEdit.m_MapCursor.Count(), 1);
    // Each was one undo step.
    Command(kCmdUndo);
    Command(kCmdUndo);
    Command(kCmdUndo);
    EXPECT_EQ(Stage.m_Event.size(), 1u);
    EXPECT_NE(Stage.GetEventAt(2, 1), nullptr);

    // No pop-up with the map chips.
    Command(kCmdMenuMapChips);
    m_System.SetActiveWindow(window->Handle());
    platform::Point last = DummyOf(*window)->LastPopupPosition();
    popupOn(2, 1, 0);
    EXPECT_EQ(DummyOf(*window)->LastPopupPosition().m_nX, last.m_nX);
    EXPECT_EQ(DummyOf(*window)->LastPopupPosition().m_nY, last.m_nY);
    EXPECT_EQ(StageEdit.m_MapCursor.Count(), 1);
    m_System.SetPopupChoice(0);
}

TEST_F(StageWindowTest, ThePopupOffAStageSmallerThanTheViewOffersNothingAndPlacesNothing)
{
    StartWithLands(5);
    Stage.ResizeMap(5, 4);
    Command(kCmdMenuEvents);
    StageEditorWindow* window = Window();
    StageEdit.m_bClipboard = 1;
    StageEdit.m_ClipboardEvent.m_strName = "宝箱";
    ScriptedModalRuns runs;
    runs.Answer([](DialogBase& dialog) { dialog.Close(1); });
    auto popupOn = [&](int column, int row, int choice)
    {
        m_System.SetActiveWindow(window->Handle());
        m_System.SetPopupChoice(choice);
        MapMouse(platform::kWmMouseMove, column, row, false, false);
        MapMouse(platform::kWmRButtonDown, column, row, false, true);
        MapMouse(platform::kWmRButtonUp, column, row, false, false);
        const platform::Menu* popup = DummyOf(*window)->LastPopupMenu();
        m_System.PumpMessages();
        m_System.SetPopupChoice(0);
        return popup;
    };
    for (int choice : {kCmdEventPaste, kCmdEventNew})
    {
        const platform::Menu* popup = popupOn(8, 6, choice);
        ASSERT_NE(popup, nullptr);
        for (const platform::MenuItem& item : popup->m_Items)
        {
            EXPECT_TRUE(item.m_nCommand == 0 || item.m_bGrayed) << item.m_nCommand;
        }
        EXPECT_TRUE(Stage.m_Event.empty()) << choice;
        EXPECT_TRUE(runs.Runs().empty()) << choice;
        EXPECT_FALSE(StageEdit.CanUndo()) << choice;
        EXPECT_EQ(StageEdit.m_MapCursor.Count(), 1);
    }
    // On the stage, the last cell: paste and "新規作成" are offered and act.
    const platform::Menu* popup = popupOn(4, 3, kCmdEventPaste);
    EXPECT_FALSE(FindItem(popup->m_Items, kCmdEventPaste)->m_bGrayed);
    EXPECT_FALSE(FindItem(popup->m_Items, kCmdEventNew)->m_bGrayed);
    ASSERT_NE(Stage.GetEventAt(4, 3), nullptr);
    EXPECT_EQ(Stage.GetEventAt(4, 3)->m_strName, "宝箱");
}

TEST_F(StageWindowTest, ThePopupAndTheStartEventOpenTheEventDialog)
{
    StartWithLands(5);
    Command(kCmdMenuEvents);
    StageEditorWindow* window = Window();
    ScriptedModalRuns runs;
    auto press = [&](int button) {
        runs.Answer([button](DialogBase& dialog) {
            platform::ModelOf<platform::ButtonModel>(platform::ResolveWindow(dialog.Handle())
                                                         ->System()
                                                         .GetDlgItem(dialog.Handle(), button))
                ->UserClick();
        });
    };
    auto popupOn = [&](int column, int row, int choice) {
        m_System.SetActiveWindow(window->Handle());
        m_System.SetPopupChoice(choice);
        MapMouse(platform::kWmMouseMove, column, row, false, false);
        MapMouse(platform::kWmRButtonDown, column, row, false, true);
        MapMouse(platform::kWmRButtonUp, column, row, false, false);
        m_System.PumpMessages();
        m_System.SetPopupChoice(0);
    };

    // "新規作成": cancelled, nothing is placed; confirmed, the new event stands on the menu's cell, one undo step.
    press(kIdDialogCancel);
    popupOn(3, 2, kCmdEventNew);
    EXPECT_TRUE(Stage.m_Event.empty());
    press(kIdDialogOk);
    popupOn(3, 2, kCmdEventNew);
    ASSERT_NE(Stage.GetEventAt(3, 2), nullptr);
    ASSERT_EQ(runs.Runs().size(), 2u);
    EXPECT_EQ(runs.Runs()[1].m_nDialogId, kIdEventDialog);
    EXPECT_EQ(runs.Runs()[1].m_nResult, 1);

    // "編集" on it: the dialog edits that event.
    runs.Answer([](DialogBase& dialog) {
        auto& events = static_cast<EventDialog&>(dialog);
        EXPECT_EQ(EventDialog::Running(), &events);
        dialog.Close(0);
    });
    popupOn(3, 2, kCmdEventEdit);
    EXPECT_EQ(runs.Runs().size(), 3u);
    Command(kCmdUndo);
    EXPECT_TRUE(Stage.m_Event.empty());

    // "初期イベント": the start event, written to its file on OK.
    press(kIdDialogOk);
    Command(kCmdStartEvent);
    EXPECT_EQ(runs.Runs().size(), 4u);
    EXPECT_TRUE(fs::exists("data/database/StartEvent.dat"));
}

TEST_F(StageWindowTest, TestPlayStartsTheGameOnceAtATimeAndClearsTheHistory)
{
    StartWithLands(5);
    EditConfig.m_bSearchGameProgram = 1;
    ClickCell(0, 0);

    // No game program: the box, nothing started.
    Command(kCmdTestPlay);
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_EQ(LastBox()->m_strText, "ゲームプログラムが見つかりません！");
    EXPECT_EQ(LastBox()->m_strCaption, "エラー");
    EXPECT_EQ(TestPlayRunning, 0);
    EXPECT_TRUE(StageEdit.CanUndo());

    // One already running: refused, the history kept.
    fs::copy_file(TK_FAKE_GAME, "game");
    TestPlayRunning = 1;
    Command(kCmdTestPlayKey);
    EXPECT_EQ(LastBox()->m_strText, "二重起動はできません！");
    EXPECT_TRUE(StageEdit.CanUndo());
    TestPlayRunning = 0;

    // A stand-in game that reports its end: each test play clears the history and the next one can start.
    setenv("TK_FAKE_GAME_END", "report", 1);
    size_t boxes = m_Boxes.Boxes().size();
    for (int play = 0; play < 2; ++play)
    {
        ClickCell(1, 0);
        // Sent without taking the messages that follow: the game may report its end at once.
        platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(kCmdTestPlay, 0), 0);
        EXPECT_EQ(TestPlayRunning, 1) << play;
        EXPECT_FALSE(StageEdit.CanUndo()) << play;
        EXPECT_EQ(BarOf(*Window())->ButtonState(kCmdUndo), 0) << play;
        EXPECT_TRUE(PumpUntil([] { return TestPlayRunning == 0; })) << play;
    }
    EXPECT_EQ(m_Boxes.Boxes().size(), boxes);
    unsetenv("TK_FAKE_GAME_END");

    // A program that cannot be started: the box, the flag cleared, the windows usable.
    m_Folder.WriteFile("notes.txt", std::string("not a program"));
    EditConfig.m_bSearchGameProgram = 0;
    EditConfig.m_strGameProgram = "notes.txt";
    Command(kCmdTestPlay);
    EXPECT_EQ(LastBox()->m_strText, "ゲームプログラムが呼び出せません！");
    EXPECT_EQ(LastBox()->m_hOwner, MainWindow.Handle());
    EXPECT_EQ(TestPlayRunning, 0);
    EXPECT_TRUE(Window()->Native()->IsEnabled());
}

TEST_F(StageWindowTest, MinimisingPutsTheWindowAndItsPaletteIntoTheTaskBar)
{
    StartWithLands(5);
    StageEditorWindow* window = Window();
    MapChipPalette* palette = window->ChipPalette();
    platform::SendWindowMessage(window->Handle(), platform::kWmSysCommand, platform::kScMinimize, 0);
    for (WindowBase* shown : std::initializer_list<WindowBase*>{window, palette})
    {
        EXPECT_TRUE(shown->Native()->IsVisible());
        EXPECT_TRUE(shown->Native()->IsMinimized());
    }
    EXPECT_EQ(window->IsHidden(), 0);
    // The task bar gives it back.
    platform::SendWindowMessage(window->Handle(), platform::kWmSysCommand, platform::kScRestore, 0);
    EXPECT_FALSE(window->Native()->IsMinimized());
}

TEST_F(StageWindowTest, TheDatabaseHidesTheEditorWhileItIsOpenAndItsCloseGivesTheWindowsBack)
{
    StartWithLands(5);
    // The editor's loop: every message offered to the application first.
    m_System.SetMessageFilter([](platform::WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
        return App.PreTranslateMessage({hwnd, message, wParam, lParam}) != 0;
    });
    StageEditorWindow* window = Window();
    Command(kCmdDatabase);
    auto* sheet = dynamic_cast<DatabaseSheet*>(window->OpenSheet());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->ParentWindow(), window->Handle());
    EXPECT_EQ(App.m_Sheets.size(), 1u);
    for (WindowBase* shown : App.m_Windows)
    {
        if (shown->Handle() != sheet->Page(kPageClass)->Handle())
        {
            EXPECT_FALSE(shown->Native()->IsVisible());
            EXPECT_FALSE(shown->Native()->IsEnabled());
        }
    }
    // The pages read the editor's own bitmaps: the class page offers a graphic per cell of Character.bmp.
    auto* classes = static_cast<ClassPage*>(sheet->Page(kPageClass));
    EXPECT_EQ(classes->GraphicItems().size(),
              static_cast<size_t>(EditorBitmaps[kBitmapCharacter].Width() / 48 - 1));

    // Cancel; the loop's next turn deletes the sheet, whose end gives every window back.
    platform::SendWindowMessage(sheet->SheetWindow(), platform::kWmCommand, platform::MakeWParam(platform::kIdCancel, 0),
                                0);
    m_System.PumpMessages();
    EXPECT_EQ(window->OpenSheet(), nullptr);
    EXPECT_TRUE(App.m_Sheets.empty());
    for (WindowBase* shown : App.m_Windows)
    {
        EXPECT_TRUE(shown->Native()->IsVisible());
        EXPECT_TRUE(shown->Native()->IsEnabled());
    }

    // Opened again, and left open as the editor shuts down.
    Command(kCmdDatabase);
    EXPECT_NE(window->OpenSheet(), nullptr);
    Stop();
    EXPECT_TRUE(App.m_Sheets.empty());
    m_System.SetMessageFilter(nullptr);
}

TEST_F(StageWindowTest, AMissingBitmapIsNamedAndEndsTheEditor)
{
    fs::remove("bmp/Effect.bmp");
    ASSERT_TRUE(Start());
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_EQ(LastBox()->m_strText, "bmp\\Effect.bmp が読み込めません！");
    EXPECT_FALSE(MainWindow.Handle());
    EXPECT_TRUE(m_System.QuitPending());
    // The view was never shown and opened no palette.
    ASSERT_NE(MainWindow.View(), nullptr);
    EXPECT_FALSE(MainWindow.View()->Handle());
    m_System.RunMessageLoop(nullptr);
}

} // namespace
