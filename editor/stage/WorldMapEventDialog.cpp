#include "editor/stage/WorldMapEventDialog.h"

#include "common/data/EventVocabulary.h"
#include "common/data/FormatString.h"
#include "common/services/DialogItems.h"
#include "common/services/Paths.h"
#include "editor/event/VariableNames.h"
#include "editor/framework/EditorBitmaps.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/WindowSystem.h"

namespace
{

std::unique_ptr<WorldMapEventDialog> s_pRunning;

constexpr int kPageListAccelerators = 117;
constexpr int kPageListPopup = 116;
constexpr int kPageListCommandSet = 1;
constexpr int kFreeListMode = 1;

constexpr int kMaxWorldPages = 99;
constexpr int kMaxStageNumber = 999;
constexpr int kMaxConditionValue = 999999;
constexpr int kEventNameLength = 20;
constexpr int kTileSide = 32;

} // namespace

void FormatWorldMapEventPageRow(std::string& text, int, const WorldMapEventPage& page)
{
    FormatString(text, "ステージ番号 %d", page.m_nStageNumber);
}

int RunWorldMapEventDialogModal(WorldMapEditorWindow& window, int showFlags, EditorApp* app)
{
    return RunOwnedModal(s_pRunning, showFlags, window, showFlags, app);
}

WorldMapEventDialog::WorldMapEventDialog(WorldMapEditorWindow& window, int, EditorApp* app)
    : m_Window(window), m_NumberEdits(3), m_TextEdits(2), m_CheckBoxes(2), m_ComboBoxes(5)
{
    UseClassProcedure(this);
    Init(kDialogWorldMapEvent, window.Handle(), 0, kWindowDialog, app);
    if (WorldMapEdit.m_pCurrentEvent)
    {
        m_Event = *WorldMapEdit.m_pCurrentEvent;
    }
    const DibBitmap& graphics = EditorBitmaps[kBitmapWorldEvent];
    const int count = graphics.IsCreated() ? graphics.Height() / kTileSide : 0;
    for (int i = 1; i <= count; ++i)
    {
        m_GraphicNames.push_back(std::to_string(i));
    }
    BuildVariableNameRows(m_VariableNames);
    BindControls();
}

WorldMapEventDialog::~WorldMapEventDialog() = default;

void WorldMapEventDialog::BindControls()
{
    m_PageList.Binding().Set(kIdWorldPageList, &m_Event.m_Page, &m_Pages, &m_CurrentPage, 1, 1, kMaxWorldPages, 0, 1,
                             0, FormatWorldMapEventPageRow);
    WorldMapEventPage& page = m_CurrentPage;
    m_NumberEdits.At(0).Binding().Set(kIdWorldPageStageNumber, &page.m_nStageNumber, 0, kMaxStageNumber, 0,
                                      kIdWorldPageStageNumberSpin, 1);
    m_NumberEdits.At(1).Binding().Set(kIdWorldPageNeedStage, &page.m_nNeedStage, 0, kMaxStageNumber, 0,
                                      kIdWorldPageNeedStageSpin, 1);
    m_NumberEdits.At(2).Binding().Set(kIdWorldPageVariableValue, &page.m_nVariableValue, -kMaxConditionValue,
                                      kMaxConditionValue, 0, kIdWorldPageVariableValueSpin, 1);
    m_TextEdits.At(0).Binding().Set(kIdWorldEventName, &m_Event.m_strName, kEventNameLength, 1);
    m_TextEdits.At(1).Binding().Set(kIdWorldPageStageFile, &page.m_strStageFile, kMaxPathBytes, 1);
    m_CheckBoxes.At(0).Binding().Set(kIdWorldPagePassable, &page.m_bPassWithoutClear);
    m_CheckBoxes.At(1).Binding().Set(kIdWorldPageReplayable, &page.m_bReplayAfterClear);
    m_ComboBoxes.At(0).Binding().SetItemTable(kIdWorldPageKind, &page.m_nKind, WorldMapPageKindNames, 0);
    m_ComboBoxes.At(1).Binding().Set(kIdWorldPageGraphic, &page.m_nGraphic, &m_GraphicNames, 0, nullptr);
    m_ComboBoxes.At(2).Binding().SetItemTable(kIdWorldPageGameClear, &page.m_nAfterClear, GameClearActionNames, 0);
    m_ComboBoxes.At(3).Binding().Set(kIdWorldPageVariable, &page.m_nVariable, &m_VariableNames, 0, nullptr);
    m_ComboBoxes.At(4).Binding().SetItemTable(kIdWorldPageCompare, &page.m_nVariableCompare, ComparisonNames, 0);
    m_Preview.Binding().Set(kIdWorldPagePreview, kTileSide, kTileSide);
    for (int id : {kIdWorldPageRenameVariable, kIdWorldPageInsert, kIdWorldPageDelete})
    {
        m_PlainControls.push_back(PlainControl(id));
    }
}

int WorldMapEventDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    HideItem(kIdWorldEventPlaceholder);
    m_PageList.Attach(this, m_PageList.Binding());
    BindControl(&m_PageList);
    AttachControls(m_NumberEdits);
    AttachControls(m_TextEdits);
    AttachControls(m_CheckBoxes);
    AttachControls(m_ComboBoxes);
    m_Preview.Attach(this, m_Preview.Binding());
    BindControl(&m_Preview);
    AttachPlainControls(m_PlainControls);
    m_PageList.SetAcceleratorsAndMenu(kPageListAccelerators, kPageListPopup, kFreeListMode, kPageListCommandSet);
    m_PageList.SetCurSel(0, 1);
    DataToControls();
    UpdateEnabling();
    SetInitialised(1);
    DrawPreview();
    return 0;
}

void WorldMapEventDialog::OnPaint()
{
    if (IsInitialised())
    {
        DrawPreview();
    }
}

void WorldMapEventDialog::DrawPreview()
{
    if (!m_Preview.Native() || !m_Preview.Canvas().IsCreated())
    {
        return;
    }
    DibBitmap& canvas = m_Preview.Canvas();
    canvas.Clear(0);
    const DibBitmap& graphics = EditorBitmaps[kBitmapWorldEvent];
    if (graphics.IsCreated())
    {
        const int row = ControlById(m_ComboBoxes, kIdWorldPageGraphic).GetSelectedData();
        const int column = ControlById(m_NumberEdits, kIdWorldPageStageNumber).GetValue() == 0 ? kTileSide : 0;
        canvas.Blt(0, 0, kTileSide, kTileSide, graphics, column, row * kTileSide, 0);
    }
    m_Preview.Present();
}

void WorldMapEventDialog::UpdateEnabling()
{
    const int useVariable = ControlById(m_ComboBoxes, kIdWorldPageVariable).CurSel() != 0;
    EnableControlById(m_NumberEdits, kIdWorldPageVariableValue, useVariable);
    EnableComboBoxById(m_ComboBoxes, kIdWorldPageCompare, useVariable);

    const int stage = ControlById(m_ComboBoxes, kIdWorldPageKind).CurSel() == kWorldPageStage;
    EnableControlById(m_NumberEdits, kIdWorldPageStageNumber, stage);
    EnableControlById(m_TextEdits, kIdWorldPageStageFile, stage);
    EnableControlById(m_CheckBoxes, kIdWorldPagePassable, stage);
    EnableControlById(m_CheckBoxes, kIdWorldPageReplayable, stage);
    EnableComboBoxById(m_ComboBoxes, kIdWorldPageGameClear, stage);
    if (!stage)
    {
        // A road or a wall leads to no stage: the next store writes number 0.
        ControlById(m_NumberEdits, kIdWorldPageStageNumber).SetValue(0, 1);
    }
}

void WorldMapEventDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
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
        Confirm();
        return;
    case kIdDialogCancel:
        Close(0);
        return;
    case kIdWorldPageInsert:
        if (m_PageList.InsertNew())
        {
            ShowCurrentPage();
        }
        break;
    case kIdWorldPageDelete:
        m_PageList.Delete(-1);
        ShowCurrentPage();
        break;
    case kIdWorldPageStageFileBrowse:
        if (code == platform::kBnClicked)
        {
            BrowseStageFile();
        }
        break;
    case kIdWorldPageRenameVariable:
        RenameChosenVariable(*this, ControlById(m_ComboBoxes, kIdWorldPageVariable),
                             ControlById(m_PlainControls, kIdWorldPageRenameVariable), m_VariableNames);
        break;
    case kIdWorldPageList:
        if (code == platform::kLbnSelChange)
        {
            m_PageList.StoreSelected();
            m_PageList.Refill();
            ShowCurrentPage();
        }
        break;
    case kIdWorldPageGraphic:
    case kIdWorldPageStageNumber:
        DrawPreview();
        break;
    default:
        break;
    }

    if (IsInitialised() && id != kIdWorldPageStageNumber)
    {
        UpdateEnabling();
    }
    if (m_PageList.OnAccelCommand(id) || m_PageList.OnMenuCommand(id))
    {
        ShowCurrentPage();
    }
    // A field's edit reaches the page list at once, so the row follows the stage number as it is typed.
    if (IsInitialised() && FindCommandControl(wParam) != 0)
    {
        StoreFields();
        CommitCurrentPage();
    }
    EndListUpdates();
}

void WorldMapEventDialog::StoreFields()
{
    for (Control* control : m_Controls)
    {
        if (control->Kind() == kControlListBox)
        {
            continue;
        }
        if (control->Kind() == kControlComboBox && static_cast<ComboBox*>(control)->CurSel() == -1)
        {
            continue;
        }
        control->ControlToData();
    }
}

void WorldMapEventDialog::CommitCurrentPage()
{
    const int row = m_PageList.GetCurSel();
    if (IsTableIndex(row, m_Pages.Count()))
    {
        m_Pages.At(row) = m_CurrentPage;
    }
    m_PageList.Refill();
    m_PageList.EndUpdate();
}

void WorldMapEventDialog::ShowCurrentPage()
{
    DataToOtherControls(kIdWorldPageList, &m_PageList);
    DrawPreview();
}

void WorldMapEventDialog::BrowseStageFile()
{
    std::string path;
    if (OpenFileDialog(Handle(), path, kMaxPathBytes, "data\\stg", "ステージファイルの選択",
                       FileDialogFilter("StageFile ( *.stg_* )", "*.stg_*"), "stg_*", 0, nullptr) &&
        MakeRelativePath(path))
    {
        // The edit's change notification stores the path into the page like a typed one.
        SetDlgItemString(Handle(), kIdWorldPageStageFile, path);
    }
}

void WorldMapEventDialog::Confirm()
{
    m_PageList.ControlToData();
    if (WorldMapEvent* edited = WorldMapEdit.m_pCurrentEvent)
    {
        m_Window.RecordUndo();
        *edited = m_Event;
    }
    Close(1);
}

intptr_t WorldMapEventDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                         intptr_t lParam)
{
    if (message == platform::kWmRButtonUp)
    {
        OnMessage(window, message, wParam, lParam);
        if (IsInitialised())
        {
            OnRightClick();
        }
        OnPaint();
        return 1;
    }
    return CloseAndRedraw(window, message, wParam, lParam);
}

void WorldMapEventDialog::OnRightClick()
{
    platform::WindowSystem* system = System();
    platform::Point cursor;
    if (!system || !system->GetCursorPos(cursor))
    {
        return;
    }
    platform::NativeWindow* native = m_PageList.Native();
    // Only a row under the pointer of the active dialog opens the list's menu.
    if (!IsActive() || !native || !native->IsEnabled() || !m_PageList.ContainsPoint(&cursor) ||
        !m_PageList.SelectAtPoint(cursor))
    {
        return;
    }
    m_PageList.Refill();
    ShowCurrentPage();
    if (const platform::Menu* menu = m_PageList.PopupMenu())
    {
        TrackPopup(*menu);
    }
}
