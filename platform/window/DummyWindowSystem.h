#pragma once

// The window backend of tests: windows exist only as their model, the pointer
// and the buttons are where a test puts them, pop-up menus answer with a
// scripted command and timers fire when a test says so. Keys are fed as
// native input, from any thread. Frame metrics and the desktop are fixed,
// plain numbers.

#include "platform/window/ModelWindow.h"
#include "platform/window/WindowSystem.h"

#include <deque>
#include <map>
#include <mutex>
#include <optional>

namespace platform
{

class DummyWindow : public ModelWindow
{
public:
    using ModelWindow::ModelWindow;

    void Present(const PixelView& image, int x, int y) override;
    void SetTimer(uint32_t id, uint32_t milliseconds) override { m_Timers[id] = milliseconds; }
    void KillTimer(uint32_t id) override { m_Timers.erase(id); }
    void TrackPopupMenu(const Menu& menu, Point screen, WindowHandle target) override;

    const std::map<uint32_t, uint32_t>& Timers() const { return m_Timers; }
    const Menu* LastPopupMenu() const { return m_LastPopup ? &*m_LastPopup : nullptr; }
    Point LastPopupPosition() const { return m_LastPopupAt; }

private:
    std::map<uint32_t, uint32_t> m_Timers;
    std::optional<Menu> m_LastPopup;
    Point m_LastPopupAt;
};

class DummyWindowSystem : public WindowSystem
{
public:
    DummyWindowSystem();
    ~DummyWindowSystem() override;

    bool GetCursorPos(Point& screen) override;
    bool IsMouseButtonDown(int button) override { return button >= 0 && button < 2 && m_bButtons[button]; }

    void SetCursorPos(Point screen) { m_Cursor = screen; }
    void SetCursorReadFails(bool fails) { m_bCursorFails = fails; }
    void SetMouseButton(int button, bool down) { m_bButtons[button] = down; }
    // The command the next pop-up menus answer with (0: dismissed).
    void SetPopupChoice(int command) { m_nPopupChoice = command; }
    int PopupChoice() const { return m_nPopupChoice; }
    // Posts kWmTimer for the window's timer, as its interval would.
    void FireTimer(WindowHandle window, uint32_t id) { PostMessage(window, kWmTimer, id, 0); }
    // A key pressed and released at the keyboard (any thread): it reaches the
    // focused window when the loop next polls, and types the character unless
    // the key was consumed (0: a key without one).
    void FeedKey(uint32_t key, intptr_t modifiers, uint32_t character = 0);

protected:
    std::unique_ptr<NativeWindow> MakeWindow(const WindowCreateParams& params) override;
    FrameMetrics NativeMetrics() const override;
    Rect NativeDesktopRect() const override { return {0, 0, 1024, 768}; }
    void PollNativeEvents() override;

private:
    struct FedKey
    {
        uint32_t m_nKey = 0;
        intptr_t m_nModifiers = 0;
        uint32_t m_nCharacter = 0;
    };

    Point m_Cursor;
    bool m_bCursorFails = false;
    bool m_bButtons[2] = {false, false};
    int m_nPopupChoice = 0;
    std::mutex m_InputMutex;
    std::deque<FedKey> m_Input;
};

} // namespace platform
