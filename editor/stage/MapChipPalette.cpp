#include "editor/stage/MapChipPalette.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/resources/WindowResources.h"
#include "editor/stage/MapMouseEvent.h"
#include "editor/stage/MapWindowParts.h"
#include "editor/stage/StageEditState.h"
#include "platform/window/ScrollBarModel.h"

#include <algorithm>

namespace
{

constexpr int kCell = kMapCellSize;
constexpr int kViewWidth = kPaletteChipsPerRow * kCell;
constexpr int kViewHeight = 256;
constexpr int kMinViewHeight = 32;
constexpr int kMaxViewHeight = 480;
constexpr int kRowsDrawn = 15;
constexpr int kVerticalBar = 2;
constexpr uint32_t kSelectionColour = 0xff007f;

// The tools of the tool bar's buttons, in the order of the tools.
constexpr int kToolCommands[kToolCount] = {kCmdToolPen, kCmdToolLine, kCmdToolRectangle, kCmdToolFill};

} // namespace

MapChipPalette::MapChipPalette(platform::WindowHandle parent, EditorSoundSink& sounds) : m_Sounds(sounds)
{
    UseClassProcedure(this);
    Init(kDialogMapChipPalette, parent, 0, kWindowDialog, &App);
    const DialogTemplate* dialog = Template();
    SetLayout(kViewWidth, kViewHeight, kViewWidth, kMinViewHeight, kViewWidth, kMaxViewHeight,
              dialog ? dialog->m_nStyle : kPaletteDialog, 0, 1, 1, 0, kVerticalBar);
}

MapChipPalette::~MapChipPalette() = default;

int MapChipPalette::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    PlaceChipView();
    BindControl(&m_Picture);
    if (platform::StatusBar* status = CreateStatusBar())
    {
        status->SetText("DLG_CHIP");
    }
    if (const ToolBarResource* bar = FindToolBarResource(kToolBarMapChipPalette))
    {
        AddToolbarButtons(bar->m_StripButtons.data(), static_cast<int>(bar->m_StripButtons.size()), bar->m_pszStrip);
    }
    UpdateToolChecks();
    UpdateScrollRange();
    DataToControls();
    SetInitialised(1);
    return 0;
}

void MapChipPalette::PlaceChipView()
{
    PlaceViewOverClient(*this);
}

void MapChipPalette::UpdateScrollRange()
{
    // A project without lands has the one empty row.
    int rows = std::max(LandTable.Count() - 1, 0) / kPaletteChipsPerRow;
    // Never taller than all the rows: the window's limit is the view's and the bars' above and below it.
    SetMaxClientSize(m_MaxClient.m_nX, std::min((rows + 1) * kCell, kMaxViewHeight) +
                                           m_nToolbarRows * kToolBarRowHeight + kStatusBarHeight);
    if (Handle())
    {
        // A taller window has shrunk to its limit where the window system keeps to it; the view follows.
        if (m_Client.m_nHeight > m_MaxClient.m_nY)
        {
            SetClientSize(m_Client.m_nWidth, m_MaxClient.m_nY);
        }
        PlaceChipView();
    }
    m_nScrollRow = 0;
    if (!m_VScroll.Handle())
    {
        return;
    }
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifRange | platform::kSifPage | platform::kSifPos;
    info.m_nMin = 0;
    info.m_nMax = rows;
    info.m_nPos = 0;
    info.m_nPage = static_cast<uint32_t>(std::max(UsableHeight() / kCell, 0));
    platform::SetScrollInfo(m_VScroll.Handle(), platform::kSbCtl, info, true);
}

void MapChipPalette::UpdateToolChecks()
{
    platform::ToolBar* bar = GetToolBar();
    if (!bar)
    {
        return;
    }
    for (int tool = 0; tool < kToolCount; ++tool)
    {
        bar->SetButtonState(kToolCommands[tool],
                            static_cast<uint8_t>(platform::ToolButton::kStateEnabled |
                                                 (StageEdit.m_nTool == tool ? platform::ToolButton::kStateChecked : 0)));
    }
}

void MapChipPalette::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    int id = platform::LowWord(wParam);
    for (int tool = 0; tool < kToolCount; ++tool)
    {
        if (id == kToolCommands[tool])
        {
            StageEdit.SetPenMode(tool);
            UpdateToolChecks();
            return;
        }
    }
}

void MapChipPalette::OnLButtonDown(uintptr_t, intptr_t lParam)
{
    m_Sounds.PlaySound(kSoundDecide);
    int x = platform::LowSigned(static_cast<uintptr_t>(lParam)) - OriginX();
    int y = platform::HighSigned(static_cast<uintptr_t>(lParam)) - OriginY();
    if (x < 0 || y < 0 || x >= UsableWidth() || y >= UsableHeight())
    {
        return;
    }
    // No test against the number of chips here: the tools refuse a chip that does not exist.
    int chip = (m_nScrollRow + y / kCell) * kPaletteChipsPerRow + x / kCell;
    StageEdit.m_nPltNum = chip;
    StageEdit.m_PickedChip[0][0] = chip;
    StageEdit.m_nBlockWidth = 1;
    StageEdit.m_nBlockHeight = 1;
}

intptr_t MapChipPalette::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam)
{
    return ChipPaletteWindowProc(*this, m_nScrollRow, window, message, wParam, lParam);
}

void MapChipPalette::OnPaint()
{
    DibBitmap& canvas = m_Picture.Canvas();
    if (!IsInitialised() || !canvas.IsCreated())
    {
        return;
    }
    canvas.Clear(0);
    const DibBitmap& chips = EditorBitmaps[kBitmapMapChip];
    int count = LandTable.Count();
    for (int row = 0; row < kRowsDrawn; ++row)
    {
        for (int column = 0; column < kPaletteChipsPerRow; ++column)
        {
            int chip = (m_nScrollRow + row) * kPaletteChipsPerRow + column;
            if (chip >= count)
            {
                break;
            }
            int n = LandTable.At(chip).m_nGraphic;
            canvas.Blt(column * kCell, row * kCell, kCell, kCell, chips, n % kPaletteChipsPerRow * kCell,
                       n / kPaletteChipsPerRow * kCell, 1);
        }
    }
    canvas.SetPen(kPenSolid, 2, kSelectionColour);
    int entry = StageEdit.m_nPltNum;
    if (entry != -1)
    {
        canvas.DrawRect(entry % kPaletteChipsPerRow * kCell, (entry / kPaletteChipsPerRow - m_nScrollRow) * kCell, kCell,
                        kCell);
    }
    canvas.DeletePen();
    m_Picture.Present();
    if (platform::StatusBar* status = GetStatusBar())
    {
        status->SetText(StatusText());
    }
}

std::string MapChipPalette::StatusText() const
{
    std::string text;
    int entry = StageEdit.m_nPltNum;
    if (entry >= 0 && entry < LandTable.Count())
    {
        FormatString(text, "%d : %s", entry + 1, LandTable.At(entry).m_strName.c_str());
    }
    return text;
}
