#pragma once

// The stage editor window: the window the author works in. A modeless dialog
// (134) under the editor's hidden main window that shows the stage as a grid
// of 32 x 32 pixel cells, with the stage menu (104), a tool bar (139), a
// status bar and two scroll bars. Beside it one palette at a time: map chips,
// enemies or events. Mouse actions on the map become edits through the map
// tools (StageMapTools); every stage-level command runs here (new, open,
// save, undo, redo, clearing, the stage's dialogs, the world map, the
// database, test play).
//
// There is one live window; the main window makes it again from scratch for a
// new or an opened stage (RecreateStageView). Its construction loads the
// editor's shared bitmaps 0 to 3 and 7 to 9; one that does not load is named
// in a box and ends the editor.
//
// What the event and the database editors use of it: m_nEventEditMode and
// EditedEvent (what the next event dialog edits; the running event dialog is
// EventDialog::Running()), RecordUndo, OpenEventPalette, the database command
// and OnDatabaseClosed.

#include "editor/event/EventDialog.h"
#include "editor/framework/EditorView.h"
#include "editor/stage/EditorSoundSink.h"
#include "editor/stage/StageEditorHost.h"
#include "editor/stage/StageMapTools.h"
#include "editor/stage/StageMapView.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class MapChipPalette;
class StageDatabase;
class StageEnemyPalette;
class StageEventPalette;

// The event the next event dialog edits: a stage event at a cell, the window's
// buffer for a new event, StartEvent or a template of the event palette. Set
// by whoever opens the dialog; it is StageEdit's current event.
inline Event*& EditedEvent = StageEdit.m_pEditedEvent;

// The choice of a default file: the open dialog, then the file's path
// relative to the project folder into the EditConfig setting, and
// "data\EditConfig.dat" written at once (a failed write is named in a box).
// 1 when a file was chosen; 0, the setting as it was, when the dialog was
// cancelled or the path cannot be made relative.
int ChooseEditConfigFile(platform::WindowHandle owner, std::string_view folder, std::string_view title,
                         std::string_view filter, std::string_view extension, std::string& setting);

class StageEditorWindow : public EditorView, public StageEditorHost, public EditorSoundSink
{
public:
    // Dialog 134 under the parent (the main window), not yet run; the shared bitmaps are loaded.
    explicit StageEditorWindow(platform::WindowHandle parent);
    ~StageEditorWindow() override;

    // ---- the slots ----
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // Draws the visible part of the stage and shows the cursor cell in the status bar.
    void OnPaint() override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // ---- the view as the main window sees it ----
    void OpenMapChipPalette() override;
    void ShowWithPalettes() override;
    void HideWithPalettes() override;
    void EnableWithPalettes(int enable) override;
    void MinimiseWithPalettes() override;
    EditorWindow* WorldMapWindow() const override { return m_pWorldMap.get(); }
    ModelessSheet* OpenSheet() const override;

    // ---- palettes ----
    // Each opens its palette beside the window unless it is open; the other two go.
    void OpenEnemyPalette();
    void OpenEventPalette();
    // The active palette shows the stage again (map chips repainted, the enemy list refilled).
    void RefreshPalette() override;
    // Saves the active palette's tool state in its slot, takes up the requested
    // palette's and opens it; the palette already active changes nothing.
    void SwitchPalette(int32_t palette);
    // The palettes open now.
    std::vector<DialogBase*> Palettes() const;
    MapChipPalette* ChipPalette() const { return m_pChipPalette.get(); }
    StageEnemyPalette* EnemyPalette() const { return m_pEnemyPalette.get(); }
    StageEventPalette* EventPalette() const { return m_pEventPalette.get(); }

    // ---- the window's parts ----
    // "Tarnwick <the stage file>" as the caption.
    void UpdateTitle();
    // The palette check marks of the menu and the tool bar.
    void UpdatePaletteChecks();
    // The undo and redo buttons and menu items enabled as the history allows.
    void UpdateUndoState();
    // The cell under a point of the map view (client pixels of the map) into the map cursor.
    void PointToCell(int x, int y);
    // The part of the stage the map view shows.
    StageViewport Viewport() const { return m_Viewport; }
    // The menu bar as the window shows it now.
    const platform::Menu& MenuBar() const { return m_MenuBar; }
    const platform::Menu& PopupMenu() const { return m_PopupMenu; }

    // ---- editing ----
    // The undo point every change of the stage's cells, placements or events records first.
    void RecordUndo();
    // The map tools and their buffer for a new event.
    StageMapTools& Tools() { return m_Tools; }

    // ---- the stage file ----
    // A new stage from the default stage or the built-in defaults. 1.
    int NewStage();
    // A stage chosen in the open dialog. 1 when it was loaded; a file that
    // does not load is refused with a box and the stage stays as it was.
    int OpenStage();
    // Saves the stage: with overwrite, straight into a current file of this
    // version; otherwise through the save dialog. A save that fails is named
    // in a box and keeps the name. 1 when the stage was written.
    int SaveStage(int overwrite);
    // The default stage chosen in the open dialog, stored in EditConfig and
    // saved at once. 1 when stored.
    int ChooseDefaultStage();

    // ---- the other editors ----
    // Starts the game for a test play (its end report clears TestPlayRunning).
    void TestPlay();
    // The database sheet has closed: the stage is checked against the changed
    // database and every editor window comes back.
    void OnDatabaseClosed();
    // The world-map editor has closed: the stage editor is the view again and
    // every editor window comes back, whatever the world-map editor's result.
    void OnWorldMapEditorClosed();

    // ---- for the event and database editors ----
    // What the next event dialog edits (EventEditMode): set by its opener.
    int32_t m_nEventEditMode = kEventEditStage;

    // ---- the sounds (EditorSoundSink) ----
    void PlaySound(EditorSound sound) override;

private:
    // StageEditorHost
    int RunEventDialog() override;
    void SelectEnemyPaletteRow(int row) override;

    // Loads the shared bitmaps the stage editor draws with; false when one did not load.
    bool LoadSharedBitmaps();
    void PlaceOnDesktop();
    // The map view placed over the usable client area, its canvas of that size.
    void PlaceMapView();
    // The scroll bars' ranges and pages from the stage and the view, and the scroll cell from them.
    void UpdateScrollBars();
    void ReadScrollPosition();
    void OnMapMouse(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // The event palette's right click: the pop-up on the cell under the mouse.
    void OpenEventPopup();
    // The pop-up's commands act on this cell: where the pop-up was opened.
    const CursorEntry& PopupCell();
    void ClosePalettes(bool chips, bool enemies, bool events);
    void ApplyMenuBar();
    // The stage changed in a way the history does not cover: the history goes.
    void ClearHistory();
    // A fresh view for the stage now in Stage, once this window's handler has returned.
    void RequestFreshView();

    // The command table.
    bool OnFileCommand(int id);
    bool OnEditCommand(int id);
    bool OnPaletteCommand(int id);
    bool OnDialogCommand(int id);
    bool OnPopupCommand(int id);
    void ClearAll(int id);
    void OpenDatabase();
    void OpenWorldMap();
    // Runs the event dialog on the event with the mode; its result.
    int EditEvent(Event* event, int32_t mode, int32_t editExisting);

    StageMapTools m_Tools;
    StageMapView m_View;
    StageViewport m_Viewport;
    std::unique_ptr<MapChipPalette> m_pChipPalette;
    std::unique_ptr<StageEnemyPalette> m_pEnemyPalette;
    std::unique_ptr<StageEventPalette> m_pEventPalette;
    std::unique_ptr<StageDatabase> m_pDatabase;
    std::unique_ptr<EditorWindow> m_pWorldMap;
    platform::Menu m_MenuBar;
    platform::Menu m_PopupMenu;
    bool m_bBitmapsLoaded = false;
};

// The stage editor window the main window shows; null when the view is another one or none.
StageEditorWindow* CurrentStageEditor();
