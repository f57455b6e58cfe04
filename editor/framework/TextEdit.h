#pragma once

// A text field bound to a std::string, kept within three limits while the
// author types: a byte count (the text is read with it, so a longer text is
// cut silently), a line width in characters and a number of lines. In
// double-byte mode a CP932 lead and trail byte count as one character and the
// byte count allows two bytes a character. A line that grows past the width
// is broken and its overflow carried to the start of the next line; a change
// that would need more lines than allowed is refused with a beep, and the
// previous text comes back. A text whose binding asks for it breaks no line:
// a change that makes a line wider than the width is refused the same way.
// Deleting a line break with Backspace is undone (without a beep) when the
// joined line would be too wide. Lines end in "\r\n".

#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"

#include <string>
#include <string_view>

class TextEdit : public EditControl
{
public:
    TextEdit() : EditControl(kControlTextEdit) {}

    // Takes the bound text and the limits from the binding (a read count of 0
    // is 512, a line width of 0 is 1024 characters, a line count of 0 is 32).
    // The text is not shown yet.
    void Attach(DialogBase* owner, const TextEditBinding& binding);

    // Shows the bound text; the change it raises applies the limits.
    void DataToControl() override;
    // Stores the text, at most ByteCount() - 1 bytes; nothing while the text
    // is the one that showed (or last stored) the bound text and nothing was
    // typed since: a stored text beyond the limits stays whole until the
    // author changes it.
    void ControlToData() override;
    // Every change of the text: the limits (above).
    void OnChange() override;

    TextEditBinding& Binding() { return m_Binding; }
    // The bytes the text is read with, closing zero included: the read count,
    // twice it less 1 in double-byte mode; never more than 512.
    int ByteCount() const;
    int LineWidth() const { return m_nLineWidth; }
    int MaxLines() const { return m_nMaxLines; }
    bool IsDoubleByte() const { return m_bDoubleByte != 0; }
    // The text as the last change left it.
    const std::string& LastAccepted() const { return m_strLast; }

    // Lines of a text: 0 for an empty one, else one more than its "\n".
    static int CountLines(std::string_view text);
    // Characters of a text as the width counts them: CP932 characters ("\n"
    // not counted) in double-byte mode, bytes otherwise.
    int CountChars(std::string_view text) const;

private:
    // Whether deleting a line break with Backspace joined a line that would be too wide.
    bool JoinsTooWide(const std::string& text, int selEnd) const;
    // Breaks the lines wider than the width, carrying each overflow to the next line.
    void Wrap(std::string& text, int& selStart, int& selEnd) const;
    // Whether a line of the text is wider than the width.
    bool HasWideLine(std::string_view text) const;

    std::string* m_pText = nullptr;
    int32_t m_nReadCount = 0;
    int32_t m_bDoubleByte = 0;
    int32_t m_nLineWidth = 0;
    int32_t m_nMaxLines = 0;
    int32_t m_bRefuseWideLines = 0;
    std::string m_strLast;
    int32_t m_nSelStart = 0;
    int32_t m_nSelEnd = 0;
    uint32_t m_nChanges = 0;   // changes applied, to tell whether showing a text raised one
    // The text that showed or last stored the bound text and the changes
    // applied by then, while m_bDataShown.
    std::string m_strDataText;
    uint32_t m_nDataChanges = 0;
    int32_t m_bDataShown = 0;
    TextEditBinding m_Binding;
};
