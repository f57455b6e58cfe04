#pragma once

// Dialog templates: what each editor dialog is made of, as data. A template
// gives the dialog's id, caption, size and style, and every control's kind,
// id, rectangle, text and extra style bits, in the order the controls are made
// (which is also their tab order until a dialog sets another one).
//
// Sizes and positions are in dialog units: a quarter of the dialog font's
// average character width across, an eighth of its height down
// (DialogUnitsToPixels). Texts are CP932. A table of templates reads as one
// line per control:
//
//     {122, "値の入力", 110, 46, kModalDialog, {
//         {kDlgEdit,      1077,  7,  7, 96, 14},
//         {kDlgUpDown,    1078, 95,  7, 11, 14},
//         {kDlgDefButton, 1006,  7, 26, 46, 14, "OK"},
//         ...
//     }},
//
// The kinds and the window class and style each one makes:
//
// | kind            | class           | style                                                     |
// |-----------------|-----------------|-----------------------------------------------------------|
// | kDlgButton      | BUTTON          | push button, tab stop                                     |
// | kDlgDefButton   | BUTTON          | default push button, tab stop                             |
// | kDlgCheckBox    | BUTTON          | automatic check box, tab stop                             |
// | kDlgThreeState  | BUTTON          | automatic check box of three states, tab stop             |
// | kDlgRadio       | BUTTON          | automatic radio button (add kWsGroup | kWsTabStop to the first of a group) |
// | kDlgGroupBox    | BUTTON          | group box                                                 |
// | kDlgText        | STATIC          | text, left-aligned                                        |
// | kDlgPicture     | STATIC          | picture (a sunken frame the program draws into)           |
// | kDlgEdit        | EDIT            | one line, scrolling sideways, tab stop                    |
// | kDlgMultiEdit   | EDIT            | several lines, Enter starts a new line, tab stop          |
// | kDlgListBox     | LISTBOX         | notifying its parent, tab stop                            |
// | kDlgComboBox    | COMBOBOX        | drop-down list, tab stop (the height is the open list's)  |
// | kDlgUpDown      | msctls_updown32 | buddy: the control before it, at its right edge, numbers  |
// | kDlgHScrollBar  | SCROLLBAR       | horizontal                                                |
// | kDlgVScrollBar  | SCROLLBAR       | vertical                                                  |

#include <cstdint>
#include <string_view>
#include <vector>

enum DialogItemKind : int
{
    kDlgButton,
    kDlgDefButton,
    kDlgCheckBox,
    kDlgThreeState,
    kDlgRadio,
    kDlgGroupBox,
    kDlgText,
    kDlgPicture,
    kDlgEdit,
    kDlgMultiEdit,
    kDlgListBox,
    kDlgComboBox,
    kDlgUpDown,
    kDlgHScrollBar,
    kDlgVScrollBar,
};

struct DialogItemTemplate
{
    DialogItemKind m_nKind = kDlgText;
    int m_nId = 0;
    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    const char* m_pszText = "";
    uint32_t m_nStyle = 0; // bits added to the kind's own
    int m_bHidden = 0;     // made without kWsVisible: there, but not shown
};

// Dialog styles.
enum : uint32_t
{
    // A dialog with a caption and a close box, run modal or modeless.
    kModalDialog = 0x80C80080,     // popup, caption, system menu, modal frame
    // A tool window beside an editor window (a palette): caption, close box, sizing frame.
    kPaletteDialog = 0x80CC0000,   // popup, caption, system menu, sizing frame
    // A page inside another window (a property sheet): no frame of its own.
    kChildDialog = 0x40000000,
};

struct DialogTemplate
{
    int m_nId = 0;
    const char* m_pszCaption = "";
    int m_nWidth = 0;  // dialog units
    int m_nHeight = 0; // dialog units
    uint32_t m_nStyle = kModalDialog;
    std::vector<DialogItemTemplate> m_Items;
};

// The template of that dialog id; null when there is none.
const DialogTemplate* FindDialogTemplate(int id);

// The dialog font's base units, in pixels: average character width and height.
constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 12;

// Dialog units to pixels, rounded to the nearest pixel.
constexpr int DialogUnitsToPixelsX(int units)
{
    int scaled = units * kDialogBaseUnitX;
    return (scaled >= 0 ? scaled + 2 : scaled - 2) / 4;
}
constexpr int DialogUnitsToPixelsY(int units)
{
    int scaled = units * kDialogBaseUnitY;
    return (scaled >= 0 ? scaled + 4 : scaled - 4) / 8;
}

// Every template there is, for tools that show them all.
std::vector<const DialogTemplate*> AllDialogTemplates();
