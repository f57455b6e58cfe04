#pragma once

// The small menus of the scenes: a text box of lines with the menu pointer in
// its left margin on the chosen line, the cursor kept on the menu cursor
// stack. Also the pointer itself and where a centred box lands, for the
// scenes that draw their own rows.

#include "game/engine/DrawTarget.h"
#include "game/engine/InputState.h"

#include <string>
#include <string_view>

// The menu pointer on the accessory sheet: 16 x 16, its second look beside it.
constexpr int kMenuPointerSize = 16;
// The lines of the standard font, and the margin a menu box keeps for the pointer.
constexpr int kMenuBoxRowHeight = 16;
constexpr int kMenuBoxMargin = 16;

// The pointer in the middle of a row of the given height whose left edge is
// at (x, y), as far in from it as from the top; look 1
// is the second look (a marked row).
void DrawMenuPointer(DrawTarget& target, int x, int y, int rowHeight = kMenuBoxRowHeight, int look = 0);

// Where a box w wide (h high) starts when it is centred: on the standard
// font's box pattern, as the text output centres it; on the screen while the
// pattern is not loaded.
int CentredBoxX(int w);
int CentredBoxY(int h);

// The size of a text box of the standard font around the text: 16 px per
// character of its widest line plus the margin, 16 px per line.
int TextBoxWidth(std::string_view text, int margin);
int TextBoxHeight(std::string_view text);

class MenuBox
{
public:
    // lines: the entries separated by '\n'; x or y kCentred centres the box;
    // width 0 is measured from the lines.
    MenuBox(std::string lines, int x, int y, int width = 0);

    // Pushes a cursor level on the row.
    void Open(int row) const;
    // Pops the level back to the one below it (kept as it was).
    void Close() const;
    // Up and down move the cursor's row, wrapping around; the directions
    // moved are returned (for the cursor sound).
    int Move(const InputState& input) const;
    // The cursor's row.
    int Row() const;

    // The box with its lines and the pointer on the cursor's row.
    void Draw(DrawTarget& target) const;
    // The box and its lines alone.
    void DrawBox(DrawTarget& target) const;
    // The pointer on a row of the box (look 1: the second look).
    void DrawPointerAt(DrawTarget& target, int row, int look = 0) const;

    // Where the box lands (a centred box is placed when this is asked).
    int X() const;
    int Y() const;
    int Width() const { return m_nWidth; }
    int Height() const { return m_nRows * kMenuBoxRowHeight; }
    int Rows() const { return m_nRows; }
    const std::string& Lines() const { return m_strLines; }

private:
    std::string m_strLines;
    int m_nX;
    int m_nY;
    int m_nWidth;
    int m_nRows;
};
