#pragma once

// The game's message box, drawn by the game itself: its text through the text
// rasteriser (FreeType with the game's font), so that it reads on any desktop
// whatever fonts the window system has, and its buttons below. This part is
// the picture and the answers; SdlDialogs shows it in a window and runs its
// modal loop.
//
// Keys: Return and Space press the focused button (at first the one Return
// stands for), Escape the one Escape stands for; the arrow keys and Tab move
// the focus. A button pressed with the mouse answers when the button is let
// go over it.

#include "platform/text/TextRasterizer.h"
#include "platform/window/Geometry.h"
#include "platform/window/PixelView.h"
#include "platform/window/WindowMessages.h"

#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// One button of a box: the answer it gives, its CP932 label, whether Return or Escape presses it.
struct MessageBoxButton
{
    int m_nAnswer = kIdOk;
    std::string m_strLabel;
    bool m_bReturnKey = false;
    bool m_bEscapeKey = false;
};

// The buttons of a box of that type, left to right.
std::vector<MessageBoxButton> MessageBoxButtons(uint32_t type);

// The pixel size of a box's text and labels (at 16 the face's hinting loses
// the underscore), and the widest a line of text grows before it wraps.
constexpr int kMessageBoxTextSize = 15;
constexpr int kMessageBoxMaxTextWidth = 560;

// Colours (0x00RRGGBB): the text's ground, the strip under it that holds the buttons, the ink.
constexpr uint32_t kMessageBoxPaper = 0xFFFFFF;
constexpr uint32_t kMessageBoxStrip = 0xF0F0F0;
constexpr uint32_t kMessageBoxInk = 0x000000;
// A pixel of text: the ink over the ground by the rasteriser's coverage (0..255).
uint32_t BlendMessageBoxInk(uint32_t ground, uint32_t ink, uint8_t coverage);

// A box laid out: its client size, its lines of text (drawn from their top
// left corner) and its buttons.
struct MessageBoxLayout
{
    struct Line
    {
        std::string m_strText; // CP932, one line
        Point m_Origin;
        TextImage m_Image;
    };
    struct Button
    {
        MessageBoxButton m_Button;
        Rect m_Rect;
        TextImage m_Label;
    };

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<Line> m_Lines;
    std::vector<Button> m_Buttons;
};

// Lines are broken at '\n' and wrapped between characters where they grow
// wider than kMessageBoxMaxTextWidth; a line break at the end adds no line.
// The box is no higher than maxHeight: the lines that do not fit are left
// out, and the last one shown ends with "…" (one line is always shown: a box
// is at least MessageBoxHeight(1) high).
MessageBoxLayout LayOutMessageBox(std::string_view text, uint32_t type, TextRasterizer& fonts,
                                  int maxHeight = std::numeric_limits<int>::max());
// The height of a box with that many lines of text.
int MessageBoxHeight(int lines);

class MessageBoxModel
{
public:
    MessageBoxModel(MessageBoxLayout layout, uint32_t type);

    const MessageBoxLayout& Layout() const { return m_Layout; }
    int FocusedButton() const { return m_nFocus; }

    // The box's picture: 24 bits a pixel, blue, green, red; valid until the next Draw.
    PixelView Draw();

    // A key pressed in the box (a virtual key); true when the picture changed.
    bool OnKeyDown(uint32_t key);
    // The left button pressed and let go at client coordinates; true when the picture changed.
    bool OnMouseDown(Point at);
    bool OnMouseUp(Point at);
    // The box closed without a choice.
    void Dismiss();

    // The button chosen, once there is one.
    std::optional<int> Answer() const { return m_Answer; }

private:
    int ButtonAt(Point at) const;

    MessageBoxLayout m_Layout;
    uint32_t m_nType;
    int m_nFocus = 0;
    int m_nPressed = -1; // the button held down with the mouse
    std::optional<int> m_Answer;
    std::vector<uint8_t> m_Pixels;
};

} // namespace platform
