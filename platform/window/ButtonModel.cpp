#include "platform/window/ButtonModel.h"

#include "platform/window/WindowSystem.h"

namespace platform
{

ButtonModel::ButtonModel(NativeWindow& window, std::string_view text) : ControlModel(window, text)
{
}

bool ButtonModel::IsCheckBox() const
{
    uint32_t type = Type();
    return type == kBsCheckBox || type == kBsAutoCheckBox || type == kBs3State || type == kBsAuto3State;
}

intptr_t ButtonModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case kBmGetCheck:
        return m_nCheck;
    case kBmSetCheck:
        SetCheck(static_cast<int>(wParam));
        return 0;
    case kBmClick:
        UserClick();
        return 0;
    default:
        return ControlModel::OnMessage(message, wParam, lParam);
    }
}

void ButtonModel::SetCheck(int check)
{
    if (!IsCheckBox() && !IsRadioButton())
    {
        return;
    }
    // Only a box of three states shows the third; the others take any other value as checked.
    if (check != kBstUnchecked && !(IsThreeState() && check == kBstIndeterminate))
    {
        check = kBstChecked;
    }
    if (check != m_nCheck)
    {
        m_nCheck = check;
        Changed();
    }
}

void ButtonModel::UserClick()
{
    switch (Type())
    {
    case kBsGroupBox:
        return;
    case kBsAutoCheckBox:
        SetCheck(m_nCheck == kBstUnchecked ? kBstChecked : kBstUnchecked);
        break;
    case kBsAuto3State:
        SetCheck((m_nCheck + 1) % 3);
        break;
    case kBsAutoRadioButton:
        UncheckGroup();
        SetCheck(kBstChecked);
        break;
    default:
        // Push buttons and the boxes the program checks itself stay as they are.
        Changed();
        break;
    }
    NotifyCommand(kBnClicked);
}

void ButtonModel::UncheckGroup()
{
    WindowSystem& system = Window().System();
    std::vector<WindowHandle> siblings = system.Children(Window().Parent());
    // The group runs from the last sibling with kWsGroup at or before this one to the next one with it.
    size_t self = 0;
    while (self < siblings.size() && siblings[self] != Handle())
    {
        ++self;
    }
    if (self == siblings.size())
    {
        return;
    }
    size_t first = self;
    while (first > 0 && !(system.Resolve(siblings[first])->Style() & kWsGroup))
    {
        --first;
    }
    for (size_t i = first; i < siblings.size(); ++i)
    {
        NativeWindow* sibling = system.Resolve(siblings[i]);
        if (i > first && (sibling->Style() & kWsGroup))
        {
            break;
        }
        auto* button = dynamic_cast<ButtonModel*>(sibling->Control());
        if (i != self && button && button->Type() == kBsAutoRadioButton)
        {
            button->SetCheck(kBstUnchecked);
        }
    }
}

} // namespace platform
