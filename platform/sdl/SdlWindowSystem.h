#pragma once

// The game's window backend on SDL2. The window model, queue and loop are the
// shared ones; SDL supplies the native window, its surface and the events.
// The window manager draws any frame outside the client area, so the frame
// metrics are zero unless a test fixes them. SDL has no menus or tool bars:
// pop-up menus are dismissed and bars are kept as models only.

#include "platform/window/QueuedWindowSystem.h"

struct SDL_Window;

namespace platform
{

class SdlWindowSystem;

class SdlWindow : public ModelWindow
{
public:
    SdlWindow(SdlWindowSystem& system, const WindowCreateParams& params, SDL_Window* window);
    ~SdlWindow() override;

    void Present(const PixelView& image, int x, int y) override;
    void SetTimer(uint32_t id, uint32_t milliseconds) override;
    void KillTimer(uint32_t id) override;
    void TrackPopupMenu(const Menu&, Point) override {}

    SDL_Window* Native() const { return m_pWindow; }
    uint32_t NativeId() const { return m_nNativeId; }
    // The native window changed on its own (the user, the window manager): follow it.
    void FollowNative();
    // Draws the picture to the window again (after an expose).
    void Redraw();

protected:
    void ApplyGeometry() override;
    void ApplyVisibility() override;
    void ApplyTitle() override;

private:
    struct Timer;

    SDL_Window* m_pWindow;
    uint32_t m_nNativeId;
    std::map<uint32_t, std::unique_ptr<Timer>> m_Timers;
    bool m_bApplying = false;
};

class SdlWindowSystem : public QueuedWindowSystem
{
public:
    SdlWindowSystem();
    ~SdlWindowSystem() override;

    // False when SDL's video could not start (no window can be made).
    bool IsReady() const { return m_bReady; }

    WindowHandle CreateWindow(const WindowCreateParams& params) override;
    bool GetCursorPos(Point& screen) override;
    bool IsMouseButtonDown(int button) override { return button >= 0 && button < 2 && m_bButtons[button]; }

protected:
    FrameMetrics NativeMetrics() const override { return {}; }
    Rect NativeDesktopRect() const override;
    void PollNativeEvents() override;
    void WaitForEvents() override;
    void WakeUp() override;

private:
    SdlWindow* FindNative(uint32_t nativeId) const;
    void Deliver(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    bool m_bReady = false;
    uint32_t m_nWakeEvent = 0;
    bool m_bMouseKnown = false;
    Point m_Cursor;
    bool m_bButtons[2] = {false, false};
};

} // namespace platform
