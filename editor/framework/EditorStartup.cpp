#include "editor/framework/EditorStartup.h"

#include "common/graphics/DibBitmap.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "common/sound/BgmManager.h"
#include "common/sound/SoundBuffers.h"
#include "editor/framework/EditorMainWindow.h"
#include "editor/framework/KeyboardHook.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/Files.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <string>
#include <vector>

PaletteEntries ConversionPalette{};
bool ConversionPaletteLoaded = false;
MciPlayer EditorSounds;

namespace
{

// The text of the editor's bitmaps (the stage numbers of the world map), in
// the font the game's tools draw with; opened once per process.
platform::FreeTypeRasterizer EditorText;

void InstallText()
{
    if (!EditorText.IsOpen() && !EditorText.Open())
    {
        WriteReport("フォント %s を開けません", platform::kDefaultFontFile);
        return;
    }
    SetTextRasterizer(&EditorText);
}

// The sounds in the order of the EditorSound numbers.
const std::vector<std::string> kEditorSoundFiles = {"wave\\決定.wav", "wave\\キャンセル.wav", "wave\\エラー.wav",
                                                     "wave\\コピー.wav", "wave\\free.wav"};

void LoadPalettes()
{
    if (!LoadGlobalPalette("bmp\\Palette.bmp"))
    {
        WriteReport("%s のロードに失敗！", "bmp\\Palette.bmp");
    }
    const uint8_t entryZero[3] = {GlobalPalette[0], GlobalPalette[1], GlobalPalette[2]};
    FindTransparentIndex(entryZero);
    ConversionPaletteLoaded = ReadBmpPalette(ConversionPalette, kConversionPaletteFile) != 0;
    if (!ConversionPaletteLoaded)
    {
        WriteReport("%s のロードに失敗！", kConversionPaletteFile);
    }
}

void StartSound(const EditorPlatform& platform)
{
    Bgm.SetDevices(platform.m_pOggFactory, platform.m_pMidiDevice);
    Bgm.Init(1, {"bgm\\Free.ogg"}, {"bgm\\Free.mid"}, 1);
    EditorSounds.SetDevice(platform.m_pMciDevice);
    EditorSounds.Open("waveaudio", kEditorSoundFiles);
}

// Before the devices go: nothing may play on them any more.
void ReleaseSound()
{
    EditorSounds.Close();
    EditorSounds.SetDevice(nullptr);
    Bgm.Release();
    Bgm.SetDevices(nullptr, nullptr);
}

// Keeps every file that did not load whole beside it now, before anything
// can be saved over it, and names each with its copy in one box; nothing when
// every file loaded or was missing.
void ReportDamagedFiles(std::vector<ProjectFileStatus> files)
{
    KeepDamagedFiles(files);
    std::string list;
    for (const ProjectFileStatus& file : files)
    {
        if (file.m_Result != LoadResult::Corrupt)
        {
            continue;
        }
        list += "\n" + file.m_strPath;
        if (!file.m_strDamagedCopy.empty())
        {
            list += " → " + file.m_strDamagedCopy;
        }
        else if (!file.m_strKeepError.empty())
        {
            list += " （残せません: " + file.m_strKeepError + "）";
        }
    }
    if (list.empty())
    {
        return;
    }
    ShowMessageBox(nullptr,
                   "次のファイルは壊れているため、すべてを読み込めませんでした。\n"
                   "上書きして保存する前に、それぞれ右の名前で残しました。\n" +
                       list,
                   "読み込みエラー", platform::kMbOk | platform::kMbIconWarning);
}

// Failures of the shared code end the editor through its main window.
void InstallCloseHooks()
{
    platform::SetDestroyMainWindowHook([] {
        if (platform::WindowSystem* system = platform::SystemOfWindow(MainWindow.Handle()))
        {
            system->DestroyWindow(MainWindow.Handle());
        }
    });
    platform::SetPostCloseHook([] { platform::PostWindowMessage(MainWindow.Handle(), platform::kWmClose, 0, 0); });
}

} // namespace

bool EditorStartup(const EditorPlatform& platform)
{
    CurrentVersion = kDataFormatVersion;
    InstallText();
    LoadPalettes();
    StartSound(platform);
    ReportDamagedFiles(LoadProjectData());

    MainWindow.SetWindowSystem(platform.m_pWindows);
    MainWindow.Init(0, nullptr, &App);
    if (!MainWindow.CreateHidden())
    {
        ShowOutOfMemory();
        ReleaseSound();
        return false;
    }
    InstallCloseHooks();
    if (!MainWindow.ListenForTestPlay())
    {
        WriteReport("テストプレイの報告を受け取れません");
    }
    CurrentView = MainWindow.CreateStageView();
    if (EditorView* view = MainWindow.View())
    {
        view->OpenMapChipPalette();
        view->MakeActive();
    }
    return true;
}

void EditorShutdown()
{
    // The editor's own files go into the project's data folder, made when it is missing.
    platform::CreateFolders("data");
    SaveShutDownData();
    DS_Release();
    ReleaseSound();
    KeyboardHook::UninstallAll();
    SetTextRasterizer(nullptr);

    MainWindow.Reset();
    CurrentView = nullptr;
    TestPlayRunning = 0;
    platform::SetDestroyMainWindowHook(nullptr);
    platform::SetPostCloseHook(nullptr);
}
