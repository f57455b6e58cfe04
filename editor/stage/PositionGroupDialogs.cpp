#include "editor/stage/PositionGroupDialogs.h"

#include "common/data/FormatString.h"
#include "editor/stage/EditorSoundSink.h"
#include "editor/stage/StageMapView.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/ScrollBarModel.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace
{

PositionGroupListDialog* s_pListLive = nullptr;
PositionGroupEditDialog* s_pEditLive = nullptr;
std::unique_ptr<PositionGroupListDialog> s_pListRunning;

// The list's shortcut and pop-up ids: edit mode 0 (append and clear), command set 1.
constexpr int kGroupListAccelerators = 132;
constexpr int kGroupListPopup = 170;
constexpr int kTableListMode = 0;
constexpr int kGroupListCommandSet = 1;

// The edit dialog: a fixed client area of the map view (20 x 15 cells) and the row below it.
constexpr int kEditClientWidth = 640;
constexpr int kEditClientHeight = 510;
constexpr int kEditViewHeight = kEditClientHeight - 30;
constexpr int kCell = 32;
constexpr int kNameLength = 8;
constexpr int kBothBars = 3;
constexpr int kStatusSimplePart = 1;

// The tile that marks a cell of the group, in "bmp\Accessory.bmp".
constexpr int kGroupMarkX = 64;
constexpr int kGroupMarkY = 64;

// The bottom row: each control's x as n times 1.75, and its y above the client's bottom.
struct BottomRowPlace
{
    int m_nId;
    int m_nUnits;
    int m_nAboveBottom;
};
constexpr int kLabelAboveBottom = 25;
constexpr int kEditAboveBottom = 28;
constexpr int kButtonAboveBottom = 24;
constexpr BottomRowPlace kBottomRow[] = {
    {kIdGroupNameLabel, 10, kLabelAboveBottom},    {kIdGroupName, 60, kEditAboveBottom},
    {kIdGroupCentreLabel, 130, kLabelAboveBottom}, {kIdGroupCentreX, 170, kEditAboveBottom},
    {kIdGroupCentreYLabel, 197, kLabelAboveBottom}, {kIdGroupCentreY, 205, kEditAboveBottom},
    {kIdDialogOk, 250, kButtonAboveBottom},        {kIdDialogCancel, 310, kButtonAboveBottom},
};

} // namespace

void FormatPositionGroupRow(std::string& out, int, const PositionGroup& group)
{
    FormatString(out, "%-8s 中心座標(%d,%d)", group.m_strName.c_str(), group.m_nCenterX, group.m_nCenterY);
}

void ClearListElement(PositionGroup& group)
{
    group.m_strName.clear();
    group.m_nCenterX = 0;
    group.m_nCenterY = 0;
    group.m_Point.clear();
}

int RunPositionGroupListDialog(platform::WindowHandle parent, EditorApp* app, const PositionGroupContext& context)
{
    return RunOwnedModal(s_pListRunning, kShowFlagDisableOthers, parent, app, context);
}

// ---- the list dialog ----

PositionGroupListDialog::PositionGroupListDialog(platform::WindowHandle parent, EditorApp* app,
                                                 const PositionGroupContext& context)
    : m_Context(context)
{
    UseClassProcedure(this);
    Init(kIdGroupListDialog, parent, 0, kWindowDialog, app);
    s_pListLive = this;
    // Every stage has group 0 and at least one group of the author's; this stays even after Cancel.
    if (StageRecord* stage = m_Context.m_pStage)
    {
        while (stage->m_GroupPos.Count() < 2)
        {
            stage->m_GroupPos.emplace_back();
        }
    }
    m_List.Binding().Set(kIdGroupList, m_Context.m_pStage ? &m_Context.m_pStage->m_GroupPos : nullptr, &m_Working,
                         nullptr, 1, 1, kMaxPositionGroups, 1, 1, 0, FormatPositionGroupRow);
    m_CountButton.push_back(PlainControl(kIdGroupCount));
}

PositionGroupListDialog::~PositionGroupListDialog()
{
    m_pEditDialog.reset();
    if (s_pListLive == this)
    {
        s_pListLive = nullptr;
    }
}

PositionGroupListDialog* PositionGroupListDialog::Running()
{
    return s_pListLive;
}

int PositionGroupListDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    AttachPlainControls(m_CountButton);
    DataToControls();
    m_List.SetAcceleratorsAndMenu(kGroupListAccelerators, kGroupListPopup, kTableListMode, kGroupListCommandSet);
    m_List.SetCurSel(m_List.Count() > m_List.Base() ? 0 : -1, 0);
    SetInitialised(1);
    return 0;
}

void PositionGroupListDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
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
    case kIdGroupNew:
        m_List.AddNew();
        break;
    case kIdGroupEdit:
        EditSelected();
        break;
    case kIdGroupClear:
        ClearSelected();
        break;
    case kIdGroupCount:
        if (m_List.AskCount(1, kMaxPositionGroups, &m_CountButton.At(0)))
        {
            DataToControlsExcept(&m_List);
        }
        break;
    case kIdGroupList:
        if (code == platform::kLbnDblClk)
        {
            EditSelected();
        }
        else if (code == platform::kLbnSelChange)
        {
            m_List.Refill();
        }
        break;
    case kIdDialogOk:
        ControlsToData();
        Close(1);
        return;
    case kIdDialogCancel:
        Close(0);
        return;
    default:
        break;
    }
    OfferListCommand(id);
    EndListUpdates();
}

void PositionGroupListDialog::ClearSelected()
{
    int row = m_List.GetCurSel();
    if (row == -1 || m_List.IsTrailerRow(row))
    {
        return;
    }
    m_List.Clear();
}

void PositionGroupListDialog::EditSelected()
{
    m_List.EditSelected(m_pEditDialog, kIdGroupEditDialog, Owner(), 1, 0);
}

intptr_t PositionGroupListDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                             intptr_t lParam)
{
    if (message == platform::kWmRButtonUp)
    {
        int handled = OnMessage(window, message, wParam, lParam);
        if (IsInitialised())
        {
            OpenListPopup();
        }
        return handled;
    }
    return CloseOnWmClose(window, message, wParam, lParam);
}

// ---- the edit dialog ----

PositionGroupEditDialog::PositionGroupEditDialog(int dialogId, platform::WindowHandle parent, int startMaximised,
                                                 int kind, EditorApp* app, WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_NumberEdits(2), m_TextEdits(1)
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    s_pEditLive = this;
    const DialogTemplate* dialog = Template();
    SetLayout(kEditClientWidth, kEditClientHeight, kEditClientWidth, kEditClientHeight, kEditClientWidth,
              kEditClientHeight, dialog ? dialog->m_nStyle : kModalDialog, 0, 0, kStatusSimplePart, 0, kBothBars);

    PositionGroupListDialog* list = PositionGroupListDialog::Running();
    static PositionGroup s_Orphan;
    if (list)
    {
        m_Context = list->Context();
        // The checked access reports a row outside the working copy and uses element 0.
        m_pGroup = &list->Working().At(list->List().Base() + list->List().GetCurSel());
    }
    else
    {
        s_Orphan = PositionGroup();
        m_pGroup = &s_Orphan;
    }
    m_Cells = m_pGroup->m_Point;
    int width = m_Context.m_pStage ? m_Context.m_pStage->m_nWidth : 1;
    int height = m_Context.m_pStage ? m_Context.m_pStage->m_nHeight : 1;
    m_NumberEdits.At(0).Binding().Set(kIdGroupCentreX, &m_pGroup->m_nCenterX, 0, width - 1, 0, kIdGroupCentreXSpin, 1);
    m_NumberEdits.At(1).Binding().Set(kIdGroupCentreY, &m_pGroup->m_nCenterY, 0, height - 1, 0, kIdGroupCentreYSpin,
                                      1);
    m_TextEdits.At(0).Binding().Set(kIdGroupName, &m_pGroup->m_strName, kNameLength, 1);
    for (int id : {int{kIdGroupNameLabel}, int{kIdGroupCentreLabel}, int{kIdGroupCentreYLabel}, int{kIdDialogOk},
                   int{kIdDialogCancel}})
    {
        m_PlainControls.push_back(PlainControl(id));
    }
}

PositionGroupEditDialog::~PositionGroupEditDialog()
{
    if (s_pEditLive == this)
    {
        s_pEditLive = nullptr;
    }
}

PositionGroupEditDialog* PositionGroupEditDialog::Running()
{
    return s_pEditLive;
}

const CursorEntry& PositionGroupEditDialog::MapCursor() const
{
    const MenuCursorStack& stack = m_Context.m_pMapCursor ? *m_Context.m_pMapCursor : m_OwnCursor;
    return stack.Current();
}

int PositionGroupEditDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    if (platform::StatusBar* status = CreateStatusBar())
    {
        status->SetText("DLG_GROUPPOS_SET");
    }
    platform::WindowSystem* system = System();
    if (platform::NativeWindow* view = system ? system->Resolve(system->GetDlgItem(Handle(), kIdGroupMap)) : nullptr)
    {
        view->SetWindowRect({0, 0, kEditClientWidth, kEditViewHeight});
    }
    m_MapView.Binding().Set(kIdGroupMap, kEditClientWidth, kEditViewHeight);
    m_MapView.Attach(this, m_MapView.Binding());
    BindControl(&m_MapView);
    AttachControls(m_NumberEdits);
    AttachControls(m_TextEdits);
    AttachPlainControls(m_PlainControls);
    SetScrollRanges();
    LayOutBottomRow();
    static const int kTabOrder[] = {kIdGroupName, kIdGroupCentreX, kIdGroupCentreY, kIdDialogOk, kIdDialogCancel, 0};
    SetTabOrder(kTabOrder);
    DataToControls();
    SetInitialised(1);
    return 0;
}

void PositionGroupEditDialog::SetScrollRanges()
{
    int width = m_Context.m_pStage ? m_Context.m_pStage->m_nWidth : 1;
    int height = m_Context.m_pStage ? m_Context.m_pStage->m_nHeight : 1;
    const struct
    {
        ScrollBar& m_Bar;
        int m_nCells;
        int m_nPage;
    } bars[] = {{m_HScroll, width, kEditClientWidth / kCell}, {m_VScroll, height, kEditViewHeight / kCell}};
    for (const auto& bar : bars)
    {
        if (!bar.m_Bar.Handle())
        {
            continue;
        }
        platform::ScrollInfo info;
        info.m_nMask = platform::kSifRange | platform::kSifPage | platform::kSifPos;
        info.m_nMin = 0;
        info.m_nMax = bar.m_nCells - 1;
        info.m_nPage = static_cast<uint32_t>(bar.m_nPage);
        info.m_nPos = 0;
        platform::SetScrollInfo(bar.m_Bar.Handle(), platform::kSbCtl, info, true);
    }
}

void PositionGroupEditDialog::LayOutBottomRow()
{
    platform::WindowSystem* system = System();
    if (!system)
    {
        return;
    }
    for (const BottomRowPlace& place : kBottomRow)
    {
        platform::NativeWindow* control = system->Resolve(system->GetDlgItem(Handle(), place.m_nId));
        if (!control)
        {
            continue;
        }
        platform::Rect rect = control->WindowRect();
        control->SetWindowRect({ScaleByOneAndThreeQuarters(place.m_nUnits), kEditClientHeight - place.m_nAboveBottom,
                                rect.m_nWidth, rect.m_nHeight});
    }
    // The spins follow their edits: each edit takes back the room its spin had
    // (up to the next control of the row), and the spin, attached again, takes
    // it at the edit's right edge.
    for (NumberEdit<int32_t>& edit : m_NumberEdits)
    {
        platform::NativeWindow* field = system->Resolve(edit.Handle());
        platform::NativeWindow* spin = system->Resolve(edit.Spin().Handle());
        if (!field || !spin)
        {
            continue;
        }
        platform::Rect rect = field->WindowRect();
        int width = rect.m_nWidth + spin->WindowRect().m_nWidth;
        for (const BottomRowPlace& place : kBottomRow)
        {
            int left = ScaleByOneAndThreeQuarters(place.m_nUnits);
            if (left > rect.m_nLeft)
            {
                width = std::min(width, left - rect.m_nLeft);
                break;
            }
        }
        field->SetWindowRect({rect.m_nLeft, rect.m_nTop, width, rect.m_nHeight});
        platform::SendWindowMessage(edit.Spin().Handle(), platform::kUdmSetBuddy, platform::HandleParam(edit.Handle()),
                                    0);
    }
}

bool PositionGroupEditDialog::PointToCell(int x, int y)
{
    if (x < 0 || y < 0 || x >= kEditClientWidth || y >= kEditViewHeight)
    {
        return false;
    }
    MenuCursorStack& stack = m_Context.m_pMapCursor ? *m_Context.m_pMapCursor : m_OwnCursor;
    CursorEntry& cursor = stack.Current();
    cursor.m_nColumn = m_nScrollX + x / kCell;
    cursor.m_nRow = m_nScrollY + y / kCell;
    cursor.m_nX = x / kCell * kCell;
    cursor.m_nY = y / kCell * kCell;
    return true;
}

void PositionGroupEditDialog::OnMouseMove(uintptr_t, intptr_t lParam)
{
    PointToCell(platform::LowSigned(static_cast<uintptr_t>(lParam)) - OriginX(),
                platform::HighSigned(static_cast<uintptr_t>(lParam)) - OriginY());
}

void PositionGroupEditDialog::OnLButtonDown(uintptr_t, intptr_t lParam)
{
    if (!PointToCell(platform::LowSigned(static_cast<uintptr_t>(lParam)) - OriginX(),
                     platform::HighSigned(static_cast<uintptr_t>(lParam)) - OriginY()))
    {
        return;
    }
    if (m_Context.m_pSounds)
    {
        m_Context.m_pSounds->PlaySound(kSoundDecide);
    }
    const CursorEntry& cursor = MapCursor();
    MapPoint cell{cursor.m_nColumn, cursor.m_nRow};
    auto found = std::find(m_Cells.begin(), m_Cells.end(), cell);
    if (found != m_Cells.end())
    {
        m_Cells.erase(found);
    }
    else
    {
        m_Cells.push_back(cell);
    }
}

intptr_t PositionGroupEditDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                             intptr_t lParam)
{
    int handled = OnMessage(window, message, wParam, lParam);
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifPos;
    switch (message)
    {
    case platform::kWmHScroll:
        if (m_HScroll.Handle() && platform::GetScrollInfo(m_HScroll.Handle(), platform::kSbCtl, info))
        {
            m_nScrollX = info.m_nPos;
        }
        handled = 1;
        break;
    case platform::kWmVScroll:
        if (m_VScroll.Handle() && platform::GetScrollInfo(m_VScroll.Handle(), platform::kSbCtl, info))
        {
            m_nScrollY = info.m_nPos;
        }
        handled = 1;
        break;
    case platform::kWmClose:
        Close(0);
        return 1;
    default:
        break;
    }
    if (handled && message != platform::kWmDestroy && IsInitialised())
    {
        OnPaint();
    }
    return handled;
}

void PositionGroupEditDialog::OnPaint()
{
    DibBitmap& canvas = m_MapView.Canvas();
    if (!m_MapView.Native() || !canvas.IsCreated())
    {
        return;
    }
    canvas.Clear(kMapBackColour);
    if (m_Context.m_pStage)
    {
        StageMapView view(StageEdit, *m_Context.m_pStage);
        if (m_Context.m_pTiles)
        {
            view.SetTiles(*m_Context.m_pTiles);
        }
        StageViewport viewport;
        viewport.m_nScrollColumn = m_nScrollX;
        viewport.m_nScrollRow = m_nScrollY;
        viewport.m_nClientWidth = kEditClientWidth;
        viewport.m_nClientHeight = kEditViewHeight;
        view.PaintMapOnly(canvas, viewport);
    }
    DrawGroupCells(canvas);
    m_MapView.Present();
    if (platform::StatusBar* status = GetStatusBar())
    {
        std::string text;
        FormatString(text, "座標 (%d,%d)", MapCursor().m_nColumn, MapCursor().m_nRow);
        status->SetText(text);
    }
}

void PositionGroupEditDialog::DrawGroupCells(DibBitmap& canvas) const
{
    const DibBitmap* marks = m_Context.m_pAccessory;
    if (!marks || !marks->IsCreated())
    {
        return;
    }
    for (const MapPoint& cell : m_Cells)
    {
        canvas.Blt((cell.m_nX - m_nScrollX) * kCell, (cell.m_nY - m_nScrollY) * kCell, kCell, kCell, *marks,
                   kGroupMarkX, kGroupMarkY, 0);
    }
}

void PositionGroupEditDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    switch (platform::LowWord(wParam))
    {
    case kIdDialogOk:
        ControlsToData();
        m_pGroup->m_Point = m_Cells;
        Close(1);
        break;
    case kIdDialogCancel:
        Close(0);
        break;
    default:
        break;
    }
}
