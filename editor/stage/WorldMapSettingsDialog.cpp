#include "editor/stage/WorldMapSettingsDialog.h"

#include "common/services/DialogItems.h"
#include "common/services/Paths.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/WorldMapView.h"
#include "platform/window/ControlMessages.h"

#include <algorithm>

namespace
{

constexpr int kColourEdit = 4; // the binding the colour sample reads
constexpr int kSampleSize = 32;
constexpr int kMinBackColour = 16;
constexpr int kMaxBackColour = 184;

} // namespace

int RunWorldMapSettingsDialog(std::unique_ptr<WorldMapSettingsDialog>& holder, platform::WindowHandle parent,
                              WorldMapRecord& map)
{
    return RunOwnedModal(holder, 0, parent, &App, map);
}

WorldMapSettingsDialog::WorldMapSettingsDialog(platform::WindowHandle parent, EditorApp* app, WorldMapRecord& map)
    : m_Map(map), m_NumberEdits(5), m_TextEdits(1), m_CheckBoxes(1)
{
    UseClassProcedure(this);
    Init(kDialogWorldMapSettings, parent, 0, kWindowDialog, app);
    m_nWidth = map.m_nWidth;
    m_nHeight = map.m_nHeight;
    // A map loaded larger than the sides offered here keeps its size (and a
    // start on it) unless the author types a smaller one.
    m_nMaxWidth = std::max(kMaxWorldMapWidth, m_nWidth);
    m_nMaxHeight = std::max(kMaxWorldMapHeight, m_nHeight);
    m_NumberEdits.At(0).Binding().Set(kIdWorldWidth, &m_nWidth, 1, m_nMaxWidth, 0, kIdWorldWidthSpin, 1);
    m_NumberEdits.At(1).Binding().Set(kIdWorldHeight, &m_nHeight, 1, m_nMaxHeight, 0, kIdWorldHeightSpin, 1);
    m_NumberEdits.At(2).Binding().Set(kIdWorldStartX, &map.m_nStartX, 0, m_nMaxWidth - 1, 0, kIdWorldStartXSpin, 1);
    m_NumberEdits.At(3).Binding().Set(kIdWorldStartY, &map.m_nStartY, 0, m_nMaxHeight - 1, 0, kIdWorldStartYSpin, 1);
    m_NumberEdits.At(kColourEdit)
        .Binding()
        .Set(kIdWorldBackColour, &map.m_nBackColor, kMinBackColour, kMaxBackColour, 0, kIdWorldBackColourSpin, 1);
    m_TextEdits.At(0).Binding().Set(kIdWorldBackImage, &map.m_strBackImage, kMaxPathBytes, 0);
    m_CheckBoxes.At(0).Binding().Set(kIdWorldUseBackImage, &map.m_bUseBackImage);
    m_Sample.Binding().Set(kIdWorldColourSample, kSampleSize, kSampleSize);
}

WorldMapSettingsDialog::~WorldMapSettingsDialog() = default;

int WorldMapSettingsDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    AttachControls(m_NumberEdits);
    AttachControls(m_TextEdits);
    AttachControls(m_CheckBoxes);
    m_Sample.Attach(this, m_Sample.Binding());
    BindControl(&m_Sample);
    DataToControls();
    SetInitialised(1);
    UpdateColourSample();
    return 0;
}

void WorldMapSettingsDialog::UpdateColourSample()
{
    if (!m_Sample.Handle() || !m_Sample.Canvas().IsCreated())
    {
        return;
    }
    m_Sample.Canvas().Clear(PaletteColour(m_NumberEdits.At(kColourEdit).GetValue()));
    m_Sample.Present();
}

void WorldMapSettingsDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    switch (id)
    {
    case kIdDialogOk:
        ControlsToData();
        // The grid is laid out from the size it has to the new one, so every chip keeps its (x, y).
        m_Map.Resize(std::clamp(m_nWidth, 1, m_nMaxWidth), std::clamp(m_nHeight, 1, m_nMaxHeight));
        if (!m_Map.m_strBackImage.empty())
        {
            EditorBitmapFiles[kBitmapWorldBack].m_strPath = m_Map.m_strBackImage;
            LoadEditorBitmap(kBitmapWorldBack);
        }
        Close(1);
        return;
    case kIdDialogCancel:
        Close(0);
        return;
    case kIdWorldBackImageBrowse:
        if (code == platform::kBnClicked)
        {
            BrowseBackImage();
        }
        return;
    case kIdWorldBackColour:
        if (code == platform::kEnChange || code == platform::kEnUpdate)
        {
            UpdateColourSample();
        }
        return;
    default:
        return;
    }
}

void WorldMapSettingsDialog::BrowseBackImage()
{
    std::string path;
    if (OpenFileDialog(Handle(), path, kMaxPathBytes, "bmp\\", "背景画像の選択",
                       FileDialogFilter("BitmapFile ( *.bmp )", "*.bmp"), "bmp", 0, nullptr) &&
        MakeRelativePath(path))
    {
        SetDlgItemString(Handle(), kIdWorldBackImage, path);
    }
}

intptr_t WorldMapSettingsDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                            intptr_t lParam)
{
    return CloseAndRedraw(window, message, wParam, lParam);
}
