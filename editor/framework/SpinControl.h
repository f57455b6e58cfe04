#pragma once

// An up-down control's range and step. As the spin of a NumberEdit it is
// attached and ranged by the edit, which does the stepping; a dialog may also
// attach one by itself through its SpinControlBinding, which keeps the
// control's kUdsSetBuddyInt. The spin reacts to nothing itself: UDN_DELTAPOS
// is handled by its numeric edit or by the dialog. Instances: int and double.

#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"
#include "platform/window/WindowSystem.h"

#include <type_traits>

template <class T>
class SpinControl : public Control
{
public:
    SpinControl() : Control(kControlSpin) {}

    void Attach(DialogBase* owner, const SpinControlBinding& binding)
    {
        AttachByBinding(owner, binding);
        m_hBuddy = binding.m_hBuddy;
        if constexpr (std::is_same_v<T, int32_t>)
        {
            m_pValue = binding.m_pValue;
        }
        SetRange(static_cast<T>(binding.m_nStep), static_cast<T>(binding.m_nMinimum),
                 static_cast<T>(binding.m_nMaximum), binding.m_nReserved);
    }

    // What a numeric edit gives its spin: the value, the edit as buddy, step and limits.
    void SetLimits(T* value, platform::WindowHandle buddy, T step, T minimum, T maximum, int32_t reserved)
    {
        m_pValue = value;
        m_hBuddy = buddy;
        SetRange(step, minimum, maximum, reserved);
    }

    T* Value() const { return m_pValue; }
    platform::WindowHandle Buddy() const { return m_hBuddy; }
    T Step() const { return m_Step; }
    T Minimum() const { return m_Minimum; }
    T Maximum() const { return m_Maximum; }

private:
    // Stores the range and sends it to the control, each limit cut to 16 bits
    // (the upper one in the low half, the lower one in the high half).
    void SetRange(T step, T minimum, T maximum, int32_t reserved)
    {
        m_Step = step;
        m_Minimum = minimum;
        m_Maximum = maximum;
        m_nReserved = reserved;
        platform::SendWindowMessage(m_hWnd, platform::kUdmSetRange, 1,
                                    platform::MakeLParam(static_cast<int>(maximum), static_cast<int>(minimum)));
    }

    T* m_pValue = nullptr;
    platform::WindowHandle m_hBuddy;
    T m_Step = T();
    T m_Minimum = T();
    T m_Maximum = T();
    int32_t m_nReserved = 0;
};
