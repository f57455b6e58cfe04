#include "platform/window/EditModel.h"

#include "platform/core/Cp932.h"
#include "platform/window/UpDownModel.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <cstring>

namespace platform
{

EditModel::EditModel(NativeWindow& window, std::string_view text) : ControlModel(window, text)
{
}

intptr_t EditModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case kWmChar:
        UserChar(static_cast<uint32_t>(wParam));
        return 0;
    case kWmKeyDown:
        if (wParam == kVkDelete && !IsReadOnly())
        {
            if (m_nSelStart != m_nSelEnd)
            {
                Erase(m_nSelStart, m_nSelEnd);
            }
            else if (m_nSelEnd < static_cast<int>(m_strText.size()))
            {
                Erase(m_nSelEnd, NextCharEnd(m_nSelEnd));
            }
        }
        else if (wParam == kVkUp || wParam == kVkDown)
        {
            if (auto* upDown = ModelOf<UpDownModel>(m_hArrowPartner); upDown && (upDown->Style() & kUdsArrowKeys))
            {
                upDown->UserStep(wParam == kVkUp);
            }
        }
        return 0;
    case kWmSetFocus:
        NotifyCommand(kEnSetFocus);
        return 0;
    case kWmKillFocus:
        NotifyCommand(kEnKillFocus);
        return 0;
    case kEmGetSel:
        if (wParam)
        {
            *reinterpret_cast<uint32_t*>(wParam) = static_cast<uint32_t>(m_nSelStart);
        }
        if (lParam)
        {
            *reinterpret_cast<uint32_t*>(lParam) = static_cast<uint32_t>(m_nSelEnd);
        }
        return MakeLParam(m_nSelStart, m_nSelEnd);
    case kEmSetSel:
    {
        int start = static_cast<int>(static_cast<intptr_t>(wParam));
        int end = static_cast<int>(lParam);
        if (start == -1)
        {
            SetSelection(m_nSelEnd, m_nSelEnd);
        }
        else
        {
            SetSelection(start, end == -1 ? static_cast<int>(m_strText.size()) : end);
        }
        return 0;
    }
    case kEmReplaceSel:
        if (!ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : ""))
        {
            NotifyCommand(kEnMaxText);
        }
        return 0;
    case kEmLimitText:
        m_nLimit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(std::min<uintptr_t>(wParam, 0x7FFFFFFE));
        return 0;
    case kEmGetLimitText:
        return m_nLimit;
    case kEmGetLineCount:
        return LineCount();
    default:
        return ControlModel::OnMessage(message, wParam, lParam);
    }
}

void EditModel::SetText(std::string_view text)
{
    m_strText = text;
    m_nSelStart = m_nSelEnd = 0;
    Changed();
    NotifyChange(true);
}

void EditModel::SetSelection(int start, int end)
{
    int size = static_cast<int>(m_strText.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    if (start > end)
    {
        std::swap(start, end);
    }
    if (start != m_nSelStart || end != m_nSelEnd)
    {
        m_nSelStart = start;
        m_nSelEnd = end;
        Changed();
    }
}

int EditModel::LineCount() const
{
    return 1 + static_cast<int>(std::count(m_strText.begin(), m_strText.end(), '\n'));
}

void EditModel::UserChar(uint32_t code)
{
    if (IsReadOnly())
    {
        return;
    }
    if (code == kVkBack)
    {
        if (m_nSelStart != m_nSelEnd)
        {
            Erase(m_nSelStart, m_nSelEnd);
        }
        else if (m_nSelStart > 0)
        {
            Erase(PreviousCharStart(m_nSelStart), m_nSelStart);
        }
        return;
    }
    std::string bytes;
    if (code == '\r')
    {
        if (!IsMultiline())
        {
            return;
        }
        bytes = "\r\n";
    }
    else if (code < 0x20 || code == 0x7F)
    {
        return; // control codes: the clipboard keys are the widget's
    }
    else if ((Style() & kEsNumber) && (code < '0' || code > '9'))
    {
        return;
    }
    else if (code > 0xFF)
    {
        bytes += static_cast<char>(code >> 8 & 0xFF);
        bytes += static_cast<char>(code & 0xFF);
    }
    else
    {
        bytes += static_cast<char>(code);
    }
    if (!ReplaceSelection(bytes))
    {
        NotifyCommand(kEnMaxText);
    }
}

void EditModel::UserReplace(std::string_view text, int selStart, int selEnd)
{
    if (static_cast<int>(text.size()) > m_nLimit || IsReadOnly())
    {
        Changed(); // the widget shows the model's text again
        NotifyCommand(kEnMaxText);
        return;
    }
    m_strText = text;
    int size = static_cast<int>(m_strText.size());
    m_nSelStart = std::clamp(std::min(selStart, selEnd), 0, size);
    m_nSelEnd = std::clamp(std::max(selStart, selEnd), 0, size);
    Changed();
    NotifyChange(false);
}

bool EditModel::ReplaceSelection(std::string_view bytes)
{
    int kept = static_cast<int>(m_strText.size()) - (m_nSelEnd - m_nSelStart);
    if (kept + static_cast<int>(bytes.size()) > m_nLimit)
    {
        return false;
    }
    m_strText.replace(static_cast<size_t>(m_nSelStart), static_cast<size_t>(m_nSelEnd - m_nSelStart), bytes);
    m_nSelStart = m_nSelEnd = m_nSelStart + static_cast<int>(bytes.size());
    Changed();
    NotifyChange(false);
    return true;
}

void EditModel::Erase(int from, int to)
{
    m_strText.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    m_nSelStart = m_nSelEnd = from;
    Changed();
    NotifyChange(false);
}

int EditModel::PreviousCharStart(int pos) const
{
    if (pos >= 2 && m_strText.compare(static_cast<size_t>(pos - 2), 2, "\r\n") == 0)
    {
        return pos - 2;
    }
    int start = 0;
    for (int at = 0; at < pos;)
    {
        start = at;
        at += static_cast<int>(Cp932CharLength(m_strText, static_cast<size_t>(at)));
    }
    return start;
}

int EditModel::NextCharEnd(int pos) const
{
    if (m_strText.compare(static_cast<size_t>(pos), 2, "\r\n") == 0)
    {
        return pos + 2;
    }
    return pos + static_cast<int>(Cp932CharLength(m_strText, static_cast<size_t>(pos)));
}

void EditModel::NotifyChange(bool byProgram)
{
    WindowHandle self = Handle();
    NotifyCommand(kEnUpdate);
    // The parent may have destroyed the edit in its handler.
    if (ResolveWindow(self) && !(byProgram && IsMultiline()))
    {
        NotifyCommand(kEnChange);
    }
}

} // namespace platform
