#pragma once

// The editor's window backend on Qt 6 Widgets: an adapter over the window
// core. One application-wide event filter sees every key before the widget
// that has Qt's focus and hands it to the core's key routing; it also turns
// Qt's focus and activation changes into the core's. Posted messages wake Qt
// with one event at most, and that event drains the core's queue, so posted
// messages are served inside any Qt loop too (a message box, a pop-up menu).
// A disabled top-level window keeps its look but takes no input: the filter
// drops the author's mouse and keys there, and an activation of it goes to the
// enabled window it owns; with that dialog in front it takes no focus from the
// desktop either, and shown again it comes up behind that dialog. While it lives, the warning beep (Beep.h) is the desktop's. A QApplication
// must exist.

#include "platform/window/Beep.h"
#include "platform/window/WindowSystem.h"

#include <functional>
#include <map>
#include <memory>

class QObject;

namespace platform
{

class QtWindow;

class QtWindowSystem : public WindowSystem
{
public:
    QtWindowSystem();
    ~QtWindowSystem() override;

    bool GetCursorPos(Point& screen) override;
    bool IsMouseButtonDown(int button) override;

    // The desktop activated the top-level window; a disabled one hands the
    // activation on to the enabled window it owns (its modal dialog).
    void OnNativeActivation(WindowHandle window);
    // A disabled top-level window with a dialog of its own in front
    // (EnabledPopupOf) takes no focus from the desktop: a click on it leaves
    // the activation, and the keys, with the dialog, and the toolkit asks no
    // activation for it either. Every other window takes it, so that the
    // desktop may hand the activation a closing dialog leaves to its owner.
    // Run whenever a window is enabled, disabled, shown or hidden; the window
    // going (hidden or destroyed next) already counts as gone.
    void FollowFocusRefusals(WindowHandle going = {});
    // The author clicked the disabled top-level window, or it was shown
    // again: the enabled window it owns (its modal dialog) comes to the front
    // with the dialogs between them, and keeps the activation.
    void RaiseDialogOf(WindowHandle window);
    // Whether the window's activation is the one the toolkit reports now.
    bool IsReportingActivation(WindowHandle window) const { return window && window == m_hReporting; }
    // Where the pointer was at the last mouse event of our windows.
    void NoteMouse(Point screen, bool left, bool right);
    // Qt timers that send kWmTimer to the window.
    void StartTimer(WindowHandle window, uint32_t id, uint32_t milliseconds);
    void StopTimer(WindowHandle window, uint32_t id);
    void StopTimers(WindowHandle window);
    // Runs the call on the main thread at its next turn of the event loop; any thread may ask.
    void CallOnMainThread(std::function<void()> call);

protected:
    std::unique_ptr<NativeWindow> MakeWindow(const WindowCreateParams& params) override;
    FrameMetrics NativeMetrics() const override;
    Rect NativeDesktopRect() const override;
    void PollNativeEvents() override;
    void WaitForNativeEvents() override;
    void WakeNative() override;

private:
    class Bridge;

    void OnWake();
    // The last made visible, enabled top-level window owned by the window, or
    // else by its owners in turn; palettes and the window going are passed over.
    WindowHandle EnabledPopupOf(WindowHandle window, WindowHandle going = {}) const;
    // Whether the owner is the window itself or one of its owners in turn.
    bool IsOwnedBy(const NativeWindow* window, const NativeWindow* owner) const;
    void OnTimer(int qtId);

    std::unique_ptr<Bridge> m_pBridge;
    BeepSound m_PreviousBeep;
    std::map<int, std::pair<WindowHandle, uint32_t>> m_Timers; // Qt timer id -> window and our id
    // The window whose activation the toolkit reports now.
    WindowHandle m_hReporting;
    bool m_bMouseKnown = false;
    Point m_Cursor;
    bool m_bButtons[2] = {false, false};
};

} // namespace platform
