// The editor: run in a project folder, it edits that project.
//
// TARNWICK_BOXES=stderr writes the message boxes to the standard error stream
// and answers them as if closed, for runs without a person (the tests).

#include "common/project/GameProgram.h"
#include "editor/framework/EditorProgram.h"
#include "platform/audio/AudioSystem.h"
#include "platform/core/Cp932.h"
#include "platform/core/TerminationSignals.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtTranslations.h"
#include "platform/qt/QtWindowSystem.h"

#include <QApplication>
#include <QWidget>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>

int main(int argc, char** argv)
{
    // A signal that comes while Qt starts waits for the editor to take it
    // (RunEditor), instead of ending the program at once. First of all, so
    // that every thread made after (Qt's, the sound's) leaves the signals to
    // the editor's watch.
    platform::CatchTerminationSignals();
    // The synthesizer's SoundFont is read while the editor starts.
    std::unique_ptr<platform::SoundFontLoad> soundFont = platform::AudioSystem::StartSoundFont();
    QApplication application(argc, argv);
    platform::InstallQtTranslations();
    // Qt took the C library's locale from the environment; numbers keep the '.' decimal point.
    std::setlocale(LC_NUMERIC, "C");
    platform::QtWindowSystem windows;
    std::unique_ptr<platform::QtDialogs> dialogs;
    const char* boxes = std::getenv("TARNWICK_BOXES");
    if (!boxes || std::string_view(boxes) != "stderr")
    {
        dialogs = std::make_unique<platform::QtDialogs>(windows);
        platform::SetDialogService(dialogs.get());
    }

    // The build puts the game program beside the editor.
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
    {
        SetGameCompanionFolder(platform::FromUtf8(self.parent_path().string()));
    }

    platform::AudioSystem audio(std::move(soundFont));
    EditorPlatform platform;
    platform.m_pWindows = &windows;
    platform.m_pOggFactory = &audio.OggFactory();
    platform.m_pMidiDevice = &audio.MidiDevice();
    platform.m_pMciDevice = &audio.MciDevice();

    EditorProgramOptions options;
    options.m_strDevelopmentFolder = TK_EDITOR_DEVELOPMENT_FOLDER;
    // A signal at any moment: the native box or dialog open then goes, and
    // none is shown after it, so that the start-up and the loop run to their end.
    options.m_DismissNativeBoxes = [&windows, &dialogs]
    {
        windows.CallOnMainThread(
            [&dialogs]
            {
                if (dialogs)
                {
                    dialogs->EndAll();
                }
                if (QWidget* box = QApplication::activeModalWidget())
                {
                    box->close();
                }
            });
    };
    int code = RunEditor(platform, options);
    platform::SetDialogService(nullptr);
    return code;
}
