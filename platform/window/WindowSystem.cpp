#include "platform/window/WindowSystem.h"

#include "platform/core/Cp932.h"

#include <algorithm>

namespace platform
{

WindowSystem::WindowSystem() : m_LoopThread(std::this_thread::get_id())
{
}

WindowSystem::~WindowSystem()
{
    // A backend calls Shutdown in its own destructor, while its native side still works; this is the last resort.
    Shutdown();
}

// ---- windows ----

WindowHandle WindowSystem::CreateWindow(const WindowCreateParams& params)
{
    if ((params.m_nStyle & kWsChild) && !Resolve(params.m_hParent))
    {
        return nullptr;
    }
    std::unique_ptr<NativeWindow> window = MakeWindow(params);
    if (!window)
    {
        return nullptr;
    }
    NativeWindow* raw = window.get();
    raw->m_hHandle = handles::Register(raw, this);
    WindowHandle handle = raw->m_hHandle;
    m_Windows.push_back(std::move(window));
    if (Dispatch(handle, kWmCreate, 0, params.m_nCreateParam) == -1)
    {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!Resolve(handle))
    {
        return nullptr; // destroyed by its own create handler
    }
    FollowTrackSizes(handle);
    if (!Resolve(handle))
    {
        return nullptr;
    }
    Rect client = raw->ClientRect();
    Dispatch(handle, kWmSize, 0, MakeLParam(client.m_nWidth, client.m_nHeight));
    if ((params.m_nStyle & kWsVisible) && Resolve(handle))
    {
        raw->Show(true);
    }
    return Resolve(handle) ? handle : nullptr;
}

MinMaxInfo WindowSystem::TrackSizes(WindowHandle window)
{
    MinMaxInfo info;
    Dispatch(window, kWmGetMinMaxInfo, 0, reinterpret_cast<intptr_t>(&info));
    return info;
}

void WindowSystem::FollowTrackSizes(WindowHandle window)
{
    NativeWindow* native = Resolve(window);
    if (!native || native->IsChild())
    {
        return;
    }
    MinMaxInfo info = TrackSizes(window);
    // The window's procedure may have destroyed it.
    if (Resolve(window) == native)
    {
        native->FollowTrackSizes(info);
    }
}

bool WindowSystem::IsWindow(WindowHandle window) const
{
    return window && SystemOfWindow(window) == this;
}

NativeWindow* WindowSystem::Resolve(WindowHandle window) const
{
    NativeWindow* native = ResolveWindow(window);
    return native && &native->System() == this ? native : nullptr;
}

std::vector<NativeWindow*> WindowSystem::Windows() const
{
    std::vector<NativeWindow*> windows;
    windows.reserve(m_Windows.size());
    for (const auto& window : m_Windows)
    {
        windows.push_back(window.get());
    }
    return windows;
}

WindowHandle WindowSystem::GetDlgItem(WindowHandle dialog, int id) const
{
    if (!dialog)
    {
        return nullptr;
    }
    for (const auto& window : m_Windows)
    {
        if (window->m_bChild && window->m_hParent == dialog && window->m_nId == id && !window->m_bDestroyed)
        {
            return window->m_hHandle;
        }
    }
    return nullptr;
}

std::vector<WindowHandle> WindowSystem::Children(WindowHandle parent) const
{
    std::vector<WindowHandle> children;
    for (const auto& window : m_Windows)
    {
        if (parent && window->m_bChild && window->m_hParent == parent && !window->m_bDestroyed)
        {
            children.push_back(window->m_hHandle);
        }
    }
    return children;
}

void WindowSystem::SetWindowOrder(WindowHandle window, WindowHandle after)
{
    NativeWindow* native = Resolve(window);
    if (!native || window == after)
    {
        return;
    }
    auto it = std::find_if(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == native; });
    std::unique_ptr<NativeWindow> moving = std::move(*it);
    m_Windows.erase(it);
    auto at = m_Windows.end();
    if (NativeWindow* before = Resolve(after))
    {
        at = std::find_if(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == before; }) + 1;
    }
    else
    {
        // First among its siblings.
        at = std::find_if(m_Windows.begin(), m_Windows.end(), [&](const auto& w) {
            return w->m_bChild == native->m_bChild && w->m_hParent == native->m_hParent;
        });
    }
    m_Windows.insert(at, std::move(moving));
}

bool WindowSystem::IsWithin(WindowHandle window, WindowHandle ancestor) const
{
    if (!ancestor)
    {
        return false;
    }
    for (NativeWindow* native = Resolve(window); native; native = native->m_bChild ? Resolve(native->m_hParent) : nullptr)
    {
        if (native->m_hHandle == ancestor)
        {
            return true;
        }
    }
    return false;
}

WindowHandle WindowSystem::TopLevelOf(WindowHandle window) const
{
    NativeWindow* native = Resolve(window);
    while (native && native->m_bChild)
    {
        NativeWindow* parent = Resolve(native->m_hParent);
        if (!parent)
        {
            break;
        }
        native = parent;
    }
    return native ? native->m_hHandle : nullptr;
}

bool WindowSystem::DestroyWindow(WindowHandle window)
{
    NativeWindow* native = Resolve(window);
    if (!native || native->m_bDestroyed)
    {
        return false;
    }
    // The focus leaves first, as it does when a window goes.
    if (m_hFocus && IsWithin(m_hFocus, window))
    {
        SendFocusChange(m_hFocus, nullptr);
    }
    if (m_hActive == window)
    {
        m_hActive = nullptr;
    }
    std::vector<NativeWindow*> gone;
    DestroyTree(native, gone);
    for (NativeWindow* each : gone)
    {
        handles::Unregister(each->m_hHandle);
        auto it = std::find_if(m_Windows.begin(), m_Windows.end(), [&](const auto& w) { return w.get() == each; });
        if (it != m_Windows.end())
        {
            m_Destroyed.push_back(std::move(*it));
            m_Windows.erase(it);
        }
        // Out of the registry before it is hidden: nothing the hiding sets off may reach it.
        each->Retire();
    }
    return true;
}

void WindowSystem::DestroyTree(NativeWindow* window, std::vector<NativeWindow*>& gone)
{
    window->m_bDestroyed = true;
    Dispatch(window->m_hHandle, kWmDestroy, 0, 0);
    // Its children, and the top-level windows it owns, go with it.
    for (NativeWindow* other : Windows())
    {
        if (other->m_hParent == window->m_hHandle && !other->m_bDestroyed && Resolve(other->m_hHandle))
        {
            DestroyTree(other, gone);
        }
    }
    // Children before their parents: they are freed in this order.
    gone.push_back(window);
}

void WindowSystem::FreeDestroyed()
{
    // Only outside every dispatch: a destroyed window may still be inside its own handlers.
    if (m_nDepth != 0)
    {
        return;
    }
    std::vector<std::unique_ptr<NativeWindow>> gone;
    gone.swap(m_Destroyed);
    for (auto& window : gone)
    {
        window.reset();
    }
}

void WindowSystem::Shutdown()
{
    for (NativeWindow* window : Windows())
    {
        if (!window->m_bChild && !window->m_bDestroyed)
        {
            DestroyWindow(window->m_hHandle);
        }
    }
    // Children whose parent went some other way.
    while (!m_Windows.empty())
    {
        DestroyWindow(m_Windows.front()->m_hHandle);
    }
    {
        std::lock_guard lock(m_Mutex);
        m_bLoopEnded = true;
    }
    AnswerWaitingSenders();
    int depth = m_nDepth;
    m_nDepth = 0;
    FreeDestroyed();
    m_nDepth = depth;
}

// ---- messages ----

intptr_t WindowSystem::Dispatch(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    NativeWindow* native = Resolve(window);
    if (!native)
    {
        return 0;
    }
    if (message == kWmChar && native->m_CharFilter)
    {
        CharFilter filter = native->m_CharFilter;
        if (!filter(window, static_cast<uint32_t>(wParam)) || !(native = Resolve(window)))
        {
            return 0;
        }
    }
    ++m_nDepth;
    WindowProcedure procedure = native->m_pProcedure;
    intptr_t result = procedure ? procedure(window, message, wParam, lParam)
                                : DefaultProcedure(window, message, wParam, lParam);
    --m_nDepth;
    return result;
}

intptr_t WindowSystem::DefaultProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    NativeWindow* native = Resolve(window);
    if (!native)
    {
        return 0;
    }
    if (message == kWmClose)
    {
        DestroyWindow(window);
        return 0;
    }
    if (message == kWmSysCommand && !native->IsChild())
    {
        switch (wParam & 0xFFF0)
        {
        case kScMaximize:
            if (!(native->Style() & kWsMaximize))
            {
                native->m_RestoreRect = native->WindowRect();
                native->SetStyle(native->Style() | kWsMaximize);
                native->SetWindowRect(DesktopRect());
            }
            return 0;
        case kScMinimize:
            native->SetMinimized(true);
            return 0;
        case kScRestore:
            if (native->IsMinimized())
            {
                native->SetMinimized(false);
            }
            else if (native->Style() & kWsMaximize)
            {
                native->SetStyle(native->Style() & ~kWsMaximize);
                native->SetWindowRect(native->m_RestoreRect);
            }
            return 0;
        case kScClose:
            SendMessage(window, kWmClose, 0, 0);
            return 0;
        default:
            break;
        }
    }
    return native->ClassDefault(message, wParam, lParam);
}

bool WindowSystem::PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    WindowSystem* owner = SystemOfWindow(window);
    if (!owner)
    {
        return false;
    }
    if (owner != this)
    {
        return owner->PostMessage(window, message, wParam, lParam);
    }
    {
        std::lock_guard lock(m_Mutex);
        m_Queue.push_back({{window, message, wParam, lParam}, nullptr});
    }
    WakeLoop();
    return true;
}

intptr_t WindowSystem::SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    WindowSystem* owner = SystemOfWindow(window);
    if (!owner)
    {
        return 0;
    }
    if (owner != this)
    {
        return owner->SendMessage(window, message, wParam, lParam);
    }
    if (OnLoopThread())
    {
        return Dispatch(window, message, wParam, lParam);
    }
    auto reply = std::make_shared<std::promise<intptr_t>>();
    std::future<intptr_t> result = reply->get_future();
    {
        std::lock_guard lock(m_Mutex);
        // Nobody would answer: after a quit, or once the loop is over.
        if (m_bQuit || m_bLoopEnded)
        {
            return 0;
        }
        m_Queue.push_back({{window, message, wParam, lParam}, reply});
    }
    WakeLoop();
    return result.get();
}

void WindowSystem::AnswerWaitingSenders()
{
    std::lock_guard lock(m_Mutex);
    for (auto it = m_Queue.begin(); it != m_Queue.end();)
    {
        if (it->m_Reply)
        {
            it->m_Reply->set_value(0);
            it = m_Queue.erase(it);
        }
        else
        {
            ++it;
        }
    }
}

// ---- loops ----

void WindowSystem::PostQuit(int code)
{
    {
        std::lock_guard lock(m_Mutex);
        m_bQuit = true;
        m_nQuitCode = code;
    }
    WakeLoop();
}

bool WindowSystem::QuitPending() const
{
    std::lock_guard lock(m_Mutex);
    return m_bQuit;
}

void WindowSystem::WakeLoop()
{
    const bool first = !m_bWakePending.exchange(true);
    // A waiter tests the pending flag under the lock: taking the lock once
    // after setting it means the waiter either saw the flag or is already
    // waiting when the notification comes, so no wake-up is lost.
    {
        std::lock_guard lock(m_Mutex);
    }
    m_Posted.notify_all();
    if (first)
    {
        WakeNative();
    }
}

void WindowSystem::WakeNative()
{
}

void WindowSystem::WaitForNativeEvents()
{
    std::unique_lock lock(m_Mutex);
    m_Posted.wait(lock, [&] { return m_bQuit || !m_Queue.empty() || m_bWakePending.load(); });
}

void WindowSystem::WaitForWork()
{
    {
        std::lock_guard lock(m_Mutex);
        if (m_bQuit || !m_Queue.empty())
        {
            return;
        }
    }
    WaitForNativeEvents();
}

bool WindowSystem::TakeOne(Queued& out)
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

bool WindowSystem::PreTranslated(const WindowMessage& message)
{
    if (!m_Loops.empty() && m_Loops.back().m_PreTranslate)
    {
        PreTranslate step = m_Loops.back().m_PreTranslate;
        return step(message);
    }
    if (m_Filter)
    {
        MessageFilter filter = m_Filter;
        return filter(message.m_hWindow, message.m_nMessage, message.m_wParam, message.m_lParam);
    }
    return false;
}

void WindowSystem::Handle(Queued& queued)
{
    const WindowMessage& message = queued.m_Message;
    if (queued.m_Reply)
    {
        queued.m_Reply->set_value(Dispatch(message.m_hWindow, message.m_nMessage, message.m_wParam, message.m_lParam));
        return;
    }
    if (!PreTranslated(message))
    {
        Dispatch(message.m_hWindow, message.m_nMessage, message.m_wParam, message.m_lParam);
    }
}

void WindowSystem::DrainPosted()
{
    Queued queued;
    while (!QuitPending() && TakeOne(queued))
    {
        Handle(queued);
    }
}

void WindowSystem::RunTurns(const std::function<bool()>& stop, const std::function<bool()>& idle)
{
    while (!stop())
    {
        PollNativeEvents();
        if (stop())
        {
            break;
        }
        Queued queued;
        bool took = TakeOne(queued);
        if (took)
        {
            Handle(queued);
        }
        FreeDestroyed();
        if (took || (idle && idle()))
        {
            continue;
        }
        WaitForWork();
    }
}

int WindowSystem::RunMessageLoop(const std::function<bool()>& idle, PreTranslate preTranslate)
{
    bool outermost = m_Loops.empty();
    if (outermost)
    {
        m_LoopThread = std::this_thread::get_id();
        std::lock_guard lock(m_Mutex);
        m_bLoopEnded = false;
    }
    m_Loops.push_back({std::move(preTranslate)});
    RunTurns([&] { return QuitPending(); }, idle);
    m_Loops.pop_back();
    int code = 0;
    {
        std::lock_guard lock(m_Mutex);
        code = m_nQuitCode;
        // Only the outermost loop takes the quit; an inner one leaves it for the loops around it.
        if (outermost)
        {
            m_bQuit = false;
            m_bLoopEnded = true;
        }
    }
    if (outermost)
    {
        AnswerWaitingSenders();
    }
    return code;
}

bool WindowSystem::RunModalLoop(const std::function<bool()>& ended, PreTranslate preTranslate)
{
    m_Loops.push_back({std::move(preTranslate)});
    bool done = false;
    RunTurns([&] { return (done = ended()) || QuitPending(); }, nullptr);
    m_Loops.pop_back();
    return done;
}

void WindowSystem::PumpMessages()
{
    m_Loops.push_back({});
    PollNativeEvents();
    Queued queued;
    while (TakeOne(queued))
    {
        Handle(queued);
        PollNativeEvents();
    }
    m_Loops.pop_back();
    FreeDestroyed();
}

// ---- focus and activation ----

void WindowSystem::SendFocusChange(WindowHandle from, WindowHandle to)
{
    m_hFocus = to;
    if (NativeWindow* top = Resolve(TopLevelOf(to)))
    {
        top->m_hLastFocus = to;
    }
    if (from && Resolve(from))
    {
        Dispatch(from, kWmKillFocus, HandleParam(to), 0);
    }
    if (m_hFocus == to)
    {
        if (NativeWindow* native = Resolve(to))
        {
            native->FollowFocus();
            Dispatch(to, kWmSetFocus, HandleParam(from), 0);
        }
    }
}

void WindowSystem::ChangeActive(WindowHandle top)
{
    if (top == m_hActive)
    {
        return;
    }
    WindowHandle old = m_hActive;
    m_hActive = top;
    if (Resolve(old))
    {
        Dispatch(old, kWmActivate, kWaInactive, static_cast<intptr_t>(HandleParam(top)));
    }
    if (NativeWindow* native = Resolve(top); native && m_hActive == top)
    {
        native->FollowActivation();
        Dispatch(top, kWmActivate, kWaActive, static_cast<intptr_t>(HandleParam(old)));
    }
}

void WindowSystem::SetFocus(WindowHandle window)
{
    if ((window && !Resolve(window)) || window == m_hFocus)
    {
        return;
    }
    if (window)
    {
        ChangeActive(TopLevelOf(window));
        if (!Resolve(window) || m_hFocus == window)
        {
            return;
        }
    }
    SendFocusChange(m_hFocus, window);
}

void WindowSystem::SetActiveWindow(WindowHandle window)
{
    WindowHandle top = TopLevelOf(window);
    if (window && !top)
    {
        return;
    }
    if (top && top == m_hActive)
    {
        // The native side is asked again: it may have activated a window it
        // showed meanwhile, and not yet said so.
        if (NativeWindow* native = Resolve(top))
        {
            native->FollowActivation();
        }
    }
    ChangeActive(top);
    if (!top)
    {
        if (m_hFocus)
        {
            SendFocusChange(m_hFocus, nullptr);
        }
        return;
    }
    // The newly active window gets back the control it had the focus in.
    if (m_hActive == top && !(m_hFocus && IsWithin(m_hFocus, top)))
    {
        NativeWindow* native = Resolve(top);
        WindowHandle want = native ? native->m_hLastFocus : nullptr;
        if (!want || !IsWithin(want, top))
        {
            want = top;
        }
        SendFocusChange(m_hFocus, want);
    }
}

WindowHandle WindowSystem::RememberedFocus(WindowHandle top) const
{
    const NativeWindow* native = Resolve(top);
    return native && !native->m_bChild && Resolve(native->m_hLastFocus) ? native->m_hLastFocus : WindowHandle{};
}

void WindowSystem::RememberFocus(WindowHandle control)
{
    if (NativeWindow* top = Resolve(TopLevelOf(control)); top && Resolve(control))
    {
        top->m_hLastFocus = control;
    }
}

WindowHandle WindowSystem::EnabledPopupOf(WindowHandle window,
                                          const std::function<bool(const NativeWindow&)>& passOver) const
{
    std::vector<NativeWindow*> windows = Windows();
    // The window's own popups first, then those of its owner, and so on up.
    for (NativeWindow* owner = Resolve(window); owner; owner = Resolve(owner->Parent()))
    {
        // The last one made is the innermost.
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        {
            NativeWindow* candidate = *it;
            if (candidate == owner || candidate->IsChild() || candidate->IsDestroyed() || !candidate->IsEnabled() ||
                !candidate->IsVisible() || (passOver && passOver(*candidate)))
            {
                continue;
            }
            for (NativeWindow* up = Resolve(candidate->Parent()); up; up = Resolve(up->Parent()))
            {
                if (up == owner)
                {
                    return candidate->Handle();
                }
            }
        }
    }
    return nullptr;
}

void WindowSystem::SetAppActive(bool active)
{
    if (m_bAppActive == active)
    {
        return;
    }
    m_bAppActive = active;
    if (!active)
    {
        // Keys let go while another program is active never come back as key-ups.
        m_HeldKeys.reset();
    }
    for (NativeWindow* window : Windows())
    {
        if (!window->m_bChild)
        {
            Dispatch(window->m_hHandle, kWmActivateApp, active ? 1 : 0, 0);
        }
    }
}

// ---- keys and characters ----

bool WindowSystem::RouteKey(WindowHandle target, uint32_t message, uintptr_t key, intptr_t lParam)
{
    if (key < m_HeldKeys.size() && (message == kWmKeyDown || message == kWmKeyUp))
    {
        m_HeldKeys.set(key, message == kWmKeyDown);
    }
    // A key that arrived at a top-level window goes to the control focused in it.
    NativeWindow* native = Resolve(target);
    if (!native || !native->m_bChild)
    {
        WindowHandle top = native ? target : m_hActive;
        if (m_hFocus && (!top || IsWithin(m_hFocus, top)))
        {
            target = m_hFocus;
        }
        else
        {
            target = top;
        }
    }
    if (!Resolve(target))
    {
        return false;
    }
    WindowMessage routed{target, message, key, lParam};
    bool consumed = PreTranslated(routed);
    if (m_KeyObserver)
    {
        KeyObserver observer = m_KeyObserver;
        observer(routed);
    }
    if (!consumed)
    {
        Dispatch(target, message, key, lParam);
    }
    return consumed;
}

void WindowSystem::RouteChar(WindowHandle window, uint32_t code)
{
    Dispatch(window, kWmChar, code, 0);
}

void WindowSystem::CommitText(WindowHandle window, std::string_view text)
{
    NativeWindow* native = Resolve(window);
    if (!native)
    {
        return;
    }
    if (native->m_ImeCommit)
    {
        ImeCommitHook hook = native->m_ImeCommit;
        if (hook(window, text))
        {
            return;
        }
    }
    for (size_t pos = 0; pos < text.size();)
    {
        size_t length = Cp932CharLength(text, pos);
        uint32_t code = static_cast<unsigned char>(text[pos]);
        if (length == 2)
        {
            code = code << 8 | static_cast<unsigned char>(text[pos + 1]);
        }
        RouteChar(window, code);
        pos += std::max<size_t>(length, 1);
    }
}

void WindowSystem::DeliverInput(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!PreTranslated({window, message, wParam, lParam}))
    {
        Dispatch(window, message, wParam, lParam);
    }
}

bool PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    WindowSystem* system = SystemOfWindow(window);
    return system && system->PostMessage(window, message, wParam, lParam);
}

intptr_t SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    WindowSystem* system = SystemOfWindow(window);
    return system ? system->SendMessage(window, message, wParam, lParam) : 0;
}

intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    WindowSystem* system = SystemOfWindow(window);
    return system ? system->DefaultProcedure(window, message, wParam, lParam) : 0;
}

} // namespace platform
