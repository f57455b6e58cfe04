#include "platform/window/QueuedWindowSystem.h"

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

ModelWindow::ModelWindow(QueuedWindowSystem& system, const WindowCreateParams& params)
    : m_System(system), m_hParent(params.m_hParent), m_pProcedure(params.m_pProcedure),
      m_strTitle(params.m_strTitle), m_nStyle(params.m_nStyle & ~kWsVisible),
      m_bMenuBar(params.m_pMenuBar != nullptr), m_WindowRect(params.m_WindowRect)
{
    if (params.m_pMenuBar)
    {
        m_MenuBar = *params.m_pMenuBar;
    }
}

WindowSystem& ModelWindow::System()
{
    return m_System;
}

void ModelWindow::Show(bool show)
{
    if (m_bVisible != show)
    {
        m_bVisible = show;
        ApplyVisibility();
    }
}

void ModelWindow::Enable(bool enable)
{
    m_nStyle = enable ? (m_nStyle & ~kWsDisabled) : (m_nStyle | kWsDisabled);
}

void ModelWindow::SetTitle(std::string_view text)
{
    m_strTitle = text;
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
        m_System.SendMessage(this, kWmMove, 0, MakeLParam(origin.m_nX, origin.m_nY));
    }
    Rect client = ClientRect();
    if (client.m_nWidth != oldClient.m_nWidth || client.m_nHeight != oldClient.m_nHeight)
    {
        m_System.SendMessage(this, kWmSize, 0, MakeLParam(client.m_nWidth, client.m_nHeight));
    }
}

void ModelWindow::Activate()
{
    m_System.SetActive(this);
}

void ModelWindow::Invalidate()
{
    m_System.PostMessage(this, kWmPaint, 0, 0);
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

std::string ModelWindow::ItemText(int id) const
{
    auto it = m_ItemTexts.find(id);
    return it == m_ItemTexts.end() ? std::string() : it->second;
}

void ModelWindow::Destroy()
{
    m_System.DestroyWindowOf(this);
}

// ---- QueuedWindowSystem ----

QueuedWindowSystem::QueuedWindowSystem() : m_LoopThread(std::this_thread::get_id())
{
}

QueuedWindowSystem::~QueuedWindowSystem() = default;

bool QueuedWindowSystem::IsWindow(WindowHandle window) const
{
    if (!window)
    {
        return false;
    }
    std::lock_guard lock(m_Mutex);
    return std::any_of(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == window; });
}

std::vector<ModelWindow*> QueuedWindowSystem::Windows() const
{
    std::lock_guard lock(m_Mutex);
    std::vector<ModelWindow*> windows;
    for (const auto& w : m_Windows)
    {
        windows.push_back(w.get());
    }
    return windows;
}

WindowHandle QueuedWindowSystem::AddWindow(std::unique_ptr<ModelWindow> window, const WindowCreateParams& params)
{
    ModelWindow* raw = window.get();
    {
        std::lock_guard lock(m_Mutex);
        m_Windows.push_back(std::move(window));
    }
    if (Dispatch(raw, kWmCreate, 0, params.m_nCreateParam) == -1)
    {
        DestroyWindowOf(raw);
        return nullptr;
    }
    Rect client = raw->ClientRect();
    Dispatch(raw, kWmSize, 0, MakeLParam(client.m_nWidth, client.m_nHeight));
    if (params.m_nStyle & kWsVisible)
    {
        raw->Show(true);
    }
    return raw;
}

void QueuedWindowSystem::DestroyWindowOf(ModelWindow* window)
{
    if (!IsWindow(window))
    {
        return;
    }
    Dispatch(window, kWmDestroy, 0, 0);
    for (ModelWindow* child : Windows())
    {
        if (child->Parent() == window)
        {
            DestroyWindowOf(child);
        }
    }
    std::lock_guard lock(m_Mutex);
    auto it = std::find_if(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == window; });
    if (it != m_Windows.end())
    {
        (*it)->Show(false);
        m_Destroyed.push_back(std::move(*it));
        m_Windows.erase(it);
    }
    if (m_hActive == window)
    {
        m_hActive = nullptr;
    }
}

intptr_t QueuedWindowSystem::Dispatch(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsWindow(window))
    {
        return 0;
    }
    ++m_nDispatchDepth;
    WindowProcedure procedure = window->Procedure();
    intptr_t result = procedure ? procedure(window, message, wParam, lParam)
                                : DefaultProcedure(window, message, wParam, lParam);
    --m_nDispatchDepth;
    return result;
}

bool QueuedWindowSystem::PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsWindow(window))
    {
        return false;
    }
    {
        std::lock_guard lock(m_Mutex);
        m_Queue.push_back({window, message, wParam, lParam, nullptr});
    }
    m_Posted.notify_all();
    WakeUp();
    return true;
}

intptr_t QueuedWindowSystem::SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (std::this_thread::get_id() == m_LoopThread)
    {
        return Dispatch(window, message, wParam, lParam);
    }
    if (!IsWindow(window))
    {
        return 0;
    }
    auto reply = std::make_shared<std::promise<intptr_t>>();
    std::future<intptr_t> result = reply->get_future();
    {
        std::lock_guard lock(m_Mutex);
        m_Queue.push_back({window, message, wParam, lParam, reply});
    }
    m_Posted.notify_all();
    WakeUp();
    return result.get();
}

void QueuedWindowSystem::PostQuit(int code)
{
    {
        std::lock_guard lock(m_Mutex);
        m_bQuit = true;
        m_nQuitCode = code;
    }
    m_Posted.notify_all();
    WakeUp();
}

bool QueuedWindowSystem::QuitPending() const
{
    std::lock_guard lock(m_Mutex);
    return m_bQuit;
}

bool QueuedWindowSystem::TakeOne(Queued& out)
{
    std::lock_guard lock(m_Mutex);
    if (m_Queue.empty())
    {
        return false;
    }
    out = std::move(m_Queue.front());
    m_Queue.pop_front();
    return true;
}

void QueuedWindowSystem::Handle(Queued& queued)
{
    if (!queued.m_Reply && Filtered(queued.m_hWindow, queued.m_nMessage, queued.m_wParam, queued.m_lParam))
    {
        return;
    }
    intptr_t result = Dispatch(queued.m_hWindow, queued.m_nMessage, queued.m_wParam, queued.m_lParam);
    if (queued.m_Reply)
    {
        queued.m_Reply->set_value(result);
    }
}

void QueuedWindowSystem::FreeDestroyed()
{
    if (m_nDispatchDepth == 0)
    {
        // Freed outside the lock: a window's end may wait for a timer thread that is posting.
        std::vector<std::unique_ptr<ModelWindow>> gone;
        {
            std::lock_guard lock(m_Mutex);
            gone.swap(m_Destroyed);
        }
    }
}

void QueuedWindowSystem::PumpMessages()
{
    PollNativeEvents();
    Queued queued;
    while (TakeOne(queued))
    {
        Handle(queued);
        PollNativeEvents();
    }
    FreeDestroyed();
}

int QueuedWindowSystem::RunMessageLoop(const std::function<bool()>& idle)
{
    m_LoopThread = std::this_thread::get_id();
    for (;;)
    {
        PollNativeEvents();
        Queued queued;
        bool took = TakeOne(queued);
        {
            std::lock_guard lock(m_Mutex);
            if (m_bQuit)
            {
                m_bQuit = false;
                if (took)
                {
                    m_Queue.push_front(std::move(queued));
                }
                return m_nQuitCode;
            }
        }
        if (took)
        {
            Handle(queued);
            FreeDestroyed();
            continue;
        }
        if (idle && idle())
        {
            continue;
        }
        WaitForEvents();
    }
}

void QueuedWindowSystem::WaitForEvents()
{
    std::unique_lock lock(m_Mutex);
    m_Posted.wait(lock, [&] { return m_bQuit || !m_Queue.empty(); });
}

void QueuedWindowSystem::WakeUp()
{
}

} // namespace platform
