#pragma once

// The windows the stage editor window opens that are the other editors' own:
// the enemy and event palettes, the event dialog, the stage's dialogs, the
// world-map editor and the database. The window reaches each through the
// class or the function here, made in StageEditorDialogs.cpp; where an editor
// has no window yet, its function makes none (null, or 0 for "cancelled"),
// and the command that opens it leaves the stage as it was.
//
// The event dialog's opening protocol: the opener sets EditedEvent and the
// window's m_nEventEditMode, then runs RunEventDialog below; the dialog (167)
// runs modal with the window as its parent and the other editor windows (the
// palette too) disabled, and is EventDialog::Running() meanwhile. An opener
// asks RefuseSecondEventDialog first: while one runs, no other starts.

#include "common/window/ModelessSheet.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/EditorView.h"

#include <functional>
#include <memory>

class Event;
class ListBoxBase;
class StageEditorWindow;
class WorldMapEditorWindow;

// What the enemy and the event palette share: a list of the stage's records
// whose selected row is the one the stage editor's pen places, with the keys
// of table 117 and the pop-up of menu 116 answered by the palette itself, and
// the row kept in StageEdit between two openings. A right click selects the
// row under the pointer for the pen too. Neither can be closed by itself: it
// goes when another palette opens.
class StageListPalette : public DialogBase
{
public:
    using DialogBase::DialogBase;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // The pen takes the selected row's record; 1 when a record's row is selected, else the pen has none.
    virtual int UpdatePenState() = 0;

protected:
    // In OnInitDialog, once the list is attached: its keys and pop-up, and the row shown last if it still has it.
    void SetUpPaletteList(ListBoxBase& list);
};

// The enemy palette (dialog 141) as the stage editor drives it.
class StageEnemyPalette : public StageListPalette
{
public:
    using StageListPalette::StageListPalette;
    // Fills the list again from the stage's enemy placements.
    virtual void RefillList() = 0;
    // Selects the row of a placement; -1 clears the selection when there is one.
    virtual void SelectRow(int row) = 0;
};

// The event palette (dialog 166) as the stage editor drives it.
class StageEventPalette : public StageListPalette
{
public:
    using StageListPalette::StageListPalette;
    // The template list takes the event into its clipboard (copied from the map).
    virtual void SetListClipboard(const Event& event) = 0;
};

// The database as the stage editor holds it: the object that owns the
// modeless property sheet. The sheet calls StageEditorWindow::OnDatabaseClosed
// when it closes.
class StageDatabase : public PropSheetOwner
{
public:
    // Makes and shows the sheet; false when its window could not be made.
    virtual bool Create() = 0;
    // The sheet; null when it has no window.
    virtual ModelessSheet* Sheet() const = 0;
};

// The layout of the enemy and event palettes: the template's size, resizable
// within 100 x 100 and 640 x 480 client pixels, at the window's left edge
// plus its client width and 10 pixels below its top. With the flag the palette has a menu bar.
void LayOutPaletteBeside(DialogBase& palette, StageEditorWindow& window, int withMenu);

// Each palette with the window as its parent, not yet run; null when there is none.
std::unique_ptr<StageEnemyPalette> MakeEnemyPalette(StageEditorWindow& window);
std::unique_ptr<StageEventPalette> MakeEventPalette(StageEditorWindow& window);
// The event dialog (167) run modal on EditedEvent by the protocol above: a
// stage event or a new one records the stage's undo point on OK. 1 on OK.
int RunEventDialog(StageEditorWindow& window);
// The stage settings (144) and the position groups (146), run modal with the
// other windows disabled; 1 on OK.
int RunStageSettingsDialog(StageEditorWindow& window);
int RunPositionGroupsDialog(StageEditorWindow& window);
// The edit options (193), run modal with the other windows disabled.
void RunEditOptionsDialog(StageEditorWindow& window);
// The bitmap conversion tool (188), run modal with the other windows hidden and disabled.
void RunBitmapConversionTool(StageEditorWindow& window);
// The world-map editor window (152), not yet run; null when there is none or
// when a bitmap it draws with did not load (its box named the file).
std::unique_ptr<EditorWindow> MakeWorldMapEditor(StageEditorWindow& window);
// The world-map event dialog (161), run modal with the show flags on
// WorldMapEdit's current event, the world-map editor window its parent. On OK
// the dialog records the world map's undo point and writes the event back. 1
// on OK. A stand-in given here answers in the dialog's place (tests that look
// only at what the window does with the result).
int RunWorldMapEventDialog(WorldMapEditorWindow& window, int showFlags);
using WorldMapEventDialogStandIn = std::function<int(WorldMapEditorWindow& window, int showFlags)>;
void SetWorldMapEventDialogStandIn(WorldMapEventDialogStandIn standIn);
// The database with the window as the sheet's parent, not yet created; null when there is none.
std::unique_ptr<StageDatabase> MakeDatabaseSheet(StageEditorWindow& window);
