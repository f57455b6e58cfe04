#pragma once

// A control as the window a dialog is placed over: a dialog opened from a
// button or a list centres on the control's window (on its client area with
// the centre-on-client flag). Lives as long as the dialog placed over it.

#include "common/window/WindowBase.h"
#include "editor/framework/Control.h"

class ControlAnchor : public WindowBase
{
public:
    explicit ControlAnchor(const Control& control)
    {
        m_hWnd = control.Handle();
        UpdateLayout();
    }
    // The window is the control's: it stays.
    ~ControlAnchor() override { m_hWnd = nullptr; }
};
