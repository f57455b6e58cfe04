#include "common/window/WindowBase.h"

#include "common/services/Log.h"

platform::WindowSystem* AppWindowSystem = nullptr;
std::atomic<int> AppActive{0};

WindowBase::WindowBase(WindowBase* centreOn, int centreOnClient)
    : m_pCentreOn(centreOn), m_bCentreOnClient(centreOnClient)
{
}

WindowBase::~WindowBase() = default;

void WindowBase::OnCommand(uintptr_t, intptr_t)
{
}

void WindowBase::OnMouseMove(uintptr_t, intptr_t)
{
}

void WindowBase::OnLButtonDown(uintptr_t, intptr_t)
{
}

void WindowBase::OnRButtonDown(uintptr_t, intptr_t)
{
}

void WindowBase::OnLButtonUp(uintptr_t, intptr_t)
{
}

void WindowBase::OnRButtonUp(uintptr_t, intptr_t)
{
}

intptr_t WindowBase::WindowProc(platform::WindowHandle, uint32_t, uintptr_t, intptr_t)
{
    return 0;
}

int WindowBase::OnMessage(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    // A window on its way out keeps no handle: its children hear of their end
    // after it, and what they send it then must not bring its handle back.
    platform::NativeWindow* target = platform::ResolveWindow(window);
    if (target && !target->IsDestroyed())
    {
        m_hWnd = window;
    }
    UpdateMouse(kMouseUpdateAll);
    switch (message)
    {
    case platform::kWmDestroy:
        m_hWnd = nullptr;
        m_pToolBar = nullptr;
        m_pStatusBar = nullptr;
        return 1;
    case platform::kWmMove:
        if (platform::NativeWindow* native = Native())
        {
            platform::Rect rect = native->WindowRect();
            m_nX = rect.m_nLeft;
            m_nY = rect.m_nTop;
        }
        return 1;
    case platform::kWmSize:
        UpdateLayout();
        if (m_pToolBar)
        {
            m_pToolBar->OnOwnerSize(m_Client.m_nWidth, m_Client.m_nHeight);
        }
        if (m_pStatusBar)
        {
            m_pStatusBar->Move({0, m_Client.m_nHeight - kStatusBarHeight, m_nUsableWidth, kStatusBarHeight});
        }
        return 1;
    case platform::kWmPaint:
        OnPaint();
        return 1;
    case platform::kWmActivateApp:
        AppActive = static_cast<int>(wParam);
        return 1;
    case platform::kWmGetMinMaxInfo:
        OnGetMinMaxInfo(reinterpret_cast<platform::MinMaxInfo*>(lParam));
        return 1;
    case platform::kWmCommand:
        OnCommand(wParam, lParam);
        return 1;
    case platform::kWmMouseMove:
        OnMouseMove(wParam, lParam);
        return 1;
    case platform::kWmLButtonDown:
        OnLButtonDown(wParam, lParam);
        return 1;
    case platform::kWmLButtonUp:
        OnLButtonUp(wParam, lParam);
        return 1;
    case platform::kWmRButtonDown:
        OnRButtonDown(wParam, lParam);
        return 1;
    case platform::kWmRButtonUp:
        OnRButtonUp(wParam, lParam);
        return 1;
    default:
        return 0;
    }
}

void WindowBase::Init(int resourceId, platform::WindowHandle parent, EditorApp* app)
{
    m_nResourceId = static_cast<uint16_t>(resourceId);
    m_hParent = parent;
    m_pApp = app;
    if (!m_pSystem)
    {
        platform::WindowSystem* parentSystem = platform::SystemOfWindow(parent);
        m_pSystem = parentSystem ? parentSystem : AppWindowSystem;
    }
}

platform::WindowSystem* WindowBase::System() const
{
    if (platform::WindowSystem* system = platform::SystemOfWindow(Handle()))
    {
        return system;
    }
    return m_pSystem ? m_pSystem : AppWindowSystem;
}

void WindowBase::SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth,
                           int maxHeight, uint32_t style, int menu, int toolbarRows, int statusKind, int layoutWord,
                           int scrollFlags)
{
    m_nStyle = style;
    m_bMenu = menu;
    m_nToolbarRows = toolbarRows;
    m_nStatusKind = statusKind;
    m_nLayoutWord = layoutWord;
    m_nScrollFlags = scrollFlags;
    platform::FrameMetrics metrics;
    if (platform::WindowSystem* system = System())
    {
        metrics = system->Metrics();
    }
    int toolbarHeight = toolbarRows * kToolBarRowHeight;
    int extraWidth = (scrollFlags & 2) ? metrics.m_nVScrollWidth : 0;
    int extraHeight = ((scrollFlags & 1) ? metrics.m_nHScrollHeight : 0) + toolbarHeight +
                      (statusKind == 1 || statusKind == 2 ? kStatusBarHeight : 0);
    m_MinClient = {minWidth + extraWidth, minHeight + extraHeight};
    m_MaxClient = {maxWidth + extraWidth, maxHeight + extraHeight};
    m_RequestedClient = {0, 0, clientWidth + extraWidth, clientHeight + extraHeight};
    m_Client = m_RequestedClient;
    RecalcFrame();
}

void WindowBase::RecalcFrame()
{
    platform::FrameMetrics metrics;
    if (platform::WindowSystem* system = System())
    {
        metrics = system->Metrics();
    }
    m_Frame = platform::ComputeFrameInsets(m_nStyle, m_bMenu != 0, metrics);
    m_WindowRect = {m_nX, m_nY, m_Client.m_nWidth + m_Frame.m_nLeft + m_Frame.m_nRight,
                    m_Client.m_nHeight + m_Frame.m_nTop + m_Frame.m_nBottom};
    int toolbarHeight = m_nToolbarRows * kToolBarRowHeight;
    m_nOriginX = 0;
    m_nOriginY = toolbarHeight;
    m_nUsableWidth = m_Client.m_nWidth;
    m_nUsableHeight = m_Client.m_nHeight - toolbarHeight;
    if (m_nScrollFlags & 1)
    {
        m_nUsableHeight -= metrics.m_nHScrollHeight;
    }
    if (m_nScrollFlags & 2)
    {
        m_nUsableWidth -= metrics.m_nVScrollWidth;
    }
    if (m_nStatusKind == 1)
    {
        m_nUsableHeight -= kStatusBarHeight;
    }
}

void WindowBase::UpdateLayout()
{
    if (platform::NativeWindow* native = Native())
    {
        m_nStyle = native->Style();
        m_Client = native->ClientRect();
    }
    RecalcFrame();
}

void WindowBase::MoveTo(int x, int y)
{
    if (platform::NativeWindow* native = Native())
    {
        native->SetWindowRect({x, y, m_WindowRect.m_nWidth, m_WindowRect.m_nHeight});
    }
    m_nX = x;
    m_nY = y;
    RecalcFrame();
}

void WindowBase::CenterOnDesktop()
{
    platform::WindowSystem* system = System();
    if (!system)
    {
        return;
    }
    platform::Rect window = m_WindowRect;
    if (platform::NativeWindow* native = Native())
    {
        window = native->WindowRect();
    }
    platform::Rect desktop = system->DesktopRect();
    MoveTo(desktop.m_nLeft + (desktop.m_nWidth - window.m_nWidth) / 2,
           desktop.m_nTop + (desktop.m_nHeight - window.m_nHeight) / 2);
}

void WindowBase::SetClientSize(int width, int height)
{
    if (platform::NativeWindow* native = Native())
    {
        platform::Rect rect = native->WindowRect();
        m_nX = rect.m_nLeft;
        m_nY = rect.m_nTop;
    }
    SetClientRect(m_nX, m_nY, width, height);
}

void WindowBase::SetClientRect(int x, int y, int width, int height)
{
    m_nX = x;
    m_nY = y;
    m_Client = {0, 0, width, height};
    RecalcFrame();
    if (platform::NativeWindow* native = Native())
    {
        native->SetWindowRect(m_WindowRect);
    }
    RecalcFrame();
}

void WindowBase::PlaceWindow()
{
    if (!m_pCentreOn)
    {
        if (m_nInitialX != kUnsetPosition && m_nInitialY != kUnsetPosition)
        {
            MoveTo(m_nInitialX, m_nInitialY);
        }
        return;
    }
    platform::Rect other = m_pCentreOn->m_WindowRect;
    if (platform::NativeWindow* native = m_pCentreOn->Native())
    {
        // On the screen, also when the window to centre on is a control inside a dialog.
        other = native->ScreenRect();
    }
    int x = other.m_nLeft;
    int y = other.m_nTop;
    if (m_bCentreOnClient)
    {
        x += m_pCentreOn->m_Client.m_nWidth / 2 - m_Client.m_nWidth / 2;
        y += m_pCentreOn->m_Client.m_nHeight / 2 - m_Client.m_nHeight / 2;
    }
    if (platform::WindowSystem* system = System())
    {
        int desktopRight = system->DesktopRect().Right();
        if (x + m_WindowRect.m_nWidth > desktopRight)
        {
            x = desktopRight - m_WindowRect.m_nWidth;
        }
    }
    MoveTo(x, y);
}

void WindowBase::GetWindowPos(int& x, int& y) const
{
    x = m_nX;
    y = m_nY;
}

void WindowBase::GetClientRect(platform::Rect& rect) const
{
    if (platform::NativeWindow* native = Native())
    {
        rect = native->ClientRect();
    }
}

void WindowBase::AddStyle(uint32_t bits)
{
    m_nStyle |= bits;
    if (platform::NativeWindow* native = Native())
    {
        native->SetStyle(native->Style() | bits);
    }
    UpdateLayout();
}

void WindowBase::RemoveStyle(uint32_t bits)
{
    m_nStyle &= ~bits;
    if (platform::NativeWindow* native = Native())
    {
        native->SetStyle(native->Style() & ~bits);
    }
    UpdateLayout();
}

void WindowBase::Show(int show)
{
    if (platform::NativeWindow* native = Native())
    {
        native->Show(show != 0);
    }
}

void WindowBase::Enable(int enable)
{
    if (enable)
    {
        RemoveStyle(platform::kWsDisabled);
    }
    else
    {
        AddStyle(platform::kWsDisabled);
    }
}

void WindowBase::OnGetMinMaxInfo(platform::MinMaxInfo* info) const
{
    if (!info)
    {
        return;
    }
    int frameWidth = m_Frame.m_nLeft + m_Frame.m_nRight;
    int frameHeight = m_Frame.m_nTop + m_Frame.m_nBottom;
    info->m_nMinTrackWidth = m_MinClient.m_nX + frameWidth;
    info->m_nMinTrackHeight = m_MinClient.m_nY + frameHeight;
    info->m_nMaxTrackWidth = m_MaxClient.m_nX + frameWidth;
    info->m_nMaxTrackHeight = m_MaxClient.m_nY + frameHeight;
}

void WindowBase::SetMaxClientSize(int width, int height)
{
    m_MaxClient = {width, height};
    if (platform::WindowSystem* system = System(); system && Handle())
    {
        system->FollowTrackSizes(Handle());
    }
}

int WindowBase::UpdateMouse(int mask)
{
    platform::WindowSystem* system = System();
    platform::NativeWindow* native = Native();
    if (!native || !system)
    {
        return 0;
    }
    platform::Point screen;
    if (!system->GetCursorPos(screen))
    {
        WriteErrorLogF("GetCursorPos失敗！");
        return 0;
    }
    platform::Point client = native->ScreenToClient(screen);
    int x = client.m_nX - m_nOriginX;
    int y = client.m_nY - m_nOriginY;
    if (x < 0 || y < 0 || x >= m_nUsableWidth || y >= m_nUsableHeight)
    {
        return 0;
    }
    m_Mouse.m_nX = x;
    m_Mouse.m_nY = y;
    platform::Rect window = native->WindowRect();
    m_nPopupX = window.m_nLeft + x;
    m_nPopupY = window.m_nTop + m_Frame.m_nTop + m_nToolbarRows * kToolBarRowHeight + y;
    m_Mouse.Update(mask, *system);
    return 1;
}

bool WindowBase::IsRightClick()
{
    if (m_Mouse.m_bLeftHeld || !m_Mouse.m_bRightReleased)
    {
        return false;
    }
    return IsActive();
}

bool WindowBase::IsActive() const
{
    platform::WindowSystem* system = System();
    if (!system)
    {
        return false;
    }
    platform::WindowHandle active = system->ActiveWindow();
    if (m_nKind == kWindowSheetPage)
    {
        return active && active == m_hSheet && IsCurrentSheetPage();
    }
    return active && active == Handle();
}

void WindowBase::TrackPopup(const platform::Menu& menu)
{
    platform::NativeWindow* native = Native();
    if (!native)
    {
        return;
    }
    if (platform::NativeFrame* frame = native->Frame())
    {
        frame->TrackPopupMenu(menu, {m_nPopupX, m_nPopupY}, nullptr);
        return;
    }
    // A window inside another (a page of a sheet): the top-level window shows
    // the menu at the pointer, and the item chosen comes to this window.
    platform::WindowSystem& system = native->System();
    platform::NativeWindow* top = system.Resolve(system.TopLevelOf(Handle()));
    platform::Point cursor;
    if (top && top->Frame() && system.GetCursorPos(cursor))
    {
        top->Frame()->TrackPopupMenu(menu, cursor, Handle());
    }
}

bool WindowBase::CanHandleNotify(uintptr_t wParam) const
{
    return m_nUpdateSource == 0 || wParam == static_cast<uintptr_t>(m_nUpdateSource);
}

void WindowBase::AddAccelerators(platform::WindowHandle window, int tableId)
{
    m_Accelerators.push_back({FindAcceleratorTable(tableId), window});
}

platform::ToolBar* WindowBase::EnsureToolBar()
{
    platform::NativeWindow* native = Native();
    platform::NativeFrame* frame = native ? native->Frame() : nullptr;
    if (!m_pToolBar && frame)
    {
        m_pToolBar = frame->CreateToolBar();
    }
    return m_pToolBar;
}

void WindowBase::AddStdToolbarButtons(const ToolbarButtonEntry* buttons, int count)
{
    platform::ToolBar* toolBar = EnsureToolBar();
    if (!toolBar)
    {
        return;
    }
    int first = toolBar->AddStandardImages();
    for (int i = 0; i < count; ++i)
    {
        platform::ToolButton button = buttons[i].m_Button;
        if (!(button.m_nStyle & platform::ToolButton::kStyleSeparator))
        {
            button.m_nImage += first;
        }
        toolBar->AddButton(button);
        AddToolbarTip(buttons[i], -1);
    }
}

int WindowBase::AddToolbarButtons(const ToolbarButtonEntry* buttons, int count, std::string_view bitmapFile)
{
    platform::ToolBar* toolBar = EnsureToolBar();
    if (!toolBar)
    {
        return 0;
    }
    // A strip that cannot be read leaves the buttons without pictures; they still give their commands.
    DibBitmap strip;
    int loaded = strip.LoadAsRgb(bitmapFile);
    int first = toolBar->AddImages(loaded ? strip.View() : platform::PixelView{}, count);
    for (int i = 0; i < count; ++i)
    {
        platform::ToolButton button = buttons[i].m_Button;
        button.m_nImage += first;
        toolBar->AddButton(button);
        AddToolbarTip(buttons[i], -1);
    }
    return loaded;
}

void WindowBase::AddToolbarTip(const ToolbarButtonEntry& button, int index)
{
    if (platform::ToolBar* toolBar = EnsureToolBar())
    {
        toolBar->SetTip(index, button.m_pszTip ? button.m_pszTip : "");
    }
}

platform::StatusBar* WindowBase::CreateStatusBar()
{
    platform::NativeWindow* native = Native();
    platform::NativeFrame* frame = native ? native->Frame() : nullptr;
    if (!m_pStatusBar && frame)
    {
        m_pStatusBar = frame->CreateStatusBar();
        if (m_pStatusBar)
        {
            m_pStatusBar->Move({0, m_Client.m_nHeight - kStatusBarHeight, m_nUsableWidth, kStatusBarHeight});
        }
    }
    return m_pStatusBar;
}

void WindowBase::PresentBackBuffer()
{
    m_Front.Blt(m_nOriginX, m_nOriginY, m_Back.Width(), m_Back.Height(), m_Back, 0, 0, 1);
}

void WindowBase::ShowFront()
{
    platform::NativeWindow* native = Native();
    if (native && m_Front.IsCreated())
    {
        native->Present(m_Front.View(), 0, 0);
    }
}

// ---- FrameWindow ----

void FrameWindow::OnCreate(uintptr_t, intptr_t)
{
}

int FrameWindow::OnMessage(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    int result = WindowBase::OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmCreate)
    {
        OnCreate(wParam, lParam);
    }
    return result;
}

void FrameWindow::Init(int resourceId, platform::WindowHandle parent, EditorApp* app,
                       platform::WindowProcedure procedure)
{
    WindowBase::Init(resourceId, parent, app);
    m_pProcedure = procedure;
}

int FrameWindow::Create(std::string_view title, int x, int y, const platform::Menu* menuBar,
                        std::string_view className)
{
    platform::WindowSystem* system = System();
    if (!system || !m_pProcedure)
    {
        return 0;
    }
    platform::WindowCreateParams params;
    params.m_strTitle = title;
    params.m_strClass = className;
    params.m_nStyle = m_nStyle;
    params.m_WindowRect = {x, y, m_WindowRect.m_nWidth, m_WindowRect.m_nHeight};
    params.m_hParent = m_hParent;
    params.m_pProcedure = m_pProcedure;
    params.m_pMenuBar = menuBar;
    m_nX = x;
    m_nY = y;
    return system->CreateWindow(params) ? 1 : 0;
}
