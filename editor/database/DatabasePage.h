#pragma once

// What every page of the database sheet does alike. A page is a DialogBase
// of the sheet-page kind, made by the sheet (DatabaseSheet) and owned by it;
// its window exists once the sheet has shown its tab.
//
// - The reload mark: a save-all reloads the current page at once and marks
//   every other page; a marked page refreshes all its controls from the data
//   when it next becomes the current page, and clears the mark (OnSetActive).
// - Every command, in one order (OnCommand): ignored while the controls are
//   being filled on behalf of another control; the dialog base's routing;
//   the page's own commands (OnPageCommand); the shortcut and pop-up
//   commands of its lists (OnListCommandDone when one was done); the field
//   commit of a command from a bound control once the page is initialised
//   (CommitFields); every list ends its update; the sheet hears that the
//   page changed (Apply is enabled).
// - A right-button release over a list of the current page selects the row
//   under the pointer and opens the list's pop-up menu (OnRightClick).
// - The save routine (Save), run twice by every save-all; a file that cannot
//   be written is noted in the save's errors, which the sheet shows once.

#include "editor/framework/DialogBase.h"

#include <string>
#include <string_view>
#include <vector>

class BitmapControl;
class ComboBox;
class DatabaseHost;
class DatabaseSheet;
class DibBitmap;

// The files one save-all could not write, each once, with the first reason given.
class DatabaseSaveErrors
{
public:
    struct File
    {
        std::string m_strPath;
        std::string m_strReason;
    };

    void Add(std::string_view path, std::string_view reason);
    bool Empty() const { return m_Files.empty(); }
    const std::vector<File>& Files() const { return m_Files; }
    // The text of the error box: "<file>が書き込めません！" and the reason, a line each.
    std::string Text() const;

private:
    std::vector<File> m_Files;
};

// A cell's preview: the picture's canvas filled with the background, then
// the cell of the source (cellsPerRow cells a row, counted row by row) that
// the combo box's chosen row names, when the source holds it whole. Without
// a chosen row, a source or such a cell only the background shows.
void DrawComboCell(BitmapControl& picture, const ComboBox& combo, uint32_t background, const DibBitmap* source,
                   int cellWidth, int cellHeight, int cellsPerRow);

class DatabasePage : public DialogBase
{
public:
    // The page's window belongs to the sheet's parent; the application is the sheet's.
    DatabasePage(int dialogId, DatabaseSheet& sheet);

    // Commits what the page edits into the global data and writes the page's
    // file, if it has one. A file that cannot be written goes into errors; 0 then.
    virtual int Save(DatabaseSaveErrors& errors) = 0;

    void MarkForReload() { m_bReload = 1; }
    // Refreshes the page from the data at once, as a marked page does when it is shown.
    void ReloadNow()
    {
        m_bReload = 1;
        OnSetActive();
    }
    int IsMarkedForReload() const { return m_bReload; }
    DatabaseSheet& Sheet() const { return *m_pSheet; }
    DatabaseHost& Host() const;

    // OnMessage, then the sheet's notifications, the window's end and the right click.
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // The common order of a command (above).
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;

protected:
    // The page became the sheet's current page. A marked page refreshes every control and clears the mark.
    virtual void OnSetActive();
    // OK or Apply; 1 when the page acted on it. Nothing by default.
    virtual int OnApply() { return 0; }
    // The page's window is being destroyed. Nothing by default.
    virtual void OnPageDestroyed() {}
    // A right-button release over the current page: the first list with a
    // row under the pointer selects it and opens its pop-up menu.
    virtual void OnRightClick();
    // The page's own commands. False ends the command at once: no list
    // command, no commit, no change reported.
    virtual bool OnPageCommand(uintptr_t wParam, intptr_t lParam);
    // A list did a shortcut or pop-up command.
    virtual void OnListCommandDone(uintptr_t wParam);
    // The field commit of a command from a bound control. Nothing by default:
    // pages without a working copy commit when they are saved.
    virtual void CommitFields(uintptr_t wParam);

    // Every control shows its data; the notifications this raises are ignored.
    void RefreshAllControls();
    // A graphic's preview: the canvas filled with the background, then the
    // cell of the shared bitmap (cellsPerRow cells a row, counted row by row)
    // that the combo box's chosen row names, when the bitmap holds it whole.
    // Without a chosen row, a bitmap or such a cell only the background shows.
    void DrawCellPreview(BitmapControl& picture, const ComboBox& combo, uint32_t background, int slot, int cell,
                         int cellsPerRow)
    {
        DrawCellPreview(picture, combo, background, slot, cell, cell, cellsPerRow);
    }
    // The same for cells of any size.
    void DrawCellPreview(BitmapControl& picture, const ComboBox& combo, uint32_t background, int slot, int cellWidth,
                         int cellHeight, int cellsPerRow);
    // Attaches every wrapper of the vectors with its own binding and binds it, in the order given.
    template <class... Vectors>
    void AttachBound(Vectors&... vectors)
    {
        (AttachVector(vectors), ...);
    }

    int m_bReload = 0;

private:
    template <class Wrapper>
    void AttachVector(CheckedVector<Wrapper>& wrappers)
    {
        for (Wrapper& wrapper : wrappers)
        {
            wrapper.Attach(this, wrapper.Binding());
            BindControl(&wrapper);
        }
    }

    DatabaseSheet* m_pSheet;
};
