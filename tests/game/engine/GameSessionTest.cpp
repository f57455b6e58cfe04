#include "common/window/WindowBase.h"
#include "common/services/MessageBoxes.h"
#include "game/engine/Display.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameDialogs.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MusicRequests.h"
#include "game/engine/TestPlay.h"
#include "game/engine/Thread.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/TestPlayLink.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"

#include "RuntimeFolderScope.h"
#include "TempFolder.h"

#include <SDL.h>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace
{

using platform::ScriptedDialogs;
using platform::TestPlayListener;
using platform::TestPlayReport;

// Boxes as the main thread's service sees them: where they were shown, and a
// debug edit taken while each is open (a game thread that kept the game-data
// lock while it waited would hang here), and whether the main window was still
// there.
class MainThreadDialogs : public ScriptedDialogs
{
public:
    int MessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                   uint32_t type) override
    {
        m_Threads.push_back(std::this_thread::get_id());
        m_WindowThere.push_back(static_cast<bool>(MainWindowHandle()));
        ApplyDebugEdit([] {});
        return ScriptedDialogs::MessageBox(owner, text, caption, type);
    }

    std::vector<std::thread::id> m_Threads;
    std::vector<bool> m_WindowThere;
};

// A display host that notes the thread of each cursor change.
class CursorThreadHost : public platform::RecordingDisplayHost
{
public:
    void ShowCursor(bool show) override
    {
        m_Threads.push_back(std::this_thread::get_id());
        RecordingDisplayHost::ShowCursor(show);
    }

    std::vector<std::thread::id> m_Threads;
};

// A window system in which no window can be made.
class NoWindowSystem : public platform::DummyWindowSystem
{
protected:
    std::unique_ptr<platform::NativeWindow> MakeWindow(const platform::WindowCreateParams&) override
    {
        return nullptr;
    }
};

class GameSessionTest : public testing::Test
{
protected:
    void TearDown() override
    {
        SetMusicDispatch(nullptr);
        thGame.Exit();
        thEvent.Exit();
    }

    // The reports the editor got, kind by kind; waits a moment for each.
    std::vector<uint32_t> Reports()
    {
        std::vector<uint32_t> kinds;
        TestPlayReport report;
        while (m_Editor.WaitReceive(report, 200))
        {
            int32_t value = 0;
            EXPECT_TRUE(report.Value(value));
            EXPECT_EQ(value, 1);
            EXPECT_EQ(report.m_nSender, ::getpid());
            kinds.push_back(report.m_nKind);
        }
        return kinds;
    }

    // A game thread that runs frames under the game-data lock and asks for the close at the frame given.
    void StartGameThread(int closeAtFrame)
    {
        ASSERT_TRUE(thGame.Start([this, closeAtFrame] {
            for (;;)
            {
                {
                    GameDataLock frame;
                    if (++m_nFrames == closeAtFrame)
                    {
                        platform::RequestClose(); // the game only asks; the main thread ends it
                    }
                }
                if (!thGame.Sleep(1))
                {
                    return;
                }
            }
        }));
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Project;
    MainThreadDialogs m_Dialogs;
    TestPlayListener m_Editor;
    std::atomic<int> m_nFrames{0};
};

TEST_F(GameSessionTest, ATestPlayRunReportsItsStartAndThenItsEndOnce)
{
    ASSERT_TRUE(m_Editor.Open(platform::EditorEndpoint()));
    platform::DummyWindowSystem system;
    {
        GameSession session;
        ASSERT_TRUE(session.Open(system, platform::kShowStateTestPlay));
        EXPECT_EQ(TestPlayFlag, 1);
        // No single-instance lock in test play: a second copy may run.
        platform::SingleInstanceLock other;
        EXPECT_EQ(other.Acquire(kGameInstanceName), platform::SingleInstanceLock::Result::Acquired);

        StartGameThread(20);
        EXPECT_EQ(session.RunLoop(), 0);
        EXPECT_GE(m_nFrames, 20);
        EXPECT_TRUE(thGame.IsFinished());
        EXPECT_FALSE(thGame.HasThread()); // joined by the main thread
        EXPECT_FALSE(MainWindowHandle());
        session.Close();
        SendDataToEditor_End(1);
    }
    EXPECT_EQ(Reports(), (std::vector<uint32_t>{platform::kTestPlayStart, platform::kTestPlayEnd}));
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
}

TEST_F(GameSessionTest, ARunThatFailsDuringItsStartUpStillReportsItsEnd)
{
    ASSERT_TRUE(m_Editor.Open(platform::EditorEndpoint()));
    {
        platform::DummyWindowSystem system;
        GameSession session;
        ASSERT_TRUE(session.Open(system, platform::kShowStateTestPlay));
        // The start-up fails here: the entry releases what it made and ends without a loop.
    }
    EXPECT_EQ(Reports(), (std::vector<uint32_t>{platform::kTestPlayStart, platform::kTestPlayEnd}));

    // No window at all: the box, and the end without a start.
    NoWindowSystem broken;
    GameSession session;
    EXPECT_FALSE(session.Open(broken, platform::kShowStateTestPlay));
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "ウインドウが生成出来ません！");
    EXPECT_EQ(Reports(), (std::vector<uint32_t>{platform::kTestPlayEnd}));
}

TEST_F(GameSessionTest, ASecondCopyIsRefusedAndALockLeftByAKilledCopyIsNot)
{
    ASSERT_TRUE(m_Editor.Open(platform::EditorEndpoint()));
    platform::DummyWindowSystem system;
    HelperProcess running(TK_LINK_HELPER, {"hold", std::string(kGameInstanceName)});
    ASSERT_EQ(running.ReadLine(), "held");
    {
        GameSession session;
        EXPECT_FALSE(session.Open(system, platform::kShowStateNormal));
        ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
        const ScriptedDialogs::Box& box = m_Dialogs.Boxes()[0];
        EXPECT_EQ(box.m_strText, "既に起動しています");
        EXPECT_EQ(box.m_strCaption, "二重起動");
        EXPECT_EQ(box.m_nType, platform::kMbOk);
        EXPECT_FALSE(box.m_hOwner);
        EXPECT_FALSE(MainWindowHandle());
    }
    running.Kill();
    running.Wait();

    GameSession first;
    ASSERT_TRUE(first.Open(system, platform::kShowStateNormal));
    EXPECT_EQ(TestPlayFlag, 0);
    GameSession second; // within one process too
    EXPECT_FALSE(second.Open(system, platform::kShowStateNormal));
    EXPECT_EQ(m_Dialogs.Boxes().size(), 2u);
    second.Close();
    EXPECT_TRUE(MainWindowHandle()); // the refused copy leaves the first one's window alone
    first.Close();
    EXPECT_TRUE(Reports().empty()); // outside test play the editor hears nothing
}

TEST_F(GameSessionTest, BoxesOfGameThreadsAreShownByTheMainThreadUntilShutDownBegins)
{
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    m_Dialogs.AnswerBoxes({platform::kIdYes});
    std::atomic<int> answer{0};
    std::atomic<int> answerAfterQuit{0};
    std::atomic<int> eventAnswer{0};
    std::atomic<bool> eventStarted{false};
    ASSERT_TRUE(thGame.Start([&] {
        {
            GameDataLock frame;
            answer = ShowMessageBox(nullptr, "つづけますか？", "確認", platform::kMbYesNo);
            EXPECT_TRUE(GameDataLock::HeldByThisThread());
            // An event whose wait only the shut-down ends, and which then raises a box.
            ASSERT_TRUE(thEvent.Start([&] {
                eventStarted = true;
                EXPECT_FALSE(thEvent.Sleep(3600 * 1000));
                eventAnswer = ShowMessageBox(nullptr, "イベント", "エラー", platform::kMbOkCancel);
            }));
        }
        while (!eventStarted)
        {
        }
        platform::RequestClose();
        thGame.WaitUntil([] { return false; });
        answerAfterQuit = ShowMessageBox(nullptr, "おわり", "エラー", platform::kMbYesNo);
    }));
    EXPECT_EQ(session.RunLoop(), 0);

    EXPECT_EQ(answer, platform::kIdYes);
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "つづけますか？");
    EXPECT_EQ(m_Dialogs.m_Threads, (std::vector<std::thread::id>{std::this_thread::get_id()}));
    // After the shut-down began they failed at once, as if closed.
    EXPECT_EQ(eventAnswer, platform::kIdCancel);
    EXPECT_EQ(answerAfterQuit, platform::kIdNo);
    EXPECT_TRUE(thEvent.IsFinished());
    EXPECT_FALSE(thEvent.Start([] {})); // nothing starts while the program ends
}

TEST_F(GameSessionTest, AFullScreenBoxOfAGameThreadShowsTheCursorOnTheMainThread)
{
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    CursorThreadHost host;
    Display.m_pHost = &host;
    SetFullScreenMessageBox([](std::string_view text, std::string_view caption, uint32_t type)
                            { return ShowMessageBoxFullScreen(text, caption, type) ? 1 : 0; });
    ASSERT_TRUE(thGame.Start(
        [&]
        {
            {
                GameDataLock frame;
                ShowMessageBox(nullptr, "全画面", "エラー", platform::kMbOk);
            }
            platform::RequestClose();
            thGame.WaitUntil([] { return false; });
        }));
    EXPECT_EQ(session.RunLoop(), 0);
    SetFullScreenMessageBox(nullptr);
    Display.m_pHost = nullptr;

    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(host.m_Calls, (std::vector<std::string>{"cursor 1", "cursor 0"}));
    EXPECT_EQ(host.m_Threads, std::vector<std::thread::id>(2, std::this_thread::get_id()));
}

TEST_F(GameSessionTest, MusicRequestsOfAGameThreadReachTheMainThreadInOrder)
{
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    std::vector<MusicRequest> served;
    std::vector<std::thread::id> servedOn;
    SetMusicDispatch([&](const MusicRequest& request) {
        served.push_back(request);
        servedOn.push_back(std::this_thread::get_id());
    });
    std::vector<MusicRequest> posted;
    for (int track = 0; track < 4; ++track)
    {
        MusicRequest request = MusicRequestForScene(track, false, 2, track % 2, track);
        request.m_bSetFile = true;
        request.m_strFile = "bgm\\Track" + std::to_string(track) + ".ogg";
        posted.push_back(request);
    }
    std::atomic<bool> postedAfterEnd{true};
    ASSERT_TRUE(thGame.Start([&] {
        for (const MusicRequest& request : posted)
        {
            EXPECT_TRUE(PostMusicRequest(request));
        }
        platform::RequestClose();
        thGame.WaitUntil([] { return false; });
    }));
    EXPECT_EQ(session.RunLoop(), 0);
    EXPECT_EQ(served, posted);
    EXPECT_EQ(servedOn, std::vector<std::thread::id>(posted.size(), std::this_thread::get_id()));
    EXPECT_FALSE(PostMusicRequest(posted[0])); // no window: dropped, never waited for
}

TEST_F(GameSessionTest, TheMainWindowIsCentredAndClosesOnEscapeUnlessItsKeysAreTaken)
{
    platform::DummyWindowSystem system;
    system.FixDesktopRect({0, 0, 1024, 768});
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    platform::NativeWindow* window = system.Resolve(MainWindowHandle());
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->IsVisible());
    EXPECT_EQ(window->Text(), "");
    EXPECT_EQ(window->ClientRect(), (platform::Rect{0, 0, kGameScreenWidth, kGameScreenHeight}));
    platform::Rect frame = window->WindowRect();
    EXPECT_EQ(frame.m_nLeft, (1024 - frame.m_nWidth) / 2);
    EXPECT_EQ(frame.m_nTop, (768 - frame.m_nHeight) / 2);
    EXPECT_EQ(system.DesktopDepth(), 16);

    system.SendMessage(MainWindowHandle(), platform::kWmActivateApp, 1, 0);
    EXPECT_EQ(AppActive, 1);
    system.SendMessage(MainWindowHandle(), platform::kWmActivateApp, 0, 0);
    EXPECT_EQ(AppActive, 0);

    // Keys held in the window are what the game threads read; leaving the game lets go of them.
    system.SendMessage(MainWindowHandle(), platform::kWmKeyDown, platform::kVkLeft, 0);
    system.SendMessage(MainWindowHandle(), platform::kWmKeyDown, 'Z', 0);
    system.SendMessage(MainWindowHandle(), platform::kWmKeyUp, platform::kVkLeft, 0);
    EXPECT_FALSE(GameWindow.Keys().IsKeyHeld(platform::kVkLeft));
    EXPECT_TRUE(GameWindow.Keys().IsKeyHeld('Z'));
    system.SendMessage(MainWindowHandle(), platform::kWmActivateApp, 0, 0);
    EXPECT_FALSE(GameWindow.Keys().IsKeyHeld('Z'));

    std::vector<uintptr_t> keys;
    GameWindow.SetKeyHandler([&](uintptr_t key) { keys.push_back(key); });
    system.SendMessage(MainWindowHandle(), platform::kWmKeyDown, platform::kVkEscape, 0);
    system.PumpMessages();
    EXPECT_TRUE(MainWindowHandle());
    EXPECT_EQ(keys, std::vector<uintptr_t>{platform::kVkEscape});
    GameWindow.SetKeyHandler(nullptr);
    system.SendMessage(MainWindowHandle(), platform::kWmKeyDown, platform::kVkEscape, 0);
    EXPECT_EQ(session.RunLoop(), 0);
    EXPECT_FALSE(MainWindowHandle());
}

TEST_F(GameSessionTest, OnSdlWithoutADisplayTheShownWindowIsActiveAndPostsWakeTheLoop)
{
    platform::SdlWindowSystem system;
    ASSERT_TRUE(system.IsReady());
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    GameWindow.Show(1);
    system.PumpMessages();
    EXPECT_EQ(AppActive, 1);

    // Centred, and no larger than the game's screen, once the frames have their renderer too.
    SDL_Window* native = platform::NativeSdlWindow(system, MainWindowHandle());
    ASSERT_TRUE(platform::SdlWindowRenderer(native));
    const platform::Rect desktop = system.DesktopRect();
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(native, &x, &y);
    EXPECT_EQ(x, desktop.m_nLeft + (desktop.m_nWidth - kGameScreenWidth) / 2);
    EXPECT_EQ(y, desktop.m_nTop + (desktop.m_nHeight - kGameScreenHeight) / 2);
    SDL_GetWindowMaximumSize(native, &width, &height);
    EXPECT_EQ(width, kGameScreenWidth);
    EXPECT_EQ(height, kGameScreenHeight);
    SDL_GetWindowMinimumSize(native, &width, &height);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 100);
    StartGameThread(30);
    EXPECT_EQ(session.RunLoop(), 0);
    EXPECT_GE(m_nFrames, 30);
    EXPECT_TRUE(thGame.IsFinished());
}

} // namespace

namespace
{

TEST_F(GameSessionTest, AFailureOnAnyThreadIsLoggedWhenTheLogIsOnAndClosesTheWindow)
{
    platform::DummyWindowSystem system;
    ASSERT_TRUE(OpenReportLog("Report_Game.txt"));
    for (int enabled : {0, 1})
    {
        InitErrorLog(enabled, "EC_Game.txt");
        GameSession session;
        ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
        ASSERT_TRUE(thGame.Start([] { WriteErrorLogAndClose(MainWindowHandle(), "%s 読み込み失敗！", "bmp\\Map.bmp"); }));
        EXPECT_EQ(session.RunLoop(), 0) << enabled;
        EXPECT_FALSE(MainWindowHandle());
        const std::string log = m_Project.ReadText("EC_Game.txt");
        bool logged = log.find("bmp\\Map.bmp 読み込み失敗！\r\n") != std::string::npos;
        EXPECT_EQ(logged, enabled == 1);
        // The start-up's steps are traced in order when the log is on.
        EXPECT_EQ(log.rfind("D\r\nE\r\nF\r\nG\r\nH\r\n", 0) == 0, enabled == 1) << log;
        // The player is told, and so is the report, whether the log is on or not.
        ASSERT_EQ(m_Dialogs.Boxes().size(), static_cast<std::size_t>(enabled + 1));
        EXPECT_EQ(m_Dialogs.Boxes().back().m_strText, "bmp\\Map.bmp 読み込み失敗！");
        EXPECT_EQ(m_Dialogs.m_Threads.back(), std::this_thread::get_id());
    }
    const std::string report = m_Project.ReadText("Report_Game.txt");
    EXPECT_NE(report.find("Error : bmp\\Map.bmp 読み込み失敗！\r\n"), std::string::npos) << report;
    InitErrorLog(0, "EC_Game.txt");
}

} // namespace

namespace
{

TEST_F(GameSessionTest, AFailuresBoxComesBeforeACloseTakenFirstUnlessTheCloseIsASignals)
{
    ASSERT_TRUE(OpenReportLog("Report_Game.txt"));
    struct Case
    {
        const char* m_pWhat;
        uint32_t m_nClose;
        size_t m_nBoxes;
    };
    const Case cases[] = {
        {"a close of the game's own waits for the box", platform::kWmClose, 1},
        {"a close signal ends the box before it is shown", kWmCloseAtOnce, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        platform::DummyWindowSystem system;
        GameSession session;
        ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
        const size_t before = m_Dialogs.Boxes().size();
        // The close is queued first, then the failure asks for its box; the main loop takes the close first.
        ASSERT_TRUE(platform::PostWindowMessage(MainWindowHandle(), c.m_nClose, 0, 0));
        ASSERT_TRUE(thGame.Start([] { WriteErrorLogAndClose(MainWindowHandle(), "%s 読み込み失敗！", "bmp\\Map.bmp"); }));
        while (GameBoxes.PendingBoxes() == 0 && !thGame.IsFinished())
        {
            std::this_thread::yield();
        }
        EXPECT_EQ(session.RunLoop(), 0);
        EXPECT_FALSE(MainWindowHandle());
        EXPECT_TRUE(thGame.IsFinished());
        ASSERT_EQ(m_Dialogs.Boxes().size() - before, c.m_nBoxes);
        if (c.m_nBoxes)
        {
            EXPECT_EQ(m_Dialogs.Boxes().back().m_strText, "bmp\\Map.bmp 読み込み失敗！");
            EXPECT_TRUE(m_Dialogs.m_WindowThere.back()); // shown before the window went
        }
    }
    // The failure is in the report either way.
    const std::string report = m_Project.ReadText("Report_Game.txt");
    size_t lines = 0;
    for (size_t at = 0; (at = report.find("Error : bmp\\Map.bmp 読み込み失敗！", at)) != std::string::npos; ++at)
    {
        ++lines;
    }
    EXPECT_EQ(lines, 2u) << report;
}

} // namespace
