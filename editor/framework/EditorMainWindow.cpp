#include "editor/framework/EditorMainWindow.h"

#include "common/data/ProjectData.h"
#include "common/services/MessageBoxes.h"
#include "editor/stage/StageEditState.h"
#include "editor/stage/StageEditorWindow.h"
#include "platform/core/ByteOrder.h"
#include "platform/core/Files.h"

#include <chrono>
#include <new>
#include <thread>

int TestPlayRunning = 0;
EditorMainWindow MainWindow;

namespace
{

constexpr int kHiddenPosition = 9999;

} // namespace

EditorMainWindow::~EditorMainWindow()
{
    CloseTestPlay();
}

intptr_t EditorMainWindow::StaticWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                            intptr_t lParam)
{
    return MainWindow.WindowProc(window, message, wParam, lParam);
}

void EditorMainWindow::Init(int resourceId, platform::WindowHandle parent, EditorApp* app)
{
    FrameWindow::Init(resourceId, parent, app, &EditorMainWindow::StaticWindowProc);
}

int EditorMainWindow::CreateHidden()
{
    SetLayout(1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0);
    return Create(platform::kEditorWindowTitle, kHiddenPosition, kHiddenPosition, nullptr,
                  platform::kEditorWindowClass);
}

void EditorMainWindow::OnCreate(uintptr_t wParam, intptr_t lParam)
{
    FrameWindow::OnCreate(wParam, lParam);
    m_bCreated = 1;
}

intptr_t EditorMainWindow::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    switch (message)
    {
    case platform::kWmDestroy:
        if (platform::WindowSystem* system = platform::SystemOfWindow(window))
        {
            system->PostQuit(0);
        }
        return 0;
    // The hidden window is never restored, moved or closed through its system menu.
    case platform::kWmMove:
    case platform::kWmSysCommand:
    case platform::kWmMouseMove:
    case platform::kWmLButtonDown:
    case platform::kWmRButtonDown:
        return 0;
    case platform::kWmClose:
        if (ConfirmQuit(window))
        {
            platform::SystemOfWindow(window)->DestroyWindow(window);
        }
        return 0;
    case platform::kWmActivateApp:
        OnActivateApp(wParam != 0);
        return 0;
    case platform::kWmCopyData:
        OnCopyData(wParam, reinterpret_cast<const platform::CopyData*>(lParam));
        return 0;
    case platform::kWmKeyDown:
        if (wParam == platform::kVkEscape)
        {
            platform::PostWindowMessage(window, platform::kWmClose, 0, 0);
        }
        return 0;
    case kWmTestPlayEvents:
        TakeTestPlayEvents();
        return 0;
    case kWmRecreateView:
        RecreateStageView();
        return 0;
    case kWmTerminate:
        // As closing it would, without asking: the shut-down follows the loop's end.
        platform::SystemOfWindow(window)->DestroyWindow(window);
        return 0;
    default:
        return handled ? 0 : platform::DefWindowProc(window, message, wParam, lParam);
    }
}

void EditorMainWindow::OnActivateApp(bool active)
{
    if (!active || !m_pView)
    {
        return;
    }
    if (m_nViewMode == kViewModeStage)
    {
        m_pView->ShowIfHidden();
    }
    else if (m_nViewMode == kViewModeWorldMap)
    {
        if (EditorWindow* worldMap = m_pView->WorldMapWindow())
        {
            worldMap->ShowIfHidden();
        }
    }
}

void EditorMainWindow::OnCopyData(uintptr_t, const platform::CopyData* data)
{
    if (!data || data->m_nData != platform::kTestPlayEnd || data->m_nBytes < 4 || !data->m_pBytes)
    {
        return;
    }
    int32_t value = static_cast<int32_t>(platform::ReadLe32(static_cast<const unsigned char*>(data->m_pBytes)));
    if (value != 0)
    {
        EndTestPlay();
    }
}

void EditorMainWindow::EndTestPlay()
{
    if (CurrentView)
    {
        if (platform::WindowSystem* system = platform::SystemOfWindow(CurrentView->ViewWindow()))
        {
            system->SetActiveWindow(CurrentView->ViewWindow());
        }
    }
    TestPlayRunning = 0;
}

void EditorMainWindow::TakeTestPlayEvents()
{
    TestPlayWatch::Events events = m_TestPlay.TakeEvents();
    platform::WindowHandle self = Handle();
    for (const platform::TestPlayReport& report : events.m_Reports)
    {
        // Each report reaches the window as the game's message would.
        platform::CopyData data;
        data.m_nData = report.m_nKind;
        data.m_nBytes = static_cast<uint32_t>(report.m_Bytes.size());
        data.m_pBytes = report.m_Bytes.data();
        platform::SendWindowMessage(self, platform::kWmCopyData, 0, reinterpret_cast<intptr_t>(&data));
        ++m_nReportsTaken;
    }
    for (int game : events.m_EndedGames)
    {
        // A game that crashed or was killed sends no end report: its end is the end of the test play.
        if (game == m_nGameProcess)
        {
            m_nGameProcess = 0;
            if (TestPlayRunning)
            {
                EndTestPlay();
            }
        }
    }
}

EditorView* EditorMainWindow::CreateStageView()
{
    DeleteView();
    try
    {
        m_pView = m_ViewFactory ? m_ViewFactory(Handle()) : std::make_unique<StageEditorWindow>(Handle());
    }
    catch (const std::bad_alloc&)
    {
        m_pView.reset();
    }
    if (!m_pView)
    {
        ShowOutOfMemory();
        return nullptr;
    }
    if (!Handle())
    {
        return m_pView.get();
    }
    m_pView->RunModeless(0);
    return m_pView.get();
}

void EditorMainWindow::DeleteView()
{
    if (CurrentView && m_pView && CurrentView == static_cast<AppView*>(m_pView.get()))
    {
        CurrentView = nullptr;
    }
    m_pView.reset();
}

bool EditorMainWindow::ListenForTestPlay()
{
    m_TestPlay.SetNotify(Handle(), kWmTestPlayEvents);
    return m_TestPlay.Listen(platform::EditorEndpoint());
}

bool EditorMainWindow::StartGame(const std::string& path)
{
    m_TestPlay.SetNotify(Handle(), kWmTestPlayEvents);
    int process = m_TestPlay.Launch(platform::DiskPath(path));
    if (process == 0)
    {
        return false;
    }
    m_nGameProcess = process;
    return true;
}

void EditorMainWindow::CloseTestPlay()
{
    m_TestPlay.Close();
    m_nGameProcess = 0;
}

void EditorMainWindow::Reset()
{
    CloseTestPlay();
    DeleteView();
    if (platform::WindowSystem* system = platform::SystemOfWindow(Handle()))
    {
        system->DestroyWindow(Handle());
    }
    m_hWnd = nullptr;
    m_bCreated = 0;
    m_nViewMode = kViewModeStage;
    m_nReportsTaken = 0;
}

void RecreateStageView()
{
    MainWindow.DeleteView();
    StageEdit.Reset(Stage);
    StageEdit.m_MapCursor.Reset();
    EditorView* view = MainWindow.CreateStageView();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    CurrentView = view;
    if (view)
    {
        view->OpenMapChipPalette();
        view->MakeActive();
    }
}
