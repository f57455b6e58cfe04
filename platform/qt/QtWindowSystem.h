#pragma once

// The editor's window backend on Qt 6 Widgets. A window is a top-level widget
// holding an optional menu bar and the client area; tool bar and status bar
// are children of the client area. A QApplication must exist.

#include "platform/window/NativeWindow.h"

#include <QImage>
#include <QWidget>
#include <atomic>
#include <map>
#include <memory>
#include <thread>

class QMenuBar;

namespace platform
{

class QtWindowSystem;
class QtToolBar;
class QtStatusBar;
class QtClientArea;

class QtWindow : public NativeWindow
{
public:
    QtWindow(QtWindowSystem& system, const WindowCreateParams& params);
    ~QtWindow() override;

    WindowSystem& System() override;
    WindowHandle Parent() const override { return m_hParent; }
    WindowProcedure Procedure() const override { return m_pProcedure; }
    void Show(bool show) override;
    bool IsVisible() const override;
    void Enable(bool enable) override;
    bool IsEnabled() const override { return !(m_nStyle & kWsDisabled); }
    void SetTitle(std::string_view text) override;
    uint32_t Style() const override { return m_nStyle; }
    void SetStyle(uint32_t style) override;
    bool HasMenuBar() const override { return m_pMenuBar != nullptr; }
    void SetMenuBar(const Menu* menu) override;
    Rect WindowRect() const override;
    void SetWindowRect(const Rect& rect) override;
    Rect ClientRect() const override;
    void Activate() override;
    void Invalidate() override;
    void Present(const PixelView& image, int x, int y) override;
    void SetTimer(uint32_t id, uint32_t milliseconds) override;
    void KillTimer(uint32_t id) override;
    void TrackPopupMenu(const Menu& menu, Point screen) override;
    ToolBar* CreateToolBar() override;
    StatusBar* CreateStatusBar() override;
    std::string ItemText(int id) const override;
    void SetItemText(int id, std::string_view text) override;
    void Destroy() override;

    QWidget* TopLevel() const { return m_pTop.get(); }
    QWidget* ClientWidget() const;
    // The picture presented so far (client size).
    const QImage& Picture() const { return m_Picture; }

private:
    friend class QtClientArea;
    friend class QtTopLevel;
    friend class QtWindowSystem;

    void PlaceTopLevel(const Rect& client);
    void PaintClient(QPainter& painter);
    void ReportGeometry();
    QWidget* FindItem(int id) const;

    QtWindowSystem& m_System;
    WindowHandle m_hParent;
    WindowProcedure m_pProcedure;
    uint32_t m_nStyle;
    std::unique_ptr<QWidget> m_pTop;
    QtClientArea* m_pClient = nullptr;
    QMenuBar* m_pMenuBar = nullptr;
    std::unique_ptr<QtToolBar> m_ToolBar;
    std::unique_ptr<QtStatusBar> m_StatusBar;
    QImage m_Picture;
    bool m_bPainting = false;
    bool m_bDestroyed = false;
    Rect m_LastReported{-1, -1, -1, -1};
    Point m_Origin; // the client area's top-left corner on the screen
    std::map<uint32_t, int> m_Timers; // our id -> Qt timer id
    std::map<int, std::string> m_ItemTexts;
};

class QtWindowSystem : public WindowSystem
{
public:
    QtWindowSystem();
    ~QtWindowSystem() override;

    WindowHandle CreateWindow(const WindowCreateParams& params) override;
    bool IsWindow(WindowHandle window) const override;
    bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void PostQuit(int code) override;
    int RunMessageLoop(const std::function<bool()>& idle) override;
    void PumpMessages() override;
    bool GetCursorPos(Point& screen) override;
    bool IsMouseButtonDown(int button) override;
    WindowHandle ActiveWindow() override;

    // Runs the window's procedure now (the Qt event handlers deliver through it).
    intptr_t Dispatch(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // A posted message from the queue: the filter sees it first.
    void DeliverPosted(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void NoteMouse(Point screen, bool left, bool right);
    void Forget(QtWindow* window);
    int StartTimer(uint32_t milliseconds);
    void StopTimer(int qtId);
    void OnTimer(int qtId);
    QtWindow* FromWidget(const QWidget* widget) const;

protected:
    FrameMetrics NativeMetrics() const override;
    Rect NativeDesktopRect() const override;

private:
    class Poster;
    // Frees the windows destroyed so far once no dispatch is running (their widgets may be in their handlers).
    void FreeDestroyed();
    std::unique_ptr<QObject> m_pPoster;
    std::vector<std::unique_ptr<QtWindow>> m_Windows;
    std::vector<std::unique_ptr<QtWindow>> m_Destroyed;
    int m_nDepth = 0;
    std::atomic<bool> m_bQuit{false};
    std::atomic<int> m_nQuitCode{0};
    bool m_bMouseKnown = false;
    Point m_Cursor;
    bool m_bButtons[2] = {false, false};
    std::thread::id m_GuiThread;
};

} // namespace platform
