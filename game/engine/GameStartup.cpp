#include "game/engine/GameStartup.h"

#include "common/data/ProjectData.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "game/data/GameData.h"
#include "game/data/SaveSlots.h"
#include "game/engine/Animation.h"
#include "game/engine/Display.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/FrameTimer.h"
#include "game/engine/GameMusic.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/window/Dialogs.h"

#include <iterator>
#include <string>

namespace
{

constexpr char kSystemIniPath[] = "System.ini";
constexpr char kPalettePath[] = "bmp\\Palette.bmp";
constexpr char kDisplayFailure[] = "画面を初期化できません！";
constexpr double kBytesPerMegabyte = 1048576.0;
// The show state of the whole screen: maximised.
constexpr int kShowMaximized = 3;

// The depth the display runs at: the setting, or by default the desktop's in
// a window and 8 on the whole screen. 0 when the game cannot run at it.
int ChooseColourDepth(const GameSettings& settings, int desktopDepth)
{
    const bool windowed = settings.m_nWindowed != 0;
    int depth = settings.m_nColourDepth;
    if (depth == 0)
    {
        depth = windowed ? desktopDepth : 8;
    }
    const bool usable = windowed ? depth == 16 && desktopDepth == 16 : depth == 8 || depth == 16;
    return usable ? depth : 0;
}

// A start-up step failed and the game cannot run: the player and the report are told why.
bool FailStart(const std::string& reason)
{
    ReportGameFailure(reason);
    return false;
}

bool StartDisplay(platform::DisplayHost& host, int depth, int mode)
{
    if (!DDInit(host, kScreenWidth, kScreenHeight, depth, mode, 1, 60, Settings.m_nPageFlip, Surfaces, SurfaceDefs,
                kSurfaceCount))
    {
        WriteErrorLog("DDInit失敗");
        return FailStart(kDisplayFailure);
    }
    WriteErrorLog("DDInit成功");
    if (Display.m_bPalette)
    {
        if (!DDLoadPaletteFromFile(Display.m_SourcePalette, kPalettePath, mode))
        {
            WriteErrorLog("DDLoadPaletteFromFile失敗");
            return FailStart(std::string(kPalettePath) + " のロードに失敗！");
        }
        Display.m_WorkingPalette = Display.m_SourcePalette;
        if (!DDSetTransmit(kPalettePath))
        {
            WriteErrorLog("DDSetTransmit失敗");
            return FailStart(std::string(kPalettePath) + " のロードに失敗！");
        }
    }
    WriteErrorLog("1");
    // Pages flip only on the whole screen, and only when the monitor keeps up with the frame rate.
    const bool flip =
        mode == kFullScreen && Settings.m_nPageFlip != 0 && host.MonitorFrequency() >= FrameRateValues.m_nFrameRate;
    GameScenes.SetPageFlip(flip ? 1 : 0);
    SetFramePacing(true);
    WriteErrorLog("2");
    if (!DDLoadSurfaces(Surfaces, kStartupSurfaces, static_cast<int>(std::size(kStartupSurfaces))))
    {
        return false;
    }
    ShiftSurfaceColours(Surfaces[14]);
    ScaleAnimationTables(FrameRateValues.m_dFrameScale);
    return true;
}

void ReportVideoMemory(const platform::DisplayHost& host)
{
    if (!Display.m_pDevice)
    {
        return;
    }
    WriteReport("VRAM Total : %.3fMB", static_cast<double>(Display.m_pDevice->VideoMemoryTotal()) / kBytesPerMegabyte);
    WriteReport("VRAM Free : %.3fMB", static_cast<double>(Display.m_pDevice->VideoMemoryFree()) / kBytesPerMegabyte);
    WriteReport("RR : %u", static_cast<unsigned>(host.MonitorFrequency()));
}

} // namespace

bool InitGame(const GameDevices& devices, int showState)
{
    SeedRand(platform::TickCount());
    InitGameData();
    Settings = LoadGameSettings(kSystemIniPath);
    FrameRateValues = DeriveFrameValues(Settings.m_nFrameRate);

    if (!devices.m_pHost)
    {
        WriteErrorLog("DDInit失敗");
        return FailStart(kDisplayFailure);
    }
    platform::DisplayHost& host = *devices.m_pHost;
    const int depth = ChooseColourDepth(Settings, host.DesktopDepth());
    if (depth == 0)
    {
        return FailStart("8ビットカラーのフルスクリーンか16ビットカラーでしか起動できません！\nSystem."
                         "iniや画面の設定を見直して下さい！");
    }
    const int mode = Settings.m_nWindowed ? kWindowed : kFullScreen;
    GameWindow.Show(mode == kWindowed ? showState : kShowMaximized);
    if (!StartDisplay(host, depth, mode))
    {
        return false;
    }

    std::string reason;
    if (!InitSoundEffects(devices.m_pMixer, Settings.m_nEffectVolume, &reason))
    {
        return FailStart(reason);
    }
    WriteErrorLog("3");
    InitGameMusic(Bgm, Settings.m_nMusic, devices.m_pOggFactory, devices.m_pMidiDevice);

    InputState& input = GameScenes.Input();
    input.InitJoystickButtons();
    input.SetRepeat(FrameRateValues.m_nKeyRepeatDelay, FrameRateValues.m_nKeyRepeatInterval);
    if (!ReadKeyConfig(kKeyConfigPath, GameScenes.Keys()))
    {
        SetDefaultKeyConfig(GameScenes.Keys());
    }

    if (!LoadGameDatabase())
    {
        return false;
    }
    ResizeSaveSlots(SaveSlots);
    if (platform::NativeWindow* window = GameWindow.Native())
    {
        window->SetText(System.m_strGameName);
    }
    WriteErrorLog("4");
    ReportVideoMemory(host);
    return true;
}

void UnInitGame()
{
    SetFramePacing(false);
    ReleaseSoundEffects();
    Bgm.Release();
    Bgm.SetDevices(nullptr, nullptr);
    if (Display.m_nMode == kWindowed)
    {
        DDReleaseWindowed();
    }
    else
    {
        DDRelease();
    }
}
