// The world-map editor window: making it, its window procedure, the map view
// and its scrolling, the palettes, and the state of its menu and tool bar. The
// command table, the pen and the pop-up are in WorldMapEditorCommands.cpp.

#include "editor/stage/WorldMapEditorWindow.h"

#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/services/MessageBoxes.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "editor/framework/MenuMarks.h"
#include "editor/resources/ListEditResources.h"
#include "editor/resources/WindowResources.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/StageEditorDialogs.h"
#include "editor/stage/MapWindowParts.h"
#include "editor/stage/StageEditorWindow.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapPalettes.h"
#include "editor/stage/WorldMapSettingsDialog.h"
#include "platform/window/ScrollBarModel.h"

#include <algorithm>

namespace
{

constexpr int kMapWidth = 640;
constexpr int kMapHeight = 480;
constexpr int kMinMapWidth = 192;
constexpr int kMinMapHeight = 160;
constexpr int kBothScrollBars = 3;

} // namespace

WorldMapEditorWindow::WorldMapEditorWindow(StageEditorWindow& stageEditor)
    : m_StageEditor(stageEditor), m_View(WorldMapEdit, WorldMap)
{
    WorldMapEdit.Reset(WorldMap);
    m_NewEvent.Init();
    UseClassProcedure(this);
    Init(kDialogWorldMapEditor, stageEditor.Handle(), 0, kWindowDialog, &App);
    const DialogTemplate* dialog = Template();
    SetLayout(kMapWidth, kMapHeight, kMinMapWidth, kMinMapHeight, kMapWidth, kMapHeight,
              dialog ? dialog->m_nStyle : kPaletteDialog, 1, 1, 1, 0, kBothScrollBars);
    if (const platform::Menu* menu = FindMenuResource(kMenuWorldMapEditor))
    {
        m_MenuBar = *menu;
    }
    if (const platform::Menu* popup = FindPopupMenu(kMenuWorldMapPopup))
    {
        m_PopupMenu = *popup;
    }
    // Where the stage editor stands.
    platform::Rect stage = stageEditor.WindowRectangle();
    if (platform::NativeWindow* native = stageEditor.Native())
    {
        stage = native->WindowRect();
    }
    SetInitialPosition(stage.m_nLeft, stage.m_nTop);
    WorldMapEdit.SetHistoryListener([this] { UpdateUndoState(); });

    if (WorldMap.m_bUseBackImage)
    {
        // A background that does not load leaves the background colour alone.
        EditorBitmapFiles[kBitmapWorldBack].m_strPath = WorldMap.m_strBackImage;
        LoadEditorBitmap(kBitmapWorldBack);
    }
    // Without them the world map cannot be drawn: the bitmap's box named the
    // file, and the window is not opened (the stage editor goes on).
    m_bBitmapsLoaded = LoadEditorBitmap(kBitmapWorldMapChip) && LoadEditorBitmap(kBitmapWorldEvent);
    m_View.SetTiles({&EditorBitmaps[kBitmapWorldBack], &EditorBitmaps[kBitmapWorldMapChip],
                     &EditorBitmaps[kBitmapWorldEvent]});
}

WorldMapEditorWindow::~WorldMapEditorWindow()
{
    // The close's work runs while this class is still whole.
    Close(0);
    WorldMapEdit.SetHistoryListener(nullptr);
    ClosePalettes(true, true);
    m_pSettings.reset();
    for (int slot : {kBitmapWorldBack, kBitmapWorldMapChip, kBitmapWorldEvent})
    {
        ReleaseEditorBitmap(slot);
    }
}

// ---- the slots ----

int WorldMapEditorWindow::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    // The menu bar first: the client size the layout asks for is below it.
    ApplyMenuBar();
    DialogBase::OnInitDialog(wParam, lParam);
    if (platform::StatusBar* status = CreateStatusBar())
    {
        status->SetText("");
    }
    if (const ToolBarResource* bar = FindToolBarResource(kToolBarWorldMapEditor))
    {
        AddStdToolbarButtons(bar->m_StandardButtons.data(), static_cast<int>(bar->m_StandardButtons.size()));
        AddToolbarButtons(bar->m_StripButtons.data(), static_cast<int>(bar->m_StripButtons.size()), bar->m_pszStrip);
    }
    UpdatePaletteChecks();
    UpdateUndoState();
    PlaceMapView();
    BindControl(&m_Picture);
    RegisterListAcceleratorTables();
    AddAccelerators(Handle(), kAcceleratorsStageEditor);
    DataToControls();
    UpdateScrollBars();
    SetInitialised(1);
    return 0;
}

intptr_t WorldMapEditorWindow::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (IsInitialised() && IsRightClick() && WorldMapEdit.m_nPalette == kPaletteEvent)
    {
        OpenEventPopup();
    }
    switch (message)
    {
    case platform::kWmHScroll:
    case platform::kWmVScroll:
        ReadScrollPosition();
        handled = 1;
        break;
    case platform::kWmSysCommand:
        if ((wParam & 0xFFF0) != platform::kScMinimize)
        {
            return handled;
        }
        // Hidden, not minimised: the editor shows it again when it is activated.
        HideWhenMinimised();
        return 1;
    case platform::kWmClose:
        if (ShowMessageBox(Handle(), "ワールドマップのエディットを終了しますか？", "終了確認", platform::kMbYesNo) ==
            platform::kIdYes)
        {
            Close(0);
        }
        return 1;
    case platform::kWmDestroy:
        // The palettes go with the window, before the other windows come back.
        ClosePalettes(true, true);
        WorldMapEdit.ClearHistory();
        // Whatever the close's result, the stage editor is the view again.
        m_StageEditor.OnWorldMapEditorClosed();
        return 1;
    case platform::kWmSize:
        if (IsInitialised())
        {
            PlaceMapView();
            UpdateScrollBars();
        }
        handled = 1;
        break;
    case platform::kWmMouseMove:
    case platform::kWmLButtonDown:
    case platform::kWmLButtonUp:
    case platform::kWmRButtonDown:
    case platform::kWmRButtonUp:
        if (IsInitialised())
        {
            OnMapMouse(message, wParam, lParam);
        }
        handled = 1;
        break;
    default:
        break;
    }
    if (handled)
    {
        OnPaint();
    }
    return handled;
}

void WorldMapEditorWindow::OnPaint()
{
    if (!IsInitialised())
    {
        return;
    }
    m_View.Paint(m_Picture.Canvas(), m_Viewport);
    m_Picture.Present();
    if (platform::StatusBar* status = GetStatusBar())
    {
        status->SetText(m_View.StatusText());
    }
}

// ---- the map view ----

void WorldMapEditorWindow::PlaceMapView()
{
    ::PlaceMapView(*this, m_Viewport);
}

void WorldMapEditorWindow::UpdateScrollBars()
{
    UpdateMapScrollBars(*this, WorldMap.m_nWidth, WorldMap.m_nHeight, m_Viewport);
}

void WorldMapEditorWindow::ReadScrollPosition()
{
    ReadMapScrollPosition(*this, m_Viewport);
}

void WorldMapEditorWindow::PointToCell(int x, int y)
{
    m_Viewport.PointToCell(x, y, WorldMapEdit.Cursor());
}

// ---- the palettes ----

void WorldMapEditorWindow::ClosePalettes(bool chips, bool events)
{
    if (chips)
    {
        m_pChipPalette.reset();
    }
    if (events)
    {
        m_pEventPalette.reset();
    }
}

void WorldMapEditorWindow::OpenMapChipPalette()
{
    if (m_pChipPalette || !Handle())
    {
        return;
    }
    ClosePalettes(false, true);
    m_pChipPalette = std::make_unique<WorldMapChipPalette>(Handle(), *this);
    platform::Rect window = WindowRectangle();
    if (platform::NativeWindow* native = Native())
    {
        window = native->WindowRect();
    }
    m_pChipPalette->SetInitialPosition(window.Right(), window.m_nTop + 10);
    m_pChipPalette->RunModeless(kShowFlagNoActivate);
}

void WorldMapEditorWindow::OpenEventPalette()
{
    if (m_pEventPalette || !Handle())
    {
        return;
    }
    ClosePalettes(true, false);
    m_pEventPalette = std::make_unique<WorldMapEventPalette>(*this);
    // The event palette stands beside the stage editor window, not beside this one.
    platform::Rect window = m_StageEditor.WindowRectangle();
    if (platform::NativeWindow* native = m_StageEditor.Native())
    {
        window = native->WindowRect();
    }
    m_pEventPalette->SetInitialPosition(window.Right(), window.m_nTop + 10);
    m_pEventPalette->RunModeless(kShowFlagNoActivate);
}

void WorldMapEditorWindow::SwitchPalette(int32_t palette)
{
    if (palette != WorldMapEdit.m_nPalette)
    {
        WorldMapEdit.SwitchPalette(palette);
    }
    // A check button clicked while checked goes back to checked.
    UpdatePaletteChecks();
    if (WorldMapEdit.m_nPalette == kPaletteEvent)
    {
        OpenEventPalette();
    }
    else
    {
        OpenMapChipPalette();
    }
}

void WorldMapEditorWindow::RefreshPalette()
{
    if (WorldMapEdit.m_nPalette == kPaletteMapChip && m_pChipPalette)
    {
        m_pChipPalette->OnPaint();
    }
    else if (WorldMapEdit.m_nPalette == kPaletteEvent && m_pEventPalette)
    {
        m_pEventPalette->RefillList();
    }
}

std::vector<DialogBase*> WorldMapEditorWindow::Palettes() const
{
    std::vector<DialogBase*> open;
    if (m_pChipPalette)
    {
        open.push_back(m_pChipPalette.get());
    }
    if (m_pEventPalette)
    {
        open.push_back(m_pEventPalette.get());
    }
    return open;
}

void WorldMapEditorWindow::ShowWithPalettes()
{
    ::ShowWithPalettes(*this, Palettes(), 1);
}

void WorldMapEditorWindow::HideWithPalettes()
{
    ::ShowWithPalettes(*this, Palettes(), 0);
}

void WorldMapEditorWindow::EnableWithPalettes(int enable)
{
    ::EnableWithPalettes(*this, Palettes(), enable);
}

// ---- the menu and the tool bar ----

void WorldMapEditorWindow::ApplyMenuBar()
{
    ::ApplyMenuBar(*this, m_MenuBar);
}

void WorldMapEditorWindow::UpdatePaletteChecks()
{
    bool chips = WorldMapEdit.m_nPalette == kPaletteMapChip;
    bool events = WorldMapEdit.m_nPalette == kPaletteEvent;
    bool changed = SetItemMarks(m_MenuBar, kCmdMenuMapChips, chips, false);
    changed = SetItemMarks(m_MenuBar, kCmdMenuEvents, events, false) || changed;
    SetButtonState(GetToolBar(), kCmdBarMapChips, chips, true);
    SetButtonState(GetToolBar(), kCmdBarEvents, events, true);
    if (changed)
    {
        ApplyMenuBar();
    }
}

void WorldMapEditorWindow::UpdateUndoState()
{
    MarkUndoRedo(*this, m_MenuBar, WorldMapEdit.CanUndo(), WorldMapEdit.CanRedo());
}

// ---- editing ----

void WorldMapEditorWindow::RecordUndo()
{
    // The history's listener refreshes the undo and redo buttons.
    WorldMapEdit.RecordUndo(WorldMap);
}

int WorldMapEditorWindow::Save()
{
    std::string error;
    if (!SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap], &error))
    {
        // Nothing was written over the file; the world map in memory keeps its edits.
        ShowErrorF("%s を保存できませんでした！\n%s", DataFilePaths[kPathWorldMap], error.c_str());
        return 0;
    }
    return 1;
}

int WorldMapEditorWindow::RunEventDialog(int showFlags)
{
    return RunWorldMapEventDialog(*this, showFlags);
}

void WorldMapEditorWindow::PlaySound(EditorSound sound)
{
    EditorSounds.Play(nullptr, sound, 0, 0, 0);
}
