#pragma once

// The world-map editor's two palettes, modeless windows beside it of which
// one is open at a time; neither can be closed by itself.
//
// WorldMapChipPalette (dialog 154, "マップチップパレット") shows the world
// map's ten chips, five a row, and picks the chip the pen draws: a click on
// row r, column c selects number r x 5 + c (the pen ignores a number that is
// no chip). Its status bar names the selected chip: "%d : %s".
//
// WorldMapEventPalette (dialog 158, "イベントパレット", menu 160) keeps the
// world map's event templates in a list bound straight to WorldMap (every list
// edit changes the world map at once), chooses the template the pen places,
// edits templates in the world-map event dialog, holds the three placing
// options of EditConfig and loads and saves world palette files (".wplt").

#include "common/data/WorldMapRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/PlainControl.h"
#include "editor/stage/EditorSoundSink.h"

#include <string>

class WorldMapEditorWindow;

class WorldMapChipPalette : public DialogBase
{
public:
    // Dialog 154 under the world-map editor window, not yet run.
    WorldMapChipPalette(platform::WindowHandle parent, EditorSoundSink& sounds);
    ~WorldMapChipPalette() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    void OnLButtonDown(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnPaint() override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // "%d : %s" of the selected chip's number and label; empty unless a chip is selected.
    std::string StatusText() const;
    int ScrollRow() const { return m_nScrollRow; }

private:
    void PlaceChipView();

    EditorSoundSink& m_Sounds;
    int m_nScrollRow = 0;
};

class WorldMapEventPalette : public DialogBase
{
public:
    // Dialog 158 under the world-map editor window, not yet run.
    explicit WorldMapEventPalette(WorldMapEditorWindow& editor);
    ~WorldMapEventPalette() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnPaint() override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // WorldMapEdit follows the list's selection: a template row selects that
    // template (its copy is what the pen places, in a 1 x 1 block); no row,
    // no rows or the trailing row select nothing (-1, a 0 x 0 block).
    void SyncSelection();
    // The rows again from WorldMap's templates.
    void RefillList();
    // The list's clipboard becomes exactly the event (copied from the map).
    void SetListClipboard(const WorldMapEvent& event) { m_List.SetClipboard(event); }

    // ---- the palette file commands of menu 160 ----
    // A chosen file replaces every template when it loads whole; a damaged
    // file is named in a box and the templates stay. 1 when loaded.
    int LoadPaletteFile();
    // The templates into a chosen file; a failed save is named in a box. 1 when written.
    int SavePaletteFile();
    // A chosen file, relative to the project folder, becomes EditConfig's
    // default world palette, and EditConfig is saved at once. 1 when stored.
    int ChooseDefaultPaletteFile();

    ListBox<WorldMapEvent>& List() { return m_List; }

private:
    void InsertTemplate();
    void EditTemplate();

    WorldMapEditorWindow& m_Editor;
    ListBox<WorldMapEvent> m_List;
    CheckedVector<CheckBox> m_CheckBoxes;
    CheckedVector<PlainControl> m_Buttons;
};
