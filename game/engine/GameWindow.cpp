#include "game/engine/GameWindow.h"

#include "common/services/Log.h"
#include "common/sound/BgmManager.h"
#include "game/engine/GameDialogs.h"
#include "game/engine/MusicRequests.h"
#include "game/engine/TestPlay.h"
#include "game/engine/Thread.h"

GameMainWindow GameWindow;

namespace
{
// Where the window is made before it is centred.
constexpr int kInitialX = 100;
constexpr int kInitialY = 100;
} // namespace

intptr_t MainWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return GameWindow.WindowProc(window, message, wParam, lParam);
}

platform::WindowHandle MainWindowHandle()
{
    return GameWindow.Handle();
}

bool GameMainWindow::Create(platform::WindowSystem& system)
{
    SetWindowSystem(&system);
    Init(0, nullptr, nullptr, MainWindowProc);
    WriteErrorLog("E");
    SetLayout(kGameScreenWidth, kGameScreenHeight, 100, 100, kGameScreenWidth, kGameScreenHeight, kGameWindowStyle, 0,
              0, 0, 0, 0);
    WriteErrorLog("F");
    if (!FrameWindow::Create("", kInitialX, kInitialY))
    {
        return false;
    }
    CenterOnDesktop();
    return true;
}

intptr_t GameMainWindow::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    platform::OnKeyMessage(m_Keys, message, wParam);
    switch (message)
    {
    case platform::kWmCreate:
    case platform::kWmMove:
    case platform::kWmSize:
    case platform::kWmActivateApp:
    case platform::kWmGetMinMaxInfo:
        OnMessage(window, message, wParam, lParam);
        return 0;
    case platform::kWmDestroy:
        OnMessage(window, message, wParam, lParam);
        OnDestroy();
        return 0;
    case platform::kWmKeyUp:
    case platform::kWmPaint:
    case platform::kWmCommand:
    case platform::kWmMouseMove:
    case platform::kWmLButtonDown:
    case platform::kWmRButtonDown:
        return 0;
    case platform::kWmClose:
    case kWmCloseAtOnce:
        if (message == kWmCloseAtOnce)
        {
            GameBoxes.BeginShutdown();
        }
        else if (!GameBoxes.BeginClose())
        {
            return 0; // after the boxes
        }
        if (platform::WindowSystem* system = platform::SystemOfWindow(window))
        {
            system->DestroyWindow(window);
        }
        return 0;
    case platform::kWmKeyDown:
        if (m_KeyHandler)
        {
            m_KeyHandler(wParam);
        }
        else if (wParam == platform::kVkEscape)
        {
            platform::PostWindowMessage(window, platform::kWmClose, 0, 0);
        }
        return 0;
    case kWmPlayMusic:
        ServeMusicRequests();
        return 0;
    case kWmShowBox:
        GameBoxes.ServeBoxes();
        return 0;
    case kWmShowFrame:
        if (m_FrameHandler)
        {
            m_FrameHandler();
        }
        return 0;
    default:
        return platform::DefWindowProc(window, message, wParam, lParam);
    }
}

void GameMainWindow::OnDestroy()
{
    WriteErrorLog("WM_DESTROY");
    GameBoxes.BeginShutdown();
    Bgm.Stop();
    WriteErrorLog("Bgm.Stop()");
    thEvent.Close();
    WriteErrorLog("thEvent.Exit()");
    thGame.Close();
    WriteErrorLog("thGame.Exit()");
    DropMusicRequests();
    SendDataToEditor_End(1);
    WriteErrorLog("SendDataToEditor_End(TRUE);");
    m_FrameHandler = nullptr;
    if (platform::WindowSystem* system = System())
    {
        system->PostQuit(0);
    }
}
