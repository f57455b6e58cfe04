// Draws the stage editor as it shows a project, with its map chip palette,
// into a PNG, offscreen: editorshot PROJECT OUTPUT.png [database [TAB]]
// The editor starts on a copy of the project folder (it writes its settings
// when it ends), with the project's default stage; a chip is picked on the
// palette and the pointer rests on a cell of the map. The picture shows the
// two windows side by side, each under a caption bar with its title. With
// "database", the picture is the database sheet instead, opened by the stage
// editor's command, on its first page or on the tab numbered (1 to 10).

#include "common/window/EditorApp.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/EditorStartup.h"
#include "editor/stage/MapChipPalette.h"
#include "editor/stage/StageEditorWindow.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/OggVorbisPlayer.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "WindowPicture.h"

#include <QApplication>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

constexpr int kGap = 8;

QImage SideBySide(const QImage& left, const QImage& right)
{
    QImage both(left.width() + kGap + right.width(), std::max(left.height(), right.height()), QImage::Format_RGB32);
    both.fill(QColor(58, 110, 165));
    QPainter painter(&both);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width() + kGap, 0, right);
    return both;
}

QWidget* TopLevelOf(const WindowBase& window)
{
    return static_cast<platform::QtWindow*>(window.Native())->TopLevel();
}

QString TitleOf(const WindowBase& window)
{
    return platform::FromCp932(window.Native()->Text());
}

// The database sheet the stage editor opens, on the tab of that index, framed;
// a null picture when it did not open.
QImage DatabasePicture(platform::QtWindowSystem& system, StageEditorWindow& editor, int tab)
{
    platform::SendWindowMessage(editor.Handle(), platform::kWmCommand, platform::MakeWParam(kCmdDatabase, 0), 0);
    system.PumpMessages();
    ModelessSheet* sheet = editor.OpenSheet();
    auto* window = sheet ? dynamic_cast<platform::QtWindow*>(system.Resolve(sheet->SheetWindow())) : nullptr;
    if (!window || (tab != 0 && static_cast<DatabaseSheet*>(sheet)->SelectPage(tab) != 1))
    {
        return QImage();
    }
    system.PumpMessages();
    App.OnIdle(); // the pages' previews
    return FramedGrab(window->TopLevel(), platform::FromCp932(window->Text()));
}

// Runs the editor in the current folder and draws it; 0 when the picture was written.
// A database tab of -1 draws the stage editor.
int DrawEditor(const char* output, int databaseTab)
{
    platform::QtWindowSystem system;
    AppWindowSystem = &system;
    // Music players on a mixer no device pulls: the editor's start-up finds
    // what it needs and nothing sounds.
    platform::Mixer mixer(44100);
    platform::OggVorbisPlayerFactory ogg(mixer);
    EditorPlatform platform;
    platform.m_pWindows = &system;
    platform.m_pOggFactory = &ogg;
    if (!EditorStartup(platform))
    {
        std::fprintf(stderr, "editorshot: the editor did not start\n");
        return 1;
    }
    system.SetMessageFilter([](platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
        return App.PreTranslateMessage({window, message, wParam, lParam}) != 0;
    });
    system.PumpMessages();
    StageEditorWindow* editor = CurrentStageEditor();
    MapChipPalette* palette = editor ? editor->ChipPalette() : nullptr;
    int result = 1;
    if (!editor || !palette)
    {
        std::fprintf(stderr, "editorshot: the stage editor is not there (a bitmap of the project missing?)\n");
    }
    else
    {
        // The third chip of the palette, and the pointer over a cell of the map.
        platform::SendWindowMessage(palette->Handle(), platform::kWmLButtonDown, platform::kMkLButton,
                                    platform::MakeLParam(2 * kMapCellSize + 4, palette->OriginY() + 4));
        platform::SendWindowMessage(editor->Handle(), platform::kWmMouseMove, 0,
                                    platform::MakeLParam(6 * kMapCellSize + 4, editor->OriginY() + 5 * kMapCellSize + 4));
        system.PumpMessages();
        QImage picture = databaseTab >= 0 ? DatabasePicture(system, *editor, databaseTab)
                                  : SideBySide(FramedGrab(TopLevelOf(*editor), TitleOf(*editor)),
                                               FramedGrab(TopLevelOf(*palette), TitleOf(*palette)));
        if (picture.isNull())
        {
            std::fprintf(stderr, "editorshot: the database did not open\n");
        }
        else if (picture.save(QString::fromLocal8Bit(output)))
        {
            result = 0;
        }
        else
        {
            std::fprintf(stderr, "editorshot: cannot write %s\n", output);
        }
    }
    system.SetMessageFilter(nullptr);
    EditorShutdown();
    AppWindowSystem = nullptr;
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    bool database = (argc == 4 || argc == 5) && std::string(argv[3]) == "database";
    int tab = argc == 5 ? std::atoi(argv[4]) : 1;
    if ((argc != 3 && !database) || tab < 1 || tab > kDatabasePageCount)
    {
        std::fprintf(stderr, "usage: editorshot PROJECT OUTPUT.png [database [TAB]] (TAB 1 to %d)\n",
                     kDatabasePageCount);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::error_code error;
    fs::path output = fs::absolute(argv[2], error);
    fs::path copy = fs::temp_directory_path(error) / ("editorshot-" + std::to_string(::getpid()));
    fs::remove_all(copy, error);
    fs::create_directories(copy, error);
    fs::copy(argv[1], copy / "project", fs::copy_options::recursive, error);
    if (error)
    {
        std::fprintf(stderr, "editorshot: cannot copy %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    // The copy's own runtime folder: no editor running beside it is disturbed.
    fs::create_directories(copy / "runtime", error);
    setenv("XDG_RUNTIME_DIR", (copy / "runtime").c_str(), 1);
    fs::path previous = fs::current_path();
    fs::current_path(copy / "project");
    int result = DrawEditor(output.c_str(), database ? tab - 1 : -1);
    fs::current_path(previous);
    fs::remove_all(copy, error);
    return result;
}
