#include "game/program/GameProgram.h"

#include "common/data/DataFile.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "game/engine/DebugKeys.h"
#include "game/engine/Display.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameStartup.h"
#include "game/engine/GameThread.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SceneManager.h"
#include "game/engine/Thread.h"
#include "game/program/CloseSignals.h"
#include "game/program/PlayRunner.h"
#include "game/program/SceneRegistry.h"
#include "platform/audio/AudioSystem.h"
#include "platform/core/Clock.h"
#include "platform/core/TestPlayLink.h"
#include "platform/input/Joystick.h"
#include "platform/sdl/SdlDialogs.h"
#include "platform/sdl/SdlDisplayHost.h"
#include "platform/sdl/SdlFrameUploader.h"
#include "platform/sdl/SdlJoystick.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/sdl/SdlWindowSystem.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

namespace
{

constexpr char kReportLogName[] = "Report_Game.txt";
constexpr char kErrorLogName[] = "EC_Game.txt";

bool ReadScript(const std::string& path, PlayScript& script, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        error = "cannot read the script " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string reason;
    if (!script.Parse(text.str(), &reason))
    {
        error = path + ": " + reason;
        return false;
    }
    return true;
}

// Shows the newest presented frame in the window; a frame presented while one
// waits to be shown only replaces it, so the window never falls behind.
class FrameShower
{
public:
    explicit FrameShower(SDL_Window* window) : m_Uploader(window) {}

    void Wake()
    {
        if (!m_bWaiting.exchange(true))
        {
            platform::PostWindowMessage(MainWindowHandle(), kWmShowFrame, 0, 0);
        }
    }

    void Show()
    {
        m_bWaiting.store(false);
        m_Uploader.PresentLatest(DisplayFrames());
    }

private:
    platform::SdlFrameUploader m_Uploader;
    std::atomic<bool> m_bWaiting{false};
};

} // namespace

bool ParseGameOptions(int argc, const char* const* argv, GameOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--headless")
        {
            options.m_bHeadless = true;
        }
        else if (arg == "--no-pacing")
        {
            options.m_bNoPacing = true;
        }
        else if (arg == "--script" && hasValue)
        {
            options.m_strScript = argv[++i];
        }
        else if (arg == "--capture" && hasValue)
        {
            options.m_strCaptureFolder = argv[++i];
        }
        else
        {
            error = "unknown argument \"" + arg +
                    "\"; usage: tarnwick-game [--headless] [--script FILE] [--no-pacing] [--capture DIR]";
            return false;
        }
    }
    return true;
}

int RunGame(const GameOptions& options, std::unique_ptr<platform::SoundFontLoad> soundFont)
{
    const bool scripted = !options.m_strScript.empty();
    PlayScript script;
    std::string error;
    if (scripted && !ReadScript(options.m_strScript, script, error))
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kGameUsageError;
    }
    if (!options.m_strCaptureFolder.empty())
    {
        std::error_code ec;
        std::filesystem::create_directories(options.m_strCaptureFolder, ec);
    }
    if (options.m_bHeadless)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    if (options.m_bNoPacing)
    {
        platform::DriveClock(0);
    }
    // What a run that cannot get going ends with.
    const int failedStart = scripted ? kPlayGameFailed : 0;

    // The signals are taken by a thread of their own, so they must be blocked before any other thread starts
    // (the SoundFont's thread, started before, takes no signal at all).
    CloseSignals signals;
    ClearGameFailure();
    WriteErrorLog("A");
    InitErrorLog(0, kErrorLogName);
    if (!OpenReportLog(kReportLogName))
    {
        // Nowhere to write it down: the player is told all the same.
        ShowErrorF("%s を作成できません！", kReportLogName);
        return failedStart;
    }
    WriteReport("App : ver %d", static_cast<int>(kDataFormatVersion));
    WriteSystemReport();
    WriteErrorLog("C");

    platform::SdlWindowSystem system;
    AppWindowSystem = &system;
    // Boxes in a window of the game's own, where a person sees them; without a
    // display they go to the standard error stream, unless the environment
    // asks for the windows there too.
    std::optional<platform::SdlDialogs> dialogs;
    const char* boxes = std::getenv(kBoxesVariable);
    if (!system.IsHeadless() || (boxes && std::string_view(boxes) == "window"))
    {
        dialogs.emplace(system);
        // A close signal ends a box at any moment, the ones up before the main window is made too.
        dialogs->SetCancelCheck([&signals] { return signals.Received(); });
        platform::SetDialogService(&*dialogs);
    }
    platform::AudioSystem audio(std::move(soundFont));
    std::unique_ptr<platform::JoystickSource> joysticks;
    if (options.m_bHeadless)
    {
        joysticks = std::make_unique<platform::NoJoystick>();
    }
    else
    {
        joysticks = std::make_unique<platform::SdlJoystickSource>();
    }

    const int showState = platform::ShowStateFromEnvironment();
    GameSession session;
    // A scripted run is a check, not a player's copy: any number may run at once.
    if (!session.Open(system, showState, !scripted))
    {
        platform::SetDialogService(nullptr);
        return failedStart;
    }
    SDL_Window* native = platform::NativeSdlWindow(system, MainWindowHandle());
    platform::SdlDisplayHost host(native);
    RegisterScenes(GameScenes);
    GameScenes.SetInputDevices(&GameWindow.Keys(), joysticks.get());
    GameWindow.SetKeyHandler(HandleGameKey);

    const GameDevices devices{&host, &audio.GetMixer(), &audio.OggFactory(), &audio.MidiDevice()};
    bool started = InitGame(devices, showState);
    if (started && !system.IsHeadless() && native)
    {
        // The window's frame handler owns it, so that it goes with the window's destruction, before the window.
        auto shower = std::make_shared<FrameShower>(native);
        DisplayFrames().SetWakeCallback(
            [weak = std::weak_ptr<FrameShower>(shower)]
            {
                if (auto live = weak.lock())
                {
                    live->Wake();
                }
            });
        GameWindow.SetFrameHandler([shower] { shower->Show(); });
    }
    std::unique_ptr<PlayRunner> runner;
    if (started && scripted)
    {
        runner =
            std::make_unique<PlayRunner>(script, GameWindow.Keys(), HandleGameKey, options.m_strCaptureFolder, stdout);
        SetFrameDriver(runner.get());
    }
    int code = 0;
    if (started)
    {
        WriteErrorLog("I");
        started = thGame.Start(GameThreadProc);
        WriteErrorLog("J");
    }
    if (started)
    {
        code = session.RunLoop();
        // Both game threads have ended with the window.
        GameDataLock lock;
        if (runner)
        {
            runner->GameEnded();
            code = runner->Verdict();
        }
    }
    else
    {
        NoteGameFailure();
        code = failedStart;
    }

    // Nothing posts to the window system once it starts to go; a signal
    // that comes while the game shuts down ends it at once.
    signals.Release();
    SetFrameDriver(nullptr);
    DisplayFrames().SetWakeCallback(nullptr);
    {
        GameDataLock lock;
        GameScenes.Reset();
    }
    GameScenes.SetInputDevices(nullptr, nullptr);
    GameWindow.SetKeyHandler(nullptr);
    UnInitGame();
    WriteErrorLog("UnInitGame後");
    session.Close();
    WriteErrorLog("ReleaseMutex後");
    platform::SetDialogService(nullptr);
    AppWindowSystem = nullptr;
    return code;
}
