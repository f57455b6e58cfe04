#pragma once

// The editor program from its entry to its end, on a window system and sound
// devices its caller makes (the Qt ones in the program, the dummy in tests):
//
// 1. The working folder: an editor started in the development folder (a
//    build setting; none by default) moves to "..\Game"; any other stays
//    where it was started, which is the project folder.
// 2. The logs: no error log ("EC_Editor.txt" is never written); the report
//    log "Report_Editor.txt" with "App : ver 276" and the system report. A
//    report log that cannot be made ends the editor with 0.
// 3. One editor per user: a second one shows "既に起動しています" /
//    "二重起動" and ends with 0, the first going on untouched.
// 4. Start-up, the message loop, shut-down; the result is the loop's quit
//    code (0 once the main window is gone).
//
// The loop hands every message to EditorApp::PreTranslateMessage first, and
// runs the idle step whenever the queue is empty while the editor is the
// active application and no test play runs. It polls on at once only while a
// window asks for idle work (WindowBase::WantsIdle); otherwise, and while a
// test play runs or another application is active, it sleeps until a message
// comes, so an idle editor uses no processor time. A termination signal (SIGTERM, SIGINT) ends the editor as
// closing it would, without asking: the shut-down saves run. It may come at
// any moment: one that comes before the main window exists is kept until the
// start-up has made it, and from the signal on the native boxes go and no
// more are shown (m_DismissNativeBoxes), so that a start-up waiting on one
// runs on to its end.

#include "editor/framework/EditorStartup.h"

#include <functional>
#include <string>
#include <string_view>

// The version the editor writes into its report log.
inline constexpr const char* kEditorVersion = "276";
// The name of the editor's single-instance lock.
inline constexpr std::string_view kEditorInstanceName = "エディター";

struct EditorProgramOptions
{
    // The development folder of step 1 (CP932); empty: none.
    std::string m_strDevelopmentFolder;
    // Run when a termination signal arrives (on another thread), after the
    // main window was told to go: closes what the window system cannot (a
    // native message box) and keeps any more from showing.
    std::function<void()> m_DismissNativeBoxes;
};

// The whole program; its exit code.
int RunEditor(const EditorPlatform& platform, const EditorProgramOptions& options = {});

// Step 1: moves to "..\Game" when the current folder is the development folder.
void ChooseWorkingFolder(std::string_view developmentFolder);

// The loop until the quit; the quit's code.
int RunEditorLoop(platform::WindowSystem& system);
// What the loop does when its queue is empty: the idle step when the editor
// is active and no test play runs, else nothing. True: poll again at once (a
// window asks for idle work); false: wait for a message.
bool EditorIdle();
