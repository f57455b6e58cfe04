#pragma once

// A native window as the window core sees it. Every window, a control inside
// a dialog included, has the small base below; a top-level window adds its
// frame part (menu bar, pop-up menus, tool bar, status bar). The backends
// (Qt for the editor, SDL for the game, a model for tests) implement both;
// the core of WindowSystem.h registers, dispatches, focuses and destroys them.
//
// Windows are named by WindowHandle values (WindowHandle.h). A window's
// operations run on its system's loop thread only; other threads post and
// send through the system.

#include "platform/window/ControlMessages.h"
#include "platform/window/Geometry.h"
#include "platform/window/PixelView.h"
#include "platform/window/WindowHandle.h"
#include "platform/window/WindowMessages.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

class WindowSystem;
class ControlModel;

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
    // The state bits (kStateChecked, kStateEnabled) of the first button of the command; 0 when there is none.
    virtual uint8_t ButtonState(int command) const = 0;
    // Sets the state bits of every button of the command.
    virtual void SetButtonState(int command, uint8_t state) = 0;
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

// Window classes with behaviour of their own (the controls of
// ControlMessages.h); any other class name (the empty one included) is a
// plain window whose procedure does everything.
inline constexpr std::string_view kClassEdit = "EDIT";

struct WindowCreateParams
{
    std::string m_strTitle; // CP932; an edit's initial text
    std::string m_strClass; // kClassEdit or a plain window
    uint32_t m_nStyle = kWsOverlappedWindow;
    // The whole window, frame included: in screen coordinates, or for a child
    // (kWsChild) in its parent's client coordinates.
    Rect m_WindowRect;
    WindowHandle m_hParent; // a child's parent; a top-level window's owner
    int m_nId = 0;          // a child's id, unique among its siblings
    WindowProcedure m_pProcedure = nullptr;
    const Menu* m_pMenuBar = nullptr;
    intptr_t m_nCreateParam = 0; // lParam of kWmCreate
};

// A character about to reach a window as kWmChar: false drops it. Codes are
// CP932, a double-byte character as lead byte * 256 + trail byte.
using CharFilter = std::function<bool(WindowHandle window, uint32_t code)>;
// Text the input method commits to a window (CP932): true when the hook took
// it; otherwise each character reaches the window as kWmChar.
using ImeCommitHook = std::function<bool(WindowHandle window, std::string_view text)>;

// The frame part of a top-level window.
class NativeFrame
{
public:
    virtual ~NativeFrame() = default;
    virtual bool HasMenuBar() const = 0;
    virtual void SetMenuBar(const Menu* menu) = 0;
    // Shows the menu at the screen position; the item chosen arrives as
    // kWmCommand at the target (null: this frame's window).
    virtual void TrackPopupMenu(const Menu& menu, Point screen, WindowHandle target) = 0;
    // The window's tool bar and status bar, created on first use; null where the backend has none.
    virtual ToolBar* CreateToolBar() = 0;
    virtual StatusBar* CreateStatusBar() = 0;
    // The picture of the window in its caption and the desktop's task list; an invalid view takes it away.
    virtual void SetIcon(const PixelView& image) { (void)image; }
};

class NativeWindow
{
public:
    NativeWindow(WindowSystem& system, const WindowCreateParams& params);
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    // ---- kept by the core ----
    WindowSystem& System() const { return m_System; }
    WindowHandle Handle() const { return m_hHandle; }
    WindowHandle Parent() const { return m_hParent; }
    bool IsChild() const { return m_bChild; }
    int Id() const { return m_nId; }
    const std::string& ClassName() const { return m_strClass; }
    WindowProcedure Procedure() const { return m_pProcedure; }
    // True from the window's destruction until it is freed.
    bool IsDestroyed() const { return m_bDestroyed; }

    // One pointer of the program's own per window (the object behind a window, a hook object).
    void SetUserData(void* data) { m_pUserData = data; }
    void* UserData() const { return m_pUserData; }
    // Named pointers of the program's own, as many as it likes (a dialog's state, its keyboard hook).
    void SetProp(std::string_view name, void* value);
    void* GetProp(std::string_view name) const;
    void RemoveProp(std::string_view name);
    void SetCharFilter(CharFilter filter) { m_CharFilter = std::move(filter); }
    void SetImeCommitHook(ImeCommitHook hook) { m_ImeCommit = std::move(hook); }

    // The behaviour of a control window (ControlModel.h); null for a plain window.
    ControlModel* Control() const { return m_pControl.get(); }
    // The window's own horizontal (kSbHorz) or vertical (kSbVert) scroll bar.
    ScrollInfo& WindowBar(int bar) { return m_WindowBars[bar == kSbVert ? 1 : 0]; }

    // The text of the child with that id; the window keeps the text of an id without a child itself.
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);

    // Sends kWmDestroy to the window and its children and removes them (WindowSystem::DestroyWindow).
    void Destroy();
    // Makes this top-level window the active one (WindowSystem::SetActiveWindow).
    void Activate();

    // ---- the backend ----
    virtual void Show(bool show) = 0;
    virtual bool IsVisible() const = 0;
    // The title of a top-level window, the text of a control.
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view text) = 0;
    void SetTitle(std::string_view text) { SetText(text); }

    // A top-level window made small into the desktop's task bar, or back to
    // its place; it stays shown either way. A child is never minimised.
    virtual void SetMinimized(bool minimized) { (void)minimized; }
    virtual bool IsMinimized() const { return false; }

    // Style bits; a change may change the frame (and so the client size).
    virtual uint32_t Style() const = 0;
    virtual void SetStyle(uint32_t style) = 0;
    bool IsEnabled() const { return !(Style() & kWsDisabled); }
    void Enable(bool enable) { SetStyle(enable ? Style() & ~kWsDisabled : Style() | kWsDisabled); }

    // The whole window, frame included: screen coordinates, a child's in its
    // parent's client coordinates. Moving or sizing it sends kWmMove and kWmSize.
    virtual Rect WindowRect() const = 0;
    virtual void SetWindowRect(const Rect& rect) = 0;
    // The client area: (0, 0, width, height).
    virtual Rect ClientRect() const = 0;
    Point ClientToScreen(Point p) const;
    // The whole window in screen coordinates, a child's too.
    Rect ScreenRect() const;
    Point ScreenToClient(Point p) const;

    // Asks for a kWmPaint.
    virtual void Invalidate() = 0;
    // Draws the image at (x, y) of the client area; it stays there until drawn over.
    virtual void Present(const PixelView& image, int x, int y) = 0;

    // Sends kWmTimer with the id every interval milliseconds until killed.
    virtual void SetTimer(uint32_t id, uint32_t milliseconds) = 0;
    virtual void KillTimer(uint32_t id) = 0;

    // The frame part; null for a child.
    virtual NativeFrame* Frame() { return nullptr; }
    const NativeFrame* Frame() const { return const_cast<NativeWindow*>(this)->Frame(); }

    // What the window's class does with a message its procedure leaves to the
    // default: a control's model answers it (an edit takes kWmChar as typing).
    virtual intptr_t ClassDefault(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Whether an input-method composition is open in the window.
    virtual bool IsComposing() const { return false; }

    // The core changed the focus or the active window to this one: the native side follows.
    virtual void FollowFocus() {}
    virtual void FollowActivation() {}
    // The limits of the whole window's size that its procedure gives
    // (kWmGetMinMaxInfo): the native side keeps a window with a sizing frame
    // within them, whoever sizes it. A limit that leaves no client area is none.
    virtual void FollowTrackSizes(const MinMaxInfo&) {}
    // The window was destroyed: hide it and stop its timers (it is freed later).
    virtual void Retire() { Show(false); }

protected:
    FrameInsets Insets() const;
    // The client size that a whole window of that size leaves (0 where nothing is left).
    Point ClientSizeOf(int windowWidth, int windowHeight) const;
    // Makes the model of a control class; backends call it first in their constructor.
    void MakeControl(const WindowCreateParams& params);

private:
    friend class WindowSystem;

    WindowSystem& m_System;
    WindowHandle m_hHandle;
    WindowHandle m_hParent;
    bool m_bChild;
    int m_nId;
    std::string m_strClass;
    WindowProcedure m_pProcedure;
    bool m_bDestroyed = false;
    void* m_pUserData = nullptr;
    CharFilter m_CharFilter;
    ImeCommitHook m_ImeCommit;
    WindowHandle m_hLastFocus; // of a top-level window: the control focused when it was last active
    std::map<int, std::string> m_ItemTexts;
    std::map<std::string, void*, std::less<>> m_Props;
    std::unique_ptr<ControlModel> m_pControl;
    ScrollInfo m_WindowBars[2];
    Rect m_RestoreRect; // where a maximised window goes back to
};

} // namespace platform
