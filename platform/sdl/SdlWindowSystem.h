#pragma once

// The game's window backend on SDL2. The window model is the shared one; SDL
// supplies the native window, its renderer and the events. A window gets its
// renderer before it is first shown (making one may make the native window
// anew) and shows its presented picture through it, unless a frame uploader
// shows the game's frames in it (SdlFrameUploader.h); until it has either, an
// expose paints it black. It never draws into SDL's window surface. The window
// manager draws any frame outside the client area, so the frame metrics are
// zero unless a test fixes them. SDL has no menus, tool bars or child windows:
// pop-up menus are dismissed, bars are kept as models only, and a child is a
// model without a native window. Posts from other threads wake the loop with
// one SDL event at most, however many arrive. On X11 the loop sleeps on the
// display's connection and a pipe of its own, never in SDL's wait: while that
// sleeps, each SDL event pushed on any thread is sent as an X message to the
// newest window to wake it, and a window destroyed before the X server took
// such a message (a box just answered) made it answer with an error that ends
// the program. Without a display (the dummy driver gives no focus events) a
// shown window is the active one. A disabled window that the desktop activates
// hands the activation to the window that keeps it disabled (a modal box),
// which the desktop is then asked to bring forward; a click that activates a
// window acts in it too. A window with a sizing frame keeps the size limits its
// procedure gives; the game's window lifts them while it goes full screen over
// the desktop (SdlDisplayHost).

#include "platform/window/ModelWindow.h"
#include "platform/window/WindowSystem.h"

#include <map>

struct SDL_Window;
struct SDL_Texture;

namespace platform
{

class SdlWindowSystem;

class SdlWindow : public ModelWindow
{
public:
    // A child has no native window (null).
    SdlWindow(SdlWindowSystem& system, const WindowCreateParams& params, SDL_Window* window);
    ~SdlWindow() override;

    void Present(const PixelView& image, int x, int y) override;
    void SetTimer(uint32_t id, uint32_t milliseconds) override;
    void KillTimer(uint32_t id) override;
    void TrackPopupMenu(const Menu&, Point, WindowHandle) override {}
    void FollowTrackSizes(const MinMaxInfo& info) override;
    void FollowActivation() override;
    void Retire() override;

    SDL_Window* Native() const { return m_pWindow; }
    uint32_t NativeId() const { return m_nNativeId; }
    // The native window changed on its own (the user, the window manager): follow it.
    void FollowNative();
    // Draws the picture to the window again (after an expose); black while it has none.
    void Redraw();

protected:
    void ApplyGeometry() override;
    void ApplyVisibility() override;
    void ApplyTitle() override;

private:
    struct Timer;

    SdlWindowSystem& m_Sdl;
    SDL_Window* m_pWindow;
    uint32_t m_nNativeId;
    SDL_Texture* m_pPicture = nullptr; // the presented picture, on the window's renderer
    int m_nPictureWidth = 0;
    int m_nPictureHeight = 0;
    std::map<uint32_t, std::unique_ptr<Timer>> m_Timers;
    bool m_bApplying = false;
};

class SdlWindowSystem : public WindowSystem
{
public:
    SdlWindowSystem();
    ~SdlWindowSystem() override;

    // False when SDL's video could not start (no window can be made).
    bool IsReady() const { return m_bReady; }
    // True when the video driver shows nothing (dummy, offscreen).
    bool IsHeadless() const { return m_bHeadless; }

    bool GetCursorPos(Point& screen) override;
    bool IsMouseButtonDown(int button) override { return button >= 0 && button < 2 && m_bButtons[button]; }

    // A top-level window was shown: without a display it becomes the active one.
    void OnShown(SdlWindow& window);
    // Whether the desktop's report of that window's activation is being served now.
    bool IsReportingActivation(WindowHandle window) const { return window && window == m_hReporting; }

protected:
    std::unique_ptr<NativeWindow> MakeWindow(const WindowCreateParams& params) override;
    FrameMetrics NativeMetrics() const override { return {}; }
    Rect NativeDesktopRect() const override;
    void PollNativeEvents() override;
    void WaitForNativeEvents() override;
    void WakeNative() override;

private:
    SdlWindow* FindNative(uint32_t nativeId) const;
    // The desktop activated the window.
    void OnNativeActivation(SdlWindow& window);

    bool m_bReady = false;
    bool m_bHeadless = false;
    bool m_bX11 = false; // the X11 driver, and the wake-up pipe is made
    uint32_t m_nWakeEvent = 0;
    int m_nDisplayConnection = -1; // on X11, once a window is made
    int m_nWakePipe[2] = {-1, -1}; // a wake-up writes to it, for a loop asleep on the display's connection
    WindowHandle m_hReporting;     // the window whose activation the desktop reports now
    bool m_bMouseKnown = false;
    Point m_Cursor;
    bool m_bButtons[2] = {false, false};
};

} // namespace platform
