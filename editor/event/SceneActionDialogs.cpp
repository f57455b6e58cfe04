#include "editor/event/SceneActionDialogs.h"

#include "editor/event/EventGraphics.h"
#include "editor/framework/MusicFileField.h"
#include "platform/window/ControlMessages.h"

namespace
{

constexpr int kMusicPathLength = 260;

} // namespace

// ---- the graphic ----

GraphicChangeDialog::GraphicChangeDialog(const ActionEditContext& context)
    : EventActionDialog(kIdGraphicChangeDialog, context), m_GraphicNames(EventGraphicNames(context.m_pEventBitmap))
{
    UseClassProcedure(this);
    AddComboBox(kIdGraphicChoice, 0, &m_GraphicNames, 0);
    m_Previews.emplace_back().Binding().Set(kIdGraphicPreview, kEventGraphicSide, kEventGraphicSide);
}

void GraphicChangeDialog::OnPaint()
{
    if (IsInitialised())
    {
        ShowEventGraphic(Preview(), m_Context.m_pEventBitmap,
                         ControlById(m_ComboBoxes, kIdGraphicChoice).GetSelectedData());
    }
}

// ---- the music ----

BgmChangeDialog::BgmChangeDialog(const ActionEditContext& context) : EventActionDialog(kIdBgmChangeDialog, context)
{
    UseClassProcedure(this);
    m_TextEdits.emplace_back().Binding().Set(kIdBgmFile, &Command().m_StrParam.At(0).m_str, kMusicPathLength, 0);
    AddComboBox(kIdBgmScene, 0, BgmSceneNames, 0);
    m_PlainControls.push_back(PlainControl(kIdBgmBrowse));
    m_PlainControls.push_back(PlainControl(kIdBgmPlay));
}

void BgmChangeDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    EventActionDialog::OnCommand(wParam, lParam);
    if (HasEnded() || !CanHandleNotify(wParam) || platform::HighWord(wParam) != platform::kBnClicked)
    {
        return;
    }
    switch (platform::LowWord(wParam))
    {
    case kIdBgmBrowse:
        BrowseMusicFile(Handle(), kIdBgmFile, kMusicPathLength);
        break;
    case kIdBgmPlay:
        PlayMusicFile(Handle(), kIdBgmFile, kMusicPathLength);
        break;
    default:
        break;
    }
}
