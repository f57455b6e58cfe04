#include "platform/window/NativeWindow.h"

#include "platform/window/ControlModel.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

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

NativeWindow::NativeWindow(WindowSystem& system, const WindowCreateParams& params)
    : m_System(system), m_hParent(params.m_hParent), m_bChild((params.m_nStyle & kWsChild) != 0),
      m_nId(params.m_nId), m_strClass(params.m_strClass), m_pProcedure(params.m_pProcedure)
{
}

NativeWindow::~NativeWindow() = default;

FrameInsets NativeWindow::Insets() const
{
    const NativeFrame* frame = Frame();
    return ComputeFrameInsets(Style(), frame && frame->HasMenuBar(), m_System.Metrics());
}

Point NativeWindow::ClientSizeOf(int windowWidth, int windowHeight) const
{
    FrameInsets insets = Insets();
    return {std::max(windowWidth - insets.m_nLeft - insets.m_nRight, 0),
            std::max(windowHeight - insets.m_nTop - insets.m_nBottom, 0)};
}

Point NativeWindow::ClientToScreen(Point p) const
{
    Rect window = WindowRect();
    FrameInsets insets = Insets();
    Point local{p.m_nX + window.m_nLeft + insets.m_nLeft, p.m_nY + window.m_nTop + insets.m_nTop};
    if (m_bChild)
    {
        if (NativeWindow* parent = m_System.Resolve(m_hParent))
        {
            return parent->ClientToScreen(local);
        }
    }
    return local;
}

Rect NativeWindow::ScreenRect() const
{
    Rect rect = WindowRect();
    if (m_bChild)
    {
        if (NativeWindow* parent = m_System.Resolve(m_hParent))
        {
            Point origin = parent->ClientToScreen({rect.m_nLeft, rect.m_nTop});
            rect.m_nLeft = origin.m_nX;
            rect.m_nTop = origin.m_nY;
        }
    }
    return rect;
}

Point NativeWindow::ScreenToClient(Point p) const
{
    Point origin = ClientToScreen({0, 0});
    return {p.m_nX - origin.m_nX, p.m_nY - origin.m_nY};
}

std::string NativeWindow::ItemText(int id) const
{
    if (NativeWindow* item = m_System.Resolve(m_System.GetDlgItem(m_hHandle, id)))
    {
        return item->Text();
    }
    auto it = m_ItemTexts.find(id);
    return it == m_ItemTexts.end() ? std::string() : it->second;
}

void NativeWindow::SetItemText(int id, std::string_view text)
{
    if (NativeWindow* item = m_System.Resolve(m_System.GetDlgItem(m_hHandle, id)))
    {
        item->SetText(text);
        return;
    }
    m_ItemTexts[id] = text;
}

void NativeWindow::Destroy()
{
    m_System.DestroyWindow(m_hHandle);
}

void NativeWindow::Activate()
{
    m_System.SetActiveWindow(m_hHandle);
}

intptr_t NativeWindow::ClassDefault(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return m_pControl ? m_pControl->OnMessage(message, wParam, lParam) : 0;
}

void NativeWindow::MakeControl(const WindowCreateParams& params)
{
    if (m_bChild)
    {
        m_pControl = MakeControlModel(*this, params);
    }
}

void NativeWindow::SetProp(std::string_view name, void* value)
{
    m_Props.insert_or_assign(std::string(name), value);
}

void* NativeWindow::GetProp(std::string_view name) const
{
    auto it = m_Props.find(name);
    return it == m_Props.end() ? nullptr : it->second;
}

void NativeWindow::RemoveProp(std::string_view name)
{
    auto it = m_Props.find(name);
    if (it != m_Props.end())
    {
        m_Props.erase(it);
    }
}

uintptr_t MouseKeyState(WindowSystem& system)
{
    return (system.IsMouseButtonDown(0) ? uintptr_t{kMkLButton} : 0u) |
           (system.IsMouseButtonDown(1) ? uintptr_t{kMkRButton} : 0u);
}

} // namespace platform
