#pragma once

// The window core: one backend-neutral part under every window backend (Qt
// for the editor, SDL for the game, the dummy of the tests). A backend only
// makes native windows (NativeWindow.h) and turns native events into the
// core's calls; everything below is the core's and behaves the same on each.
//
// Registry. A window is registered under a WindowHandle (slot + generation,
// WindowHandle.h) when it is made and unregistered the moment it is destroyed,
// so a stale handle never reaches a later window in the same slot. The core
// owns the NativeWindow objects. Destruction sends kWmDestroy to the window,
// then to its children and the windows it owns (parent first), and
// unregisters them all at once; the
// objects are freed only when no dispatch is running (dispatch depth 0), at
// the next turn of a loop or pump, so a window that destroys itself inside
// its own handler is still there when the handler returns.
//
// Children. A window made with kWsChild is a child of m_hParent with the id
// m_nId: the controls of a dialog. GetDlgItem looks among the dialog's own
// children only, so the controls of a nested dialog (a page inside a sheet)
// never answer for the outer dialog's ids.
//
// Messages. SendMessage on the loop thread calls the procedure at once (a
// window without one gets DefaultProcedure). PostMessage from any thread
// queues; a send from another thread queues and waits for the answer, which
// is 0 at once when the window is gone, when a quit was posted, or when the
// outermost loop has ended (a waiting sender is answered 0 then too). Every
// kWmChar passes the window's character filter first, whoever sends it.
//
// Loops. RunMessageLoop(idle, preTranslate) is the program's loop and
// RunModalLoop(ended, preTranslate) the loop of a modal dialog; they nest.
// Each message a loop takes (posted messages, timers, input) goes through the
// innermost loop's pre-translate step (accelerators, dialog navigation) and,
// unless that consumes it, to the window. PostQuit ends every loop: a modal
// loop returns and leaves the quit set, and only the outermost
// RunMessageLoop consumes it and returns its code. Wake-ups of a sleeping
// loop are coalesced: one is pending at most, however many posts arrive.
//
// Focus and activation. The core keeps the active top-level window and the
// focused window (a control, or a window itself). SetFocus sends kWmKillFocus
// to the old window, then kWmSetFocus to the new one, synchronously; each
// carries the other's handle in wParam. SetActiveWindow sends kWmActivate to
// the old and the new window and gives the new one back the control that had
// the focus in it; asked for the window that is active already, it has the
// backend follow again. Backends report native focus and activation changes
// through the same calls and follow the core's (FollowFocus, FollowActivation).
//
// Keys. A backend hands every key to RouteKey before any native widget sees
// it. The key-down (or key-up) is addressed to the focused window (the
// backend names the target it knows), the innermost loop's pre-translate step
// may consume it, the key observer (the keyboard hook) then sees it, and
// unless consumed it is dispatched to the target. A backend then types the
// key's character through RouteChar (kWmChar through the character filter);
// text committed by an input method goes through CommitText (the window's
// input-method hook, else each character as kWmChar). The core keeps which
// keys are down from the keys routed: a key is down from its key-down to its
// key-up, and every key is up once the program stops being the active one.

#include "platform/window/NativeWindow.h"

#include <atomic>
#include <bitset>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace platform
{

// One message as a loop takes it.
struct WindowMessage
{
    WindowHandle m_hWindow;
    uint32_t m_nMessage = 0;
    uintptr_t m_wParam = 0;
    intptr_t m_lParam = 0;
};

class WindowSystem
{
public:
    WindowSystem();
    virtual ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // ---- windows ----
    // Makes a hidden window (shown by kWsVisible or Show), sends it kWmCreate,
    // asks a top-level window for its size limits, then sends kWmSize. Null when the window cannot be made or kWmCreate answers -1.
    WindowHandle CreateWindow(const WindowCreateParams& params);
    // Whether the handle names a live window of this system.
    bool IsWindow(WindowHandle window) const;
    NativeWindow* Resolve(WindowHandle window) const;
    // Sends kWmDestroy to the window, then to its children, and removes them;
    // false when the handle is stale or the window is already going.
    bool DestroyWindow(WindowHandle window);
    // The child of the dialog with the id (direct children only); null when none.
    WindowHandle GetDlgItem(WindowHandle dialog, int id) const;
    // The window's direct children in the order they were made.
    std::vector<WindowHandle> Children(WindowHandle window) const;
    // Puts the window right after another one among its siblings (null: first),
    // which is the order Children lists them in: the tab order of a dialog.
    void SetWindowOrder(WindowHandle window, WindowHandle after);
    // Whether the window is the ancestor or the same window.
    bool IsWithin(WindowHandle window, WindowHandle ancestor) const;
    // The top-level window that holds the window (itself for a top-level one).
    WindowHandle TopLevelOf(WindowHandle window) const;
    // The window's size limits as its procedure gives them (kWmGetMinMaxInfo);
    // zeros where it gives none. The loop thread.
    MinMaxInfo TrackSizes(WindowHandle window);
    // Has a top-level window's native window keep to the limits TrackSizes
    // gives now: run when they are made and whenever they change, since a
    // window manager holds them before the author drags the sizing frame.
    void FollowTrackSizes(WindowHandle window);
    // Windows destroyed and not yet freed.
    size_t AwaitingFree() const { return m_Destroyed.size(); }

    // ---- messages ----
    // Queues a message for the window; false when the window is gone. Any thread.
    bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Runs the window's procedure and returns its result; see the note above for other threads.
    intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // What the procedure leaves alone: kWmClose destroys the window; kWmSysCommand
    // minimises a top-level window, maximises it to the desktop, restores it
    // (from minimised first) or asks it to close; the class default for the rest.
    virtual intptr_t DefaultProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    // ---- loops ----
    // Ends the loops (any thread); see the note above.
    void PostQuit(int code);
    bool QuitPending() const;
    using PreTranslate = std::function<bool(const WindowMessage&)>;
    // Dispatches messages until the quit; whenever the queue is empty it runs
    // the idle step and polls again when that returns true, otherwise waits.
    // preTranslate null: the message filter below.
    int RunMessageLoop(const std::function<bool()>& idle, PreTranslate preTranslate = nullptr);
    // Dispatches messages until ended() is true (true returned) or a quit is pending (false; the quit stays).
    bool RunModalLoop(const std::function<bool()>& ended, PreTranslate preTranslate = nullptr);
    // Dispatches every message already waiting, without blocking, with the message filter.
    void PumpMessages();
    // The pre-translate step of PumpMessages and of loops given none.
    using MessageFilter = std::function<bool(WindowHandle, uint32_t, uintptr_t, intptr_t)>;
    void SetMessageFilter(MessageFilter filter) { m_Filter = std::move(filter); }

    // ---- focus and activation ----
    WindowHandle Focus() const { return m_hFocus; }
    // Moves the focus (null: no window has it); activates the window's top level first.
    void SetFocus(WindowHandle window);
    WindowHandle ActiveWindow() const { return m_hActive; }
    void SetActiveWindow(WindowHandle window);
    // The window a top-level window gives the focus back to when it is next
    // activated: the control focused in it when it was last active, or the one
    // remembered for it; null when there is none.
    WindowHandle RememberedFocus(WindowHandle top) const;
    // Makes the control the one its top-level window gives the focus back to,
    // without moving the focus or activating anything.
    void RememberFocus(WindowHandle control);
    // The window that takes the activation in place of a disabled window (a
    // modal dialog or box that keeps it disabled): the last made visible,
    // enabled top-level window owned by the window, or else by its owners in
    // turn, leaving out those `passOver` names; null when there is none.
    WindowHandle EnabledPopupOf(WindowHandle window,
                                const std::function<bool(const NativeWindow&)>& passOver = nullptr) const;
    // Whether the program is the active application; a change sends kWmActivateApp to every top-level window.
    bool IsAppActive() const { return m_bAppActive; }
    void SetAppActive(bool active);

    // ---- keys and characters ----
    // Sees every key after the pre-translate step, consumed or not (the keyboard hook).
    using KeyObserver = std::function<void(const WindowMessage&)>;
    void SetKeyObserver(KeyObserver observer) { m_KeyObserver = std::move(observer); }
    // A native key (kWmKeyDown or kWmKeyUp) for the target (null: the focused
    // window, else the active one). True when the pre-translate step consumed
    // it, so the backend must not type its character.
    bool RouteKey(WindowHandle target, uint32_t message, uintptr_t key, intptr_t lParam);
    // A typed character for the window: kWmChar, through its character filter.
    void RouteChar(WindowHandle window, uint32_t code);
    // Text the input method committed to the window (CP932).
    void CommitText(WindowHandle window, std::string_view text);
    // Whether the key (a virtual key) is down now, as the routed keys tell.
    bool IsKeyDown(uint32_t key) const { return key < m_HeldKeys.size() && m_HeldKeys.test(key); }

    // ---- native input ----
    // A native event turned into a message (mouse, timer): pre-translate step, then the window.
    void DeliverInput(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Where the pointer is (screen coordinates); false when it cannot be read.
    virtual bool GetCursorPos(Point& screen) = 0;
    // Whether the left (0) or right (1) mouse button is down now.
    virtual bool IsMouseButtonDown(int button) = 0;

    // The frame sizes: the backend's own unless a test fixed them.
    FrameMetrics Metrics() const { return m_FixedMetrics ? *m_FixedMetrics : NativeMetrics(); }
    void FixMetrics(const FrameMetrics& metrics) { m_FixedMetrics = metrics; }
    // The desktop's work area in screen coordinates, likewise.
    Rect DesktopRect() const { return m_FixedDesktop ? *m_FixedDesktop : NativeDesktopRect(); }
    void FixDesktopRect(const Rect& rect) { m_FixedDesktop = rect; }
    // The desktop's bits per pixel as the programs see it: 16 unless set
    // otherwise. Every picture is converted when it is shown, so the desktop
    // offers the depth the game's windowed mode was made for; tests set
    // others.
    int DesktopDepth() const { return m_nDesktopDepth.load(); }
    void SetDesktopDepth(int bits) { m_nDesktopDepth.store(bits); }

protected:
    // ---- what a backend supplies ----
    virtual std::unique_ptr<NativeWindow> MakeWindow(const WindowCreateParams& params) = 0;
    virtual FrameMetrics NativeMetrics() const = 0;
    virtual Rect NativeDesktopRect() const = 0;
    // Turns waiting native events into the core's calls, without blocking.
    virtual void PollNativeEvents() {}
    // Blocks until a native event may be there or WakeNative was called.
    virtual void WaitForNativeEvents();
    // Wakes a thread blocked in WaitForNativeEvents; called at most once until WakeConsumed.
    virtual void WakeNative();
    // The backend took its pending wake-up: the next post wakes again.
    void WakeConsumed() { m_bWakePending.store(false); }
    // Wakes the loop (any thread): native input arrived, a message was posted.
    void WakeLoop();

    // Runs the procedure of a live window of this system (the loop thread).
    intptr_t Dispatch(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Dispatches the posted messages waiting now with the innermost loop's pre-translate step.
    void DrainPosted();
    // Frees the destroyed windows when no dispatch is running.
    void FreeDestroyed();
    // Destroys every window left and answers every waiting sender (backend destructors call it first).
    void Shutdown();
    // The live windows of this system in the order they were made.
    std::vector<NativeWindow*> Windows() const;
    int DispatchDepth() const { return m_nDepth; }

private:
    struct Queued
    {
        WindowMessage m_Message;
        std::shared_ptr<std::promise<intptr_t>> m_Reply; // set for a send from another thread
    };
    struct LoopFrame
    {
        PreTranslate m_PreTranslate;
    };

    bool OnLoopThread() const { return std::this_thread::get_id() == m_LoopThread.load(); }
    bool PreTranslated(const WindowMessage& message);
    // Polls, dispatches one message, idles or waits, until stop() is true.
    void RunTurns(const std::function<bool()>& stop, const std::function<bool()>& idle);
    bool TakeOne(Queued& out);
    void Handle(Queued& queued);
    void WaitForWork();
    void AnswerWaitingSenders();
    void DestroyTree(NativeWindow* window, std::vector<NativeWindow*>& gone);
    void SendFocusChange(WindowHandle from, WindowHandle to);
    void ChangeActive(WindowHandle top);

    std::vector<std::unique_ptr<NativeWindow>> m_Windows;   // loop thread only
    std::vector<std::unique_ptr<NativeWindow>> m_Destroyed; // children before their parents
    int m_nDepth = 0;
    std::vector<LoopFrame> m_Loops;

    mutable std::mutex m_Mutex; // guards the queue, the quit and the loop state
    std::condition_variable m_Posted;
    std::deque<Queued> m_Queue;
    bool m_bQuit = false;
    int m_nQuitCode = 0;
    bool m_bLoopEnded = false;
    std::atomic<bool> m_bWakePending{false};
    std::atomic<std::thread::id> m_LoopThread;

    WindowHandle m_hFocus;
    WindowHandle m_hActive;
    bool m_bAppActive = false;
    MessageFilter m_Filter;
    KeyObserver m_KeyObserver;
    std::bitset<256> m_HeldKeys; // loop thread only
    std::optional<FrameMetrics> m_FixedMetrics;
    std::optional<Rect> m_FixedDesktop;
    std::atomic<int> m_nDesktopDepth{16};
};

// The button-state bits (kMkLButton, kMkRButton) of the mouse messages' wParam.
uintptr_t MouseKeyState(WindowSystem& system);

// The same through the window's own system, for code that holds only a handle;
// a stale handle posts nothing and answers 0.
bool PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

} // namespace platform
