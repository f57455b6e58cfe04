#pragma once

// A control without bound data: a button, a static text, anything the dialog
// only needs to find, enable or place. In the dialog's table it makes a
// button's BN_CLICKED reach the dialog's command handler
// (DialogBase::FindCommandControl); DialogBase::AttachPlainControls attaches
// a whole vector of them.

#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"

class PlainControl : public Control
{
public:
    PlainControl() : Control(kControlPlain) {}
    explicit PlainControl(int id) : Control(kControlPlain) { m_Binding.Set(id); }

    PlainControlBinding& Binding() { return m_Binding; }
    // The id the binding names (the control's id before it is attached).
    uint16_t BoundId() const { return static_cast<uint16_t>(m_Binding.m_nId); }

private:
    PlainControlBinding m_Binding;
};
