#include "platform/sdl/SdlWindowSystem.h"

#include "platform/core/Cp932.h"
#include "platform/sdl/SdlFrameUploader.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/window/KeyCodes.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <mutex>
#include <string>

namespace platform
{

namespace
{

uint32_t KeyCode(SDL_Keycode key)
{
    if (key >= SDLK_F1 && key <= SDLK_F12)
    {
        return kVkF1 + static_cast<uint32_t>(key - SDLK_F1);
    }
    if (key >= SDLK_F13 && key <= SDLK_F24)
    {
        return kVkF1 + 12 + static_cast<uint32_t>(key - SDLK_F13);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
    {
        return kVkNumpad0 + 1 + static_cast<uint32_t>(key - SDLK_KP_1);
    }
    switch (key)
    {
    case SDLK_ESCAPE: return kVkEscape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return kVkReturn;
    case SDLK_BACKSPACE: return kVkBack;
    case SDLK_TAB: return kVkTab;
    case SDLK_LEFT: return kVkLeft;
    case SDLK_RIGHT: return kVkRight;
    case SDLK_UP: return kVkUp;
    case SDLK_DOWN: return kVkDown;
    case SDLK_PAGEUP: return kVkPrior;
    case SDLK_PAGEDOWN: return kVkNext;
    case SDLK_HOME: return kVkHome;
    case SDLK_END: return kVkEnd;
    case SDLK_INSERT: return kVkInsert;
    case SDLK_DELETE: return kVkDelete;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return kVkShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return kVkControl;
    case SDLK_LALT:
    case SDLK_RALT: return kVkMenu;
    case SDLK_PAUSE: return kVkPause;
    case SDLK_CAPSLOCK: return kVkCapital;
    case SDLK_PRINTSCREEN: return kVkSnapshot;
    case SDLK_APPLICATION: return kVkApps;
    case SDLK_NUMLOCKCLEAR: return kVkNumLock;
    case SDLK_SCROLLLOCK: return kVkScroll;
    case SDLK_KP_0: return kVkNumpad0;
    case SDLK_KP_MULTIPLY: return kVkMultiply;
    case SDLK_KP_PLUS: return kVkAdd;
    case SDLK_KP_MINUS: return kVkSubtract;
    case SDLK_KP_PERIOD: return kVkDecimal;
    case SDLK_KP_DIVIDE: return kVkDivide;
    default:
        // Letters, digits and punctuation: SDL names them by their character.
        return key > 0 && key < 0x80 ? VirtualKeyOfCharacter(static_cast<uint32_t>(key)) : 0;
    }
}

intptr_t KeyModifiers(uint16_t mod)
{
    return ((mod & KMOD_SHIFT) ? intptr_t{kKeyShift} : 0) | ((mod & KMOD_CTRL) ? intptr_t{kKeyControl} : 0) |
           ((mod & KMOD_ALT) ? intptr_t{kKeyAlt} : 0);
}

} // namespace

// A timer's callback runs on SDL's timer thread and may still be running when
// the timer is removed. It therefore holds no pointer of ours: it looks its
// target up by serial number under the registry's lock, and a removed timer is
// gone from the registry before SdlWindow::KillTimer returns.
namespace
{
struct TimerTarget
{
    SdlWindowSystem* m_pSystem = nullptr;
    WindowHandle m_hWindow = nullptr;
    uint32_t m_nId = 0;
};

std::mutex g_TimerMutex;
std::map<uintptr_t, TimerTarget> g_Timers;
uintptr_t g_nNextTimer = 0;

Uint32 FireTimer(Uint32 interval, void* param)
{
    std::lock_guard lock(g_TimerMutex);
    auto it = g_Timers.find(reinterpret_cast<uintptr_t>(param));
    if (it == g_Timers.end())
    {
        return 0;
    }
    // Under the lock, so the window system cannot go meanwhile; posting to a gone window is refused.
    it->second.m_pSystem->PostMessage(it->second.m_hWindow, kWmTimer, it->second.m_nId, 0);
    return interval;
}
} // namespace

struct SdlWindow::Timer
{
    uintptr_t m_nSerial = 0;
    SDL_TimerID m_nSdlId = 0;
};

// ---- SdlWindow ----

SdlWindow::SdlWindow(SdlWindowSystem& system, const WindowCreateParams& params, SDL_Window* window)
    : ModelWindow(system, params), m_Sdl(system), m_pWindow(window), m_nNativeId(window ? SDL_GetWindowID(window) : 0)
{
}

SdlWindow::~SdlWindow()
{
    Retire();
    if (m_pPicture)
    {
        SDL_DestroyTexture(m_pPicture);
    }
    if (m_pWindow)
    {
        ReleaseSdlWindowRenderer(m_pWindow);
        SDL_DestroyWindow(m_pWindow);
    }
}

void SdlWindow::Retire()
{
    while (!m_Timers.empty())
    {
        KillTimer(m_Timers.begin()->first);
    }
    ModelWindow::Retire();
}

void SdlWindow::ApplyGeometry()
{
    if (!m_pWindow)
    {
        return;
    }
    Point origin = ClientToScreen({0, 0});
    Rect client = ClientRect();
    const int width = std::max(client.m_nWidth, 1);
    const int height = std::max(client.m_nHeight, 1);
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(m_pWindow, &x, &y);
    SDL_GetWindowSize(m_pWindow, &w, &h);
    m_bApplying = true;
    // Only what changed is asked of the desktop: a change of style alone (a
    // window disabled while its box is up) must not move a window whose move
    // by the window manager is still on its way.
    if (x != origin.m_nX || y != origin.m_nY)
    {
        SDL_SetWindowPosition(m_pWindow, origin.m_nX, origin.m_nY);
    }
    if (w != width || h != height)
    {
        SDL_SetWindowSize(m_pWindow, width, height);
    }
    SDL_SetWindowResizable(m_pWindow, (Style() & kWsThickFrame) ? SDL_TRUE : SDL_FALSE);
    m_bApplying = false;
}

void SdlWindow::FollowTrackSizes(const MinMaxInfo& info)
{
    if (!m_pWindow || !(Style() & kWsThickFrame))
    {
        return;
    }
    // The limits are of the whole window; SDL's are of the client area, the window manager's frame outside it.
    const Point minimum = ClientSizeOf(info.m_nMinTrackWidth, info.m_nMinTrackHeight);
    const Point maximum = ClientSizeOf(info.m_nMaxTrackWidth, info.m_nMaxTrackHeight);
    if (minimum.m_nX > 0 && minimum.m_nY > 0)
    {
        SDL_SetWindowMinimumSize(m_pWindow, minimum.m_nX, minimum.m_nY);
    }
    if (maximum.m_nX > 0 && maximum.m_nY > 0)
    {
        SDL_SetWindowMaximumSize(m_pWindow, std::max(maximum.m_nX, minimum.m_nX), std::max(maximum.m_nY, minimum.m_nY));
    }
}

void SdlWindow::ApplyVisibility()
{
    if (!m_pWindow)
    {
        return;
    }
    if (IsVisible())
    {
        // Made while the window is hidden: a renderer made later may make the native window anew.
        SdlWindowRenderer(m_pWindow);
        SDL_ShowWindow(m_pWindow);
        m_Sdl.OnShown(*this);
    }
    else
    {
        SDL_HideWindow(m_pWindow);
    }
}

void SdlWindow::FollowActivation()
{
    // The desktop's own report is not answered: two windows activated one
    // after the other would answer each other's late reports for ever.
    if (!m_pWindow || !IsVisible() || m_Sdl.IsReportingActivation(Handle()))
    {
        return;
    }
    SDL_RaiseWindow(m_pWindow);
    SDL_SetWindowInputFocus(m_pWindow);
}

void SdlWindow::ApplyTitle()
{
    if (!m_pWindow)
    {
        return;
    }
    SDL_SetWindowTitle(m_pWindow, ToUtf8(Title()).c_str());
}

void SdlWindow::FollowNative()
{
    if (m_bApplying || !m_pWindow)
    {
        return;
    }
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(m_pWindow, &x, &y);
    SDL_GetWindowSize(m_pWindow, &w, &h);
    Rect client = ClientRect();
    Point origin = ClientToScreen({0, 0});
    if (client.m_nWidth == w && client.m_nHeight == h && origin.m_nX == x && origin.m_nY == y)
    {
        return;
    }
    FrameInsets insets = Insets();
    ModelWindow::SetWindowRect(
        {x - insets.m_nLeft, y - insets.m_nTop, w + insets.m_nLeft + insets.m_nRight, h + insets.m_nTop + insets.m_nBottom});
}

void SdlWindow::Present(const PixelView& image, int x, int y)
{
    StorePicture(image, x, y);
    Redraw();
}

void SdlWindow::Redraw()
{
    if (!m_pWindow)
    {
        return;
    }
    if (SdlFrameUploader* frames = SdlFrameUploader::Of(m_pWindow))
    {
        frames->Redraw();
        return;
    }
    SDL_Renderer* renderer = SdlWindowRenderer(m_pWindow);
    if (!renderer)
    {
        return;
    }
    if (Picture().empty())
    {
        // Nothing to show yet: black, rather than whatever the screen held
        // there. Twice: a GL driver may take a new window size (the whole
        // screen) only at a swap, and draw the first frame after it at the old size.
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        for (int pass = 0; pass < 2; ++pass)
        {
            SDL_RenderClear(renderer);
            SDL_RenderPresent(renderer);
        }
        return;
    }
    Rect client = ClientRect();
    const int width = std::max(client.m_nWidth, 1);
    const int height = std::max(client.m_nHeight, 1);
    if (!m_pPicture || m_nPictureWidth != width || m_nPictureHeight != height)
    {
        if (m_pPicture)
        {
            SDL_DestroyTexture(m_pPicture);
        }
        m_pPicture =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        m_nPictureWidth = width;
        m_nPictureHeight = height;
        if (!m_pPicture)
        {
            return;
        }
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(m_pPicture, nullptr, &pixels, &pitch) != 0)
    {
        return;
    }
    for (int row = 0; row < height; ++row)
    {
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<size_t>(row) * pitch);
        for (int column = 0; column < width; ++column)
        {
            out[column] = 0xFF000000u | PresentedPixel(column, row);
        }
    }
    SDL_UnlockTexture(m_pPicture);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, m_pPicture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void SdlWindow::SetTimer(uint32_t id, uint32_t milliseconds)
{
    KillTimer(id);
    auto timer = std::make_unique<Timer>();
    {
        std::lock_guard lock(g_TimerMutex);
        timer->m_nSerial = ++g_nNextTimer;
        g_Timers[timer->m_nSerial] = {&m_Sdl, Handle(), id};
    }
    timer->m_nSdlId =
        SDL_AddTimer(std::max<uint32_t>(milliseconds, 1), FireTimer, reinterpret_cast<void*>(timer->m_nSerial));
    m_Timers[id] = std::move(timer);
}

void SdlWindow::KillTimer(uint32_t id)
{
    auto it = m_Timers.find(id);
    if (it != m_Timers.end())
    {
        SDL_RemoveTimer(it->second->m_nSdlId);
        {
            std::lock_guard lock(g_TimerMutex);
            g_Timers.erase(it->second->m_nSerial);
        }
        m_Timers.erase(it);
    }
}

// ---- SdlWindowSystem ----

SdlWindowSystem::SdlWindowSystem()
{
    // A click that activates a window is that window's too: one click on a box's button answers it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    m_bReady = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) == 0;
    if (m_bReady)
    {
        m_nWakeEvent = SDL_RegisterEvents(1);
        const char* driver = SDL_GetCurrentVideoDriver();
        std::string name = driver ? driver : "";
        m_bHeadless = name == "dummy" || name == "offscreen";
        m_bX11 = name == "x11" && pipe2(m_nWakePipe, O_NONBLOCK | O_CLOEXEC) == 0;
    }
}

SdlWindowSystem::~SdlWindowSystem()
{
    Shutdown();
    if (m_bReady)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
    }
    for (int fd : m_nWakePipe)
    {
        if (fd >= 0)
        {
            close(fd);
        }
    }
}

std::unique_ptr<NativeWindow> SdlWindowSystem::MakeWindow(const WindowCreateParams& params)
{
    if (!m_bReady)
    {
        return nullptr;
    }
    if (params.m_nStyle & kWsChild)
    {
        return std::make_unique<SdlWindow>(*this, params, nullptr);
    }
    FrameInsets insets = ComputeFrameInsets(params.m_nStyle, params.m_pMenuBar != nullptr, Metrics());
    Rect r = params.m_WindowRect;
    int width = std::max(r.m_nWidth - insets.m_nLeft - insets.m_nRight, 1);
    int height = std::max(r.m_nHeight - insets.m_nTop - insets.m_nBottom, 1);
    uint32_t flags = SDL_WINDOW_HIDDEN | ((params.m_nStyle & kWsThickFrame) ? SDL_WINDOW_RESIZABLE : 0) |
                     ((params.m_nStyle & kWsCaption) ? 0 : SDL_WINDOW_BORDERLESS);
    SDL_Window* native = SDL_CreateWindow(ToUtf8(params.m_strTitle).c_str(), r.m_nLeft + insets.m_nLeft,
                                          r.m_nTop + insets.m_nTop, width, height, flags);
    if (!native)
    {
        return nullptr;
    }
    if (m_bX11 && m_nDisplayConnection < 0)
    {
        m_nDisplayConnection = SdlX11Connection(native);
    }
    return std::make_unique<SdlWindow>(*this, params, native);
}

void SdlWindowSystem::OnShown(SdlWindow& window)
{
    if (m_bHeadless && !window.IsChild())
    {
        SetActiveWindow(window.Handle());
        SetAppActive(true);
    }
}

void SdlWindowSystem::OnNativeActivation(SdlWindow& window)
{
    // A disabled window (the owner of a box that is up, clicked or restored
    // from a task bar) hands the activation to the box, and the desktop is
    // asked to move it there.
    if (!window.IsEnabled())
    {
        if (WindowHandle popup = EnabledPopupOf(window.Handle()))
        {
            SetActiveWindow(popup);
            return;
        }
    }
    WindowHandle outer = m_hReporting;
    m_hReporting = window.Handle();
    SetActiveWindow(window.Handle());
    m_hReporting = outer;
}

SdlWindow* SdlWindowSystem::FindNative(uint32_t nativeId) const
{
    for (NativeWindow* window : Windows())
    {
        auto* sdl = static_cast<SdlWindow*>(window);
        if (sdl->Native() && sdl->NativeId() == nativeId)
        {
            return sdl;
        }
    }
    return nullptr;
}

void SdlWindowSystem::PollNativeEvents()
{
    if (!m_bReady)
    {
        WakeConsumed();
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        if (event.type == m_nWakeEvent)
        {
            // The one pending wake-up is taken: the next post may push another.
            WakeConsumed();
            continue;
        }
        switch (event.type)
        {
        case SDL_WINDOWEVENT:
        {
            SdlWindow* window = FindNative(event.window.windowID);
            if (!window)
            {
                break;
            }
            WindowHandle handle = window->Handle();
            switch (event.window.event)
            {
            case SDL_WINDOWEVENT_MOVED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_RESIZED:
                window->FollowNative();
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                Dispatch(handle, kWmPaint, 0, 0);
                if (Resolve(handle))
                {
                    window->Redraw();
                }
                break;
            case SDL_WINDOWEVENT_CLOSE:
                Dispatch(handle, kWmClose, 0, 0);
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                OnNativeActivation(*window);
                SetAppActive(true);
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                SetAppActive(false);
                break;
            default:
                break;
            }
            break;
        }
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        {
            bool motion = event.type == SDL_MOUSEMOTION;
            uint32_t windowId = motion ? event.motion.windowID : event.button.windowID;
            SdlWindow* window = FindNative(windowId);
            if (!window)
            {
                break;
            }
            int x = motion ? event.motion.x : event.button.x;
            int y = motion ? event.motion.y : event.button.y;
            uint32_t message = kWmMouseMove;
            if (!motion)
            {
                int button = event.button.button == SDL_BUTTON_LEFT ? 0 : event.button.button == SDL_BUTTON_RIGHT ? 1 : -1;
                if (button < 0)
                {
                    break;
                }
                bool down = event.type == SDL_MOUSEBUTTONDOWN;
                m_bButtons[button] = down;
                message = button == 0 ? (down ? kWmLButtonDown : kWmLButtonUp) : (down ? kWmRButtonDown : kWmRButtonUp);
            }
            m_bMouseKnown = true;
            m_Cursor = window->ClientToScreen({x, y});
            DeliverInput(window->Handle(), message, MouseKeyState(*this), MakeLParam(x, y));
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        {
            SdlWindow* window = FindNative(event.key.windowID);
            uint32_t code = KeyCode(event.key.keysym.sym);
            if (window && code != 0)
            {
                intptr_t flags = KeyModifiers(event.key.keysym.mod) | (event.key.repeat ? intptr_t{kKeyRepeat} : 0);
                RouteKey(window->Handle(), event.type == SDL_KEYDOWN ? kWmKeyDown : kWmKeyUp, code, flags);
            }
            break;
        }
        case SDL_TEXTINPUT:
        {
            SdlWindow* window = FindNative(event.text.windowID);
            WindowHandle target = Focus() && window && IsWithin(Focus(), window->Handle()) ? Focus()
                                  : window                                                  ? window->Handle()
                                                                                            : nullptr;
            if (target)
            {
                CommitText(target, FromUtf8(event.text.text));
            }
            break;
        }
        default:
            break;
        }
    }
}

void SdlWindowSystem::WaitForNativeEvents()
{
    if (!m_bReady)
    {
        WindowSystem::WaitForNativeEvents();
        return;
    }
    // The time-outs are only a safety net.
    if (m_nDisplayConnection < 0)
    {
        // Posts push a wake event. (No window yet on X11: SDL has none to send wake-ups to, and polls.)
        SDL_WaitEventTimeout(nullptr, 100);
        return;
    }
    // What an earlier wake-up wrote goes first: a post from now on writes
    // again, or has pushed its event already, and then the loop does not sleep.
    char drained[64];
    while (read(m_nWakePipe[0], drained, sizeof drained) > 0)
    {
    }
    // What the connection has read already, or SDL holds, is not slept on.
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT))
    {
        return;
    }
    pollfd ready[] = {{m_nDisplayConnection, POLLIN, 0}, {m_nWakePipe[0], POLLIN, 0}};
    poll(ready, 2, 100);
}

void SdlWindowSystem::WakeNative()
{
    if (!m_bReady)
    {
        return;
    }
    SDL_Event event{};
    event.type = m_nWakeEvent;
    if (SDL_PushEvent(&event) != 1)
    {
        // Not queued: the next post tries again.
        WakeConsumed();
    }
    if (m_nWakePipe[1] >= 0)
    {
        // A full pipe wakes the loop already.
        [[maybe_unused]] const ssize_t written = write(m_nWakePipe[1], "", 1);
    }
}

bool SdlWindowSystem::GetCursorPos(Point& screen)
{
    if (!m_bMouseKnown)
    {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        screen = {x, y};
        return true;
    }
    screen = m_Cursor;
    return true;
}

Rect SdlWindowSystem::NativeDesktopRect() const
{
    SDL_Rect r{0, 0, 1024, 768};
    if (m_bReady)
    {
        SDL_GetDisplayUsableBounds(0, &r);
    }
    return {r.x, r.y, r.w, r.h};
}

} // namespace platform
