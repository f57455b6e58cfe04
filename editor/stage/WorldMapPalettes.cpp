#include "editor/stage/WorldMapPalettes.h"

#include "common/data/DataFilePaths.h"
#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/resources/ListEditResources.h"
#include "editor/resources/WindowResources.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/MapMouseEvent.h"
#include "editor/stage/MapWindowParts.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "editor/stage/WorldMapView.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/ScrollBarModel.h"

#include <algorithm>

namespace
{

constexpr int kCell = kMapCellSize;
constexpr int kChipViewWidth = kWorldChipTilesPerRow * kCell;
constexpr int kChipViewHeight = 2 * kCell;
constexpr int kVerticalBar = 2;
constexpr int kPaletteBackIndex = 53;
constexpr uint32_t kSelectionColour = 0xff007f;

constexpr int kMaxTemplates = 99;
constexpr int kFreeListMode = 1;
constexpr int kListCommandSet = 1;
constexpr int kListAccelerators = 117;
constexpr int kListPopup = 116;

// The files of world palettes.
std::string PaletteFilter()
{
    return FileDialogFilter("WorldPaletteFile ( *.wplt )", "*.wplt");
}

void TemplateRowText(std::string& out, int, const WorldMapEvent& event)
{
    out = event.m_strName;
}

} // namespace

// ---- the map chips ----

WorldMapChipPalette::WorldMapChipPalette(platform::WindowHandle parent, EditorSoundSink& sounds) : m_Sounds(sounds)
{
    UseClassProcedure(this);
    Init(kDialogWorldChipPalette, parent, 0, kWindowDialog, &App);
    const DialogTemplate* dialog = Template();
    SetLayout(kChipViewWidth, kChipViewHeight, kChipViewWidth, kCell, kChipViewWidth, kChipViewHeight,
              dialog ? dialog->m_nStyle : kPaletteDialog, 0, 0, 1, 0, kVerticalBar);
}

WorldMapChipPalette::~WorldMapChipPalette() = default;

int WorldMapChipPalette::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    PlaceChipView();
    BindControl(&m_Picture);
    if (platform::StatusBar* status = CreateStatusBar())
    {
        status->SetText("");
    }
    if (m_VScroll.Handle())
    {
        // Both rows of chips fit the largest palette: the scroll row stays 0.
        platform::ScrollInfo info;
        info.m_nMask = platform::kSifRange | platform::kSifPage | platform::kSifPos;
        info.m_nMin = 0;
        info.m_nMax = 1;
        info.m_nPos = 0;
        info.m_nPage = static_cast<uint32_t>(std::max(UsableHeight() / kCell, 0));
        platform::SetScrollInfo(m_VScroll.Handle(), platform::kSbCtl, info, true);
    }
    DataToControls();
    SetInitialised(1);
    return 0;
}

void WorldMapChipPalette::PlaceChipView()
{
    PlaceViewOverClient(*this);
}

void WorldMapChipPalette::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (CanHandleNotify(wParam))
    {
        DialogBase::OnCommand(wParam, lParam);
    }
}

void WorldMapChipPalette::OnLButtonDown(uintptr_t, intptr_t lParam)
{
    m_Sounds.PlaySound(kSoundDecide);
    int x = platform::LowSigned(static_cast<uintptr_t>(lParam)) - OriginX();
    int y = platform::HighSigned(static_cast<uintptr_t>(lParam)) - OriginY();
    if (x < 0 || y < 0 || x >= UsableWidth() || y >= UsableHeight())
    {
        return;
    }
    // No test against the number of chips: the pen draws only numbers that are chips.
    int chip = y / kCell * kWorldChipTilesPerRow + x / kCell;
    WorldMapEdit.m_nPltNum = chip;
    WorldMapEdit.m_PickedChip[0][0] = chip;
    WorldMapEdit.m_nBlockWidth = 1;
    WorldMapEdit.m_nBlockHeight = 1;
}

intptr_t WorldMapChipPalette::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam)
{
    return ChipPaletteWindowProc(*this, m_nScrollRow, window, message, wParam, lParam);
}

void WorldMapChipPalette::OnPaint()
{
    DibBitmap& canvas = m_Picture.Canvas();
    if (!IsInitialised() || !canvas.IsCreated())
    {
        return;
    }
    canvas.Clear(PaletteColour(kPaletteBackIndex));
    const DibBitmap& chips = EditorBitmaps[kBitmapWorldMapChip];
    int count = WorldMap.m_Chip.Count();
    for (int row = 0; row < 2; ++row)
    {
        for (int column = 0; column < kWorldChipTilesPerRow; ++column)
        {
            int chip = (m_nScrollRow + row) * kWorldChipTilesPerRow + column;
            if (chip >= count)
            {
                break;
            }
            int g = WorldMap.m_Chip.At(chip).m_nTile;
            canvas.Blt(column * kCell, row * kCell, kCell, kCell, chips, g % kWorldChipTilesPerRow * kCell,
                       g / kWorldChipTilesPerRow * kCell, 0);
        }
    }
    int entry = WorldMapEdit.m_nPltNum;
    if (entry >= 0)
    {
        canvas.SetPen(kPenSolid, 2, kSelectionColour);
        canvas.DrawRect(entry % kWorldChipTilesPerRow * kCell, entry / kWorldChipTilesPerRow * kCell, kCell, kCell);
        canvas.DeletePen();
    }
    m_Picture.Present();
    if (platform::StatusBar* status = GetStatusBar())
    {
        status->SetText(StatusText());
    }
}

std::string WorldMapChipPalette::StatusText() const
{
    std::string text;
    int entry = WorldMapEdit.m_nPltNum;
    if (entry >= 0 && entry < WorldMap.m_Chip.Count())
    {
        FormatString(text, "%d : %s", entry, WorldMap.m_Chip.At(entry).m_strPassLabel.c_str());
    }
    return text;
}

// ---- the event templates ----

WorldMapEventPalette::WorldMapEventPalette(WorldMapEditorWindow& editor)
    : m_Editor(editor), m_CheckBoxes(3), m_Buttons(1)
{
    UseClassProcedure(this);
    Init(kDialogWorldEventPalette, editor.Handle(), 0, kWindowDialog, &App);
    const DialogTemplate* dialog = Template();
    int width = dialog ? DialogUnitsToPixelsX(dialog->m_nWidth) : 240;
    int height = dialog ? DialogUnitsToPixelsY(dialog->m_nHeight) : 375;
    SetLayout(width, height, 100, 100, 640, 480, dialog ? dialog->m_nStyle : kPaletteDialog, 1, 0, 0, 0, 0);
    // Bound straight to the world map: every list edit changes it at once.
    m_List.Binding().Set(kIdWorldTemplateList, &WorldMap.m_Palette, &WorldMap.m_Palette, nullptr, 0, 1, kMaxTemplates,
                         0, 1, 0, TemplateRowText);
    m_CheckBoxes.At(0).Binding().Set(kIdWorldEditPlaced, &EditConfig.m_bWorldEditPlacedEvent);
    m_CheckBoxes.At(1).Binding().Set(kIdWorldEditBeforePlacing, &EditConfig.m_bWorldEditBeforePlacing);
    m_CheckBoxes.At(2).Binding().Set(kIdWorldAutoStageNumber, &EditConfig.m_bAutoStageNumber);
    m_Buttons.At(0).Binding().Set(kIdWorldTemplateCount);
}

WorldMapEventPalette::~WorldMapEventPalette() = default;

int WorldMapEventPalette::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    if (const platform::Menu* menu = FindMenuResource(kMenuWorldEventPalette))
    {
        platform::NativeWindow* native = Native();
        if (platform::NativeFrame* frame = native ? native->Frame() : nullptr)
        {
            frame->SetMenuBar(menu);
        }
    }
    DialogBase::OnInitDialog(wParam, lParam);
    HideItem(kIdMapView);
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    AttachControls(m_CheckBoxes);
    AttachPlainControls(m_Buttons);
    RegisterListAcceleratorTables();
    m_List.SetAcceleratorsAndMenu(kListAccelerators, kListPopup, kFreeListMode, kListCommandSet);
    DataToControls();
    m_List.SetCurSel(WorldMapEdit.m_nPaletteRow, 0);
    SyncSelection();
    SetInitialised(1);
    return 0;
}

void WorldMapEventPalette::SyncSelection()
{
    int rows = m_List.Count() + (m_List.HasTrailer() ? 1 : 0);
    int row = rows > 0 ? m_List.GetCurSel() : -1;
    WorldMapEdit.m_nPaletteRow = row;
    if (m_List.Count() == 0 || row == -1 || m_List.IsTrailerRow(row) || row >= m_List.Count())
    {
        WorldMapEdit.m_nPltNum = -1;
        WorldMapEdit.m_nBlockWidth = 0;
        WorldMapEdit.m_nBlockHeight = 0;
        return;
    }
    WorldMapEdit.m_nPltNum = row;
    WorldMapEdit.m_PutEvent = WorldMap.m_Palette.At(row);
    WorldMapEdit.m_nBlockWidth = 1;
    WorldMapEdit.m_nBlockHeight = 1;
}

void WorldMapEventPalette::RefillList()
{
    if (!m_List.Handle())
    {
        return;
    }
    m_List.Refill();
    m_List.EndUpdate();
}

void WorldMapEventPalette::OnCommand(uintptr_t wParam, intptr_t lParam)
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
    case kCmdWorldPaletteLoad:
        LoadPaletteFile();
        break;
    case kCmdWorldPaletteSave:
        SavePaletteFile();
        break;
    case kCmdWorldPaletteDefault:
        ChooseDefaultPaletteFile();
        break;
    case kIdWorldTemplateCount:
        if (m_List.AskCount(1, kMaxTemplates, &m_Buttons.At(0)))
        {
            SyncSelection();
        }
        break;
    case kIdWorldEditPlaced:
    case kIdWorldEditBeforePlacing:
    case kIdWorldAutoStageNumber:
        for (CheckBox& box : m_CheckBoxes)
        {
            if (box.Id() == id)
            {
                box.ControlToData();
            }
        }
        break;
    case kIdWorldTemplateInsert:
        InsertTemplate();
        break;
    case kIdWorldTemplateEdit:
        EditTemplate();
        break;
    case kIdWorldTemplateDelete:
        if (m_List.GetDataPos() != -1)
        {
            m_List.Delete(-1);
            SyncSelection();
        }
        break;
    case kIdWorldTemplateList:
        if (code == platform::kLbnSelChange)
        {
            m_List.StoreSelected();
            m_List.Refill();
            SyncSelection();
        }
        break;
    default:
        break;
    }
    int row = m_List.GetDataPos();
    // The list's own insert is not offered: a template is inserted with "挿入", which edits it at once.
    bool insert = id == kCmdListInsertKey || id == kCmdListInsertItem;
    if (!insert && (m_List.OnAccelCommand(id) || m_List.OnMenuCommand(id)))
    {
        SyncSelection();
    }
    bool copies = id == kCmdEventCopy || id == kCmdListCopy || id == kCmdEventCut || id == kCmdListCut;
    if (copies && row != -1 && m_List.HasClipboard())
    {
        // What was copied or cut here can be pasted on the map.
        WorldMapEdit.m_bClipboard = 1;
        WorldMapEdit.m_ClipboardEvent = m_List.Clipboard().At(0);
    }
    EndListUpdates();
}

void WorldMapEventPalette::InsertTemplate()
{
    if (!m_List.InsertNew())
    {
        return;
    }
    int index = m_List.GetDataPos();
    if (index == -1)
    {
        return;
    }
    WorldMapEdit.m_pCurrentEvent = &WorldMap.m_Palette.At(index);
    int result = m_Editor.RunEventDialog(kShowFlagDisableOthers);
    WorldMapEdit.m_pCurrentEvent = nullptr;
    if (result != 1)
    {
        // Cancelled: the new template goes again.
        m_List.Delete(-1);
    }
    m_List.Refill();
    SyncSelection();
}

void WorldMapEventPalette::EditTemplate()
{
    int index = m_List.GetDataPos();
    if (index == -1)
    {
        return;
    }
    WorldMapEdit.m_pCurrentEvent = &WorldMap.m_Palette.At(index);
    m_Editor.RunEventDialog(kShowFlagDisableOthers);
    WorldMapEdit.m_pCurrentEvent = nullptr;
    m_List.Refill();
    SyncSelection();
}

intptr_t WorldMapEventPalette::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    if (message == platform::kWmRButtonUp && IsInitialised() && OpenListPopup())
    {
        handled = 1;
    }
    if (message == platform::kWmClose)
    {
        // The palette goes only when the world-map editor opens the other one.
        return 1;
    }
    if (handled && message != platform::kWmDestroy)
    {
        OnPaint();
    }
    return handled;
}

void WorldMapEventPalette::OnPaint()
{
    DibBitmap& canvas = m_Picture.Canvas();
    if (IsInitialised() && canvas.IsCreated())
    {
        canvas.Clear(0);
        m_Picture.Present();
    }
}

// ---- palette files ----

int WorldMapEventPalette::LoadPaletteFile()
{
    std::string path;
    if (!OpenFileDialog(Handle(), path, kMaxPathBytes, "data\\wplt", "読み込むファイルの選択", PaletteFilter(), "wplt",
                        0, nullptr))
    {
        return 0;
    }
    std::string error;
    CheckedVector<WorldMapEvent> loaded;
    LoadResult result = TryLoadTableFile(loaded, path, 0, &error);
    if (result == LoadResult::Corrupt)
    {
        ShowErrorF("%s は壊れているため読み込めません！\n%s", path.c_str(), error.c_str());
        return 0;
    }
    if (result != LoadResult::Loaded)
    {
        return 0;
    }
    if (loaded.Count() > kMaxTemplates)
    {
        // More templates than the palette holds: refused as the event palette refuses them; the templates stay.
        ShowErrorF("%s が読み込めません！\nテンプレートが多すぎます (%d 個、最大 %d 個)", path.c_str(), loaded.Count(),
                   kMaxTemplates);
        return 0;
    }
    WorldMap.m_Palette.swap(loaded);
    // Nothing points into the templates replaced.
    WorldMapEdit.m_pCurrentEvent = nullptr;
    m_List.SetCurSel(std::min(std::max(m_List.GetCurSel(), 0), m_List.Count()), 0);
    m_List.Refill();
    SyncSelection();
    return 1;
}

int WorldMapEventPalette::SavePaletteFile()
{
    std::string path;
    if (!SaveFileDialog(Handle(), path, "data\\wplt\\", "保存先のファイルの選択", PaletteFilter(), "wplt", 0))
    {
        return 0;
    }
    std::string error;
    if (!SaveTableFile(WorldMap.m_Palette, path, &error))
    {
        ShowErrorF("%s を保存できませんでした！\n%s", path.c_str(), error.c_str());
        return 0;
    }
    return 1;
}

int WorldMapEventPalette::ChooseDefaultPaletteFile()
{
    std::string path;
    if (!OpenFileDialog(Handle(), path, kMaxPathBytes, "data\\wplt\\", "デフォルトパレットの選択", PaletteFilter(),
                        "wplt", 0, nullptr) ||
        !MakeRelativePath(path))
    {
        return 0;
    }
    EditConfig.m_strDefaultWorldPalette = path;
    std::string error;
    if (!SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig], &error))
    {
        ShowErrorF("%s を保存できませんでした！\n%s", DataFilePaths[kPathEditConfig], error.c_str());
    }
    return 1;
}
