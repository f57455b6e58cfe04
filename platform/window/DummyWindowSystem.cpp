#include "platform/window/DummyWindowSystem.h"

namespace platform
{

void DummyWindow::Present(const PixelView& image, int x, int y)
{
    StorePicture(image, x, y);
}

void DummyWindow::TrackPopupMenu(const Menu& menu, Point screen)
{
    m_LastPopup = menu;
    m_LastPopupAt = screen;
    int choice = static_cast<DummyWindowSystem&>(m_System).PopupChoice();
    if (choice != 0)
    {
        m_System.PostMessage(this, kWmCommand, MakeWParam(choice, 0), 0);
    }
}

DummyWindowSystem::DummyWindowSystem()
{
}

WindowHandle DummyWindowSystem::CreateWindow(const WindowCreateParams& params)
{
    return AddWindow(std::make_unique<DummyWindow>(*this, params), params);
}

bool DummyWindowSystem::GetCursorPos(Point& screen)
{
    if (m_bCursorFails)
    {
        return false;
    }
    screen = m_Cursor;
    return true;
}

FrameMetrics DummyWindowSystem::NativeMetrics() const
{
    FrameMetrics m;
    m.m_nCaptionHeight = 19;
    m.m_nSizeFrameWidth = 4;
    m.m_nSizeFrameHeight = 4;
    m.m_nDialogFrameWidth = 3;
    m.m_nDialogFrameHeight = 3;
    m.m_nMenuBarHeight = 19;
    m.m_nHScrollHeight = 16;
    m.m_nVScrollWidth = 16;
    return m;
}

} // namespace platform
