// The stage editor window's command table: its menu, its tool bar, its keys
// and its pop-up menu on the map, and the test play.

#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/MessageBoxes.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/stage/MapChipPalette.h"
#include "editor/stage/MapWindowParts.h"
#include "editor/stage/StageEditorDialogs.h"
#include "editor/stage/StageEditorWindow.h"

#include <new>

namespace
{

constexpr const char* kClearCaption = "データクリアの確認";

bool AskYesNo(platform::WindowHandle owner, const char* text, const char* caption)
{
    return ShowMessageBox(owner, text, caption, platform::kMbYesNo) == platform::kIdYes;
}

} // namespace

void StageEditorWindow::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    int id = platform::LowWord(wParam);
    // Every other id (the list-editing keys of the accelerator table among
    // them) does nothing on the map.
    OnFileCommand(id) || OnEditCommand(id) || OnPaletteCommand(id) || OnDialogCommand(id) || OnPopupCommand(id);
}

bool StageEditorWindow::OnFileCommand(int id)
{
    switch (id)
    {
    case kCmdNewStage:
        if (ShowMessageBox(Handle(), "現在のステージは破棄されます。\n新規作成しますか？\n", "新規作成の確認",
                           platform::kMbYesNo) != platform::kIdNo &&
            NewStage())
        {
            ClearHistory();
            RequestFreshView();
        }
        return true;
    case kCmdOpenStage:
    case kCmdOpenStageKey:
        if (OpenStage())
        {
            ClearHistory();
            RequestFreshView();
        }
        return true;
    case kCmdSaveStage:
    case kCmdSaveStageKey:
        SaveStage(1);
        UpdateTitle();
        return true;
    case kCmdSaveStageAs:
        SaveStage(0);
        UpdateTitle();
        return true;
    case kCmdDefaultStage:
        ChooseDefaultStage();
        return true;
    default:
        return false;
    }
}

bool StageEditorWindow::OnEditCommand(int id)
{
    switch (id)
    {
    case kCmdUndo:
    case kCmdUndoKey:
        StageEdit.Undo(Stage);
        UpdateUndoState();
        RefreshPalette();
        return true;
    case kCmdRedo:
    case kCmdRedoKey:
        StageEdit.Redo(Stage);
        UpdateUndoState();
        RefreshPalette();
        return true;
    case kCmdClearChips:
    case kCmdClearEnemies:
    case kCmdClearEvents:
        ClearAll(id);
        return true;
    default:
        return false;
    }
}

void StageEditorWindow::ClearAll(int id)
{
    const char* question = id == kCmdClearChips     ? "全てのマップチップをクリアしますか？"
                           : id == kCmdClearEnemies ? "全ての敵をクリアしますか？"
                                                    : "全てのイベントをクリアしますか？";
    if (!AskYesNo(Handle(), question, kClearCaption))
    {
        return;
    }
    RecordUndo();
    switch (id)
    {
    case kCmdClearChips:
        Stage.ClearMap();
        break;
    case kCmdClearEnemies:
        Stage.m_Enemy.clear();
        RefreshPalette();
        break;
    default:
        // The edited event was one of them.
        StageEdit.m_pEditedEvent = nullptr;
        Stage.m_Event.clear();
        break;
    }
}

bool StageEditorWindow::OnPaletteCommand(int id)
{
    switch (id)
    {
    case kCmdMenuMapChips:
    case kCmdBarMapChips:
        SwitchPalette(kPaletteMapChip);
        return true;
    case kCmdMenuEnemies:
    case kCmdBarEnemies:
        SwitchPalette(kPaletteEnemy);
        return true;
    case kCmdMenuEvents:
    case kCmdBarEvents:
        SwitchPalette(kPaletteEvent);
        return true;
    default:
        return false;
    }
}

bool StageEditorWindow::OnDialogCommand(int id)
{
    switch (id)
    {
    case kCmdStageSettings:
        if (RunStageSettingsDialog(*this))
        {
            Stage.Validate();
            // New scroll ranges for a stage of another size.
            platform::SendWindowMessage(Handle(), platform::kWmSize, 0,
                                        platform::MakeLParam(ClientRectangle().m_nWidth, ClientRectangle().m_nHeight));
            if (m_pChipPalette)
            {
                m_pChipPalette->UpdateScrollRange();
            }
            RefreshPalette();
            ClearHistory();
        }
        return true;
    case kCmdPositionGroups:
        if (RunPositionGroupsDialog(*this))
        {
            Stage.Validate();
        }
        return true;
    case kCmdTestPlay:
    case kCmdTestPlayKey:
        TestPlay();
        return true;
    case kCmdWorldMap:
        OpenWorldMap();
        return true;
    case kCmdDatabase:
        OpenDatabase();
        return true;
    case kCmdStartEvent:
        EditEvent(&StartEvent, kEventEditStart, 1);
        return true;
    case kCmdEditOptions:
        RunEditOptionsDialog(*this);
        return true;
    case kCmdBitmapTool:
        RunBitmapConversionTool(*this);
        return true;
    default:
        return false;
    }
}

int StageEditorWindow::EditEvent(Event* event, int32_t mode, int32_t editExisting)
{
    if (RefuseSecondEventDialog())
    {
        return 0;
    }
    m_nEventEditMode = mode;
    StageEdit.m_bEditExisting = editExisting;
    EditedEvent = event;
    return ::RunEventDialog(*this);
}

void StageEditorWindow::OpenWorldMap()
{
    // WorldMapEdit is reset by the world-map editor window when it is made.
    m_pWorldMap.reset();
    m_pWorldMap = MakeWorldMapEditor(*this);
    if (m_pWorldMap)
    {
        m_pWorldMap->RunModeless(kShowFlagHideOthers | kShowFlagDisableOthers);
        MainWindow.m_nViewMode = kViewModeWorldMap;
        // Its palette comes once it is on the screen: the window manager keeps
        // a window above its owner only when it learns of the owner first.
        m_pWorldMap->OpenMapChipPalette();
        m_pWorldMap->MakeActive();
    }
}

void StageEditorWindow::OpenDatabase()
{
    App.ShowAllWindows(0);
    App.EnableAllWindows(0);
    m_pDatabase.reset();
    try
    {
        m_pDatabase = MakeDatabaseSheet(*this);
    }
    catch (const std::bad_alloc&)
    {
        m_pDatabase.reset();
    }
    if (!m_pDatabase || !m_pDatabase->Create())
    {
        // No sheet: the author gets the windows back, the view as it was.
        m_pDatabase.reset();
        App.ShowAllWindows(1);
        App.EnableAllWindows(1);
    }
}

// ---- the pop-up menu of the event palette's mode ----

void StageEditorWindow::OpenEventPopup()
{
    const CursorEntry& cursor = StageEdit.Cursor();
    StageEdit.m_pEditedEvent = Stage.GetEventAt(cursor.m_nColumn, cursor.m_nRow);
    bool onEvent = StageEdit.m_pEditedEvent != nullptr;
    bool onMap = IsCellOnMap(cursor.m_nColumn, cursor.m_nRow, Stage.m_nWidth, Stage.m_nHeight);
    platform::Menu popup = MarkMapEventPopup(m_PopupMenu, onEvent, StageEdit.m_bClipboard != 0, onMap);
    // The commands act on the cell where the menu was opened, wherever the mouse goes meanwhile.
    StageEdit.m_MapCursor.Push(1);
    TrackPopup(popup);
}

const CursorEntry& StageEditorWindow::PopupCell()
{
    const CursorEntry* opened = StageEdit.m_MapCursor.Previous();
    return opened ? *opened : StageEdit.Cursor();
}

bool StageEditorWindow::OnPopupCommand(int id)
{
    if (id != kCmdEventEdit && id != kCmdEventNew && id != kCmdEventCopy && id != kCmdEventCut &&
        id != kCmdEventPaste && id != kCmdEventDelete)
    {
        return false;
    }
    const CursorEntry cell = PopupCell();
    // The event at the cell now: the stage may have changed since the menu opened.
    Event* current = Stage.GetEventAt(cell.m_nColumn, cell.m_nRow);
    // Off the stage (a stage smaller than the view) nothing is done: the save would drop an event there.
    const bool onMap = IsCellOnMap(cell.m_nColumn, cell.m_nRow, Stage.m_nWidth, Stage.m_nHeight);
    switch (onMap ? id : 0)
    {
    case 0:
        break;
    case kCmdEventEdit:
        if (current)
        {
            EditEvent(current, kEventEditStage, 1);
        }
        break;
    case kCmdEventNew:
        m_Tools.m_NewEvent.Init();
        ShowDebugErrorF("m_NewEvent.Init()");
        m_Tools.m_nNewEventX = cell.m_nColumn;
        m_Tools.m_nNewEventY = cell.m_nRow;
        if (EditEvent(&m_Tools.m_NewEvent, kEventEditStage, 0) == 1)
        {
            Stage.PutEvent(m_Tools.m_NewEvent, cell.m_nColumn, cell.m_nRow);
        }
        break;
    case kCmdEventCopy:
    case kCmdEventCut:
        StageEdit.m_bClipboard = 1;
        if (current)
        {
            if (id == kCmdEventCut)
            {
                RecordUndo();
                // The undo point copied the events: the pointer still names the event.
            }
            StageEdit.m_ClipboardEvent = *current;
            if (m_pEventPalette)
            {
                m_pEventPalette->SetListClipboard(*current);
            }
            if (id == kCmdEventCut)
            {
                Stage.RemoveEvent(current);
            }
        }
        break;
    case kCmdEventPaste:
        if (StageEdit.m_bClipboard)
        {
            RecordUndo();
            Event pasted = StageEdit.m_ClipboardEvent;
            Stage.PutEvent(pasted, cell.m_nColumn, cell.m_nRow);
        }
        break;
    default:
        if (current)
        {
            RecordUndo();
            Stage.RemoveEventAt(cell.m_nColumn, cell.m_nRow);
        }
        break;
    }
    // Whatever the command did to the events, no pointer into them is kept.
    StageEdit.m_pEditedEvent = nullptr;
    StageEdit.m_MapCursor.Pop(2);
    return true;
}

// ---- test play ----

void StageEditorWindow::TestPlay()
{
    std::string path;
    if (!FindGameExecutable(path))
    {
        ShowErrorF("ゲームプログラムが見つかりません！");
        return;
    }
    if (TestPlayRunning)
    {
        ShowErrorF("二重起動はできません！");
        return;
    }
    TestPlayRunning = 1;
    ClearHistory();
    // The project is not saved first: the game reads the files as they are on disk.
    if (!MainWindow.StartGame(path))
    {
        EnableWithPalettes(1);
        TestPlayRunning = 0;
        ShowMessageBox(MainWindow.Handle(), "ゲームプログラムが呼び出せません！", "エラー", platform::kMbOk);
    }
}
