#include "editor/framework/EditorProgram.h"

#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "common/window/EditorApp.h"
#include "common/window/WindowBase.h"
#include "editor/framework/EditorMainWindow.h"
#include "platform/core/DescriptorWatch.h"
#include "platform/core/Files.h"
#include "platform/core/SingleInstance.h"
#include "platform/core/TerminationSignals.h"

#include <atomic>
#include <unistd.h>

namespace
{

// Turns termination signals into a close of the main window without asking.
class TerminationWatch
{
public:
    explicit TerminationWatch(std::function<void()> dismissNativeBoxes)
    {
        if (!platform::CatchTerminationSignals())
        {
            return;
        }
        m_Watch.Add(platform::TerminationDescriptor(), [this, dismiss = std::move(dismissNativeBoxes)] {
            if (platform::TakeTerminationSignals())
            {
                m_bRequested = true;
                platform::PostWindowMessage(MainWindow.Handle(), kWmTerminate, 0, 0);
                if (dismiss)
                {
                    dismiss();
                }
            }
        });
    }
    ~TerminationWatch()
    {
        m_Watch.Stop();
        platform::ReleaseTerminationSignals();
    }
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

    // Whether a signal came (one that came before the main window existed reached no window).
    bool Requested() const { return m_bRequested; }

private:
    std::atomic<bool> m_bRequested{false};
    platform::DescriptorWatch m_Watch;
};

} // namespace

void ChooseWorkingFolder(std::string_view developmentFolder)
{
    if (developmentFolder.empty() || platform::CurrentFolder() != developmentFolder)
    {
        return;
    }
    if (::chdir(platform::DiskPath("..\\Game").c_str()) != 0)
    {
        WriteErrorLog("SetCurrentDirectory失敗？");
    }
}

bool EditorIdle()
{
    if (TestPlayRunning != 0 || AppActive == 0)
    {
        return false;
    }
    App.OnIdle();
    // Nothing waits for the next step: the loop sleeps until a message comes,
    // after which the step runs again.
    return App.WantsIdle();
}

int RunEditorLoop(platform::WindowSystem& system)
{
    return system.RunMessageLoop(&EditorIdle, [](const platform::WindowMessage& message) {
        return App.PreTranslateMessage(message) != 0;
    });
}

int RunEditor(const EditorPlatform& platform, const EditorProgramOptions& options)
{
    // From here to the end a signal ends the editor in its own order, the
    // boxes of the start-up and the shut-down's saves included.
    TerminationWatch termination(options.m_DismissNativeBoxes);
    ChooseWorkingFolder(options.m_strDevelopmentFolder);
    InitErrorLog(0, "EC_Editor.txt");
    if (!OpenReportLog("Report_Editor.txt"))
    {
        return 0;
    }
    WriteReport("App : ver %s", kEditorVersion);
    WriteSystemReport();

    platform::SingleInstanceLock instance;
    switch (instance.Acquire(kEditorInstanceName))
    {
    case platform::SingleInstanceLock::Result::Acquired:
        break;
    case platform::SingleInstanceLock::Result::HeldElsewhere:
        ShowMessageBox(nullptr, "既に起動しています", "二重起動", platform::kMbOk);
        return 0;
    case platform::SingleInstanceLock::Result::Unavailable:
        // Nothing is known of other copies: this one runs.
        break;
    }
    if (!platform.m_pWindows)
    {
        return 0;
    }
    AppWindowSystem = platform.m_pWindows;
    if (!EditorStartup(platform))
    {
        return 0;
    }
    if (termination.Requested())
    {
        platform::PostWindowMessage(MainWindow.Handle(), kWmTerminate, 0, 0);
    }
    const int code = RunEditorLoop(*platform.m_pWindows);
    EditorShutdown();
    instance.Release();
    return code;
}
