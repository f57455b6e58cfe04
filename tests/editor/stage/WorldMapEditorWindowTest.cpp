// The world-map editor of a started editor on the dummy backend, opened by the
// stage editor's command: the window and its palettes, the pen, the pick, the
// history, the pop-up of the event mode with its stage numbers, the settings,
// the palette files, saving and the ways of closing it.
#include "common/data/DataFilePaths.h"
#include "common/data/DataStream.h"
#include "common/data/ProjectData.h"
#include "common/graphics/Palette.h"
#include "editor/framework/ModalRuns.h"
#include "platform/core/Files.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/StageEditorDialogs.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "editor/stage/WorldMapPalettes.h"
#include "editor/stage/WorldMapSettingsDialog.h"
#include "platform/window/Beep.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "tests/editor/stage/StageWindowFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

std::vector<char> FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

WorldMapEvent Template(const char* name, int32_t kind)
{
    WorldMapEvent event;
    event.Init();
    event.m_strName = name;
    event.m_Page.At(0).m_nKind = kind;
    return event;
}

class WorldMapWindowTest : public StageWindowTest
{
protected:
    void SetUp() override
    {
        StageWindowTest::SetUp();
        WorldMapEdit.SetFreeMemoryProbe([] { return uint64_t{1} << 40; });
    }
    void TearDown() override
    {
        SetWorldMapEventDialogStandIn(nullptr);
        StageWindowTest::TearDown();
        WorldMapEdit.ClearHistory();
    }

    // The editor started, the world map as given, and the world-map editor opened from the stage editor.
    void OpenWorldMap(const Rows& rows)
    {
        StartWithLands(5);
        CurrentVersion = kDataFormatVersion;
        WorldMap = WorldMapRecord();
        WorldMap.Resize(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size()));
        for (int y = 0; y < WorldMap.m_nHeight; ++y)
        {
            for (int x = 0; x < WorldMap.m_nWidth; ++x)
            {
                WorldMap.CellAt(x, y) = rows[y][x] - '0';
            }
        }
        Command(kCmdWorldMap);
        ASSERT_NE(World(), nullptr);
        m_System.SetActiveWindow(World()->Handle());
    }
    WorldMapEditorWindow* World() const
    {
        return Window() ? static_cast<WorldMapEditorWindow*>(Window()->WorldMapWindow()) : nullptr;
    }
    void WorldCommand(int id)
    {
        platform::SendWindowMessage(World()->Handle(), platform::kWmCommand, platform::MakeWParam(id, 0), 0);
        m_System.PumpMessages();
    }
    Rows WorldRows() const
    {
        Rows rows;
        for (int y = 0; y < WorldMap.m_nHeight; ++y)
        {
            std::string row;
            for (int x = 0; x < WorldMap.m_nWidth; ++x)
            {
                int32_t cell = WorldMap.CellAt(x, y);
                row += cell >= 0 && cell <= 9 ? static_cast<char>('0' + cell) : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
    void WorldMouse(uint32_t message, int column, int row, bool left, bool right)
    {
        MouseOnCell(*World(), World()->Viewport(), message, column, row, left, right);
    }
    void WorldClick(int column, int row)
    {
        WorldMouse(platform::kWmMouseMove, column, row, false, false);
        WorldMouse(platform::kWmLButtonDown, column, row, true, false);
        WorldMouse(platform::kWmLButtonUp, column, row, false, false);
    }
    // The chip palette's square of row and column clicked.
    void ClickChip(int row, int column)
    {
        WorldMapChipPalette* palette = World()->ChipPalette();
        platform::SendWindowMessage(
            palette->Handle(), platform::kWmLButtonDown, platform::kMkLButton,
            platform::MakeLParam(palette->OriginX() + column * 32 + 3, palette->OriginY() + row * 32 + 3));
    }
    // The pop-up of the event mode opened on a cell, the command chosen.
    const platform::Menu* PopupOn(int column, int row, int choice)
    {
        m_System.SetActiveWindow(World()->Handle());
        m_System.SetPopupChoice(choice);
        WorldMouse(platform::kWmMouseMove, column, row, false, false);
        WorldMouse(platform::kWmRButtonDown, column, row, false, true);
        WorldMouse(platform::kWmRButtonUp, column, row, false, false);
        const platform::Menu* popup = DummyOf(*World())->LastPopupMenu();
        // The mouse moves on before the chosen command arrives.
        WorldMouse(platform::kWmMouseMove, 0, 0, false, false);
        m_System.PumpMessages();
        m_System.SetPopupChoice(0);
        return popup;
    }
    platform::WindowHandle Item(const DialogBase& dialog, int id) { return m_System.GetDlgItem(dialog.Handle(), id); }
    void Click(const DialogBase& dialog, int id) { platform::ModelOf<platform::ButtonModel>(Item(dialog, id))->UserClick(); }
    void Type(const DialogBase& dialog, int id, const std::string& text)
    {
        platform::ModelOf<platform::EditModel>(Item(dialog, id))->SetText(text);
    }
    std::string TextOf(const DialogBase& dialog, int id)
    {
        return platform::ModelOf<platform::ControlModel>(Item(dialog, id))->Text();
    }
    Rows ListRows(const DialogBase& dialog, int id)
    {
        return platform::ModelOf<platform::ItemListModel>(Item(dialog, id))->Items();
    }
    // The event dialog stands in: OK after the edit, with its undo point, as the dialog does it.
    void EventDialogAnswers(int result, std::function<void(WorldMapEvent&)> edit = nullptr)
    {
        SetWorldMapEventDialogStandIn([this, result, edit](WorldMapEditorWindow& window, int showFlags) {
            m_DialogRuns.push_back({WorldMapEdit.m_pCurrentEvent, WorldMapEdit.m_bEditExisting, showFlags});
            if (result == 1 && edit && WorldMapEdit.m_pCurrentEvent)
            {
                window.RecordUndo();
                edit(*WorldMapEdit.m_pCurrentEvent);
            }
            return result;
        });
    }

    struct DialogRun
    {
        WorldMapEvent* m_pEvent;
        int32_t m_bEditExisting;
        int m_nShowFlags;
    };
    std::vector<DialogRun> m_DialogRuns;
    ScriptedModalRuns m_Runs;
};

TEST_F(WorldMapWindowTest, OpensFromTheStageEditorAndEveryCloseBringsTheStageEditorBack)
{
    OpenWorldMap({"0000", "0000"});
    WorldMapEditorWindow* world = World();
    EXPECT_EQ(MainWindow.m_nViewMode, kViewModeWorldMap);
    EXPECT_EQ(world->Native()->Text(), "ワールドマップ");
    EXPECT_FALSE(Window()->Native()->IsVisible()) << "the other windows are hidden while it is open";
    EXPECT_FALSE(Window()->Native()->IsEnabled());
    ASSERT_NE(world->ChipPalette(), nullptr);
    EXPECT_EQ(world->EventPalette(), nullptr);
    platform::ModelToolBar* bar = DummyOf(*world)->GetToolBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 7);
    const char* tips[] = {"上書き保存", "", "元に戻す", "やり直し", "", "マップチップパレット", "イベントパレット"};
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ(bar->Tip(i), tips[i]) << i;
    }
    EXPECT_EQ(bar->ButtonState(kCmdUndo), 0);
    EXPECT_EQ(bar->ButtonState(kCmdBarMapChips), platform::ToolButton::kStateChecked | platform::ToolButton::kStateEnabled);

    // The chip palette opens beside this window, the event palette beside the stage editor's.
    platform::Rect worldRect = world->Native()->WindowRect();
    platform::Rect stageRect = Window()->Native()->WindowRect();
    EXPECT_EQ(world->ChipPalette()->Native()->WindowRect().m_nLeft, worldRect.Right());
    EXPECT_EQ(world->ChipPalette()->Native()->WindowRect().m_nTop, worldRect.m_nTop + 10);
    // Moved away from the stage editor, so that the two positions differ.
    world->Native()->SetWindowRect({worldRect.m_nLeft + 50, worldRect.m_nTop + 30, worldRect.m_nWidth - 40,
                                    worldRect.m_nHeight});
    WorldCommand(kCmdBarEvents);
    ASSERT_NE(world->EventPalette(), nullptr);
    EXPECT_EQ(world->EventPalette()->Native()->WindowRect().m_nLeft, stageRect.Right());
    EXPECT_EQ(world->EventPalette()->Native()->WindowRect().m_nTop, stageRect.m_nTop + 10);
    WorldCommand(kCmdBarMapChips);
    ASSERT_NE(world->ChipPalette(), nullptr);

    // Minimised it hides with its palette; the editor activated again shows them.
    platform::SendWindowMessage(world->Handle(), platform::kWmSysCommand, platform::kScMinimize, 0);
    EXPECT_FALSE(world->Native()->IsVisible());
    EXPECT_FALSE(world->ChipPalette()->Native()->IsVisible());
    platform::SendWindowMessage(MainWindow.Handle(), platform::kWmActivateApp, 1, 0);
    EXPECT_TRUE(world->Native()->IsVisible());
    EXPECT_TRUE(world->ChipPalette()->Native()->IsVisible());
    EXPECT_FALSE(Window()->Native()->IsVisible());

    // Closing the window asks; No keeps it.
    m_Boxes.AnswerBoxes({platform::kIdNo});
    platform::SendWindowMessage(world->Handle(), platform::kWmClose, 0, 0);
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_EQ(LastBox()->m_strText, "ワールドマップのエディットを終了しますか？");
    EXPECT_EQ(LastBox()->m_strCaption, "終了確認");
    EXPECT_NE(world->Handle(), nullptr);

    // Quitting without saving asks nothing; the stage editor is the view again.
    size_t boxes = m_Boxes.Boxes().size();
    WorldCommand(kCmdWorldQuit);
    EXPECT_EQ(m_Boxes.Boxes().size(), boxes);
    EXPECT_EQ(world->Handle(), nullptr);
    EXPECT_EQ(world->ChipPalette(), nullptr) << "its palette went with it";
    EXPECT_EQ(MainWindow.m_nViewMode, kViewModeStage);
    EXPECT_TRUE(Window()->Native()->IsVisible());
    EXPECT_TRUE(Window()->Native()->IsEnabled());

    // Opened again: palette 0 and an empty history; closed with Yes: the same end.
    Command(kCmdWorldMap);
    ASSERT_NE(World(), nullptr);
    EXPECT_EQ(WorldMapEdit.m_nPalette, kPaletteMapChip);
    EXPECT_FALSE(WorldMapEdit.CanUndo());
    m_Boxes.AnswerBoxes({platform::kIdYes});
    platform::SendWindowMessage(World()->Handle(), platform::kWmClose, 0, 0);
    EXPECT_EQ(World()->Handle(), nullptr);
    EXPECT_EQ(MainWindow.m_nViewMode, kViewModeStage);
}

TEST_F(WorldMapWindowTest, ABitmapThatDoesNotLoadKeepsTheWorldMapClosedAndTheStageEditorRunning)
{
    StartWithLands(5);
    Stage.CellAt(2, 1) = 3; // an edit not yet saved
    for (const char* name : {"WorldMapChip.bmp", "WorldEvent.bmp"})
    {
        SCOPED_TRACE(name);
        fs::rename(fs::path("bmp") / name, "held.bmp");
        size_t boxes = m_Boxes.Boxes().size();
        Command(kCmdWorldMap);
        ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1);
        EXPECT_EQ(LastBox()->m_strText, std::string("bmp\\") + name + " が読み込めません！");
        EXPECT_EQ(World(), nullptr);
        EXPECT_TRUE(m_System.IsWindow(MainWindow.Handle())) << "the editor goes on";
        EXPECT_EQ(MainWindow.m_nViewMode, kViewModeStage);
        EXPECT_TRUE(Window()->Native()->IsVisible());
        EXPECT_TRUE(Window()->Native()->IsEnabled());
        EXPECT_EQ(Stage.CellAt(2, 1), 3);
        fs::rename("held.bmp", fs::path("bmp") / name);
    }
    // With the bitmaps back, it opens.
    Command(kCmdWorldMap);
    EXPECT_NE(World(), nullptr);
}

TEST_F(WorldMapWindowTest, OpenedAgainThePenDrawsTheChipThePaletteShows)
{
    OpenWorldMap({"555", "555"});
    ClickChip(1, 2); // chip 7
    WorldClick(0, 0);
    EXPECT_EQ(WorldRows(), (Rows{"755", "555"}));
    WorldCommand(kCmdWorldQuit);

    Command(kCmdWorldMap);
    ASSERT_NE(World(), nullptr);
    m_System.SetActiveWindow(World()->Handle());
    EXPECT_EQ(WorldMapEdit.m_nPltNum, 0);
    WorldClick(1, 1);
    EXPECT_EQ(WorldRows(), (Rows{"755", "505"}));
}

TEST_F(WorldMapWindowTest, ThePenPaintsTheChipChosenOrPickedAndTheHistoryUndoesIt)
{
    OpenWorldMap({"00000", "00000", "00000"});
    WorldMapChipPalette* palette = World()->ChipPalette();
    // Row 1, column 2 of the palette is chip 7.
    ClickChip(1, 2);
    palette->OnPaint();
    EXPECT_EQ(WorldMapEdit.m_nPltNum, 7);
    EXPECT_EQ(DummyOf(*palette)->GetStatusBar()->Text(), "7 : 通行可");

    // A stroke: press on (1, 0), drag over (2, 0) and (2, 1).
    WorldMouse(platform::kWmMouseMove, 1, 0, false, false);
    WorldMouse(platform::kWmLButtonDown, 1, 0, true, false);
    WorldMouse(platform::kWmMouseMove, 2, 0, true, false);
    WorldMouse(platform::kWmMouseMove, 2, 1, true, false);
    WorldMouse(platform::kWmLButtonUp, 2, 1, false, false);
    EXPECT_EQ(WorldRows(), (Rows{"07700", "00700", "00000"}));
    EXPECT_EQ(DummyOf(*World())->GetStatusBar()->Text(), "座標 (2,1)");

    // The right button picks a block from the map; the palette's frame goes.
    WorldMouse(platform::kWmMouseMove, 1, 0, false, false);
    WorldMouse(platform::kWmRButtonDown, 1, 0, false, true);
    EXPECT_EQ(WorldMapEdit.m_nPenMode, kPenModePicking);
    WorldMouse(platform::kWmMouseMove, 2, 1, false, true);
    WorldMouse(platform::kWmRButtonUp, 2, 1, false, false);
    EXPECT_EQ(WorldMapEdit.m_nPltNum, -1);
    EXPECT_EQ(WorldMapEdit.m_nPenMode, kToolPen);
    EXPECT_EQ(WorldMapEdit.m_nBlockWidth, 2);
    EXPECT_EQ(WorldMapEdit.m_nBlockHeight, 2);
    EXPECT_EQ(DummyOf(*palette)->GetStatusBar()->Text(), "");

    // The block at the corner: only the cells inside the map change.
    WorldClick(4, 2);
    EXPECT_EQ(WorldRows(), (Rows{"07700", "00700", "00007"}));
    // A picked number that is no chip leaves the cell.
    WorldMapEdit.m_nBlockWidth = 1;
    WorldMapEdit.m_nBlockHeight = 1;
    WorldMapEdit.m_PickedChip[0][0] = 10;
    WorldClick(0, 2);
    EXPECT_EQ(WorldRows(), (Rows{"07700", "00700", "00007"}));

    // Depth 3: four strokes, three steps back.
    WorldMapEdit.m_PickedChip[0][0] = 3;
    WorldClick(0, 0);
    EXPECT_EQ(DummyOf(*World())->GetToolBar()->ButtonState(kCmdUndo), platform::ToolButton::kStateEnabled);
    for (int i = 0; i < 4; ++i)
    {
        WorldCommand(kCmdUndoKey);
    }
    EXPECT_EQ(WorldRows(), (Rows{"07700", "00700", "00000"}));
    EXPECT_EQ(DummyOf(*World())->GetToolBar()->ButtonState(kCmdUndo), 0);
    WorldCommand(kCmdRedo);
    WorldCommand(kCmdRedoKey);
    EXPECT_EQ(WorldRows(), (Rows{"07700", "00700", "00007"}));

    // Clearing every chip asks, and is one step.
    m_Boxes.AnswerBoxes({platform::kIdYes});
    WorldCommand(kCmdClearChips);
    EXPECT_EQ(LastBox()->m_strText, "全てのマップチップをクリアしますか？");
    EXPECT_EQ(WorldRows(), (Rows{"00000", "00000", "00000"}));
    WorldCommand(kCmdUndo);
    EXPECT_EQ(WorldRows(), (Rows{"07700", "00700", "00007"}));
}

TEST_F(WorldMapWindowTest, ThePopupActsOnItsCellAndNumbersTheStagesItPlaces)
{
    OpenWorldMap({"0000", "0000", "0000"});
    EditConfig.m_bAutoStageNumber = 1;
    WorldMapEvent village = Template("村", kWorldPageStage);
    village.m_Page.At(0).m_nStageNumber = 1;
    WorldMap.PutEvent(village, 3, 0);
    WorldCommand(kCmdMenuEvents);
    ASSERT_EQ(WorldMapEdit.m_nPalette, kPaletteEvent);
    ASSERT_NE(World()->EventPalette(), nullptr);
    EXPECT_EQ(World()->ChipPalette(), nullptr);

    // New at (1, 2): the dialog gets the new event numbered, and OK places it there.
    EventDialogAnswers(1, [](WorldMapEvent& event) { event.m_strName = "砦"; });
    const platform::Menu* popup = PopupOn(1, 2, kCmdEventNew);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(m_DialogRuns.size(), 1u);
    EXPECT_EQ(m_DialogRuns[0].m_bEditExisting, 0);
    ASSERT_NE(WorldMap.FindEventAt(1, 2), nullptr);
    EXPECT_EQ(WorldMap.FindEventAt(1, 2)->m_strName, "砦");
    EXPECT_EQ(WorldMap.FindEventAt(1, 2)->m_Page.At(0).m_nStageNumber, 2);
    EXPECT_EQ(WorldMapEdit.m_MapCursor.Count(), 1);

    // Copy the village, paste it on (0, 0): a free number again.
    PopupOn(3, 0, kCmdEventCopy);
    EXPECT_EQ(WorldMapEdit.m_bClipboard, 1);
    popup = PopupOn(0, 0, kCmdEventPaste);
    const platform::MenuItem* copy = nullptr;
    for (const platform::MenuItem& item : popup->m_Items)
    {
        if (item.m_nCommand == kCmdEventCopy)
        {
            copy = &item;
        }
    }
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->m_bGrayed) << "nothing to copy on an empty cell";
    ASSERT_NE(WorldMap.FindEventAt(0, 0), nullptr);
    EXPECT_EQ(WorldMap.FindEventAt(0, 0)->m_strName, "村");
    EXPECT_EQ(WorldMap.FindEventAt(0, 0)->m_Page.At(0).m_nStageNumber, 3);

    // Cut and delete are undo steps; edit is not (the dialog keeps its own).
    PopupOn(3, 0, kCmdEventCut);
    PopupOn(0, 0, kCmdEventDelete);
    EXPECT_EQ(WorldMap.m_Event.Count(), 1);
    PopupOn(1, 2, kCmdEventEdit);
    ASSERT_EQ(m_DialogRuns.size(), 2u);
    EXPECT_EQ(m_DialogRuns[1].m_bEditExisting, 1);
    WorldCommand(kCmdUndo); // the edit
    WorldCommand(kCmdUndo); // the delete
    WorldCommand(kCmdUndo); // the cut
    EXPECT_EQ(WorldMap.m_Event.Count(), 3);
    EXPECT_NE(WorldMap.FindEventAt(3, 0), nullptr);

    // Cancel places nothing.
    EventDialogAnswers(0);
    PopupOn(2, 1, kCmdEventNew);
    EXPECT_EQ(WorldMap.FindEventAt(2, 1), nullptr);
}

TEST_F(WorldMapWindowTest, ThePenPlacesTheChosenTemplateAndTheDialogOnlyWhenAsked)
{
    OpenWorldMap({"0000", "0000"});
    WorldMap.m_Palette.assign(1, Template("町", kWorldPageStage));
    WorldMap.m_Palette.push_back(Template("道", 1));
    EditConfig.m_bAutoStageNumber = 1;
    EditConfig.m_bWorldEditBeforePlacing = 0;
    EditConfig.m_bWorldEditPlacedEvent = 0;
    WorldCommand(kCmdBarEvents);
    WorldMapEventPalette* palette = World()->EventPalette();
    ASSERT_NE(palette, nullptr);
    const std::string trailer(64, '-');
    EXPECT_EQ(ListRows(*palette, kIdWorldTemplateList), (Rows{"町", "道", trailer}));

    // No template chosen: the pen places nothing.
    palette->List().SetCurSel(2, 0);
    palette->SyncSelection();
    EXPECT_EQ(WorldMapEdit.m_nPltNum, -1);
    WorldClick(0, 0);
    EXPECT_TRUE(WorldMap.m_Event.empty());

    palette->List().SetCurSel(0, 0);
    palette->SyncSelection();
    WorldClick(0, 0);
    WorldClick(1, 0);
    ASSERT_EQ(WorldMap.m_Event.Count(), 2);
    EXPECT_EQ(WorldMap.FindEventAt(1, 0)->m_Page.At(0).m_nStageNumber, 2);
    EXPECT_TRUE(m_DialogRuns.empty());

    // Edit just before placing: the dialog decides; Cancel places nothing and records nothing.
    EditConfig.m_bWorldEditBeforePlacing = 1;
    WorldCommand(kCmdUndo);
    WorldCommand(kCmdRedo);
    EventDialogAnswers(0);
    WorldClick(2, 1);
    ASSERT_EQ(m_DialogRuns.size(), 1u);
    EXPECT_EQ(m_DialogRuns[0].m_nShowFlags, kShowFlagDisableOthers);
    EXPECT_EQ(WorldMap.FindEventAt(2, 1), nullptr);
    // Edit when placed: the dialog edits the event standing there.
    EditConfig.m_bWorldEditPlacedEvent = 1;
    WorldClick(1, 0);
    ASSERT_EQ(m_DialogRuns.size(), 2u);
    EXPECT_EQ(m_DialogRuns[1].m_pEvent, WorldMap.FindEventAt(1, 0));
    EXPECT_EQ(m_DialogRuns[1].m_bEditExisting, 1);
}

TEST_F(WorldMapWindowTest, WideningKeepsEveryChipAndTheSettingsClearTheHistory)
{
    std::string row(20, '0');
    Rows rows(3, row);
    rows[0][19] = '4';
    rows[2][5] = '6';
    OpenWorldMap(rows);
    WorldClick(0, 0); // one undo step
    ASSERT_TRUE(WorldMapEdit.CanUndo());

    m_Runs.Answer([&](DialogBase& dialog) {
        WorldMapSettingsDialog& settings = static_cast<WorldMapSettingsDialog&>(dialog);
        // The sample follows the typed index.
        Type(dialog, kIdWorldBackColour, "17");
        const uint8_t* entry = &GlobalPalette[17 * 4];
        EXPECT_EQ(settings.Sample().Canvas().PixelRgb(5, 5),
                  uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0]);
        Type(dialog, kIdWorldWidth, "40");
        Type(dialog, kIdWorldHeight, "999");
        Click(dialog, kIdDialogOk);
    });
    WorldCommand(kCmdWorldSettings);
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_EQ(m_Runs.Runs()[0].m_nDialogId, kDialogWorldMapSettings);
    EXPECT_EQ(WorldMap.m_nWidth, 40);
    EXPECT_EQ(WorldMap.m_nHeight, 150) << "clamped to the largest height";
    EXPECT_EQ(WorldMap.m_nBackColor, 17);
    EXPECT_EQ(WorldMap.CellAt(19, 0), 4);
    EXPECT_EQ(WorldMap.CellAt(5, 2), 6);
    EXPECT_EQ(WorldMap.CellAt(20, 0), 0);
    EXPECT_FALSE(WorldMapEdit.CanUndo());
    EXPECT_TRUE(World()->Native()->IsVisible());

    // Cancel changes nothing.
    m_Runs.Answer([&](DialogBase& dialog) {
        Type(dialog, kIdWorldWidth, "5");
        Click(dialog, kIdDialogCancel);
    });
    WorldCommand(kCmdWorldSettings);
    EXPECT_EQ(WorldMap.m_nWidth, 40);
}

TEST_F(WorldMapWindowTest, AWorldMapLargerThanTheSettingsOfferKeepsItsSizeThroughOk)
{
    Rows rows(160, std::string(250, '0'));
    rows[159][249] = '4';
    OpenWorldMap(rows);
    WorldMap.m_nStartX = 230;
    WorldMap.m_nStartY = 155;
    m_Runs.Answer(
        [&](DialogBase& dialog)
        {
            EXPECT_EQ(TextOf(dialog, kIdWorldWidth), "250");
            EXPECT_EQ(TextOf(dialog, kIdWorldHeight), "160");
            Click(dialog, kIdDialogOk);
        });
    WorldCommand(kCmdWorldSettings);
    EXPECT_EQ(WorldMap.m_nWidth, 250);
    EXPECT_EQ(WorldMap.m_nHeight, 160);
    EXPECT_EQ(WorldMap.m_nStartX, 230);
    EXPECT_EQ(WorldMap.m_nStartY, 155);
    EXPECT_EQ(WorldMap.CellAt(249, 159), 4);

    // Only a size the author types makes it smaller; nothing larger than it was is taken.
    m_Runs.Answer(
        [&](DialogBase& dialog)
        {
            Type(dialog, kIdWorldWidth, "220");
            Type(dialog, kIdWorldHeight, "999");
            Click(dialog, kIdDialogOk);
        });
    WorldCommand(kCmdWorldSettings);
    EXPECT_EQ(WorldMap.m_nWidth, 220);
    EXPECT_EQ(WorldMap.m_nHeight, 160);
}

TEST_F(WorldMapWindowTest, TheTemplateListEditsTheWorldMapAndSharesItsClipboardWithTheMap)
{
    OpenWorldMap({"000", "000"});
    WorldMap.m_Palette.assign(1, Template("城", kWorldPageStage));
    WorldMap.m_Palette.push_back(Template("村", kWorldPageStage));
    WorldCommand(kCmdMenuEvents);
    WorldMapEventPalette* palette = World()->EventPalette();
    ASSERT_NE(palette, nullptr);
    const std::string trailer(64, '-');
    auto rows = [&] { return ListRows(*palette, kIdWorldTemplateList); };
    auto send = [&](int id) {
        platform::SendWindowMessage(palette->Handle(), platform::kWmCommand, platform::MakeWParam(id, 0), 0);
    };
    platform::BeepRecorder beeps;

    // Insert before the selection: the dialog edits the new template; Cancel takes it out again.
    palette->List().SetCurSel(1, 0);
    EventDialogAnswers(0);
    Click(*palette, kIdWorldTemplateInsert);
    ASSERT_EQ(m_DialogRuns.size(), 1u);
    EXPECT_EQ(m_DialogRuns[0].m_nShowFlags, kShowFlagDisableOthers);
    EXPECT_EQ(rows(), (Rows{"城", "村", trailer}));
    EventDialogAnswers(1, [](WorldMapEvent& event) { event.m_strName = "塔"; });
    Click(*palette, kIdWorldTemplateInsert);
    EXPECT_EQ(rows(), (Rows{"城", "塔", "村", trailer}));
    EXPECT_EQ(WorldMapEdit.m_nPltNum, 1);
    EXPECT_EQ(WorldMapEdit.m_PutEvent.m_strName, "塔");
    // Edit changes the template in place.
    EventDialogAnswers(1, [](WorldMapEvent& event) { event.m_strName = "塔2"; });
    Click(*palette, kIdWorldTemplateEdit);
    EXPECT_EQ(WorldMap.m_Palette.At(1).m_strName, "塔2");

    // Copy in the list, paste on the map.
    m_System.SetFocus(Item(*palette, kIdWorldTemplateList));
    palette->List().SetCurSel(0, 0);
    send(kCmdListCopy);
    EXPECT_EQ(WorldMapEdit.m_bClipboard, 1);
    EXPECT_EQ(WorldMapEdit.m_ClipboardEvent.m_strName, "城");
    PopupOn(2, 1, kCmdEventPaste);
    ASSERT_NE(WorldMap.FindEventAt(2, 1), nullptr);
    EXPECT_EQ(WorldMap.FindEventAt(2, 1)->m_strName, "城");

    // Copy on the map, paste in the list.
    WorldMap.FindEventAt(2, 1)->m_strName = "港";
    PopupOn(2, 1, kCmdEventCopy);
    m_System.SetFocus(Item(*palette, kIdWorldTemplateList));
    palette->List().SetCurSel(0, 0);
    send(kCmdListPaste);
    EXPECT_EQ(rows(), (Rows{"港", "城", "塔2", "村", trailer}));

    // The list's own insert does nothing here.
    send(kCmdListInsertItem);
    send(kCmdListInsertKey);
    EXPECT_EQ(WorldMap.m_Palette.Count(), 4);

    // The count 1 keeps the first template; the last one cannot be deleted.
    m_Runs.Answer([&](DialogBase& dialog) {
        Type(dialog, 1077, "1");
        Click(dialog, kIdDialogOk);
    });
    Click(*palette, kIdWorldTemplateCount);
    EXPECT_EQ(rows(), (Rows{"港", trailer}));
    beeps.Clear();
    palette->List().SetCurSel(0, 0);
    Click(*palette, kIdWorldTemplateDelete);
    EXPECT_EQ(beeps.Count(), 1);
    EXPECT_EQ(WorldMap.m_Palette.Count(), 1);

    // The options are EditConfig's.
    EditConfig.m_bWorldEditPlacedEvent = 0;
    Click(*palette, kIdWorldEditPlaced);
    EXPECT_EQ(EditConfig.m_bWorldEditPlacedEvent, 1);
}

TEST_F(WorldMapWindowTest, PaletteFilesRoundTripAndADamagedOneLeavesTheTemplates)
{
    OpenWorldMap({"00"});
    WorldCommand(kCmdMenuEvents);
    WorldMapEventPalette* palette = World()->EventPalette();
    ASSERT_NE(palette, nullptr);
    fs::create_directories("data/wplt");
    WorldMapEvent second = Template("関所", 1);
    second.m_Page.push_back(WorldMapEventPage());
    second.m_Page.At(1).m_strStageFile = "data\\stg\\関所.stg_276";
    WorldMap.m_Palette.assign(1, Template("城", kWorldPageStage));
    WorldMap.m_Palette.push_back(second);
    std::vector<unsigned char> before;
    {
        DataWriter out;
        SaveRecordVector(WorldMap.m_Palette, out);
        before = out.Bytes();
    }

    m_Boxes.AnswerFileDialog({"data\\wplt\\Two.wplt"});
    EXPECT_EQ(palette->SavePaletteFile(), 1);
    EXPECT_EQ(m_Boxes.FileRequests().back().m_strTitle, "保存先のファイルの選択");
    WorldMap.m_Palette.assign(1, Template("別", 0));
    m_Boxes.AnswerFileDialog({"data\\wplt\\Two.wplt"});
    EXPECT_EQ(palette->LoadPaletteFile(), 1);
    {
        DataWriter out;
        SaveRecordVector(WorldMap.m_Palette, out);
        EXPECT_EQ(out.Bytes(), before);
    }
    const std::string trailer(64, '-');
    EXPECT_EQ(ListRows(*palette, kIdWorldTemplateList), (Rows{"城", "関所", trailer}));

    // An empty palette is the version word and the count 0.
    CheckedVector<WorldMapEvent> none;
    ASSERT_EQ(SaveTableFile(none, "data\\wplt\\Empty.wplt"), 1);
    EXPECT_EQ(fs::file_size("data/wplt/Empty.wplt"), 8u);

    // A damaged file is named in a box; the templates stay.
    std::vector<char> bytes = FileBytes("data/wplt/Two.wplt");
    bytes.resize(bytes.size() - 5);
    std::ofstream("data/wplt/Broken.wplt", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    size_t boxes = m_Boxes.Boxes().size();
    m_Boxes.AnswerFileDialog({"data\\wplt\\Broken.wplt"});
    EXPECT_EQ(palette->LoadPaletteFile(), 0);
    ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox()->m_strCaption, "エラー");
    EXPECT_EQ(WorldMap.m_Palette.Count(), 2);
    EXPECT_EQ(WorldMap.m_Palette.At(1).m_strName, "関所");

    // The default palette is stored relative to the project and saved at once.
    m_Boxes.AnswerFileDialog({platform::CurrentFolder() + "/data/wplt/Two.wplt"});
    EXPECT_EQ(palette->ChooseDefaultPaletteFile(), 1);
    EXPECT_EQ(EditConfig.m_strDefaultWorldPalette, ".\\data\\wplt\\Two.wplt");
    EXPECT_TRUE(fs::exists("data/EditConfig.dat"));
}

TEST_F(WorldMapWindowTest, APaletteFileOfMoreThanNinetyNineTemplatesIsRefusedAndTheTemplatesStay)
{
    OpenWorldMap({"00"});
    WorldCommand(kCmdMenuEvents);
    WorldMapEventPalette* palette = World()->EventPalette();
    ASSERT_NE(palette, nullptr);
    fs::create_directories("data/wplt");
    CheckedVector<WorldMapEvent> many(100);
    ASSERT_EQ(SaveTableFile(many, "data\\wplt\\Many.wplt"), 1);
    WorldMap.m_Palette.assign(1, Template("城", kWorldPageStage));
    size_t boxes = m_Boxes.Boxes().size();
    m_Boxes.AnswerFileDialog({"data\\wplt\\Many.wplt"});
    EXPECT_EQ(palette->LoadPaletteFile(), 0);
    ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox()->m_strText,
              "data\\wplt\\Many.wplt が読み込めません！\nテンプレートが多すぎます (100 個、最大 99 個)");
    ASSERT_EQ(WorldMap.m_Palette.Count(), 1);
    EXPECT_EQ(WorldMap.m_Palette.At(0).m_strName, "城");
}

TEST_F(WorldMapWindowTest, SavesAreCheckedAndQuittingWithoutSavingLeavesTheFile)
{
    OpenWorldMap({"000", "000"});
    fs::create_directories("data/database");
    ClickChip(0, 4);
    WorldClick(1, 1);
    WorldCommand(kCmdSaveStageKey);
    WorldMapRecord expected;
    ASSERT_EQ(LoadRecordFile(expected, DataFilePaths[kPathWorldMap], 0), 1);
    EXPECT_EQ(expected.CellAt(1, 1), 4);
    const std::vector<char> saved = FileBytes("data/database/WorldMap.dat");

    // A save that cannot be written is named, and "save and quit" stays open.
    fs::rename("data/database/WorldMap.dat", "data/database/WorldMap.keep");
    fs::create_directories("data/database/WorldMap.dat/in-the-way");
    WorldClick(2, 1);
    size_t boxes = m_Boxes.Boxes().size();
    WorldCommand(kCmdWorldSaveAndQuit);
    ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox()->m_strCaption, "エラー");
    EXPECT_NE(World()->Handle(), nullptr);
    fs::remove_all("data/database/WorldMap.dat");
    fs::rename("data/database/WorldMap.keep", "data/database/WorldMap.dat");

    // Quit without saving: the file as it was, the edits kept in memory.
    WorldCommand(kCmdWorldQuit);
    EXPECT_EQ(FileBytes("data/database/WorldMap.dat"), saved);
    EXPECT_EQ(WorldMap.CellAt(2, 1), 4);
}

} // namespace

// The event dialog itself, opened by the pop-up's edit on a placed event.
class WorldMapEventDialogTest : public WorldMapWindowTest
{
protected:
    // A village of one stage page at (1, 0), the event mode on, and the dialog run on it with the script.
    void EditVillage(std::function<void(DialogBase&)> script)
    {
        OpenWorldMap({"000", "000"});
        GValInfo.resize(4);
        GValInfo.At(1).m_str = "勝利数";
        GValInfo.At(2).m_str = "ボス撃破";
        GValInfo.At(3).m_str = "鍵";
        WorldMapEvent village = Template("村", kWorldPageStage);
        village.m_Page.At(0).m_nStageNumber = 4;
        WorldMap.PutEvent(village, 1, 0);
        WorldCommand(kCmdMenuEvents);
        m_Runs.Answer(std::move(script));
        PopupOn(1, 0, kCmdEventEdit);
    }
    const WorldMapEvent& Village() { return *WorldMap.FindEventAt(1, 0); }
    void Choose(const DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ComboBoxModel>(Item(dialog, id))->UserSelect(row);
    }
    void Pick(const DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ListBoxModel>(Item(dialog, id))->UserSelect(row);
    }
    bool Enabled(const DialogBase& dialog, int id) { return platform::ModelOf<platform::ControlModel>(Item(dialog, id))->Window().IsEnabled(); }
    platform::BeepRecorder m_Beeps;
};

TEST_F(WorldMapEventDialogTest, RoadAndWallTurnTheStageFieldsOffAndStoreNumberZero)
{
    EditVillage([&](DialogBase& dialog) {
        EXPECT_EQ(ListRows(dialog, kIdWorldPageList)[0], "1 ステージ番号 4");
        const int stageFields[] = {kIdWorldPageStageNumber, kIdWorldPageStageFile, kIdWorldPagePassable,
                                   kIdWorldPageReplayable, kIdWorldPageGameClear};
        for (int id : stageFields)
        {
            EXPECT_TRUE(Enabled(dialog, id)) << id;
        }
        EXPECT_FALSE(Enabled(dialog, kIdWorldPageVariableValue)) << "no variable condition";
        Click(dialog, kIdWorldPageInsert); // a second page before the first
        Pick(dialog, kIdWorldPageList, 1);
        for (int kind : {1, 2})
        {
            Choose(dialog, kIdWorldPageKind, kind);
            for (int id : stageFields)
            {
                EXPECT_FALSE(Enabled(dialog, id)) << kind << " " << id;
            }
            EXPECT_TRUE(Enabled(dialog, kIdWorldPageStageFileBrowse));
            EXPECT_EQ(ListRows(dialog, kIdWorldPageList)[1], "2 ステージ番号 0");
        }
        Type(dialog, kIdWorldEventName, "壁村");
        Click(dialog, kIdDialogOk);
    });
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_EQ(m_Runs.Runs()[0].m_strTitle, "イベント");
    EXPECT_EQ(m_Runs.Runs()[0].m_nResult, 1);
    ASSERT_EQ(Village().m_Page.Count(), 2);
    EXPECT_EQ(Village().m_strName, "壁村");
    EXPECT_EQ(Village().m_Page.At(1).m_nKind, 2);
    EXPECT_EQ(Village().m_Page.At(1).m_nStageNumber, 0);
    WorldCommand(kCmdUndo);
    EXPECT_EQ(Village().m_Page.Count(), 1) << "OK recorded an undo point";
}

TEST_F(WorldMapEventDialogTest, TheOnlyPageStaysAndARenameSurvivesCancel)
{
    EditVillage([&](DialogBase& dialog) {
        Pick(dialog, kIdWorldPageList, 0);
        Click(dialog, kIdWorldPageDelete);
        EXPECT_EQ(m_Beeps.Count(), 1);
        EXPECT_EQ(ListRows(dialog, kIdWorldPageList).size(), 2u) << "one page and the trailing row";

        Click(dialog, kIdWorldPageRenameVariable); // no variable chosen
        EXPECT_EQ(m_Beeps.Count(), 2);
        Choose(dialog, kIdWorldPageVariable, 2);
        EXPECT_TRUE(Enabled(dialog, kIdWorldPageVariableValue));
        m_Runs.Answer([&](DialogBase& input) {
            Type(input, 1077, "魔王撃破");
            Click(input, kIdDialogOk);
        });
        Click(dialog, kIdWorldPageRenameVariable);
        EXPECT_EQ(ListRows(dialog, kIdWorldPageVariable)[2], "002 魔王撃破");
        Type(dialog, kIdWorldPageStageNumber, "12");
        EXPECT_EQ(ListRows(dialog, kIdWorldPageList)[0], "1 ステージ番号 12") << "the row follows the typing";
        Click(dialog, kIdDialogCancel);
    });
    EXPECT_EQ(m_Runs.Runs()[0].m_nResult, 0);
    EXPECT_EQ(GValInfo.At(2).m_str, "魔王撃破");
    EXPECT_EQ(Village().m_Page.At(0).m_nStageNumber, 4);
    EXPECT_EQ(Village().m_Page.At(0).m_nVariable, 0);
}
