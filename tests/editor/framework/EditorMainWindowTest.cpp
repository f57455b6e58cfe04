// The editor's main window on the dummy backend: the quit question, the view
// shown again on activation, the making of views, the test-play link with a
// stand-in game, and the search for the game program.
#include "common/data/ProjectData.h"
#include "common/project/GameProgram.h"
#include "editor/stage/StageEditState.h"
#include "platform/core/Cp932.h"
#include "tests/editor/framework/DialogTestSupport.h"
#include "tests/editor/framework/EditorTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

// An editor window of a test: made from a test template, as one of its
// class, and marked as made once it is initialised.
template <class Base>
class ProbeWindow : public Base
{
public:
    template <class Self>
    ProbeWindow(Self* self, const DialogTemplate& dialog, platform::WindowHandle parent)
    {
        this->UseClassProcedure(self);
        this->Init(dialog.m_nId, parent, 0, kWindowDialog, &App);
        this->SetTemplate(&dialog);
    }
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        return this->OnMessage(window, message, wParam, lParam);
    }
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override
    {
        DialogBase::OnInitDialog(wParam, lParam);
        this->SetInitialised(1);
        return 0;
    }
};

// A window of the world-map editor's kind.
class ProbeWorldMap : public ProbeWindow<EditorWindow>
{
public:
    ProbeWorldMap() : ProbeWindow(this, PaletteTemplate(), nullptr) {}
};

// A view that writes down what the main window asks of it.
class ProbeView : public ProbeWindow<EditorView>
{
public:
    ProbeView(platform::WindowHandle parent, Log& log) : ProbeWindow(this, ViewTemplate(), parent), m_Log(log)
    {
        m_Log.push_back("made");
    }
    ~ProbeView() override { m_Log.push_back("gone"); }
    void OpenMapChipPalette() override { m_Log.push_back("palette"); }
    EditorWindow* WorldMapWindow() const override { return m_pWorldMap; }

    EditorWindow* m_pWorldMap = nullptr;

private:
    Log& m_Log;
};

class MainWindowTest : public EditorTest
{
protected:
    void UseProbeViews()
    {
        MainWindow.SetViewFactory([this](platform::WindowHandle parent) {
            auto view = std::make_unique<ProbeView>(parent, m_Views);
            m_pLastView = view.get();
            return view;
        });
    }
    // Ends a quit the main window posted, as the loop would take it.
    void TakeQuit()
    {
        if (m_System.QuitPending())
        {
            m_System.RunMessageLoop(nullptr);
        }
    }

    Log m_Views;
    ProbeView* m_pLastView = nullptr;
};

TEST_F(MainWindowTest, ClosingAsksAndOnlyYesEndsTheEditor)
{
    struct Row
    {
        const char* m_pszCase;
        std::function<void()> m_Close;
        int m_nAnswer; // 0: no box expected
    };
    const Row rows[] = {
        {"Esc, No", [] { platform::SendWindowMessage(MainWindow.Handle(), platform::kWmKeyDown, platform::kVkEscape, 0); },
         platform::kIdNo},
        {"Esc, Yes", [] { platform::SendWindowMessage(MainWindow.Handle(), platform::kWmKeyDown, platform::kVkEscape, 0); },
         platform::kIdYes},
        {"close, No", [] { platform::PostWindowMessage(MainWindow.Handle(), platform::kWmClose, 0, 0); },
         platform::kIdNo},
        {"close, Yes", [] { platform::PostWindowMessage(MainWindow.Handle(), platform::kWmClose, 0, 0); },
         platform::kIdYes},
        {"the view closed, No", [] { platform::PostWindowMessage(CurrentView->ViewWindow(), platform::kWmClose, 0, 0); },
         platform::kIdNo},
        {"a termination signal", [] { platform::PostWindowMessage(MainWindow.Handle(), kWmTerminate, 0, 0); }, 0},
    };
    for (const Row& row : rows)
    {
        ASSERT_TRUE(Start()) << row.m_pszCase;
        platform::WindowHandle main = MainWindow.Handle();
        std::size_t boxes = m_Boxes.Boxes().size();
        if (row.m_nAnswer)
        {
            m_Boxes.AnswerBoxes({row.m_nAnswer});
        }
        row.m_Close();
        m_System.PumpMessages();
        m_System.PumpMessages();
        if (row.m_nAnswer)
        {
            ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1) << row.m_pszCase;
            const platform::ScriptedDialogs::Box& box = m_Boxes.Boxes().back();
            EXPECT_EQ(box.m_strText, "終了しますか？\n");
            EXPECT_EQ(box.m_strCaption, "終了確認");
            EXPECT_EQ(box.m_nType, platform::kMbYesNo);
            EXPECT_EQ(box.m_hOwner, main);
        }
        else
        {
            EXPECT_EQ(m_Boxes.Boxes().size(), boxes) << row.m_pszCase;
        }
        bool ends = row.m_nAnswer != platform::kIdNo;
        EXPECT_EQ(m_System.IsWindow(main), !ends) << row.m_pszCase;
        EXPECT_EQ(m_System.QuitPending(), ends) << row.m_pszCase;
        TakeQuit();
        Stop();
    }
}

TEST_F(MainWindowTest, ActivationShowsAgainTheWindowInFrontThatHidItself)
{
    // The placeholder view hides itself when minimised.
    MainWindow.SetViewFactory([](platform::WindowHandle parent) { return std::make_unique<PlaceholderView>(parent); });
    ASSERT_TRUE(Start());
    EditorView* view = MainWindow.View();
    platform::SendWindowMessage(view->Handle(), platform::kWmSysCommand, platform::kScMinimize, 0);
    EXPECT_FALSE(view->Native()->IsVisible());
    EXPECT_EQ(view->IsHidden(), 1);
    m_System.SetAppActive(true);
    EXPECT_EQ(AppActive, 1);
    EXPECT_TRUE(view->Native()->IsVisible());
    EXPECT_EQ(view->IsHidden(), 0);
    m_System.SetAppActive(false);
    EXPECT_EQ(AppActive, 0);
    Stop();

    // With the world-map editor in front, that window is the one shown again.
    UseProbeViews();
    ASSERT_TRUE(Start());
    ProbeWorldMap worldMap;
    worldMap.RunModeless(0);
    m_pLastView->m_pWorldMap = &worldMap;
    m_pLastView->HideWhenMinimised();
    worldMap.HideWhenMinimised();
    MainWindow.m_nViewMode = kViewModeWorldMap;
    m_System.SetAppActive(true);
    EXPECT_TRUE(worldMap.Native()->IsVisible());
    EXPECT_EQ(worldMap.IsHidden(), 0);
    EXPECT_FALSE(m_pLastView->Native()->IsVisible());
    EXPECT_EQ(m_pLastView->IsHidden(), 1);
    m_System.SetAppActive(false);
}

TEST_F(MainWindowTest, RecreatingTheViewStartsAFreshOne)
{
    UseProbeViews();
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_Views, (Log{"made", "palette"}));
    EXPECT_EQ(CurrentView, static_cast<AppView*>(m_pLastView));

    StageEdit.m_nTool = kToolFill;
    StageEdit.m_MapCursor.Push(1);
    m_Views.clear();
    RecreateStageView();
    EXPECT_EQ(m_Views, (Log{"gone", "made", "palette"}));
    EXPECT_EQ(CurrentView, static_cast<AppView*>(m_pLastView));
    EXPECT_EQ(MainWindow.View(), m_pLastView);
    EXPECT_TRUE(m_System.IsWithin(m_System.Focus(), m_pLastView->Handle()));
    EXPECT_EQ(StageEdit.m_nTool, kToolPen);
    EXPECT_EQ(StageEdit.m_MapCursor.Count(), 1);
    EXPECT_EQ(App.m_Windows, (std::vector<WindowBase*>{m_pLastView}));

    // CreateStageView alone replaces the view and runs it, and leaves the rest to its caller.
    m_Views.clear();
    EditorView* made = MainWindow.CreateStageView();
    EXPECT_EQ(m_Views, (Log{"gone", "made"}));
    EXPECT_EQ(made, m_pLastView);
    EXPECT_TRUE(made->Handle());
    EXPECT_EQ(CurrentView, nullptr);
}

class TestPlayTest : public MainWindowTest
{
protected:
    void TearDown() override
    {
        unsetenv("TK_FAKE_GAME_END");
        unsetenv("TK_FAKE_GAME_SEEN");
        TestPlayRunning = 0;
        MainWindowTest::TearDown();
    }
    // Sends a report as a game would and waits until the main window has taken it.
    void Report(uint32_t kind, std::vector<unsigned char> bytes)
    {
        int before = MainWindow.ReportsTaken();
        ASSERT_TRUE(platform::SendTestPlayReport(platform::EditorEndpoint(), kind, bytes.data(), bytes.size()));
        ASSERT_TRUE(PumpUntil([&] { return MainWindow.ReportsTaken() > before; }));
    }
};

TEST_F(TestPlayTest, OnlyAnEndReportWithAValueEndsTheTestPlay)
{
    ASSERT_TRUE(Start());
    struct Row
    {
        const char* m_pszCase;
        uint32_t m_nKind;
        std::vector<unsigned char> m_Bytes;
        int m_nRunningAfter;
    };
    const Row rows[] = {
        {"start report", platform::kTestPlayStart, {1, 0, 0, 0}, 1},
        {"two bytes only", platform::kTestPlayEnd, {1, 0}, 1},
        {"end report with 0", platform::kTestPlayEnd, {0, 0, 0, 0}, 1},
        {"another kind", 7, {1, 0, 0, 0}, 1},
        {"end report", platform::kTestPlayEnd, {1, 0, 0, 0}, 0},
        {"end report with more bytes", platform::kTestPlayEnd, {2, 0, 0, 0, 9}, 0},
    };
    for (const Row& row : rows)
    {
        TestPlayRunning = 1;
        m_System.SetActiveWindow(MainWindow.Handle());
        Report(row.m_nKind, row.m_Bytes);
        EXPECT_EQ(TestPlayRunning, row.m_nRunningAfter) << row.m_pszCase;
        // The end brings the view to the front; the main window is never closed by a report.
        EXPECT_EQ(m_System.ActiveWindow() == CurrentView->ViewWindow(), row.m_nRunningAfter == 0) << row.m_pszCase;
        EXPECT_TRUE(m_System.IsWindow(MainWindow.Handle())) << row.m_pszCase;
    }
}

TEST_F(TestPlayTest, TheStartedGameRunsInTestPlayAndItsEndEndsTheTestPlay)
{
    fs::copy_file(TK_FAKE_GAME, "game");
    ASSERT_TRUE(Start());
    EditConfig.m_bSearchGameProgram = 1;
    std::string path;
    ASSERT_EQ(FindGameExecutable(path), 1);
    EXPECT_EQ(path, "game");
    EXPECT_FALSE(MainWindow.StartGame("missing"));

    setenv("TK_FAKE_GAME_SEEN", (m_Folder.Path() / "seen").c_str(), 1);
    for (const char* end : {"report", "silent"})
    {
        // A game that reports its end, and one that ends without it, as a crash would.
        setenv("TK_FAKE_GAME_END", end, 1);
        int reports = MainWindow.ReportsTaken();
        TestPlayRunning = 1;
        m_System.SetActiveWindow(MainWindow.Handle());
        ASSERT_TRUE(MainWindow.StartGame(path)) << end;
        EXPECT_TRUE(PumpUntil([] { return TestPlayRunning == 0; })) << end;
        EXPECT_EQ(m_System.ActiveWindow(), CurrentView->ViewWindow()) << end;
        EXPECT_EQ(m_Folder.ReadText("seen"), "5\n") << end;
        // Its start report came, and changed nothing.
        EXPECT_TRUE(PumpUntil([&] { return MainWindow.ReportsTaken() >= reports + 1; })) << end;
    }
}

TEST_F(TestPlayTest, TheSearchSkipsTheEditorAndFallsBackOnTheGameBesideIt)
{
    fs::copy_file(TK_EDITOR_PROGRAM, "a_editor");
    fs::copy_file(TK_FAKE_OTHER, "b_other");
    std::string path = "stale";
    EXPECT_EQ(FindGameInFolder(path), 0);
    EXPECT_EQ(path, "");

    fs::create_directories("bin");
    fs::copy_file(TK_FAKE_GAME, fs::path("bin") / kGameProgramName);
    SetGameCompanionFolder(platform::FromUtf8((m_Folder.Path() / "bin").string()));
    EXPECT_EQ(FindGameInFolder(path), 1);
    EXPECT_EQ(path, platform::FromUtf8((m_Folder.Path() / "bin").string()) + "\\" + kGameProgramName);

    // A game of the project folder comes first.
    fs::copy_file(TK_FAKE_GAME, "c_game");
    EXPECT_EQ(FindGameInFolder(path), 1);
    EXPECT_EQ(path, "c_game");
    SetGameCompanionFolder("");
}

} // namespace
