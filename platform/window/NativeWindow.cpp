#include "platform/window/NativeWindow.h"

namespace platform
{

FrameInsets ComputeFrameInsets(uint32_t style, bool hasMenu, const FrameMetrics& metrics)
{
    FrameInsets insets;
    if (style & kWsCaption)
    {
        insets.m_nTop += metrics.m_nCaptionHeight;
    }
    if (style & kWsThickFrame)
    {
        insets.m_nLeft += metrics.m_nSizeFrameWidth;
        insets.m_nRight += metrics.m_nSizeFrameWidth;
        insets.m_nTop += metrics.m_nSizeFrameHeight;
        insets.m_nBottom += metrics.m_nSizeFrameHeight;
    }
    else if (style & kWsDialogFrame)
    {
        insets.m_nLeft += metrics.m_nDialogFrameWidth;
        insets.m_nRight += metrics.m_nDialogFrameWidth;
        insets.m_nTop += metrics.m_nDialogFrameHeight;
        insets.m_nBottom += metrics.m_nDialogFrameHeight;
    }
    if (style & kWsHScroll)
    {
        insets.m_nBottom += metrics.m_nHScrollHeight;
    }
    if (style & kWsVScroll)
    {
        insets.m_nRight += metrics.m_nVScrollWidth;
    }
    if (hasMenu)
    {
        insets.m_nTop += metrics.m_nMenuBarHeight;
    }
    return insets;
}

FrameInsets NativeWindow::Insets() const
{
    return ComputeFrameInsets(Style(), HasMenuBar(), const_cast<NativeWindow*>(this)->System().Metrics());
}

Point NativeWindow::ClientToScreen(Point p) const
{
    Rect window = WindowRect();
    FrameInsets insets = Insets();
    return {p.m_nX + window.m_nLeft + insets.m_nLeft, p.m_nY + window.m_nTop + insets.m_nTop};
}

Point NativeWindow::ScreenToClient(Point p) const
{
    Rect window = WindowRect();
    FrameInsets insets = Insets();
    return {p.m_nX - window.m_nLeft - insets.m_nLeft, p.m_nY - window.m_nTop - insets.m_nTop};
}

intptr_t WindowSystem::DefaultProcedure(WindowHandle window, uint32_t message, uintptr_t, intptr_t)
{
    if (message == kWmClose && IsWindow(window))
    {
        window->Destroy();
    }
    return 0;
}

uintptr_t MouseKeyState(WindowSystem& system)
{
    return (system.IsMouseButtonDown(0) ? uintptr_t{kMkLButton} : 0u) | (system.IsMouseButtonDown(1) ? uintptr_t{kMkRButton} : 0u);
}

} // namespace platform
