#pragma once

// Buttons: push buttons (a default one among them), check boxes of two and
// three states, radio buttons and group boxes. A click of the author checks
// an automatic box or radio button (unchecking the other automatic radio
// buttons of its group) and reports BN_CLICKED; a group box reports nothing.

#include "platform/window/ControlModel.h"

namespace platform
{

class ButtonModel : public ControlModel
{
public:
    ButtonModel(NativeWindow& window, std::string_view text);

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // The button type (kBsPushButton .. kBsAutoRadioButton).
    uint32_t Type() const { return Style() & kBsTypeMask; }
    bool IsPushButton() const { return Type() == kBsPushButton || Type() == kBsDefPushButton; }
    bool IsCheckBox() const;
    bool IsRadioButton() const { return Type() == kBsRadioButton || Type() == kBsAutoRadioButton; }
    bool IsThreeState() const { return Type() == kBs3State || Type() == kBsAuto3State; }
    bool IsGroupBox() const { return Type() == kBsGroupBox; }
    int Check() const { return m_nCheck; }
    void SetCheck(int check);

    // The author clicks the button.
    void UserClick();

private:
    // Unchecks the automatic radio buttons of this one's group.
    void UncheckGroup();

    int m_nCheck = kBstUnchecked;
};

} // namespace platform
