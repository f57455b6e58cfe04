#pragma once

// The editor's main window: a hidden top-level window (class and title
// "Tarnwick", never shown to the author) that owns the view the author works
// in, ends the editor, and is the window the game's test-play reports reach.
//
// - Closing it (Esc while it has the focus, a close request from the view or
//   from a failure) asks "終了しますか？"; only Yes ends the editor. A
//   termination signal ends it without asking.
// - When the editor is activated, the view (or the world-map editor window
//   the view holds open, while that is in front) that hid itself when
//   minimised is shown again with its palettes.
// - Test play: the stage editor starts the game through StartGame. The game's
//   end report (kind 0 with a non-zero value) brings the view to the front and
//   clears TestPlayRunning; a game that ends without it (crashed, killed)
//   clears it too. Other reports are ignored: the start report (kind 1), one
//   shorter than its 4-byte value, and kind 0 with the value 0, which no
//   program of this system sends.
//
// The game program to start is the one FindGameExecutable (common/project)
// gives by EditConfig's settings.

#include "common/window/WindowBase.h"
#include "editor/framework/EditorView.h"
#include "editor/framework/TestPlayWatch.h"

#include <functional>
#include <memory>
#include <string>

// Non-zero while a game started for a test play runs: the editor does no idle work meanwhile.
extern int TestPlayRunning;

// The messages of the main window's own.
enum : uint32_t
{
    kWmTestPlayEvents = platform::kWmUser + 0x100, // the test-play watch has events waiting
    kWmTerminate = platform::kWmUser + 0x101,      // a termination signal: end without asking
    kWmRecreateView = platform::kWmUser + 0x102,   // RecreateStageView, asked for by the view itself
};

// The view modes: which editor is in front.
enum : int
{
    kViewModeStage = 0,
    kViewModeWorldMap = 2,
};

class EditorMainWindow : public FrameWindow
{
public:
    // Makes the view the main window shows, constructed with the main window
    // as its parent (not yet run).
    using ViewFactory = std::function<std::unique_ptr<EditorView>(platform::WindowHandle parent)>;

    EditorMainWindow() = default;
    ~EditorMainWindow() override;

    // The window class's procedure: forwards to MainWindow.
    static intptr_t StaticWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);

    // FrameWindow::Init with the static procedure.
    void Init(int resourceId, platform::WindowHandle parent, EditorApp* app);
    // Makes the hidden window off screen with a client area of 1 x 1 pixel. 1 when it was made.
    int CreateHidden();

    void OnCreate(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // A test-play report as the game sends it.
    void OnCopyData(uintptr_t wParam, const platform::CopyData* data);

    // Deletes the view there is, makes a new one and runs it modeless. The new
    // view, or null when it could not be made. A view whose making ended the
    // editor (the main window is gone) is not run.
    EditorView* CreateStageView();
    // Deletes the view (its window goes with it).
    void DeleteView();
    EditorView* View() const { return m_pView.get(); }
    // How views are made; without a factory, the stage editor window.
    void SetViewFactory(ViewFactory factory) { m_ViewFactory = std::move(factory); }

    // Listens for the game's reports on the editor's endpoint. False when no game can reach the editor.
    bool ListenForTestPlay();
    // Starts the game program (stored path, as FindGameExecutable gives it)
    // for a test play and watches it. False when it cannot be started. The
    // caller sets and clears TestPlayRunning by the launch's rules.
    bool StartGame(const std::string& path);
    // Stops listening and watching (shut-down).
    void CloseTestPlay();
    TestPlayWatch& TestPlayLink() { return m_TestPlay; }
    // Reports taken from the link so far, acted on or not.
    int ReportsTaken() const { return m_nReportsTaken; }

    // Forgets the window and the view: the next start-up begins afresh.
    void Reset();

    int m_bCreated = 0;
    int m_nViewMode = kViewModeStage;

private:
    void OnActivateApp(bool active);
    void TakeTestPlayEvents();
    // The end of a test play: the view in front, the flag cleared.
    void EndTestPlay();

    std::unique_ptr<EditorView> m_pView;
    ViewFactory m_ViewFactory;
    TestPlayWatch m_TestPlay;
    int m_nGameProcess = 0; // the game started last
    int m_nReportsTaken = 0;
};

extern EditorMainWindow MainWindow;

// A fresh view for a new or opened stage: the old view goes, the stage edit
// state and the map cursor are reset, the new view becomes the current view,
// opens its map-chip palette and gets the keyboard focus. A view asks for it
// by posting kWmRecreateView to the main window, since it cannot delete itself
// inside its own handler.
void RecreateStageView();
