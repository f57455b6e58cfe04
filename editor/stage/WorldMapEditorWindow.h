#pragma once

// The world-map editor window: a modeless dialog (152, "ワールドマップ")
// opened by the stage editor's command 40053, with every other editor window
// hidden and disabled while it is open. It shows the global WorldMap as a
// grid of 32 x 32 pixel cells, paints chips with the pen, picks a block of
// chips with the right button, places, edits, copies and deletes world-map
// events through its pop-up menu, and saves WorldMap to
// "data\database\WorldMap.dat". Beside it one of its two palettes: the ten
// chips, or the event templates.
//
// The editor edits WorldMap in place. Quitting without saving leaves the
// edited map in memory (a later save writes it) and the file as it was. Every
// close brings the stage editor back as the main window's view.

#include "editor/framework/EditorView.h"
#include "editor/stage/EditorSoundSink.h"
#include "editor/stage/MapMouseEvent.h"
#include "editor/stage/WorldMapView.h"

#include <memory>

class StageEditorWindow;
class WorldMapChipPalette;
class WorldMapEventPalette;
class WorldMapSettingsDialog;

class WorldMapEditorWindow : public EditorWindow, public EditorSoundSink
{
public:
    // Dialog 152 under the stage editor window, placed where that window
    // stands, not yet run. WorldMapEdit is reset; the world-map bitmaps are
    // loaded (one of the chips or the events that does not load is named in
    // a box, and the window must not be run: HasBitmaps).
    explicit WorldMapEditorWindow(StageEditorWindow& stageEditor);
    ~WorldMapEditorWindow() override;
    // Whether the chips and the events it draws with were loaded.
    bool HasBitmaps() const { return m_bBitmapsLoaded; }

    // ---- the slots ----
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnPaint() override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // ---- the window and its palettes ----
    void ShowWithPalettes() override;
    void HideWithPalettes() override;
    void EnableWithPalettes(int enable) override;
    // Minimising hides the window and its palettes until the editor is activated again.
    void MinimiseWithPalettes() override { HideWhenMinimised(); }
    // Each opens its palette beside the window unless it is open; the other one goes.
    void OpenMapChipPalette() override;
    void OpenEventPalette();
    // Saves the active palette's tool state in its slot, takes up the requested one's and opens it.
    void SwitchPalette(int32_t palette);
    // The active palette shows the world map again (the chips repainted, the template list refilled).
    void RefreshPalette();
    WorldMapChipPalette* ChipPalette() const { return m_pChipPalette.get(); }
    WorldMapEventPalette* EventPalette() const { return m_pEventPalette.get(); }

    // ---- the window's parts ----
    void UpdatePaletteChecks();
    void UpdateUndoState();
    // The cell under a point of the map view (client pixels of the map) into the map cursor.
    void PointToCell(int x, int y);
    StageViewport Viewport() const { return m_Viewport; }
    const platform::Menu& MenuBar() const { return m_MenuBar; }
    const platform::Menu& PopupMenu() const { return m_PopupMenu; }

    // ---- editing ----
    // The undo point every change of the chips or the placed events records first.
    void RecordUndo();
    // Writes WorldMap to its file. 1 when written; a failure is named in a box.
    int Save();
    // Runs the world-map event dialog (161) modal on WorldMapEdit's current
    // event with the show flags; 1 after OK (the dialog has written the event).
    int RunEventDialog(int showFlags);
    // The work buffer of the events made on the map.
    WorldMapEvent m_NewEvent;

    // ---- the sounds (EditorSoundSink) ----
    void PlaySound(EditorSound sound) override;

private:
    void PlaceMapView();
    void UpdateScrollBars();
    void ReadScrollPosition();
    void ApplyMenuBar();
    void ClosePalettes(bool chips, bool events);
    std::vector<DialogBase*> Palettes() const;

    // The map's mouse: the pen, and the pick with the map chip palette.
    void OnMapMouse(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void OnPen(const MapMouseEvent& event);
    void PenDraw();
    void PenPutEvent(int column, int row);
    void OnPick(const MapMouseEvent& event);
    // The event palette's right click: the pop-up on the cell under the mouse.
    void OpenEventPopup();

    // The command table.
    bool OnFileCommand(int id);
    bool OnEditCommand(int id);
    bool OnPopupCommand(int id);
    void ClearAll(int id);
    void OpenSettings();
    // Numbers the event's stage pages when EditConfig asks for it, the event at the cell kept out.
    void AssignStageNumbers(WorldMapEvent& event, int column, int row);

    StageEditorWindow& m_StageEditor;
    WorldMapView m_View;
    StageViewport m_Viewport;
    std::unique_ptr<WorldMapChipPalette> m_pChipPalette;
    std::unique_ptr<WorldMapEventPalette> m_pEventPalette;
    std::unique_ptr<WorldMapSettingsDialog> m_pSettings;
    platform::Menu m_MenuBar;
    platform::Menu m_PopupMenu;
    bool m_bStroke = false;        // a left press on the map was taken: the drag draws
    bool m_bUndoRecorded = false;  // this stroke's undo point is taken
    bool m_bPicking = false;
    bool m_bBitmapsLoaded = false; // the chips and the events it draws with
};
