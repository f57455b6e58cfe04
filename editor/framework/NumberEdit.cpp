#include "editor/framework/NumberEdit.h"

#include "editor/framework/DialogBase.h"
#include "common/services/TextAndNumbers.h"
#include "platform/core/Cp932.h"
#include "platform/core/Format.h"
#include "platform/window/Beep.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <type_traits>

namespace
{

// The longest text a field is read with (its buffer, closing zero included).
constexpr size_t kReadBuffer = 1024;

// Full-width characters of the input method and what they type, in the order they are looked up.
struct FullWidthForm
{
    uint32_t m_nCode;
    char m_cAscii;
};

constexpr FullWidthForm kFullWidthForms[] = {
    {0x8250, '1'}, {0x8251, '2'}, {0x8252, '3'}, {0x8253, '4'}, {0x8254, '5'}, {0x8255, '6'},
    {0x8256, '7'}, {0x8257, '8'}, {0x8258, '9'}, {0x824F, '0'}, {0x817C, '-'}, {0x8144, '.'},
};

// The characters of a number in the text: double-byte characters go whole,
// '-' stays only in front, '.' and the digits stay, every other byte goes.
std::string NumberCharacters(std::string_view text)
{
    std::string kept;
    for (size_t pos = 0; pos < text.size();)
    {
        size_t length = platform::Cp932CharLength(text, pos);
        char c = text[pos];
        if (length == 1 && ((c == '-' && kept.empty()) || c == '.' || (c >= '0' && c <= '9')))
        {
            kept += c;
        }
        pos += length;
    }
    return kept;
}

// The integer at the front of the text as atoi reads it, held within int's range.
int ReadInteger(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The characters an input method committed to a numeric field as the field
// would take them typed: each full-width digit, minus or point as its ASCII
// form, a single-byte character as it is; false when one of them has no
// such form.
bool AsciiOfCommitted(std::string_view text, std::string& ascii)
{
    ascii.clear();
    for (size_t pos = 0; pos < text.size();)
    {
        size_t length = platform::Cp932CharLength(text, pos);
        if (length == 2)
        {
            uint32_t code = static_cast<uint32_t>(static_cast<unsigned char>(text[pos])) << 8 |
                            static_cast<unsigned char>(text[pos + 1]);
            char form = NumberCharOfFullWidth(code);
            if (!form)
            {
                return false;
            }
            ascii += form;
        }
        else
        {
            ascii += text[pos];
        }
        pos += std::max<size_t>(length, 1);
    }
    return true;
}

// The edit's text with its selection replaced by the typed characters.
std::string TextAfterTyping(platform::WindowHandle window, std::string_view typed)
{
    platform::NativeWindow* native = platform::ResolveWindow(window);
    std::string text = native ? native->Text() : std::string();
    uint32_t start = 0;
    uint32_t end = 0;
    platform::SendWindowMessage(window, platform::kEmGetSel, reinterpret_cast<uintptr_t>(&start),
                                reinterpret_cast<intptr_t>(&end));
    size_t from = std::min<size_t>(std::min(start, end), text.size());
    size_t to = std::min<size_t>(std::max(start, end), text.size());
    return text.substr(0, from) + std::string(typed) + text.substr(to);
}

// A decimal field takes ',' as its decimal point (what a German keypad's
// decimal key types).
void CommaAsPoint(std::string& text)
{
    std::replace(text.begin(), text.end(), ',', '.');
}

// The character filter of a numeric field: control codes pass; a character
// that keeps the text a number passes (',' typed into a decimal field goes
// again as '.'); any other is refused with a beep.
bool TakeTypedChar(platform::WindowHandle window, uint32_t code, bool decimal)
{
    if (code < 0x20)
    {
        return true;
    }
    if (decimal && code == ',')
    {
        platform::SendWindowMessage(window, platform::kWmChar, '.', 0);
        return false;
    }
    if (code > 0x7E || !IsNumberFieldText(TextAfterTyping(window, std::string(1, static_cast<char>(code))), decimal))
    {
        platform::MessageBeep(platform::kBeepDefault);
        return false;
    }
    return true;
}

// Text the input method committed to a numeric field: typed as its ASCII
// forms when the field takes all of it, else refused whole with a beep.
bool TypeCommittedNumber(platform::WindowHandle window, std::string_view text, bool decimal)
{
    std::string ascii;
    bool forms = AsciiOfCommitted(text, ascii);
    if (decimal)
    {
        CommaAsPoint(ascii);
    }
    if (!forms || !IsNumberFieldText(TextAfterTyping(window, ascii), decimal))
    {
        platform::MessageBeep(platform::kBeepDefault);
        return true;
    }
    for (char c : ascii)
    {
        platform::SendWindowMessage(window, platform::kWmChar, static_cast<unsigned char>(c), 0);
    }
    return true;
}

} // namespace

int CountIntegerDigits(int n)
{
    int count = 0;
    for (;;)
    {
        n /= 10;
        if (n == 0 || count >= 10)
        {
            break;
        }
        ++count;
    }
    return count + 1;
}

int CountDecimals(double unit)
{
    double whole = std::trunc(unit);
    int digits = std::fabs(whole) < 2147483648.0 ? CountIntegerDigits(static_cast<int>(whole)) : 11;
    const std::string text = platform::Format("%.10f", unit);
    int length = static_cast<int>(text.size());
    int zeros = 0;
    while (zeros < 10 && zeros < length && text[length - 1 - zeros] == '0')
    {
        ++zeros;
    }
    return std::max(length - zeros - digits - 1, 0);
}

char NumberCharOfFullWidth(uint32_t code)
{
    for (const FullWidthForm& form : kFullWidthForms)
    {
        if (form.m_nCode == code)
        {
            return form.m_cAscii;
        }
    }
    return 0;
}

bool IsNumberFieldText(std::string_view text, bool decimal)
{
    bool point = false;
    for (size_t pos = 0; pos < text.size(); ++pos)
    {
        char c = text[pos];
        if (c >= '0' && c <= '9')
        {
            continue;
        }
        if (c == '-' && pos == 0)
        {
            continue;
        }
        if (c == '.' && decimal && !point)
        {
            point = true;
            continue;
        }
        return false;
    }
    return true;
}

double ReadDecimalNumber(std::string_view text)
{
    double value = 0.0;
    const char* end = text.data() + text.size();
    std::from_chars_result read = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (read.ec == std::errc::result_out_of_range)
    {
        // Too large when a digit other than 0 stands before the point; else too small.
        std::string_view number(text.data(), static_cast<size_t>(read.ptr - text.data()));
        std::string_view whole = number.substr(0, number.find('.'));
        if (whole.find_first_of("123456789") == std::string_view::npos)
        {
            return 0.0;
        }
        return !text.empty() && text[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return read.ec == std::errc() ? value : 0.0;
}

// ---- NumberEdit ----

template <class T>
NumberEdit<T>::~NumberEdit()
{
    if (platform::NativeWindow* native = Native(); native && native->GetProp(kNumberEditProperty) == this)
    {
        native->RemoveProp(kNumberEditProperty);
    }
}

template <class T>
void NumberEdit<T>::Attach(DialogBase* owner, const NumberEditBinding<T>& binding)
{
    m_nEditKind = 1;
    Control::Attach(owner, static_cast<uint16_t>(binding.m_nId));
    ClearStyle(platform::kEsNumber);
    m_pValue = binding.m_pValue;
    m_Minimum = binding.m_Minimum;
    m_Maximum = binding.m_Maximum;
    m_nReserved = binding.m_nReserved;
    m_Unit = binding.m_Unit;
    m_nDecimals = CountDecimals(static_cast<double>(m_Unit));
    if (binding.m_nSpinId != 0)
    {
        m_Spin.Control::Attach(owner, static_cast<uint16_t>(binding.m_nSpinId));
        m_Spin.SetLimits(m_pValue, m_hWnd, m_Unit, m_Minimum, m_Maximum, m_nReserved);
        // The wrapper writes the edit's text, not the up-down control.
        m_Spin.ClearStyle(platform::kUdsSetBuddyInt);
    }
    m_bFloating = std::is_floating_point_v<T> ? 1 : 0;
    if (platform::NativeWindow* native = Native())
    {
        native->SetProp(kNumberEditProperty, this);
        const bool decimal = std::is_floating_point_v<T>;
        native->SetCharFilter(
            [decimal](platform::WindowHandle window, uint32_t code) { return TakeTypedChar(window, code, decimal); });
        native->SetImeCommitHook([decimal](platform::WindowHandle window, std::string_view text) {
            return TypeCommittedNumber(window, text, decimal);
        });
        m_strAccepted = native->Text();
    }
    // What the author typed in an earlier run of the dialog is not shown again.
    m_bEmpty = 0;
    m_strOverride.clear();
    m_bDataShown = 0;
    if (m_pValue)
    {
        ShowBoundValue();
    }
}

template <class T>
T NumberEdit<T>::GetValue()
{
    platform::NativeWindow* native = Native();
    std::string read = native ? CutMbText(native->Text(), kReadBuffer - 1) : std::string();
    std::string kept;
    T value = T();
    if (read.empty())
    {
        m_strOverride.clear();
    }
    else
    {
        kept = NumberCharacters(read);
        if constexpr (std::is_floating_point_v<T>)
        {
            // Rounded to the decimals shown; + 0.0 turns a rounded -0.0 into 0.
            std::string shown = Format(static_cast<T>(ReadDecimalNumber(kept)));
            value = static_cast<T>(ReadDecimalNumber(shown) + 0.0);
            // The author's own typing (a trailing point, a lone minus sign) stays on screen.
            m_strOverride = kept;
        }
        else
        {
            value = static_cast<T>(ReadInteger(kept));
            m_strOverride.clear();
            if (kept == "-")
            {
                m_strOverride = "-";
            }
            else if (!kept.empty() && kept[0] == '-' && ReadInteger(kept) == ReadInteger(kept.substr(1)))
            {
                // A minus sign and zeros: the start of a negative number.
                m_strOverride = "-" + std::to_string(static_cast<int>(value));
            }
        }
    }
    if (kept.empty())
    {
        m_bEmpty = 1;
        return m_Minimum > T() ? m_Minimum : T();
    }
    m_bEmpty = 0;
    return value;
}

template <class T>
void NumberEdit<T>::SetValue(T value, int force)
{
    if (m_bEmpty)
    {
        return;
    }
    T clamped = Clamp(value);
    if constexpr (std::is_floating_point_v<T>)
    {
        if (!force && clamped == value)
        {
            if (!m_strOverride.empty())
            {
                Show(m_strOverride);
            }
            return;
        }
        Show(Format(clamped));
    }
    else
    {
        Show(m_strOverride.empty() ? Format(clamped) : m_strOverride);
    }
}

template <class T>
void NumberEdit<T>::Enable(int on)
{
    Control::Enable(on);
    m_Spin.Enable(on);
}

template <class T>
void NumberEdit<T>::DataToControl()
{
    m_bEmpty = 0;
    if (!m_pValue)
    {
        return;
    }
    if (!m_bFloating && !m_strOverride.empty())
    {
        m_bDataShown = 0;
        Show(m_strOverride);
        return;
    }
    ShowBoundValue();
}

template <class T>
void NumberEdit<T>::ShowBoundValue()
{
    ShowClamped(*m_pValue);
    platform::NativeWindow* native = Native();
    m_bDataShown = native ? 1 : 0;
    m_nDataChanges = m_nChanges;
    m_strDataText = native ? native->Text() : std::string();
}

template <class T>
void NumberEdit<T>::ControlToData()
{
    if (!m_pValue)
    {
        return;
    }
    // The author has not changed what the field showed: the value stays as it was given.
    platform::NativeWindow* native = Native();
    if (Owner() && Owner()->KeepsUntouchedValues() && m_bDataShown && native && m_nChanges == m_nDataChanges && native->Text() == m_strDataText)
    {
        return;
    }
    *m_pValue = Clamp(GetValue());
    m_bDataShown = native ? 1 : 0;
    m_nDataChanges = m_nChanges;
    m_strDataText = native ? native->Text() : std::string();
}

template <class T>
void NumberEdit<T>::OnChange()
{
    if (m_bBusy)
    {
        return;
    }
    m_bBusy = 1;
    ++m_nChanges;
    uint32_t start = 0;
    uint32_t end = 0;
    platform::SendWindowMessage(m_hWnd, platform::kEmGetSel, reinterpret_cast<uintptr_t>(&start),
                                reinterpret_cast<intptr_t>(&end));
    if (!TakeChangedText(start, end))
    {
        m_bBusy = 0;
        return;
    }
    T value = GetValue();
    // A field the author emptied stays empty while it has the focus.
    if (!m_bEmpty)
    {
        T clamped = Clamp(value);
        if (m_bFloating)
        {
            if (clamped != value)
            {
                Show(Format(clamped));
            }
            else if (!m_strOverride.empty())
            {
                Show(m_strOverride);
            }
        }
        else
        {
            Show(m_strOverride.empty() ? Format(clamped) : m_strOverride);
        }
    }
    platform::SendWindowMessage(m_hWnd, platform::kEmSetSel, start, static_cast<intptr_t>(end));
    if (platform::NativeWindow* native = Native())
    {
        m_strAccepted = native->Text();
    }
    m_bBusy = 0;
}

template <class T>
bool NumberEdit<T>::TakeChangedText(uint32_t start, uint32_t end)
{
    platform::NativeWindow* native = Native();
    if (!native)
    {
        return true;
    }
    std::string text = native->Text();
    if (text == m_strAccepted)
    {
        return true;
    }
    // Pasted text: a decimal field takes ',' as its point; text that is no number is refused whole.
    std::string number = text;
    if (m_bFloating)
    {
        CommaAsPoint(number);
    }
    if (!IsNumberFieldText(number, m_bFloating != 0))
    {
        platform::MessageBeep(platform::kBeepDefault);
        // The caret goes back to the end of what the change replaced.
        int grown = static_cast<int>(text.size()) - static_cast<int>(m_strAccepted.size());
        int caret = std::clamp(static_cast<int>(std::max(start, end)) - grown, 0,
                               static_cast<int>(m_strAccepted.size()));
        Show(m_strAccepted);
        platform::SendWindowMessage(m_hWnd, platform::kEmSetSel, static_cast<uintptr_t>(caret), caret);
        return false;
    }
    if (number != text)
    {
        Show(number);
        platform::SendWindowMessage(m_hWnd, platform::kEmSetSel, start, static_cast<intptr_t>(end));
    }
    return true;
}

template <class T>
void NumberEdit<T>::OnKillFocus()
{
    if (m_bBusy)
    {
        return;
    }
    m_bBusy = 1;
    T value = GetValue();
    bool wasEmpty = m_bEmpty != 0;
    // The field shows what storing it would store: a lone "-" or "-0" is gone.
    m_bEmpty = 0;
    m_strOverride.clear();
    if (wasEmpty && m_Minimum <= T())
    {
        SetValue(T(), 1);
    }
    else
    {
        ShowClamped(value);
    }
    m_bBusy = 0;
}

template <class T>
int NumberEdit<T>::OnNotify(uintptr_t id, const platform::NotifyHeader* header)
{
    if (!header || m_Spin.Id() == 0 || id != m_Spin.Id() || header->m_nCode != platform::kUdnDeltaPos)
    {
        return 0;
    }
    int delta = reinterpret_cast<const platform::NotifyUpDown*>(header)->m_nDelta;
    T value = GetValue();
    T next;
    if constexpr (std::is_floating_point_v<T>)
    {
        next = value + m_Unit * delta;
    }
    else
    {
        long long stepped = static_cast<long long>(value) + static_cast<long long>(m_Unit) * delta;
        next = static_cast<T>(std::clamp<long long>(stepped, INT_MIN, INT_MAX));
    }
    m_bEmpty = 0;
    m_strOverride.clear();
    ShowClamped(next);
    return 1;
}

template <class T>
T NumberEdit<T>::Clamp(T value) const
{
    if (value < m_Minimum)
    {
        return m_Minimum;
    }
    return value > m_Maximum ? m_Maximum : value;
}

template <class T>
std::string NumberEdit<T>::Format(T value) const
{
    if constexpr (std::is_floating_point_v<T>)
    {
        return platform::Format("%.*f", m_nDecimals, static_cast<double>(value));
    }
    else
    {
        return std::to_string(value);
    }
}

template <class T>
void NumberEdit<T>::Show(const std::string& text)
{
    if (platform::NativeWindow* native = Native())
    {
        m_strAccepted = text;
        native->SetText(text);
    }
}

template class NumberEdit<int>;
template class NumberEdit<double>;
