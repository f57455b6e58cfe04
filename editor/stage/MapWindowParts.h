#pragma once

// What the stage editor window, the world-map editor window and their chip
// palettes share: the view control laid over the usable client area, the
// scroll bars over a map of cells, the window shown, hidden or disabled with
// its palettes, its own menu bar, and the pop-up menu of the event mode
// marked for the cell it opens on.

#include "editor/framework/DialogBase.h"
#include "editor/stage/MapMouseEvent.h"

#include <vector>

// The view control (1075) over the usable client area, attached with a canvas of that size.
void PlaceViewOverClient(DialogBase& window);
// The same for a map view: the viewport takes the view's size.
void PlaceMapView(DialogBase& window, StageViewport& viewport);
// The scroll bars' ranges (0 to the cells - 1) and pages (the cells the view
// shows) for a map of that many cells, then the scroll cell from them.
void UpdateMapScrollBars(DialogBase& window, int columns, int rows, StageViewport& viewport);
// The scroll cell from the bars' positions.
void ReadMapScrollPosition(DialogBase& window, StageViewport& viewport);
// The position of a scroll bar; 0 without one.
int ScrollBarPosition(ScrollBar& bar);
// The page of a scroll bar; nothing without one.
void SetScrollBarPage(ScrollBar& bar, int page);

// The window procedure of a chip palette: the vertical bar scrolls by rows,
// the view follows the size, the palette does not close by itself (only its
// editor window closes it), and what was handled is painted again.
intptr_t ChipPaletteWindowProc(DialogBase& palette, int& scrollRow, platform::WindowHandle window, uint32_t message,
                               uintptr_t wParam, intptr_t lParam);

// The window and each palette shown or hidden, enabled or disabled.
void ShowWithPalettes(DialogBase& window, const std::vector<DialogBase*>& palettes, int show);
void EnableWithPalettes(DialogBase& window, const std::vector<DialogBase*>& palettes, int enable);

// The window shows the menu bar.
void ApplyMenuBar(WindowBase& window, const platform::Menu& menu);

// The undo and redo buttons of the tool bar and items of the menu bar enabled
// as the history allows; the menu bar shown again when that changed it.
void MarkUndoRedo(WindowBase& window, platform::Menu& menuBar, bool undo, bool redo);

// The pop-up menu of the event mode for a cell: edit, cut, copy and delete
// greyed without an event there, paste greyed with an empty clipboard, and
// every command greyed for a cell outside the map (a map smaller than the
// view), where an event would not be kept.
platform::Menu MarkMapEventPopup(const platform::Menu& popup, bool onEvent, bool clipboard, bool onMap = true);
// Whether the cell lies on a map of that size.
inline bool IsCellOnMap(int column, int row, int width, int height)
{
    return column >= 0 && row >= 0 && column < width && row < height;
}
