#include "editor/framework/TextEdit.h"

#include "editor/framework/DialogBase.h"
#include "common/services/DialogItems.h"
#include "common/services/TextAndNumbers.h"
#include "platform/core/Cp932.h"
#include "platform/window/Beep.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace
{

// What GetDlgItemString reads at most, closing zero included.
constexpr int kItemBuffer = 512;

constexpr int kDefaultReadCount = 512;
constexpr int kDefaultLineWidth = 1024;
constexpr int kDefaultMaxLines = 32;

int Size(const std::string& text)
{
    return static_cast<int>(text.size());
}

// The first count lines of the text, without the break after the last of them.
std::string FirstLines(std::string text, int count)
{
    if (count <= 0)
    {
        return {};
    }
    size_t at = std::string::npos;
    for (int line = 0; line < count; ++line)
    {
        at = text.find('\n', at + 1);
        if (at == std::string::npos)
        {
            return text;
        }
    }
    text.erase(at > 0 && text[at - 1] == '\r' ? at - 1 : at);
    return text;
}

} // namespace

void TextEdit::Attach(DialogBase* owner, const TextEditBinding& binding)
{
    m_nEditKind = 2;
    Control::Attach(owner, static_cast<uint16_t>(binding.m_nId));
    m_pText = binding.m_pText;
    m_nReadCount = binding.m_nReadCount != 0 ? binding.m_nReadCount : kDefaultReadCount;
    m_nLineWidth = binding.m_nLineWidth != 0 ? binding.m_nLineWidth : kDefaultLineWidth;
    m_nMaxLines = binding.m_nMaxLines != 0 ? binding.m_nMaxLines : kDefaultMaxLines;
    m_bDoubleByte = binding.m_bDoubleByte;
    m_bRefuseWideLines = binding.m_bRefuseWideLines;
    m_bDataShown = 0;
}

int TextEdit::ByteCount() const
{
    int count = m_bDoubleByte ? 2 * m_nReadCount - 1 : m_nReadCount;
    return std::min(count, kItemBuffer);
}

int TextEdit::CountLines(std::string_view text)
{
    return text.empty() ? 0 : 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

int TextEdit::CountChars(std::string_view text) const
{
    return m_bDoubleByte ? CountMbChars(text) : static_cast<int>(text.size());
}

void TextEdit::DataToControl()
{
    if (!m_pText)
    {
        return;
    }
    // A stored text beyond the limits shows as much of it as fits: refusing
    // it would bring back the previous text, and OK would store that.
    std::string shown = CutMbText(*m_pText, static_cast<size_t>(std::max(ByteCount() - 1, 0)));
    if (m_nLineWidth > 0 || m_nMaxLines > 0)
    {
        int selStart = 0;
        int selEnd = 0;
        Wrap(shown, selStart, selEnd);
        shown = FirstLines(shown, m_nMaxLines);
    }
    m_strLast = shown;
    // The change the text raises applies the limits and records the text as
    // accepted. A dialog that ignores the notifications of its other controls
    // while it fills them never routes it: the change is then applied here.
    uint32_t changes = m_nChanges;
    SetDlgItemString(m_hOwner, m_nId, shown);
    if (m_nChanges == changes)
    {
        OnChange();
    }
    m_bDataShown = Native() ? 1 : 0;
    m_nDataChanges = m_nChanges;
    m_strDataText.clear();
    if (m_bDataShown)
    {
        GetDlgItemString(m_hOwner, m_nId, m_strDataText, ByteCount());
    }
}

void TextEdit::ControlToData()
{
    if (!m_pText)
    {
        return;
    }
    std::string text;
    GetDlgItemString(m_hOwner, m_nId, text, ByteCount());
    // The author has not changed what the field showed: the text stays as it was given.
    if (Owner() && Owner()->KeepsUntouchedValues() && m_bDataShown && Native() && m_nChanges == m_nDataChanges && text == m_strDataText)
    {
        return;
    }
    *m_pText = text;
    m_bDataShown = Native() ? 1 : 0;
    m_nDataChanges = m_nChanges;
    m_strDataText = std::move(text);
}

void TextEdit::OnChange()
{
    if (m_bBusy)
    {
        return;
    }
    m_bBusy = 1;
    std::string text;
    GetDlgItemString(m_hOwner, m_nId, text, ByteCount());
    uint32_t start = 0;
    uint32_t end = 0;
    platform::SendWindowMessage(m_hWnd, platform::kEmGetSel, reinterpret_cast<uintptr_t>(&start),
                                reinterpret_cast<intptr_t>(&end));
    int selStart = static_cast<int>(start);
    int selEnd = static_cast<int>(end);
    m_nSelStart = selStart;
    m_nSelEnd = selEnd;
    ++m_nChanges;
    bool limited = m_nLineWidth > 0 || m_nMaxLines > 0;
    if (limited && JoinsTooWide(text, selEnd))
    {
        // The join is undone: the text as it was, the caret where the Backspace left it.
        text = m_strLast;
    }
    else if (limited)
    {
        const bool tooWide = m_bRefuseWideLines && HasWideLine(text);
        if (!m_bRefuseWideLines)
        {
            Wrap(text, selStart, selEnd);
        }
        if (tooWide || CountLines(text) > m_nMaxLines)
        {
            platform::MessageBeep(platform::kBeepDefault);
            text = m_strLast;
            selStart = m_nSelStart;
            selEnd = m_nSelEnd;
        }
        // The caret never stands between the "\r" and the "\n" of a line break.
        if (selStart < Size(text) && text[static_cast<size_t>(selStart)] == '\n')
        {
            ++selStart;
        }
        if (selEnd < Size(text) && text[static_cast<size_t>(selEnd)] == '\n')
        {
            ++selEnd;
        }
        selStart = std::min(selStart, Size(text));
        selEnd = std::min(selEnd, Size(text));
    }
    SetDlgItemString(m_hOwner, m_nId, text);
    platform::SendWindowMessage(m_hWnd, platform::kEmSetSel, static_cast<uintptr_t>(selStart), selEnd);
    m_strLast = text;
    m_bBusy = 0;
}

bool TextEdit::JoinsTooWide(const std::string& text, int selEnd) const
{
    platform::WindowSystem* system = platform::SystemOfWindow(m_hWnd);
    if (!system || !system->IsKeyDown(platform::kVkBack) || m_nSelStart != m_nSelEnd ||
        Size(text) + 2 != Size(m_strLast) || CountLines(text) >= CountLines(m_strLast))
    {
        return false;
    }
    // The line in front of the deleted break, with the break before it.
    std::string before = m_strLast.substr(0, static_cast<size_t>(std::clamp(selEnd, 0, Size(m_strLast))));
    size_t lastBreak = before.rfind('\r');
    if (lastBreak != std::string::npos)
    {
        before.erase(0, lastBreak);
    }
    return CountChars(before) >= m_nLineWidth;
}

bool TextEdit::HasWideLine(std::string_view text) const
{
    for (size_t pos = 0; pos <= text.size();)
    {
        size_t lineEnd = text.find('\r', pos);
        if (lineEnd == std::string_view::npos)
        {
            lineEnd = text.size();
        }
        if (CountChars(text.substr(pos, lineEnd - pos)) > m_nLineWidth)
        {
            return true;
        }
        pos = lineEnd + 2;
    }
    return false;
}

void TextEdit::Wrap(std::string& text, int& selStart, int& selEnd) const
{
    size_t pos = 0;
    for (int k = 0; k < m_nMaxLines; ++k)
    {
        size_t lineEnd = pos < text.size() ? text.find('\r', pos) : std::string::npos;
        if (lineEnd == std::string::npos)
        {
            lineEnd = text.size();
        }
        std::string_view line = pos < text.size() ? std::string_view(text).substr(pos, lineEnd - pos) : "";
        if (CountChars(line) > m_nLineWidth)
        {
            // The longest start of the line within the width, whole characters only.
            size_t keep = 0;
            int count = 0;
            for (size_t at = 0; at < line.size();)
            {
                size_t length = platform::Cp932CharLength(line, at);
                int add = m_bDoubleByte ? (length == 1 && line[at] == '\n' ? 0 : 1) : static_cast<int>(length);
                if (count + add > m_nLineWidth)
                {
                    break;
                }
                count += add;
                at += length;
                keep = at;
            }
            size_t breakAt = pos + keep;
            text.insert(breakAt, "\r\n");
            if (static_cast<int>(breakAt) <= selStart)
            {
                selStart += 2;
            }
            if (static_cast<int>(breakAt) <= selEnd)
            {
                selEnd += 2;
            }
            // The line's own break goes: the overflow joins the next line.
            size_t former = text.find("\r\n", breakAt + 2);
            if (former != std::string::npos)
            {
                text.erase(former, 2);
            }
        }
        // On to the next line; the last one fitted (a cut one would have a break after it).
        size_t next = pos < text.size() ? text.find('\r', pos) : std::string::npos;
        if (next == std::string::npos)
        {
            break;
        }
        pos = next + 2;
    }
}
