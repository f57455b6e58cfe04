#include "platform/window/DummyWindowSystem.h"

namespace platform
{

void DummyWindow::Present(const PixelView& image, int x, int y)
{
    Rect client = ClientRect();
    if (m_nPictureWidth != client.m_nWidth || m_Picture.size() != static_cast<size_t>(client.m_nWidth) * client.m_nHeight)
    {
        m_nPictureWidth = client.m_nWidth;
        m_Picture.assign(static_cast<size_t>(client.m_nWidth) * client.m_nHeight, 0);
    }
    ++m_nPresents;
    if (!image.IsValid())
    {
        return;
    }
    for (int row = 0; row < image.m_nHeight; ++row)
    {
        for (int column = 0; column < image.m_nWidth; ++column)
        {
            if (client.Contains({x + column, y + row}))
            {
                m_Picture[static_cast<size_t>(y + row) * m_nPictureWidth + x + column] = image.Rgb(column, row);
            }
        }
    }
}

uint32_t DummyWindow::PresentedPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nPictureWidth || m_nPictureWidth == 0 ||
        static_cast<size_t>(y) >= m_Picture.size() / m_nPictureWidth)
    {
        return 0;
    }
    return m_Picture[static_cast<size_t>(y) * m_nPictureWidth + x];
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
