#pragma once

// What the map tools ask of the stage editor window around them: its palettes,
// the event dialog and the out-of-memory box. Every operation does nothing by
// default (the out-of-memory box shows the editor's own box), so that a host
// needs to give only what it has.

#include "common/services/MessageBoxes.h"

class StageEditorHost
{
public:
    virtual ~StageEditorHost() = default;

    // StageEditorWindow::RefreshPalette: the active palette shows the stage
    // again (map chips repainted, the enemy list refilled).
    virtual void RefreshPalette() {}
    // Runs the event dialog modal on StageEdit's edited event, as a stage event.
    // 1 when the author confirms with OK, else 0. The dialog records its own
    // undo point before it writes the event back.
    virtual int RunEventDialog() { return 0; }
    // The enemy palette selects the row of a placement; -1 clears its selection
    // when it has one. The palette checks the row against its list.
    virtual void SelectEnemyPaletteRow(int row) { (void)row; }
    // The out-of-memory box.
    virtual void ShowOutOfMemory() { ::ShowOutOfMemory(); }
};
