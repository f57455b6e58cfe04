#include "platform/sdl/SdlMessageBox.h"

#include "platform/core/Cp932.h"
#include "platform/window/Dialogs.h"

#include <algorithm>

namespace platform
{

namespace
{

// The box's measures, in pixels.
constexpr int kTextMarginX = 24;
constexpr int kTextMarginY = 20;
constexpr int kLineHeight = kMessageBoxTextSize + 6;
constexpr int kStripPadding = 12;
constexpr int kButtonHeight = 26;
constexpr int kButtonMinWidth = 84;
constexpr int kButtonLabelPadding = 24;
constexpr int kButtonGap = 8;
constexpr int kMinWidth = 200;

constexpr uint32_t kButtonFace = 0xE1E1E1;
constexpr uint32_t kButtonPressedFace = 0xCCE4F7;
constexpr uint32_t kButtonBorder = 0xADADAD;
constexpr uint32_t kFocusBorder = 0x0078D7;

// Where a line that grows too wide breaks: before the character that does
// not fit, or, inside a word of single-byte letters, after the space before
// that word (the space stays at the end of the line).
size_t BreakPoint(const std::string& line, std::string_view next)
{
    if (next.size() != 1 || next[0] == ' ' || static_cast<unsigned char>(next[0]) >= 0x80)
    {
        return line.size();
    }
    const size_t space = line.rfind(' ');
    if (space == std::string::npos || space == 0)
    {
        return line.size();
    }
    const bool word = std::all_of(line.begin() + static_cast<std::ptrdiff_t>(space) + 1, line.end(),
                                  [](char c) { return c != ' ' && static_cast<unsigned char>(c) < 0x80; });
    return word ? space + 1 : line.size();
}

// The lines of one paragraph, each no wider than the widest a line may be (a single character always fits).
void WrapParagraph(std::string_view paragraph, TextRasterizer& fonts, std::vector<std::string>& lines)
{
    if (fonts.Render(paragraph, kMessageBoxTextSize).m_nWidth <= kMessageBoxMaxTextWidth)
    {
        lines.emplace_back(paragraph);
        return;
    }
    std::string line;
    for (size_t pos = 0; pos < paragraph.size();)
    {
        const size_t length = Cp932CharLength(paragraph, pos);
        const std::string_view next = paragraph.substr(pos, length);
        std::string longer = line + std::string(next);
        if (!line.empty() && fonts.Render(longer, kMessageBoxTextSize).m_nWidth > kMessageBoxMaxTextWidth)
        {
            const size_t cut = BreakPoint(line, next);
            std::string done = line.substr(0, cut);
            done.erase(done.find_last_not_of(' ') + 1);
            lines.push_back(std::move(done));
            longer = line.substr(cut) + std::string(next);
        }
        line = std::move(longer);
        pos += length;
    }
    lines.push_back(line);
}

// The line with "…" at its end, characters taken off its end until that fits the widest a line may be.
std::string EndWithEllipsis(const std::string& line, TextRasterizer& fonts)
{
    const std::string ellipsis = "…";
    std::vector<size_t> starts;
    for (size_t pos = 0; pos < line.size(); pos += std::max<size_t>(Cp932CharLength(line, pos), 1))
    {
        starts.push_back(pos);
    }
    std::string kept = line;
    for (size_t count = starts.size();; --count)
    {
        kept.resize(count < starts.size() ? starts[count] : line.size());
        kept.erase(kept.find_last_not_of(' ') + 1);
        if (count == 0 || fonts.Render(kept + ellipsis, kMessageBoxTextSize).m_nWidth <= kMessageBoxMaxTextWidth)
        {
            return kept + ellipsis;
        }
    }
}

class Canvas
{
public:
    Canvas(std::vector<uint8_t>& pixels, int width, int height) : m_Pixels(pixels), m_nWidth(width), m_nHeight(height)
    {
        m_Pixels.assign(static_cast<size_t>(width) * height * 3, 0);
    }

    void Fill(const Rect& r, uint32_t rgb)
    {
        for (int y = std::max(r.m_nTop, 0); y < std::min(r.Bottom(), m_nHeight); ++y)
        {
            for (int x = std::max(r.m_nLeft, 0); x < std::min(r.Right(), m_nWidth); ++x)
            {
                Put(x, y, rgb);
            }
        }
    }

    void Frame(const Rect& r, int thickness, uint32_t rgb)
    {
        Fill({r.m_nLeft, r.m_nTop, r.m_nWidth, thickness}, rgb);
        Fill({r.m_nLeft, r.Bottom() - thickness, r.m_nWidth, thickness}, rgb);
        Fill({r.m_nLeft, r.m_nTop, thickness, r.m_nHeight}, rgb);
        Fill({r.Right() - thickness, r.m_nTop, thickness, r.m_nHeight}, rgb);
    }

    // The text's coverage laid over the ground in the ink colour.
    void Text(const TextImage& image, Point origin, uint32_t ground, uint32_t ink)
    {
        for (int y = 0; y < image.m_nHeight; ++y)
        {
            for (int x = 0; x < image.m_nWidth; ++x)
            {
                const int px = origin.m_nX + x;
                const int py = origin.m_nY + y;
                if (px >= 0 && py >= 0 && px < m_nWidth && py < m_nHeight)
                {
                    Put(px, py, BlendMessageBoxInk(ground, ink, image.At(x, y)));
                }
            }
        }
    }

private:
    void Put(int x, int y, uint32_t rgb)
    {
        uint8_t* p = &m_Pixels[(static_cast<size_t>(y) * m_nWidth + x) * 3];
        p[0] = static_cast<uint8_t>(rgb);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb >> 16);
    }

    std::vector<uint8_t>& m_Pixels;
    int m_nWidth;
    int m_nHeight;
};

} // namespace

uint32_t BlendMessageBoxInk(uint32_t ground, uint32_t ink, uint8_t coverage)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
    {
        const uint32_t g = (ground >> shift) & 0xFF;
        const uint32_t i = (ink >> shift) & 0xFF;
        out |= ((g * (255u - coverage) + i * coverage + 127u) / 255u) << shift;
    }
    return out;
}

std::vector<MessageBoxButton> MessageBoxButtons(uint32_t type)
{
    const MessageBoxButton ok{kIdOk, "OK", true, false};
    const MessageBoxButton cancel{kIdCancel, "キャンセル", false, true};
    const MessageBoxButton yes{kIdYes, "はい", true, false};
    const MessageBoxButton no{kIdNo, "いいえ", false, false};
    switch (type & kMbButtonMask)
    {
    case kMbOkCancel:
        return {ok, cancel};
    case kMbYesNoCancel:
        return {yes, no, cancel};
    case kMbYesNo:
    {
        MessageBoxButton noEscapes = no;
        noEscapes.m_bEscapeKey = true;
        return {yes, noEscapes};
    }
    default:
    {
        MessageBoxButton okEscapes = ok;
        okEscapes.m_bEscapeKey = true;
        return {okEscapes};
    }
    }
}

int MessageBoxHeight(int lines)
{
    return kTextMarginY * 2 + lines * kLineHeight + kButtonHeight + 2 * kStripPadding;
}

MessageBoxLayout LayOutMessageBox(std::string_view text, uint32_t type, TextRasterizer& fonts, int maxHeight)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();)
    {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
        {
            end = text.size();
        }
        // A line break that ends the text adds no line.
        if (end == text.size() && start == end && !lines.empty())
        {
            break;
        }
        WrapParagraph(text.substr(start, end - start), fonts, lines);
        start = end + 1;
    }
    const int room = maxHeight >= MessageBoxHeight(1) ? 1 + (maxHeight - MessageBoxHeight(1)) / kLineHeight : 1;
    if (static_cast<int>(lines.size()) > room)
    {
        lines.resize(static_cast<size_t>(room));
        lines.back() = EndWithEllipsis(lines.back(), fonts);
    }

    MessageBoxLayout layout;
    int textWidth = 0;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        MessageBoxLayout::Line line;
        line.m_Image = fonts.Render(lines[i], kMessageBoxTextSize);
        line.m_strText = std::move(lines[i]);
        line.m_Origin = {kTextMarginX,
                         kTextMarginY + static_cast<int>(i) * kLineHeight + (kLineHeight - kMessageBoxTextSize) / 2};
        textWidth = std::max(textWidth, line.m_Image.m_nWidth);
        layout.m_Lines.push_back(std::move(line));
    }

    int buttonsWidth = 0;
    for (const MessageBoxButton& button : MessageBoxButtons(type))
    {
        MessageBoxLayout::Button laid;
        laid.m_Button = button;
        laid.m_Label = fonts.Render(button.m_strLabel, kMessageBoxTextSize);
        laid.m_Rect = {0, 0, std::max(kButtonMinWidth, laid.m_Label.m_nWidth + kButtonLabelPadding), kButtonHeight};
        buttonsWidth += laid.m_Rect.m_nWidth + (layout.m_Buttons.empty() ? 0 : kButtonGap);
        layout.m_Buttons.push_back(std::move(laid));
    }

    const int textBottom = kTextMarginY * 2 + static_cast<int>(layout.m_Lines.size()) * kLineHeight;
    layout.m_nWidth = std::max({kMinWidth, textWidth + 2 * kTextMarginX, buttonsWidth + 2 * kStripPadding});
    layout.m_nHeight = MessageBoxHeight(static_cast<int>(layout.m_Lines.size()));
    // The buttons stand at the right of the strip, in their order.
    int x = layout.m_nWidth - kStripPadding - buttonsWidth;
    for (MessageBoxLayout::Button& button : layout.m_Buttons)
    {
        button.m_Rect.m_nLeft = x;
        button.m_Rect.m_nTop = textBottom + kStripPadding;
        x += button.m_Rect.m_nWidth + kButtonGap;
    }
    return layout;
}

MessageBoxModel::MessageBoxModel(MessageBoxLayout layout, uint32_t type) : m_Layout(std::move(layout)), m_nType(type)
{
    for (size_t i = 0; i < m_Layout.m_Buttons.size(); ++i)
    {
        if (m_Layout.m_Buttons[i].m_Button.m_bReturnKey)
        {
            m_nFocus = static_cast<int>(i);
            break;
        }
    }
}

PixelView MessageBoxModel::Draw()
{
    const int width = m_Layout.m_nWidth;
    const int height = m_Layout.m_nHeight;
    Canvas canvas(m_Pixels, width, height);
    const int stripTop = m_Layout.m_Buttons.empty() ? height : m_Layout.m_Buttons[0].m_Rect.m_nTop - kStripPadding;
    canvas.Fill({0, 0, width, stripTop}, kMessageBoxPaper);
    canvas.Fill({0, stripTop, width, height - stripTop}, kMessageBoxStrip);
    for (const MessageBoxLayout::Line& line : m_Layout.m_Lines)
    {
        canvas.Text(line.m_Image, line.m_Origin, kMessageBoxPaper, kMessageBoxInk);
    }
    for (size_t i = 0; i < m_Layout.m_Buttons.size(); ++i)
    {
        const MessageBoxLayout::Button& button = m_Layout.m_Buttons[i];
        const Rect& r = button.m_Rect;
        const uint32_t face = static_cast<int>(i) == m_nPressed ? kButtonPressedFace : kButtonFace;
        canvas.Fill(r, face);
        const bool focused = static_cast<int>(i) == m_nFocus;
        canvas.Frame(r, focused ? 2 : 1, focused ? kFocusBorder : kButtonBorder);
        const Point label{r.m_nLeft + (r.m_nWidth - button.m_Label.m_nWidth) / 2,
                          r.m_nTop + (r.m_nHeight - button.m_Label.m_nHeight) / 2};
        canvas.Text(button.m_Label, label, face, kMessageBoxInk);
    }
    PixelView view;
    view.m_nWidth = width;
    view.m_nHeight = height;
    view.m_nStride = width * 3;
    view.m_nBitsPerPixel = 24;
    view.m_pBits = m_Pixels.data();
    return view;
}

bool MessageBoxModel::OnKeyDown(uint32_t key)
{
    const int count = static_cast<int>(m_Layout.m_Buttons.size());
    if (m_Answer || count == 0)
    {
        return false;
    }
    switch (key)
    {
    case kVkReturn:
    case kVkSpace:
        m_Answer = m_Layout.m_Buttons[m_nFocus].m_Button.m_nAnswer;
        return false;
    case kVkEscape:
        Dismiss();
        return false;
    case kVkLeft:
    case kVkUp:
        m_nFocus = (m_nFocus + count - 1) % count;
        return count > 1;
    case kVkRight:
    case kVkDown:
    case kVkTab:
        m_nFocus = (m_nFocus + 1) % count;
        return count > 1;
    default:
        return false;
    }
}

bool MessageBoxModel::OnMouseDown(Point at)
{
    const int button = ButtonAt(at);
    if (m_Answer || button < 0)
    {
        return false;
    }
    m_nPressed = button;
    m_nFocus = button;
    return true;
}

bool MessageBoxModel::OnMouseUp(Point at)
{
    if (m_nPressed < 0)
    {
        return false;
    }
    if (!m_Answer && ButtonAt(at) == m_nPressed)
    {
        m_Answer = m_Layout.m_Buttons[m_nPressed].m_Button.m_nAnswer;
    }
    m_nPressed = -1;
    return true;
}

void MessageBoxModel::Dismiss()
{
    if (m_Answer)
    {
        return;
    }
    // Escape stands for the answer a closed box gives.
    for (const MessageBoxLayout::Button& button : m_Layout.m_Buttons)
    {
        if (button.m_Button.m_bEscapeKey)
        {
            m_Answer = button.m_Button.m_nAnswer;
            return;
        }
    }
    m_Answer = DismissedAnswer(m_nType);
}

int MessageBoxModel::ButtonAt(Point at) const
{
    for (size_t i = 0; i < m_Layout.m_Buttons.size(); ++i)
    {
        if (m_Layout.m_Buttons[i].m_Rect.Contains(at))
        {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace platform
