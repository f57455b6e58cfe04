#include "game/engine/GameThread.h"

#include "common/window/WindowBase.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/FrameTimer.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/engine/Thread.h"

namespace
{

// How long the thread sleeps between looks while another program is active.
constexpr uint32_t kInactivePollMilliseconds = 10;

FrameDriver* g_pDriver = nullptr;

} // namespace

void SetFrameDriver(FrameDriver* driver)
{
    g_pDriver = driver;
}

bool DriveEventFrame()
{
    return !g_pDriver || g_pDriver->BeforeFrame();
}

void GameThreadProc()
{
    while (!thGame.QuitRequested())
    {
        if (!AppActive.load())
        {
            thGame.Sleep(kInactivePollMilliseconds);
            continue;
        }
        if (!PaceFrame(FrameRateValues.m_nFrameRate))
        {
            return;
        }
        GameDataLock frame;
        if (g_pDriver && !g_pDriver->BeforeFrame())
        {
            return;
        }
        if (GameScenes.Frame() == 0)
        {
            WriteErrorLogAndClose(MainWindowHandle(), "DDRestoreSurfaces失敗");
            return;
        }
    }
}
