#include "platform/sdl/SdlWindowSystem.h"

#include "platform/core/Cp932.h"

#include <SDL.h>
#include <mutex>

namespace platform
{

namespace
{

uint32_t KeyCode(SDL_Keycode key)
{
    if ((key >= SDLK_0 && key <= SDLK_9))
    {
        return static_cast<uint32_t>(key);
    }
    if (key >= SDLK_a && key <= SDLK_z)
    {
        return static_cast<uint32_t>(key - SDLK_a + 'A');
    }
    if (key >= SDLK_F1 && key <= SDLK_F12)
    {
        return kVkF1 + static_cast<uint32_t>(key - SDLK_F1);
    }
    switch (key)
    {
    case SDLK_ESCAPE: return kVkEscape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return kVkReturn;
    case SDLK_SPACE: return kVkSpace;
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
    default: return 0;
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
    // Under the lock, so the window system cannot go meanwhile.
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
    : ModelWindow(system, params), m_pWindow(window), m_nNativeId(SDL_GetWindowID(window))
{
}

SdlWindow::~SdlWindow()
{
    while (!m_Timers.empty())
    {
        KillTimer(m_Timers.begin()->first);
    }
    SDL_DestroyWindow(m_pWindow);
}

void SdlWindow::ApplyGeometry()
{
    Point origin = ClientToScreen({0, 0});
    Rect client = ClientRect();
    m_bApplying = true;
    SDL_SetWindowPosition(m_pWindow, origin.m_nX, origin.m_nY);
    SDL_SetWindowSize(m_pWindow, std::max(client.m_nWidth, 1), std::max(client.m_nHeight, 1));
    SDL_SetWindowResizable(m_pWindow, (Style() & kWsThickFrame) ? SDL_TRUE : SDL_FALSE);
    m_bApplying = false;
}

void SdlWindow::ApplyVisibility()
{
    if (IsVisible())
    {
        SDL_ShowWindow(m_pWindow);
    }
    else
    {
        SDL_HideWindow(m_pWindow);
    }
}

void SdlWindow::ApplyTitle()
{
    SDL_SetWindowTitle(m_pWindow, ToUtf8(Title()).c_str());
}

void SdlWindow::FollowNative()
{
    if (m_bApplying)
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
    SDL_Surface* surface = SDL_GetWindowSurface(m_pWindow);
    if (!surface || Picture().empty())
    {
        return;
    }
    Rect client = ClientRect();
    if (SDL_MUSTLOCK(surface))
    {
        SDL_LockSurface(surface);
    }
    int width = std::min(surface->w, client.m_nWidth);
    int height = std::min(surface->h, client.m_nHeight);
    for (int row = 0; row < height; ++row)
    {
        auto* out = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(row) * surface->pitch;
        for (int column = 0; column < width; ++column)
        {
            uint32_t rgb = PresentedPixel(column, row);
            uint32_t pixel = SDL_MapRGB(surface->format, rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
            switch (surface->format->BytesPerPixel)
            {
            case 4: reinterpret_cast<uint32_t*>(out)[column] = pixel; break;
            case 2: reinterpret_cast<uint16_t*>(out)[column] = static_cast<uint16_t>(pixel); break;
            default: break;
            }
        }
    }
    if (SDL_MUSTLOCK(surface))
    {
        SDL_UnlockSurface(surface);
    }
    SDL_UpdateWindowSurface(m_pWindow);
}

void SdlWindow::SetTimer(uint32_t id, uint32_t milliseconds)
{
    KillTimer(id);
    auto timer = std::make_unique<Timer>();
    {
        std::lock_guard lock(g_TimerMutex);
        timer->m_nSerial = ++g_nNextTimer;
        g_Timers[timer->m_nSerial] = {static_cast<SdlWindowSystem*>(&m_System), this, id};
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
    m_bReady = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) == 0;
    if (m_bReady)
    {
        m_nWakeEvent = SDL_RegisterEvents(1);
    }
}

SdlWindowSystem::~SdlWindowSystem()
{
    for (ModelWindow* window : Windows())
    {
        DestroyWindowOf(window);
    }
    PumpMessages();
    if (m_bReady)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
    }
}

WindowHandle SdlWindowSystem::CreateWindow(const WindowCreateParams& params)
{
    if (!m_bReady)
    {
        return nullptr;
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
    return AddWindow(std::make_unique<SdlWindow>(*this, params, native), params);
}

SdlWindow* SdlWindowSystem::FindNative(uint32_t nativeId) const
{
    for (ModelWindow* window : Windows())
    {
        auto* sdl = static_cast<SdlWindow*>(window);
        if (sdl->NativeId() == nativeId)
        {
            return sdl;
        }
    }
    return nullptr;
}

void SdlWindowSystem::Deliver(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!Filtered(window, message, wParam, lParam))
    {
        Dispatch(window, message, wParam, lParam);
    }
}

void SdlWindowSystem::PollNativeEvents()
{
    if (!m_bReady)
    {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        switch (event.type)
        {
        case SDL_WINDOWEVENT:
        {
            SdlWindow* window = FindNative(event.window.windowID);
            if (!window)
            {
                break;
            }
            switch (event.window.event)
            {
            case SDL_WINDOWEVENT_MOVED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_RESIZED:
                window->FollowNative();
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                Dispatch(window, kWmPaint, 0, 0);
                if (IsWindow(window))
                {
                    window->Redraw();
                }
                break;
            case SDL_WINDOWEVENT_CLOSE:
                Dispatch(window, kWmClose, 0, 0);
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
            case SDL_WINDOWEVENT_FOCUS_LOST:
            {
                bool gained = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
                if (gained)
                {
                    SetActive(window);
                }
                for (ModelWindow* each : Windows())
                {
                    Dispatch(each, kWmActivateApp, gained ? 1 : 0, 0);
                }
                break;
            }
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
            Deliver(window, message, MouseKeyState(*this), MakeLParam(x, y));
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        {
            SdlWindow* window = FindNative(event.key.windowID);
            uint32_t code = KeyCode(event.key.keysym.sym);
            if (window && code != 0)
            {
                Deliver(window, event.type == SDL_KEYDOWN ? kWmKeyDown : kWmKeyUp, code,
                        KeyModifiers(event.key.keysym.mod));
            }
            break;
        }
        default:
            break;
        }
    }
}

void SdlWindowSystem::WaitForEvents()
{
    if (!m_bReady)
    {
        QueuedWindowSystem::WaitForEvents();
        return;
    }
    if (!QuitPending())
    {
        SDL_WaitEventTimeout(nullptr, 100);
    }
}

void SdlWindowSystem::WakeUp()
{
    if (m_bReady)
    {
        SDL_Event event{};
        event.type = m_nWakeEvent;
        SDL_PushEvent(&event);
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
