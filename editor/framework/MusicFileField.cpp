#include "editor/framework/MusicFileField.h"

#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "common/sound/BgmManager.h"

#include <string>

void BrowseMusicFile(platform::WindowHandle dialog, int editId, int bufferSize)
{
    using namespace std::string_literals;
    std::string path;
    if (!OpenFileDialog(dialog, path, bufferSize, "bgm\\", "BGMの選択", "BgmFile ( *.mid;*.ogg )\0*.mid;*.ogg\0"s,
                        "mid;ogg", 0, nullptr))
    {
        return;
    }
    if (!MakeRelativePath(path))
    {
        return;
    }
    SetDlgItemString(dialog, editId, path);
}

void PlayMusicFile(platform::WindowHandle dialog, int editId, int bufferSize)
{
    std::string path;
    GetDlgItemString(dialog, editId, path, bufferSize);
    if (path.empty())
    {
        return;
    }
    Bgm.SetTrackFile(0, path);
    if (!Bgm.Play(0, 0, 0, 1))
    {
        ShowErrorF("読み込み失敗！");
    }
}
