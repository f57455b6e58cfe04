#include "platform/window/ModelWindow.h"

#include "platform/window/ControlModel.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace platform
{

namespace
{
constexpr int kToolButtonWidth = 23;
constexpr int kToolSeparatorWidth = 8;
constexpr int kToolRowHeight = 28;
} // namespace

// ---- ModelToolBar ----

int ModelToolBar::AddStandardImages()
{
    int first = m_nImages;
    m_nImages += kStdImageCount;
    return first;
}

int ModelToolBar::AddImages(const PixelView&, int count)
{
    int first = m_nImages;
    m_nImages += std::max(count, 0);
    return first;
}

void ModelToolBar::AddButton(const ToolButton& button)
{
    m_Buttons.push_back(button);
    m_Tips.emplace_back();
}

Rect ModelToolBar::ButtonRect(int index) const
{
    index = Resolve(index);
    if (index < 0 || index >= ButtonCount())
    {
        return {};
    }
    int x = 0;
    for (int i = 0; i < index; ++i)
    {
        x += (m_Buttons[i].m_nStyle & ToolButton::kStyleSeparator) ? kToolSeparatorWidth : kToolButtonWidth;
    }
    int width = (m_Buttons[index].m_nStyle & ToolButton::kStyleSeparator) ? kToolSeparatorWidth : kToolButtonWidth;
    return {x, 2, width, kToolRowHeight - 6};
}

uint8_t ModelToolBar::ButtonState(int command) const
{
    for (const ToolButton& button : m_Buttons)
    {
        if (button.m_nCommand == command && !(button.m_nStyle & ToolButton::kStyleSeparator))
        {
            return button.m_nState;
        }
    }
    return 0;
}

void ModelToolBar::SetButtonState(int command, uint8_t state)
{
    for (ToolButton& button : m_Buttons)
    {
        if (button.m_nCommand == command && !(button.m_nStyle & ToolButton::kStyleSeparator))
        {
            button.m_nState = state;
        }
    }
}

void ModelToolBar::SetTip(int index, std::string_view text)
{
    index = Resolve(index);
    if (index >= 0 && index < ButtonCount())
    {
        m_Tips[index] = text;
    }
}

std::string ModelToolBar::Tip(int index) const
{
    index = Resolve(index);
    return index >= 0 && index < ButtonCount() ? m_Tips[index] : std::string();
}

void ModelToolBar::OnOwnerSize(int width, int)
{
    m_nWidth = width;
}

// ---- ModelWindow ----

ModelWindow::ModelWindow(WindowSystem& system, const WindowCreateParams& params)
    : NativeWindow(system, params), m_strText(params.m_strTitle), m_nStyle(params.m_nStyle & ~kWsVisible),
      m_bMenuBar(params.m_pMenuBar != nullptr && !IsChild()), m_WindowRect(params.m_WindowRect)
{
    if (m_bMenuBar)
    {
        m_MenuBar = *params.m_pMenuBar;
    }
    MakeControl(params);
}

void ModelWindow::Show(bool show)
{
    if (m_bVisible != show)
    {
        m_bVisible = show;
        ApplyVisibility();
    }
}

std::string ModelWindow::Text() const
{
    return Control() ? Control()->Text() : m_strText;
}

void ModelWindow::SetText(std::string_view text)
{
    if (Control())
    {
        Control()->SetText(text);
        return;
    }
    m_strText = text;
    ApplyTitle();
}

void ModelWindow::SetStyle(uint32_t style)
{
    Rect oldClient = ClientRect();
    if (style & kWsVisible)
    {
        Show(true);
    }
    m_nStyle = style & ~kWsVisible;
    // The window keeps its outer rectangle; the client area follows the new frame.
    ApplyGeometry();
    ReportGeometry(m_WindowRect, oldClient);
}

void ModelWindow::SetMenuBar(const Menu* menu)
{
    Rect oldClient = ClientRect();
    m_bMenuBar = menu != nullptr;
    m_MenuBar = menu ? *menu : Menu{};
    ApplyGeometry();
    ReportGeometry(m_WindowRect, oldClient);
}

void ModelWindow::SetWindowRect(const Rect& rect)
{
    Rect oldWindow = m_WindowRect;
    Rect oldClient = ClientRect();
    m_WindowRect = rect;
    m_WindowRect.m_nWidth = std::max(rect.m_nWidth, 0);
    m_WindowRect.m_nHeight = std::max(rect.m_nHeight, 0);
    ApplyGeometry();
    ReportGeometry(oldWindow, oldClient);
}

Rect ModelWindow::ClientRect() const
{
    FrameInsets insets = Insets();
    return {0, 0, std::max(m_WindowRect.m_nWidth - insets.m_nLeft - insets.m_nRight, 0),
            std::max(m_WindowRect.m_nHeight - insets.m_nTop - insets.m_nBottom, 0)};
}

void ModelWindow::ReportGeometry(const Rect& oldWindow, const Rect& oldClient)
{
    if (oldWindow.m_nLeft != m_WindowRect.m_nLeft || oldWindow.m_nTop != m_WindowRect.m_nTop)
    {
        Point origin = ClientToScreen({0, 0});
        System().SendMessage(Handle(), kWmMove, 0, MakeLParam(origin.m_nX, origin.m_nY));
    }
    Rect client = ClientRect();
    if (client.m_nWidth != oldClient.m_nWidth || client.m_nHeight != oldClient.m_nHeight)
    {
        System().SendMessage(Handle(), kWmSize, 0, MakeLParam(client.m_nWidth, client.m_nHeight));
    }
}

void ModelWindow::Invalidate()
{
    System().PostMessage(Handle(), kWmPaint, 0, 0);
}

ToolBar* ModelWindow::CreateToolBar()
{
    if (!m_ToolBar)
    {
        m_ToolBar = std::make_unique<ModelToolBar>();
    }
    return m_ToolBar.get();
}

StatusBar* ModelWindow::CreateStatusBar()
{
    if (!m_StatusBar)
    {
        m_StatusBar = std::make_unique<ModelStatusBar>();
    }
    return m_StatusBar.get();
}

void ModelWindow::StorePicture(const PixelView& image, int x, int y)
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

uint32_t ModelWindow::PresentedPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nPictureWidth || m_nPictureWidth == 0 ||
        static_cast<size_t>(y) >= m_Picture.size() / m_nPictureWidth)
    {
        return 0;
    }
    return m_Picture[static_cast<size_t>(y) * m_nPictureWidth + x];
}

} // namespace platform
