#pragma once

// The window core of both programs. A WindowBase owns its native window's
// handle, computes the window's frame from its style and a requested client
// size (tool-bar rows, status bar, scroll bars, menu), dispatches messages to
// overridable handlers, tracks the mouse in client coordinates, keeps the
// window's accelerator bindings and holds a front and a back bitmap for
// flicker-free painting. Each concrete class registers one static procedure
// that forwards to the WindowProc of its single live instance.

#include "common/graphics/DibBitmap.h"
#include "common/window/Accelerators.h"
#include "common/window/MouseButtons.h"
#include "platform/window/NativeWindow.h"
#include "platform/window/WindowSystem.h"

#include <atomic>
#include <vector>

class EditorApp;

// The window system windows are made in when nothing else is named: set by
// each program's entry before it creates a window.
extern platform::WindowSystem* AppWindowSystem;
// Non-zero while the program is the active application (the last kWmActivateApp).
// Written by the window's thread, read by the game's frame thread too.
extern std::atomic<int> AppActive;

enum : int
{
    kWindowPlain = 0,
    kWindowDialog = 1,
    kWindowSheetPage = 2,
};

constexpr int kToolBarRowHeight = 28;
constexpr int kStatusBarHeight = 20;
constexpr int kUnsetPosition = -1000;

// A tool-bar button and its tip.
struct ToolbarButtonEntry
{
    platform::ToolButton m_Button;
    const char* m_pszTip = nullptr;
};

struct AcceleratorBinding
{
    const AcceleratorTable* m_pTable = nullptr;
    platform::WindowHandle m_hWindow = nullptr;
};

class WindowBase
{
public:
    explicit WindowBase(WindowBase* centreOn = nullptr, int centreOnClient = 0);
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    virtual void OnIdle() {}
    // True while the window has work for every idle step (an animation): the
    // editor's loop then polls on instead of waiting for the next message.
    virtual bool WantsIdle() const { return false; }
    virtual void OnCommand(uintptr_t wParam, intptr_t lParam);
    virtual void OnMouseMove(uintptr_t wParam, intptr_t lParam);
    virtual void OnLButtonDown(uintptr_t wParam, intptr_t lParam);
    virtual void OnRButtonDown(uintptr_t wParam, intptr_t lParam);
    virtual void OnLButtonUp(uintptr_t wParam, intptr_t lParam);
    virtual void OnRButtonUp(uintptr_t wParam, intptr_t lParam);
    virtual intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // 1 when the message was handled, else 0.
    virtual int OnMessage(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    virtual void OnPaint() {}

    // Stores the resource id, the parent and the owner; the window system is the parent's, else AppWindowSystem.
    void Init(int resourceId, platform::WindowHandle parent, EditorApp* app);
    void SetWindowSystem(platform::WindowSystem* system) { m_pSystem = system; }
    platform::WindowSystem* System() const;

    void SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                   uint32_t style, int menu, int toolbarRows, int statusKind, int layoutWord, int scrollFlags);
    void RecalcFrame();
    void UpdateLayout();
    void MoveTo(int x, int y);
    // Moves the window to the middle of the desktop's work area.
    void CenterOnDesktop();
    void SetClientSize(int width, int height);
    void SetClientRect(int x, int y, int width, int height);
    void PlaceWindow();
    void GetWindowPos(int& x, int& y) const;
    void GetClientRect(platform::Rect& rect) const;
    void AddStyle(uint32_t bits);
    void RemoveStyle(uint32_t bits);
    void Show(int show);
    void Enable(int enable);
    void OnGetMinMaxInfo(platform::MinMaxInfo* info) const;
    // Changes the largest client size; the window's sizing frame keeps to it from now on.
    void SetMaxClientSize(int width, int height);
    // Reads the pointer; 1 when it lies in the usable client area and the state was updated.
    int UpdateMouse(int mask);
    // The right button just released, the left one not held, while this window is the active one.
    bool IsRightClick();
    // This window is the active one; a page of a property sheet is while its sheet is and it is the sheet's current page.
    bool IsActive() const;
    // Opens the pop-up menu at the pointer; the item chosen comes to this window as kWmCommand, also
    // from a window inside another (a page of a property sheet), whose top-level window shows the menu.
    void TrackPopup(const platform::Menu& menu);

    void BeginUpdate(int id) { m_nUpdateSource = id; }
    void EndUpdate() { m_nUpdateSource = 0; }
    bool CanHandleNotify(uintptr_t wParam) const;

    void AddAccelerators(platform::WindowHandle window, int tableId);
    const std::vector<AcceleratorBinding>& Accelerators() const { return m_Accelerators; }

    void AddStdToolbarButtons(const ToolbarButtonEntry* buttons, int count);
    // Adds the buttons with their pictures cut from the bitmap file; 0 when it cannot be read (the buttons come
    // without pictures then).
    int AddToolbarButtons(const ToolbarButtonEntry* buttons, int count, std::string_view bitmapFile);
    void AddToolbarTip(const ToolbarButtonEntry& button, int index);
    // The window's status bar (created on first use); null without a window.
    platform::StatusBar* CreateStatusBar();

    // Copies the back bitmap onto the front bitmap at the client-area origin.
    void PresentBackBuffer();
    // Shows the front bitmap in the window.
    void ShowFront();

    // The window's handle; any thread may read it (the game's threads post to it).
    platform::WindowHandle Handle() const { return m_hWnd.load(); }
    // The native window behind the handle; null without a live window. The window's thread only.
    platform::NativeWindow* Native() const { return platform::ResolveWindow(Handle()); }
    int Kind() const { return m_nKind; }
    void SetKind(int kind) { m_nKind = kind; }
    void SetSheetWindow(platform::WindowHandle sheet) { m_hSheet = sheet; }
    // A sheet page's sheet window; null for other windows.
    platform::WindowHandle SheetWindow() const { return m_hSheet; }
    int ResourceId() const { return m_nResourceId; }
    platform::WindowHandle ParentWindow() const { return m_hParent; }
    EditorApp* Owner() const { return m_pApp; }
    void SetInitialPosition(int x, int y) { m_nInitialX = x; m_nInitialY = y; }

    int OriginX() const { return m_nOriginX; }
    int OriginY() const { return m_nOriginY; }
    int UsableWidth() const { return m_nUsableWidth; }
    int UsableHeight() const { return m_nUsableHeight; }
    const MouseButtons& Mouse() const { return m_Mouse; }
    platform::Point PopupPosition() const { return {m_nPopupX, m_nPopupY}; }
    const platform::Rect& ClientRectangle() const { return m_Client; }
    const platform::Rect& RequestedClientRectangle() const { return m_RequestedClient; }
    const platform::Rect& WindowRectangle() const { return m_WindowRect; }
    platform::Point MinClientSize() const { return m_MinClient; }
    platform::Point MaxClientSize() const { return m_MaxClient; }
    const platform::FrameInsets& Frame() const { return m_Frame; }
    uint32_t Style() const { return m_nStyle; }
    platform::ToolBar* GetToolBar() const { return m_pToolBar; }
    platform::StatusBar* GetStatusBar() const { return m_pStatusBar; }

protected:
    // For a sheet page: whether it is its sheet's current page (the dialog layer knows).
    virtual bool IsCurrentSheetPage() const { return true; }
    platform::ToolBar* EnsureToolBar();

    int m_nKind = kWindowPlain;
    std::atomic<platform::WindowHandle> m_hWnd{};
    platform::WindowSystem* m_pSystem = nullptr;
    uint16_t m_nResourceId = 0;
    platform::WindowHandle m_hParent;
    platform::WindowHandle m_hSheet;
    platform::WindowProcedure m_pProcedure = nullptr;
    EditorApp* m_pApp = nullptr;

public:
    // The window's own drawing surface and the off-screen buffer drawn into first.
    DibBitmap m_Front;
    DibBitmap m_Back;

protected:
    int m_nX = 0;
    int m_nY = 0;
    int m_nOriginX = 0;
    int m_nOriginY = 0;
    int m_nUsableWidth = 0;
    int m_nUsableHeight = 0;
    MouseButtons m_Mouse;
    int m_nPopupX = 0;
    int m_nPopupY = 0;
    platform::Rect m_RequestedClient;
    platform::Rect m_Client;
    platform::Point m_MinClient;
    platform::Point m_MaxClient;
    platform::Rect m_WindowRect;
    uint32_t m_nStyle = 0;
    int m_bMenu = 0;
    int m_nToolbarRows = 0;
    int m_nStatusKind = 0;
    int m_nLayoutWord = 0;
    int m_nScrollFlags = 0;
    platform::ToolBar* m_pToolBar = nullptr;
    platform::StatusBar* m_pStatusBar = nullptr;
    platform::FrameInsets m_Frame;
    std::vector<AcceleratorBinding> m_Accelerators;
    int m_nUpdateSource = 0;
    int m_nInitialX = kUnsetPosition;
    int m_nInitialY = kUnsetPosition;
    WindowBase* m_pCentreOn = nullptr;
    int m_bCentreOnClient = 0;
};

// A window created from its class's procedure; adds OnCreate on kWmCreate.
class FrameWindow : public WindowBase
{
public:
    using WindowBase::WindowBase;

    virtual void OnCreate(uintptr_t wParam, intptr_t lParam);
    int OnMessage(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Stores the resource id, the parent, the owner and the class's procedure.
    void Init(int resourceId, platform::WindowHandle parent, EditorApp* app, platform::WindowProcedure procedure);
    // Creates the native window at (x, y) with the size SetLayout computed, of
    // the window class named (a plain window when empty). 1, or 0 when it cannot be made.
    int Create(std::string_view title, int x, int y, const platform::Menu* menuBar = nullptr,
               std::string_view className = {});
};
