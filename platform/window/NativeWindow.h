#pragma once

// One interface for a native window, with the backends behind it: Qt Widgets
// for the editor, SDL2 for the game, and a dummy for tests. A window hands
// every message to the procedure it was created with; the window core of
// common/ is written against this interface only.
//
// Window handles are pointers to the backend's window objects. A handle stays
// valid until the window is destroyed; posting to a destroyed window is a
// no-op (IsWindow tells). Every operation runs on the thread that runs the
// message loop, except PostMessage and SendMessage, which any thread may call.

#include "platform/window/Geometry.h"
#include "platform/window/PixelView.h"
#include "platform/window/WindowMessages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

class NativeWindow;
class WindowSystem;
using WindowHandle = NativeWindow*;

// The procedure a window class registers: every message of the window goes through it.
using WindowProcedure = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Sizes of the parts of a window frame, in pixels, as the backend draws them.
struct FrameMetrics
{
    int m_nCaptionHeight = 0;
    int m_nSizeFrameWidth = 0;
    int m_nSizeFrameHeight = 0;
    int m_nDialogFrameWidth = 0;
    int m_nDialogFrameHeight = 0;
    int m_nMenuBarHeight = 0;
    int m_nHScrollHeight = 0;
    int m_nVScrollWidth = 0;
};

// What a frame adds around the client area on each side.
struct FrameInsets
{
    int m_nLeft = 0;
    int m_nRight = 0;
    int m_nTop = 0;
    int m_nBottom = 0;
};

// The frame of a window of that style, with or without a menu bar: caption
// (any caption bit), sizing frame or else dialog frame, style scroll bars, menu.
FrameInsets ComputeFrameInsets(uint32_t style, bool hasMenu, const FrameMetrics& metrics);

// A menu: items with command ids, separators and sub-menus. Texts are CP932.
struct MenuItem
{
    int m_nCommand = 0;
    std::string m_strText;
    bool m_bSeparator = false;
    bool m_bChecked = false;
    bool m_bGrayed = false;
    std::vector<MenuItem> m_SubItems;
};

struct Menu
{
    std::vector<MenuItem> m_Items;
};

// One button of a tool bar: image index, command sent as kWmCommand, state and
// style bits; the tip is CP932 text.
struct ToolButton
{
    int m_nImage = 0;
    int m_nCommand = 0;
    uint8_t m_nState = kStateEnabled;
    uint8_t m_nStyle = 0;

    static constexpr uint8_t kStateChecked = 0x01;
    static constexpr uint8_t kStateEnabled = 0x04;
    static constexpr uint8_t kStyleSeparator = 0x01;
    static constexpr uint8_t kStyleCheck = 0x02;
};

// Images of the common tool-bar set, by index.
enum : int
{
    kStdImageCut = 0,
    kStdImageCopy,
    kStdImagePaste,
    kStdImageUndo,
    kStdImageRedo,
    kStdImageDelete,
    kStdImageNew,
    kStdImageOpen,
    kStdImageSave,
    kStdImagePrintPreview,
    kStdImageProperties,
    kStdImageHelp,
    kStdImageFind,
    kStdImageReplace,
    kStdImagePrint,
    kStdImageCount
};

// A tool bar along the top of a window's client area (28 pixels a row). Button
// clicks arrive at the owner as kWmCommand with the button's command.
class ToolBar
{
public:
    virtual ~ToolBar() = default;
    // Adds the common images; returns the index of the first.
    virtual int AddStandardImages() = 0;
    // Adds count images of 16x15 pixels cut from a strip; returns the index of the first.
    virtual int AddImages(const PixelView& strip, int count) = 0;
    virtual void AddButton(const ToolButton& button) = 0;
    virtual int ButtonCount() const = 0;
    // The button's rectangle in the tool bar (index -1 = the last button).
    virtual Rect ButtonRect(int index) const = 0;
    // The text shown when the pointer rests on the button (index -1 = the last button).
    virtual void SetTip(int index, std::string_view text) = 0;
    virtual std::string Tip(int index) const = 0;
    // The owner's client area changed to this size.
    virtual void OnOwnerSize(int width, int height) = 0;
};

// A status bar of 20 pixels, placed by its owner.
class StatusBar
{
public:
    virtual ~StatusBar() = default;
    virtual void Move(const Rect& rect) = 0;
    virtual Rect Placement() const = 0;
    virtual void SetText(std::string_view text) = 0;
};

struct WindowCreateParams
{
    std::string m_strTitle; // CP932
    uint32_t m_nStyle = kWsOverlappedWindow;
    Rect m_WindowRect;      // the whole window, frame included, in screen coordinates
    WindowHandle m_hParent = nullptr;
    WindowProcedure m_pProcedure = nullptr;
    const Menu* m_pMenuBar = nullptr;
    intptr_t m_nCreateParam = 0; // lParam of kWmCreate
};

class NativeWindow
{
public:
    virtual ~NativeWindow() = default;

    virtual WindowSystem& System() = 0;
    virtual WindowHandle Parent() const = 0;
    virtual WindowProcedure Procedure() const = 0;

    virtual void Show(bool show) = 0;
    virtual bool IsVisible() const = 0;
    virtual void Enable(bool enable) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetTitle(std::string_view text) = 0;

    // Style bits; a change may change the frame (and so the client size).
    virtual uint32_t Style() const = 0;
    virtual void SetStyle(uint32_t style) = 0;
    virtual bool HasMenuBar() const = 0;
    virtual void SetMenuBar(const Menu* menu) = 0;

    // The whole window, frame included, in screen coordinates; moving or sizing
    // it sends kWmMove and kWmSize.
    virtual Rect WindowRect() const = 0;
    virtual void SetWindowRect(const Rect& rect) = 0;
    // The client area: (0, 0, width, height).
    virtual Rect ClientRect() const = 0;
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;

    virtual void Activate() = 0;
    // Asks for a kWmPaint.
    virtual void Invalidate() = 0;
    // Draws the image at (x, y) of the client area; it stays there until drawn over.
    virtual void Present(const PixelView& image, int x, int y) = 0;

    // Sends kWmTimer with the id every interval milliseconds until killed.
    virtual void SetTimer(uint32_t id, uint32_t milliseconds) = 0;
    virtual void KillTimer(uint32_t id) = 0;

    // Shows the menu at the screen position; the item chosen arrives as kWmCommand.
    virtual void TrackPopupMenu(const Menu& menu, Point screen) = 0;

    // The window's tool bar and status bar, created on first use; null where the backend has none.
    virtual ToolBar* CreateToolBar() = 0;
    virtual StatusBar* CreateStatusBar() = 0;

    // The texts of the window's items (controls) by id; an item without a
    // control of its own keeps its text in the window.
    virtual std::string ItemText(int id) const = 0;
    virtual void SetItemText(int id, std::string_view text) = 0;

    // Sends kWmDestroy and removes the window.
    virtual void Destroy() = 0;

protected:
    FrameInsets Insets() const;
};

// A window backend: creates windows, queues their messages and runs the loop.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    // Creates a hidden window (shown by kWsVisible or Show) and sends it
    // kWmCreate, then kWmSize. Null when the window cannot be made.
    virtual WindowHandle CreateWindow(const WindowCreateParams& params) = 0;
    virtual bool IsWindow(WindowHandle window) const = 0;

    // Queues a message for the window's procedure; false when the window is gone.
    virtual bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // Runs the window's procedure and returns its result; from another thread
    // the message is handed to the loop's thread and the caller waits.
    virtual intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // What a procedure returns for a message it leaves alone (kWmClose destroys the window).
    virtual intptr_t DefaultProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    // Ends RunMessageLoop with the code.
    virtual void PostQuit(int code) = 0;
    // Dispatches messages until the quit; whenever the queue is empty it runs
    // the idle step and polls again when that returns true, otherwise waits for
    // the next message.
    virtual int RunMessageLoop(const std::function<bool()>& idle) = 0;
    // Dispatches every message already waiting, without blocking (tests, modal loops).
    virtual void PumpMessages() = 0;

    // Sees every message the loop takes from its queue before it is dispatched;
    // true consumes it (accelerators, dialog navigation).
    using MessageFilter = std::function<bool(WindowHandle, uint32_t, uintptr_t, intptr_t)>;
    void SetMessageFilter(MessageFilter filter) { m_Filter = std::move(filter); }

    // Where the pointer is (screen coordinates); false when it cannot be read.
    virtual bool GetCursorPos(Point& screen) = 0;
    // Whether the left (0) or right (1) mouse button is down now.
    virtual bool IsMouseButtonDown(int button) = 0;
    virtual WindowHandle ActiveWindow() = 0;

    // The frame sizes: the backend's own unless a test fixed them.
    FrameMetrics Metrics() const { return m_FixedMetrics ? *m_FixedMetrics : NativeMetrics(); }
    void FixMetrics(const FrameMetrics& metrics) { m_FixedMetrics = metrics; }
    // The desktop's work area in screen coordinates, likewise.
    Rect DesktopRect() const { return m_FixedDesktop ? *m_FixedDesktop : NativeDesktopRect(); }
    void FixDesktopRect(const Rect& rect) { m_FixedDesktop = rect; }

protected:
    virtual FrameMetrics NativeMetrics() const = 0;
    virtual Rect NativeDesktopRect() const = 0;
    bool Filtered(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        return m_Filter && m_Filter(window, message, wParam, lParam);
    }

private:
    std::optional<FrameMetrics> m_FixedMetrics;
    std::optional<Rect> m_FixedDesktop;
    MessageFilter m_Filter;
};

// The button-state bits (kMkLButton, kMkRButton) of the mouse messages' wParam.
uintptr_t MouseKeyState(WindowSystem& system);

} // namespace platform
