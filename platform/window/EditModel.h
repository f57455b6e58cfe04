#pragma once

// Edits: one line, or several with ES_MULTILINE (lines end in "\r\n"). The
// text is CP932 and every position is a byte offset. A change of the text,
// typed or set by the program (kWmSetText, SetText), raises EN_UPDATE and
// then EN_CHANGE inside the call; EN_CHANGE is left out when a program sets
// the text of a multi-line edit. Focus changes raise EN_SETFOCUS and
// EN_KILLFOCUS. Typing respects the text limit (EM_LIMITTEXT) and ES_NUMBER;
// text set by the program does not. Setting the text puts the caret at the start.
//
// EM_GETSEL returns the selection's start in the low and its end in the high
// half of the result, and stores them where wParam and lParam point (each a
// uint32_t, when not 0). EM_SETSEL takes start and end in either order; a
// start of -1 takes the selection away, an end of -1 means the end of the text.

#include "platform/window/ControlModel.h"

namespace platform
{

class EditModel : public ControlModel
{
public:
    EditModel(NativeWindow& window, std::string_view text);

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void SetText(std::string_view text) override;

    bool IsMultiline() const { return (Style() & kEsMultiline) != 0; }
    bool IsReadOnly() const { return (Style() & kEsReadOnly) != 0; }
    int SelectionStart() const { return m_nSelStart; }
    int SelectionEnd() const { return m_nSelEnd; }
    void SetSelection(int start, int end);
    int Limit() const { return m_nLimit; }
    int LineCount() const;

    // The up-down control whose arrow keys this edit passes on (its buddy with kUdsArrowKeys).
    void SetArrowKeyPartner(WindowHandle upDown) { m_hArrowPartner = upDown; }

    // ---- the author ----
    // Types one character (CP932: lead byte * 256 + trail byte for a double-byte one), as kWmChar does.
    void UserChar(uint32_t code);
    // The widget changed the text itself (deleting, pasting): the new text and selection.
    void UserReplace(std::string_view text, int selStart, int selEnd);

private:
    // Replaces the selection by the bytes, within the limit; false when they do not fit.
    bool ReplaceSelection(std::string_view bytes);
    // Erases [from, to) and notifies.
    void Erase(int from, int to);
    // The start of the character before the byte offset (a "\r\n" counts as one).
    int PreviousCharStart(int pos) const;
    int NextCharEnd(int pos) const;
    void NotifyChange(bool byProgram);

    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    int m_nLimit = kDefaultLimit;
    WindowHandle m_hArrowPartner;

    static constexpr int kDefaultLimit = 30000;
};

} // namespace platform
