#include "editor/database/EffectRecordPage.h"

namespace
{

constexpr std::string_view kWaveFilter("WaveFile ( *.wav )\0*.wav\0\0", 26);

} // namespace

std::vector<std::string> AttributeItems()
{
    std::vector<std::string> items = EntryNames(System.m_Attribute);
    if (!items.empty())
    {
        items[0] = "なし";
    }
    return items;
}

std::vector<std::string> EffectGraphicItems(int bitmapHeight)
{
    std::vector<std::string> items;
    for (int v = 0; v < bitmapHeight / kEffectStripHeight; ++v)
    {
        std::string text;
        FormatPaddedNumber(text, v, 0, false);
        items.push_back(text);
    }
    return items;
}

bool BrowseEffectSound(platform::WindowHandle page, int editId)
{
    std::string path;
    if (!OpenFileDialog(page, path, kMaxPathBytes, "wave\\SkillAndItem\\", "効果音の選択", kWaveFilter, "wav", 0,
                        nullptr))
    {
        return true;
    }
    if (!MakeRelativePath(path))
    {
        return false;
    }
    // The edit's change stores the path like typed text.
    SetDlgItemString(page, editId, path);
    return true;
}

void PlayEffectSound(const std::string& path)
{
    if (path.empty())
    {
        return;
    }
    if (!EditorSounds.ChangeSound(kSoundPreviewEntry, "waveaudio", path))
    {
        ShowErrorF("%sが読み込めません！", path.c_str());
        return;
    }
    EditorSounds.Play(nullptr, kSoundPreviewEntry, 0, 0, 0);
}
