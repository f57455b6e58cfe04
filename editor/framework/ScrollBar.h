#pragma once

// A scroll bar's range and page: of a scroll-bar control, or of a window's own
// bar when the binding names the window. Every DialogBase has a horizontal
// one (control 1196) and a vertical one (control 1197) and does their scrolling.

#include "editor/framework/Control.h"
#include "editor/framework/ControlBindings.h"

class ScrollBar : public Control
{
public:
    ScrollBar() : Control(kControlScrollBar) {}

    // Takes the binding's fields and sets the range and the page: on the named
    // window's bar when the binding has a window, otherwise on the control
    // itself, whatever the binding's bar says.
    void Attach(DialogBase* owner, const ScrollBarBinding& binding);

    ScrollBarBinding& Binding() { return m_Binding; }
    int32_t Minimum() const { return m_nMinimum; }
    int32_t Maximum() const { return m_nMaximum; }
    int32_t Page() const { return m_nPage; }

private:
    platform::WindowHandle* m_pWindow = nullptr;
    int32_t m_nBar = 0;
    int32_t m_nReserved = 0;
    int32_t m_nMinimum = 0;
    int32_t m_nMaximum = 0;
    int32_t m_nPage = 0;
    int32_t m_bRedraw = 0;
    ScrollBarBinding m_Binding;
};
