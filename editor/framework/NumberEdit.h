#pragma once

// A numeric field: an edit box, and optionally the up-down control beside
// it, bound to an int or a double. The text stays a number while the author
// types: a character typed, pasted or committed by the input method that
// would make it anything but digits after an optional '-' in front (with one
// '.' in a decimal field) is refused with a beep, and nothing of it is kept.
// A decimal field takes ',' as its point (a German keypad's decimal key
// types it); the full-width digits, minus and point the input method commits
// are typed as their ASCII forms. A value outside the limits
// is shown clamped while typing; a lone "-" or a "-0" stays on screen while
// the author types a negative number. Leaving the field shows the value it
// stands for, clamped, and storing (ControlToData) stores that value: the
// bound variable never leaves [minimum, maximum] once the author changed
// the field. A field whose text is still the one that showed (or last
// stored) the bound value, with nothing typed since, stores nothing: a value
// with more decimals than shown, or one outside the limits, stays as it was
// given. A click on the spin steps by the unit within the limits; the unit
// also gives the decimals a double is shown with (0.1: one, 0.01: two).
// Numbers are written and read with the '.' decimal point whatever the
// locale.
//
// The wrapper keeps itself under the edit's property kNumberEditProperty.

#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"
#include "editor/framework/SpinControl.h"

#include <string>
#include <string_view>

// The number of decimal digits of the integer part: 0..9 give 1, 12345 gives
// 5, at most 11; a negative number counts as its absolute value.
int CountIntegerDigits(int n);
// The decimals a unit needs to be shown, at most 10: 1 gives 0, 0.5 and 2.5
// give 1, 0.01 and 10.25 give 2 (a negative unit counts its minus sign too).
int CountDecimals(double unit);
// The ASCII character a full-width digit, minus sign or point stands for (the
// CP932 code as lead byte * 256 + trail byte); 0 for any other character.
char NumberCharOfFullWidth(uint32_t code);
// Whether a numeric field takes the text as the author types it: digits,
// a '-' only in front and, in a decimal field, one '.'; "" and "-" too.
bool IsNumberFieldText(std::string_view text, bool decimal);
// The number at the front of the text as atof reads it, with '.' as the
// decimal point whatever the locale; 0 without one. A number too large for
// a double reads as an infinity of its sign, one too small as 0.
double ReadDecimalNumber(std::string_view text);

inline constexpr std::string_view kNumberEditProperty = "CTRL_EDITVAL_CLASS";

template <class T>
class NumberEdit : public EditControl
{
public:
    NumberEdit() : EditControl(kControlNumberEdit) {}
    NumberEdit(const NumberEdit&) = default;
    NumberEdit& operator=(const NumberEdit&) = default;
    ~NumberEdit() override;

    // Attaches the edit (its number style cleared: the filter decides), and
    // the spin when the binding names one, with the unit as step and the
    // limits; then shows the bound value.
    void Attach(DialogBase* owner, const NumberEditBinding<T>& binding);

    // The value the text stands for, not clamped; the text is not changed.
    // An empty text (or one without a digit) reads as the minimum when that
    // is above 0, else as 0, and sets the empty flag.
    T GetValue();
    // Shows the value clamped (nothing while the field is empty). A double
    // that needed no clamping keeps the author's typing unless forced.
    void SetValue(T value, int force);

    // ---- what the dialog calls ----
    // Enables the edit and its spin.
    void Enable(int on) override;
    // Shows the bound value clamped into the limits.
    void DataToControl() override;
    // Stores the value of the text, clamped into the limits; nothing while the
    // text is the one that showed (or last stored) the bound value and nothing
    // was typed since.
    void ControlToData() override;
    // Typing: a value outside the limits is shown clamped; an integer's text
    // is written again as the number it is ("007" becomes "7").
    void OnChange() override;
    // A click on the spin: the value steps by the unit; 1 (the spin's own
    // position stays), 0 for any other notification.
    int OnNotify(uintptr_t id, const platform::NotifyHeader* header) override;
    // Leaving the field: the value it stands for is shown, clamped.
    void OnKillFocus() override;

    NumberEditBinding<T>& Binding() { return m_Binding; }
    SpinControl<T>& Spin() { return m_Spin; }
    T Minimum() const { return m_Minimum; }
    T Maximum() const { return m_Maximum; }
    T Unit() const { return m_Unit; }
    int Decimals() const { return m_nDecimals; }
    bool IsFloating() const { return m_bFloating != 0; }
    bool IsEmpty() const { return m_bEmpty != 0; }
    // What the field shows in place of the formatted number (the author's typing).
    const std::string& OverrideText() const { return m_strOverride; }

    T Clamp(T value) const;
    // The value as the field prints it: "%d", or the decimals of the unit.
    std::string Format(T value) const;

private:
    void Show(const std::string& text);
    void ShowClamped(T value) { Show(Format(Clamp(value))); }
    // Shows the bound value clamped and notes the text that shows it.
    void ShowBoundValue();
    // A change of the text that the field did not show itself (pasted): a
    // decimal field's ',' becomes its point; a text that is no number is
    // refused with a beep and the text before it comes back (false then).
    bool TakeChangedText(uint32_t start, uint32_t end);

    T* m_pValue = nullptr;
    SpinControl<T> m_Spin;
    T m_Minimum = T();
    T m_Maximum = T();
    int32_t m_nReserved = 0;
    T m_Unit = T();
    int32_t m_bFloating = 0;
    int32_t m_nDecimals = 0;
    int32_t m_bEmpty = 0;
    std::string m_strOverride;
    // The text as the field last showed or took it.
    std::string m_strAccepted;
    // The text that showed or last stored the bound value and the changes
    // typed by then, while m_bDataShown.
    std::string m_strDataText;
    uint32_t m_nChanges = 0;
    uint32_t m_nDataChanges = 0;
    int32_t m_bDataShown = 0;
    NumberEditBinding<T> m_Binding;
};

extern template class NumberEdit<int>;
extern template class NumberEdit<double>;
