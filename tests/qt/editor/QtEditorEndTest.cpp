// The whole editor program in-process on real Qt boxes (offscreen), ended by
// a termination signal while its start-up still waits on a box, before its
// main window exists.
#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorProgram.h"
#include "platform/core/FatalHooks.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/editor/framework/EditorProject.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

// Long enough for a loaded machine; the test fails, not hangs, when it passes.
constexpr int kPatience = 30000; // milliseconds

TEST(QtEditorEndTest, ASignalWhileAStartUpBoxWaitsEndsTheEditorWithItsSaves)
{
    RuntimeFolderScope runtime;
    TempFolder folder;
    PrepareEditorProject(folder.Path());
    // A damaged file: the start-up names it in a box of its own before it makes the main window.
    folder.WriteFile("data/database/Item.dat", ByteBuilder().Int(276).Int(1).Data());

    platform::QtWindowSystem windows;
    platform::QtDialogs dialogs(windows);
    platform::DialogService* previous = platform::SetDialogService(&dialogs);
    EditorPlatform editor;
    editor.m_pWindows = &windows;
    EditorProgramOptions options;
    options.m_DismissNativeBoxes = [&] { windows.CallOnMainThread([&] { dialogs.EndAll(); }); };

    // The first box of the start-up (without an Ogg library: "oggの初期化に失敗！")
    // waits on the author; the signal comes while it does.
    bool signalled = false;
    bool mainWindowThen = true;
    QString boxesAfter;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&]
                     {
                         auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                         if (!box || box->property("seen").toBool())
                         {
                             return;
                         }
                         box->setProperty("seen", true);
                         if (signalled)
                         {
                             boxesAfter += box->text() + "\n";
                             return;
                         }
                         signalled = true;
                         mainWindowThen = static_cast<bool>(MainWindow.Handle());
                         ::kill(::getpid(), SIGTERM);
                     });
    watch.start(10);
    // Should the signal not end it, the boxes go and the editor is told to end
    // all the same, so that the test fails instead of waiting for ever.
    bool rescued = false;
    QTimer rescue;
    QObject::connect(&rescue, &QTimer::timeout,
                     [&]
                     {
                         rescued = true;
                         dialogs.EndAll();
                         platform::PostWindowMessage(MainWindow.Handle(), kWmTerminate, 0, 0);
                     });
    rescue.start(kPatience);

    const int code = RunEditor(editor, options);
    watch.stop();
    rescue.stop();
    platform::SetDialogService(previous);
    AppWindowSystem = nullptr;

    EXPECT_TRUE(signalled);
    EXPECT_FALSE(mainWindowThen);
    EXPECT_FALSE(rescued);
    // The start-up ran on to its end, and the box of the damaged file after it never showed.
    EXPECT_EQ(boxesAfter.toStdString(), "");
    EXPECT_TRUE(fs::exists("data/database/Item.dat.damaged"));
    EXPECT_EQ(code, 0);
    // It got as far as its data: the shut-down wrote its two files.
    EXPECT_TRUE(fs::exists("data/EditConfig.dat"));
    EXPECT_TRUE(fs::exists("data/GValInfo.dat"));
    EXPECT_FALSE(MainWindow.Handle());
    ResetProjectData();
    platform::ClearFatalError();
}

} // namespace
