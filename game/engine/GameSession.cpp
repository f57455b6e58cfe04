#include "game/engine/GameSession.h"

#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "game/engine/GameDialogs.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MusicRequests.h"
#include "game/engine/TestPlay.h"
#include "game/engine/Thread.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/TestPlayLink.h"

GameSession::~GameSession()
{
    Close();
}

bool GameSession::Open(platform::WindowSystem& system, int showState, bool takeInstanceLock)
{
    Close();
    m_pSystem = &system;
    m_bOpen = true;
    bool testPlay = showState == platform::kShowStateTestPlay;
    BeginTestPlayReports(testPlay);
    if (!testPlay && takeInstanceLock)
    {
        switch (m_Instance.Acquire(kGameInstanceName))
        {
        case platform::SingleInstanceLock::Result::Acquired:
            break;
        case platform::SingleInstanceLock::Result::HeldElsewhere:
            // Why this copy ended is in its report too.
            WriteReport("Error : 既に起動しています");
            ShowMessageBox(nullptr, "既に起動しています", "二重起動", platform::kMbOk);
            Close();
            return false;
        case platform::SingleInstanceLock::Result::Unavailable:
            // Nothing is known of other copies; this one runs.
            WriteErrorLog("SingleInstance : no lock file");
            break;
        }
    }
    // A run of its own: threads that an earlier run closed may start, no music from it is left.
    thGame.Reopen();
    thEvent.Reopen();
    DropMusicRequests();
    WriteErrorLog("D");
    if (!GameWindow.Create(system))
    {
        WriteReport("Error : ウインドウが生成出来ません！");
        ShowError("ウインドウが生成出来ません！");
        Close();
        return false;
    }
    m_bMadeWindow = true;
    WriteErrorLog("G");
    SendDataToEditor_Start(1);
    WriteErrorLog("H");
    GameBoxes.Install(GameWindow.Handle());
    m_bInstalledBoxes = true;
    platform::SetPostCloseHook([] { platform::PostWindowMessage(MainWindowHandle(), platform::kWmClose, 0, 0); });
    return true;
}

int GameSession::RunLoop()
{
    return m_pSystem ? m_pSystem->RunMessageLoop(nullptr) : 0;
}

void GameSession::Close()
{
    if (!m_bOpen)
    {
        return;
    }
    m_bOpen = false;
    if (platform::WindowHandle window = GameWindow.Handle(); window && m_pSystem && m_bMadeWindow)
    {
        m_pSystem->DestroyWindow(window);
    }
    // A start-up that failed before the window went.
    SendDataToEditor_End(1);
    if (m_bInstalledBoxes)
    {
        GameBoxes.Uninstall();
        platform::SetPostCloseHook(nullptr);
    }
    m_bMadeWindow = false;
    m_bInstalledBoxes = false;
    m_Instance.Release();
    m_pSystem = nullptr;
}
