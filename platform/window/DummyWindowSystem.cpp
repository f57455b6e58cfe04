#include "platform/window/DummyWindowSystem.h"

namespace platform
{

void DummyWindow::Present(const PixelView& image, int x, int y)
{
    StorePicture(image, x, y);
}

void DummyWindow::TrackPopupMenu(const Menu& menu, Point screen, WindowHandle target)
{
    m_LastPopup = menu;
    m_LastPopupAt = screen;
    int choice = static_cast<DummyWindowSystem&>(System()).PopupChoice();
    if (choice != 0)
    {
        System().PostMessage(target ? target : Handle(), kWmCommand, MakeWParam(choice, 0), 0);
    }
}

DummyWindowSystem::DummyWindowSystem() = default;

DummyWindowSystem::~DummyWindowSystem()
{
    Shutdown();
}

std::unique_ptr<NativeWindow> DummyWindowSystem::MakeWindow(const WindowCreateParams& params)
{
    return std::make_unique<DummyWindow>(*this, params);
}

void DummyWindowSystem::FeedKey(uint32_t key, intptr_t modifiers, uint32_t character)
{
    {
        std::lock_guard lock(m_InputMutex);
        m_Input.push_back({key, modifiers, character});
    }
    WakeLoop();
}

void DummyWindowSystem::PollNativeEvents()
{
    WakeConsumed();
    for (;;)
    {
        FedKey fed;
        {
            std::lock_guard lock(m_InputMutex);
            if (m_Input.empty())
            {
                return;
            }
            fed = m_Input.front();
            m_Input.pop_front();
        }
        if (!RouteKey(nullptr, kWmKeyDown, fed.m_nKey, fed.m_nModifiers) && fed.m_nCharacter != 0)
        {
            if (WindowHandle focus = Focus())
            {
                RouteChar(focus, fed.m_nCharacter);
            }
        }
        RouteKey(nullptr, kWmKeyUp, fed.m_nKey, fed.m_nModifiers);
    }
}

bool DummyWindowSystem::GetCursorPos(Point& screen)
{
    if (m_bCursorFails)
    {
        return false;
    }
    screen = m_Cursor;
    return true;
}

FrameMetrics DummyWindowSystem::NativeMetrics() const
{
    FrameMetrics m;
    m.m_nCaptionHeight = 19;
    m.m_nSizeFrameWidth = 4;
    m.m_nSizeFrameHeight = 4;
    m.m_nDialogFrameWidth = 3;
    m.m_nDialogFrameHeight = 3;
    m.m_nMenuBarHeight = 19;
    m.m_nHScrollHeight = 16;
    m.m_nVScrollWidth = 16;
    return m;
}

} // namespace platform
