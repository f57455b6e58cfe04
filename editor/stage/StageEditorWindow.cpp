// The stage editor window: making it, its window procedure, the map view and
// its scrolling, the palettes, and the state of its menu and tool bar. The
// command table is in StageEditorCommands.cpp, the stage file commands in
// StageFileCommands.cpp.

#include "editor/stage/StageEditorWindow.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "editor/framework/MenuMarks.h"
#include "editor/resources/EditorIcon.h"
#include "editor/resources/ListEditResources.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/resources/WindowResources.h"
#include "editor/stage/MapChipPalette.h"
#include "editor/stage/MapWindowParts.h"
#include "editor/stage/StageEditorDialogs.h"
#include "platform/window/ScrollBarModel.h"

#include <algorithm>

namespace
{

// The bitmaps the stage editor loads when it is made.
constexpr int kStageBitmaps[] = {kBitmapMapChip, kBitmapMapChara, kBitmapCharacter, kBitmapEvent,
                                 kBitmapSymbol,  kBitmapEffect,   kBitmapAccessory};

constexpr int kMapWidth = 640;
constexpr int kMapHeight = 480;
constexpr int kMinMapWidth = 320;
constexpr int kMinMapHeight = 160;
constexpr int kBothScrollBars = 3;

} // namespace

StageEditorWindow* CurrentStageEditor()
{
    return dynamic_cast<StageEditorWindow*>(CurrentView);
}

StageEditorWindow::StageEditorWindow(platform::WindowHandle parent)
    : m_Tools(StageEdit, Stage, *this, *this), m_View(StageEdit, Stage)
{
    MainWindow.m_nViewMode = kViewModeStage;
    UseClassProcedure(this);
    Init(kDialogStageEditor, parent, 0, kWindowDialog, &App);
    const DialogTemplate* dialog = Template();
    SetLayout(kMapWidth, kMapHeight, kMinMapWidth, kMinMapHeight, kMapWidth, kMapHeight,
              dialog ? dialog->m_nStyle : kPaletteDialog, 1, 1, 1, 0, kBothScrollBars);
    if (const platform::Menu* menu = FindMenuResource(kMenuStageEditor))
    {
        m_MenuBar = *menu;
    }
    if (const platform::Menu* popup = FindPopupMenu(kMenuStagePopup))
    {
        m_PopupMenu = *popup;
    }
    StageEdit.SetHistoryListener([this] { UpdateUndoState(); });
    m_bBitmapsLoaded = LoadSharedBitmaps();
    if (!m_bBitmapsLoaded)
    {
        // The map cannot be drawn: the editor ends (the bitmap's box named the file).
        if (platform::WindowSystem* system = platform::SystemOfWindow(MainWindow.Handle()))
        {
            system->DestroyWindow(MainWindow.Handle());
        }
    }
    m_View.SetTiles({&EditorBitmaps[kBitmapMapChip], &EditorBitmaps[kBitmapMapChara], &EditorBitmaps[kBitmapEvent],
                     &EditorBitmaps[kBitmapAccessory]});
}

StageEditorWindow::~StageEditorWindow()
{
    StageEdit.SetHistoryListener(nullptr);
    ClosePalettes(true, true, true);
    m_pWorldMap.reset();
    m_pDatabase.reset();
    if (CurrentView == static_cast<AppView*>(this))
    {
        CurrentView = nullptr;
    }
}

bool StageEditorWindow::LoadSharedBitmaps()
{
    for (int slot : kStageBitmaps)
    {
        if (!LoadEditorBitmap(slot))
        {
            return false;
        }
    }
    return true;
}

// ---- the slots ----

int StageEditorWindow::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    // The menu bar first: the client size the layout asks for is below it.
    ApplyMenuBar();
    DialogBase::OnInitDialog(wParam, lParam);
    if (platform::NativeWindow* native = Native(); native && native->Frame())
    {
        native->Frame()->SetIcon(FindIconResource(kIconEditor));
    }
    if (platform::StatusBar* status = CreateStatusBar())
    {
        status->SetText("DLG_MAIN");
    }
    if (const ToolBarResource* bar = FindToolBarResource(kToolBarStageEditor))
    {
        AddStdToolbarButtons(bar->m_StandardButtons.data(), static_cast<int>(bar->m_StandardButtons.size()));
        AddToolbarButtons(bar->m_StripButtons.data(), static_cast<int>(bar->m_StripButtons.size()), bar->m_pszStrip);
    }
    UpdateTitle();
    UpdatePaletteChecks();
    UpdateUndoState();
    PlaceMapView();
    BindControl(&m_Picture);
    RegisterListAcceleratorTables();
    AddAccelerators(Handle(), kAcceleratorsStageEditor);
    DataToControls();
    PlaceOnDesktop();
    UpdateScrollBars();
    SetInitialised(1);
    return 0;
}

intptr_t StageEditorWindow::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (IsInitialised() && IsRightClick() && StageEdit.m_nPalette == kPaletteEvent)
    {
        OpenEventPopup();
    }
    switch (message)
    {
    case platform::kWmDestroy:
        if (CurrentView == static_cast<AppView*>(this))
        {
            CurrentView = nullptr;
        }
        handled = 1;
        break;
    case platform::kWmSize:
        if (IsInitialised())
        {
            PlaceMapView();
            UpdateScrollBars();
        }
        handled = 1;
        break;
    case platform::kWmClose:
        if (ConfirmQuit(MainWindow.Handle()))
        {
            Close(0);
            if (platform::WindowSystem* system = platform::SystemOfWindow(MainWindow.Handle()))
            {
                system->DestroyWindow(MainWindow.Handle());
            }
        }
        return 1;
    case platform::kWmSysCommand:
        if ((wParam & 0xFFF0) != platform::kScMinimize)
        {
            return handled;
        }
        // The window and its palettes go into the task bar, where the author finds them again.
        MinimiseWithPalettes();
        return 1;
    case platform::kWmHScroll:
    case platform::kWmVScroll:
        ReadScrollPosition();
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
    if (handled && message != platform::kWmDestroy)
    {
        OnPaint();
    }
    return handled;
}

void StageEditorWindow::OnPaint()
{
    if (!IsInitialised())
    {
        return;
    }
    m_View.Paint(m_Picture.Canvas(), m_Viewport, Mouse().m_bLeftHeld != 0);
    m_Picture.Present();
    if (platform::StatusBar* status = GetStatusBar())
    {
        status->SetText(m_View.StatusText());
    }
}

void StageEditorWindow::PlaceOnDesktop()
{
    // The window and the palette at its right edge stand together in the middle of the desktop.
    CenterOnDesktop();
    platform::WindowSystem* system = System();
    if (!system)
    {
        return;
    }
    constexpr int kPaletteRoom = kPaletteChipsPerRow * kMapCellSize + 24;
    platform::Rect desktop = system->DesktopRect();
    int x = std::max(WindowRectangle().m_nLeft - kPaletteRoom / 2, desktop.m_nLeft);
    MoveTo(x, std::max(WindowRectangle().m_nTop, desktop.m_nTop));
}

// ---- the map view ----

void StageEditorWindow::PlaceMapView()
{
    ::PlaceMapView(*this, m_Viewport);
}

void StageEditorWindow::UpdateScrollBars()
{
    UpdateMapScrollBars(*this, Stage.m_nWidth, Stage.m_nHeight, m_Viewport);
}

void StageEditorWindow::ReadScrollPosition()
{
    ReadMapScrollPosition(*this, m_Viewport);
}

void StageEditorWindow::PointToCell(int x, int y)
{
    m_Viewport.PointToCell(x, y, StageEdit.Cursor());
}

void StageEditorWindow::OnMapMouse(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    MapMouseEvent event;
    event.m_Action = MapMouseActionOf(message);
    event.m_nX = platform::LowSigned(static_cast<uintptr_t>(lParam)) - OriginX();
    event.m_nY = platform::HighSigned(static_cast<uintptr_t>(lParam)) - OriginY();
    event.m_nKeys = static_cast<int>(wParam & (platform::kMkLButton | platform::kMkRButton));
    int chosen = StageEdit.m_nPltNum;
    m_Tools.OnMapMouse(event, m_Viewport);
    if (StageEdit.m_nPltNum != chosen && m_pChipPalette)
    {
        // A pick on the map ends the palette's choice: its frame goes at once.
        m_pChipPalette->OnPaint();
    }
    if (event.m_Action == MapMouseAction::LeftDown || event.m_Action == MapMouseAction::RightDown)
    {
        if (platform::WindowSystem* system = System())
        {
            system->SetFocus(Handle());
        }
    }
}

// ---- the palettes ----

void StageEditorWindow::ClosePalettes(bool chips, bool enemies, bool events)
{
    if (chips)
    {
        m_pChipPalette.reset();
    }
    if (enemies)
    {
        m_pEnemyPalette.reset();
    }
    if (events)
    {
        m_pEventPalette.reset();
    }
}

void StageEditorWindow::OpenMapChipPalette()
{
    if (m_pChipPalette || !Handle())
    {
        return;
    }
    ClosePalettes(false, true, true);
    m_pChipPalette = std::make_unique<MapChipPalette>(Handle(), *this);
    // Beside the window, at its right edge.
    platform::Rect window = WindowRectangle();
    if (platform::NativeWindow* native = Native())
    {
        window = native->WindowRect();
    }
    m_pChipPalette->SetInitialPosition(window.Right(), window.m_nTop);
    m_pChipPalette->RunModeless(kShowFlagNoActivate);
}

void StageEditorWindow::OpenEnemyPalette()
{
    if (m_pEnemyPalette || !Handle())
    {
        return;
    }
    ClosePalettes(true, false, true);
    m_pEnemyPalette = MakeEnemyPalette(*this);
    if (m_pEnemyPalette)
    {
        m_pEnemyPalette->RunModeless(kShowFlagNoActivate);
    }
}

void StageEditorWindow::OpenEventPalette()
{
    if (m_pEventPalette || !Handle())
    {
        return;
    }
    ClosePalettes(true, true, false);
    m_pEventPalette = MakeEventPalette(*this);
    if (m_pEventPalette)
    {
        m_pEventPalette->RunModeless(kShowFlagNoActivate);
    }
}

void StageEditorWindow::SwitchPalette(int32_t palette)
{
    if (palette != StageEdit.m_nPalette)
    {
        StageEdit.SwitchPalette(palette);
    }
    // A check button clicked while checked goes back to checked.
    UpdatePaletteChecks();
    switch (StageEdit.m_nPalette)
    {
    case kPaletteMapChip: OpenMapChipPalette(); break;
    case kPaletteEnemy: OpenEnemyPalette(); break;
    case kPaletteEvent: OpenEventPalette(); break;
    default: break;
    }
}

void StageEditorWindow::RefreshPalette()
{
    switch (StageEdit.m_nPalette)
    {
    case kPaletteMapChip:
        if (m_pChipPalette)
        {
            m_pChipPalette->OnPaint();
        }
        break;
    case kPaletteEnemy:
        if (m_pEnemyPalette)
        {
            m_pEnemyPalette->RefillList();
            if (platform::WindowSystem* system = System(); system && Handle())
            {
                system->SetActiveWindow(Handle());
            }
        }
        break;
    default:
        break;
    }
}

void StageEditorWindow::SelectEnemyPaletteRow(int row)
{
    if (m_pEnemyPalette)
    {
        m_pEnemyPalette->SelectRow(row);
    }
}

int StageEditorWindow::RunEventDialog()
{
    if (RefuseSecondEventDialog())
    {
        return 0;
    }
    m_nEventEditMode = kEventEditStage;
    return ::RunEventDialog(*this);
}

void StageEditorWindow::ShowWithPalettes()
{
    ::ShowWithPalettes(*this, Palettes(), 1);
}

void StageEditorWindow::HideWithPalettes()
{
    ::ShowWithPalettes(*this, Palettes(), 0);
}

void StageEditorWindow::EnableWithPalettes(int enable)
{
    ::EnableWithPalettes(*this, Palettes(), enable);
}

void StageEditorWindow::MinimiseWithPalettes()
{
    EditorView::MinimiseWithPalettes();
    for (DialogBase* palette : Palettes())
    {
        if (platform::NativeWindow* native = palette->Native())
        {
            native->SetMinimized(true);
        }
    }
}

std::vector<DialogBase*> StageEditorWindow::Palettes() const
{
    std::vector<DialogBase*> open;
    if (m_pChipPalette)
    {
        open.push_back(m_pChipPalette.get());
    }
    if (m_pEnemyPalette)
    {
        open.push_back(m_pEnemyPalette.get());
    }
    if (m_pEventPalette)
    {
        open.push_back(m_pEventPalette.get());
    }
    return open;
}

ModelessSheet* StageEditorWindow::OpenSheet() const
{
    return m_pDatabase ? m_pDatabase->Sheet() : nullptr;
}

// ---- the caption, the menu and the tool bar ----

void StageEditorWindow::UpdateTitle()
{
    std::string title;
    FormatString(title, "%s %s", std::string(platform::kEditorWindowTitle).c_str(), StageEdit.m_strStageFile.c_str());
    if (platform::NativeWindow* native = Native())
    {
        native->SetText(title);
    }
}

void StageEditorWindow::ApplyMenuBar()
{
    ::ApplyMenuBar(*this, m_MenuBar);
}

void StageEditorWindow::UpdatePaletteChecks()
{
    struct PaletteCommands
    {
        int32_t m_nPalette;
        int m_nMenu;
        int m_nButton;
    };
    const PaletteCommands palettes[] = {{kPaletteMapChip, kCmdMenuMapChips, kCmdBarMapChips},
                                        {kPaletteEnemy, kCmdMenuEnemies, kCmdBarEnemies},
                                        {kPaletteEvent, kCmdMenuEvents, kCmdBarEvents}};
    bool changed = false;
    for (const PaletteCommands& palette : palettes)
    {
        bool active = StageEdit.m_nPalette == palette.m_nPalette;
        changed = SetItemMarks(m_MenuBar, palette.m_nMenu, active, false) || changed;
        SetButtonState(GetToolBar(), palette.m_nButton, active, true);
    }
    if (changed)
    {
        ApplyMenuBar();
    }
}

void StageEditorWindow::UpdateUndoState()
{
    MarkUndoRedo(*this, m_MenuBar, StageEdit.CanUndo(), StageEdit.CanRedo());
}

// ---- editing ----

void StageEditorWindow::RecordUndo()
{
    // The history's listener refreshes the undo and redo buttons.
    StageEdit.RecordUndo(Stage);
}

void StageEditorWindow::ClearHistory()
{
    StageEdit.ClearHistory();
    UpdateUndoState();
}

void StageEditorWindow::PlaySound(EditorSound sound)
{
    EditorSounds.Play(nullptr, sound, 0, 0, 0);
}

void StageEditorWindow::RequestFreshView()
{
    platform::PostWindowMessage(MainWindow.Handle(), kWmRecreateView, 0, 0);
}

// ---- the other editors closing ----

void StageEditorWindow::OnDatabaseClosed()
{
    Stage.Validate();
    App.ShowAllWindows(1);
    App.EnableAllWindows(1);
    if (m_pChipPalette)
    {
        m_pChipPalette->UpdateScrollRange();
    }
    RefreshPalette();
    MakeActive();
}

void StageEditorWindow::OnWorldMapEditorClosed()
{
    MainWindow.m_nViewMode = kViewModeStage;
    App.ShowAllWindows(1);
    App.EnableAllWindows(1);
    MakeActive();
}
