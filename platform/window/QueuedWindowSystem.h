#pragma once

// The parts that the dummy and the SDL backends share: a window model that
// keeps geometry, style, menus and bars itself, a thread-safe message queue,
// cross-thread sends and the message loop. A backend adds how its windows
// appear and how native events turn into messages.

#include "platform/window/NativeWindow.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace platform
{

class QueuedWindowSystem;

// A tool bar that keeps its buttons and tips; backends without a drawn tool bar use it as it is.
class ModelToolBar : public ToolBar
{
public:
    int AddStandardImages() override;
    int AddImages(const PixelView& strip, int count) override;
    void AddButton(const ToolButton& button) override;
    int ButtonCount() const override { return static_cast<int>(m_Buttons.size()); }
    Rect ButtonRect(int index) const override;
    void SetTip(int index, std::string_view text) override;
    std::string Tip(int index) const override;
    void OnOwnerSize(int width, int height) override;

    const std::vector<ToolButton>& Buttons() const { return m_Buttons; }
    int ImageCount() const { return m_nImages; }
    int Width() const { return m_nWidth; }

private:
    int Resolve(int index) const { return index < 0 ? ButtonCount() - 1 : index; }

    std::vector<ToolButton> m_Buttons;
    std::vector<std::string> m_Tips;
    int m_nImages = 0;
    int m_nWidth = 0;
};

class ModelStatusBar : public StatusBar
{
public:
    void Move(const Rect& rect) override { m_Placement = rect; }
    Rect Placement() const override { return m_Placement; }
    void SetText(std::string_view text) override { m_strText = text; }
    const std::string& Text() const { return m_strText; }

private:
    Rect m_Placement;
    std::string m_strText;
};

class ModelWindow : public NativeWindow
{
public:
    ModelWindow(QueuedWindowSystem& system, const WindowCreateParams& params);

    WindowSystem& System() override;
    WindowHandle Parent() const override { return m_hParent; }
    WindowProcedure Procedure() const override { return m_pProcedure; }
    void Show(bool show) override;
    bool IsVisible() const override { return m_bVisible; }
    void Enable(bool enable) override;
    bool IsEnabled() const override { return !(m_nStyle & kWsDisabled); }
    void SetTitle(std::string_view text) override;
    const std::string& Title() const { return m_strTitle; }
    uint32_t Style() const override { return m_nStyle; }
    void SetStyle(uint32_t style) override;
    bool HasMenuBar() const override { return m_bMenuBar; }
    void SetMenuBar(const Menu* menu) override;
    const Menu& MenuBar() const { return m_MenuBar; }
    Rect WindowRect() const override { return m_WindowRect; }
    void SetWindowRect(const Rect& rect) override;
    Rect ClientRect() const override;
    void Activate() override;
    void Invalidate() override;
    ToolBar* CreateToolBar() override;
    StatusBar* CreateStatusBar() override;
    std::string ItemText(int id) const override;
    void SetItemText(int id, std::string_view text) override { m_ItemTexts[id] = text; }
    void Destroy() override;

    // The client area as presented so far, 0x00RRGGBB per pixel (black where nothing was presented).
    uint32_t PresentedPixel(int x, int y) const;
    int PresentCount() const { return m_nPresents; }

    ModelToolBar* GetToolBar() { return m_ToolBar.get(); }
    ModelStatusBar* GetStatusBar() { return m_StatusBar.get(); }

protected:
    // Backend hooks: the model changed and the native window should follow.
    virtual void ApplyGeometry() {}
    virtual void ApplyVisibility() {}
    virtual void ApplyTitle() {}
    // Keeps the presented image in the window's picture (client size).
    void StorePicture(const PixelView& image, int x, int y);
    const std::vector<uint32_t>& Picture() const { return m_Picture; }

    QueuedWindowSystem& m_System;

private:
    // Sends kWmMove and kWmSize for what changed since the last report.
    void ReportGeometry(const Rect& oldWindow, const Rect& oldClient);

    WindowHandle m_hParent;
    WindowProcedure m_pProcedure;
    std::string m_strTitle;
    uint32_t m_nStyle;
    bool m_bVisible = false;
    bool m_bMenuBar = false;
    Menu m_MenuBar;
    Rect m_WindowRect;
    std::unique_ptr<ModelToolBar> m_ToolBar;
    std::unique_ptr<ModelStatusBar> m_StatusBar;
    std::map<int, std::string> m_ItemTexts;
    std::vector<uint32_t> m_Picture;
    int m_nPictureWidth = 0;
    int m_nPresents = 0;
};

class QueuedWindowSystem : public WindowSystem
{
public:
    QueuedWindowSystem();
    ~QueuedWindowSystem() override;

    bool IsWindow(WindowHandle window) const override;
    bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void PostQuit(int code) override;
    int RunMessageLoop(const std::function<bool()>& idle) override;
    void PumpMessages() override;
    WindowHandle ActiveWindow() override { return IsWindow(m_hActive) ? m_hActive : nullptr; }

    // Sends kWmDestroy to the window and its children and removes them.
    void DestroyWindowOf(ModelWindow* window);
    void SetActive(WindowHandle window) { m_hActive = window; }
    // True once a quit was posted and not yet returned by the loop.
    bool QuitPending() const;

protected:
    // Registers a window made by the backend, sends kWmCreate and kWmSize; null when the create handler refuses.
    WindowHandle AddWindow(std::unique_ptr<ModelWindow> window, const WindowCreateParams& params);
    intptr_t Dispatch(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Native events into messages; called by the loop before it looks at the queue.
    virtual void PollNativeEvents() {}
    // Blocks until a native event or a posted message may be there.
    virtual void WaitForEvents();
    // Wakes a thread blocked in WaitForEvents (called after every post).
    virtual void WakeUp();
    std::vector<ModelWindow*> Windows() const;

private:
    struct Queued
    {
        WindowHandle m_hWindow = nullptr;
        uint32_t m_nMessage = 0;
        uintptr_t m_wParam = 0;
        intptr_t m_lParam = 0;
        std::shared_ptr<std::promise<intptr_t>> m_Reply; // set for a send from another thread
    };

    bool TakeOne(Queued& out);
    void Handle(Queued& queued);
    void FreeDestroyed();

    mutable std::mutex m_Mutex;
    std::condition_variable m_Posted;
    std::deque<Queued> m_Queue;
    bool m_bQuit = false;
    int m_nQuitCode = 0;
    std::vector<std::unique_ptr<ModelWindow>> m_Windows;
    std::vector<std::unique_ptr<ModelWindow>> m_Destroyed;
    int m_nDispatchDepth = 0;
    std::atomic<std::thread::id> m_LoopThread; // read by senders on other threads
    WindowHandle m_hActive = nullptr;
};

} // namespace platform
