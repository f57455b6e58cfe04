#include "game/scenes/MenuBox.h"

#include "common/services/TextAndNumbers.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/TextOutput.h"

#include <algorithm>
#include <utility>

namespace
{

// The menu pointer's cell on the accessory sheet.
constexpr int kPointerSourceX = 64;

// The box pattern that centred boxes are centred on; null while it is not loaded.
const Surface* CentringPattern()
{
    const Surface* pattern = TextFonts[kFontStandard].BoxPattern();
    return pattern && pattern->Get() ? pattern : nullptr;
}

int CountLines(std::string_view text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

} // namespace

void DrawMenuPointer(DrawTarget& target, int x, int y, int rowHeight, int look)
{
    const int inset = (rowHeight - kMenuPointerSize) / 2;
    target.Blit(x + inset, y + inset, kMenuPointerSize, kMenuPointerSize, kSurfaceAccessory,
                kPointerSourceX + look * kMenuPointerSize, 0);
}

int CentredBoxX(int w)
{
    const Surface* pattern = CentringPattern();
    return (pattern ? pattern->m_nWidth : kScreenWidth) / 2 - w / 2;
}

int CentredBoxY(int h)
{
    const Surface* pattern = CentringPattern();
    return (pattern ? pattern->m_nHeight : kScreenHeight) / 2 - h / 2;
}

int TextBoxWidth(std::string_view text, int margin)
{
    int widest = 0;
    for (std::size_t start = 0; start <= text.size();)
    {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
        {
            end = text.size();
        }
        widest = std::max(widest, CountMbChars(text.substr(start, end - start)));
        start = end + 1;
    }
    return margin + widest * FontDefs[kFontStandard].m_nCellWidth;
}

int TextBoxHeight(std::string_view text)
{
    return CountLines(text) * FontDefs[kFontStandard].m_nLineHeight;
}

MenuBox::MenuBox(std::string lines, int x, int y, int width)
    : m_strLines(std::move(lines)), m_nX(x), m_nY(y),
      m_nWidth(width > 0 ? width : TextBoxWidth(m_strLines, kMenuBoxMargin)), m_nRows(CountLines(m_strLines))
{
}

int MenuBox::X() const
{
    return m_nX == kCentred ? CentredBoxX(m_nWidth) : m_nX;
}

int MenuBox::Y() const
{
    return m_nY == kCentred ? CentredBoxY(Height()) : m_nY;
}

void MenuBox::Open(int row) const
{
    MenuCursor.PushAt(0, std::clamp(row, 0, m_nRows - 1));
}

void MenuBox::Close() const
{
    MenuCursor.Pop(1);
}

int MenuBox::Move(const InputState& input) const
{
    MoveGrid(MenuCursor, input, X(), Y(), 0, kMenuBoxRowHeight, 1, m_nRows);
    return input.m_nDirections & (kInputUp | kInputDown);
}

int MenuBox::Row() const
{
    return MenuCursor.Current().m_nRow;
}

void MenuBox::Draw(DrawTarget& target) const
{
    DrawBox(target);
    DrawPointerAt(target, Row());
}

void MenuBox::DrawPointerAt(DrawTarget& target, int row, int look) const
{
    DrawMenuPointer(target, X(), Y() + kMenuBoxRowHeight * std::clamp(row, 0, m_nRows - 1), kMenuBoxRowHeight, look);
}

void MenuBox::DrawBox(DrawTarget& target) const
{
    target.DrawTextBox(kFontStandard, X(), Y(), m_nWidth, Height(), m_strLines, kMenuBoxMargin, kFontColour);
}
