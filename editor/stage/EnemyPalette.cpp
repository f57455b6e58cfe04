#include "editor/stage/EnemyPalette.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "editor/framework/ControlAnchor.h"
#include "editor/framework/InputDialogs.h"
#include "editor/resources/ListEditResources.h"
#include "editor/stage/StageEditState.h"
#include "editor/stage/StageEditorWindow.h"
#include "platform/window/WindowSystem.h"

namespace
{

// The number of placements the count dialog offers.
constexpr int kMinCount = 1;

} // namespace

void EnemyPaletteRowText(std::string& out, int, const EnemyPlacement& placement)
{
    std::string cell = "(--,--)";
    if (placement.m_nX != -1)
    {
        FormatString(cell, "(%d,%d)", placement.m_nX, placement.m_nY);
    }
    if (placement.m_nEnemy == 0)
    {
        out = cell + " 未設定";
        return;
    }
    // An enemy the table does not have shows no name and no values.
    const EnemyRecord* enemy =
        IsTableIndex(placement.m_nEnemy, EnemyTable.Count()) ? &EnemyTable.At(placement.m_nEnemy) : nullptr;
    FormatString(out, "グ%d %s %d-%-8s LV%d HP%d SP%d ", placement.m_nEnemyGroup, cell.c_str(), placement.m_nEnemy,
                 enemy ? enemy->m_strName.c_str() : "", enemy ? enemy->m_nLevel : 0,
                 enemy ? enemy->m_Param[0].m_nValue : 0, enemy ? enemy->m_Param[1].m_nValue : 0);
}

// ---- construction ----

EnemyPalette::EnemyPalette(StageEditorWindow& window) : m_Window(window)
{
    UseClassProcedure(this);
    Init(kIdEnemyPalette, window.Handle(), 0, kWindowDialog, &App);
    LayOutPaletteBeside(*this, window, 0);

    m_List.Binding().Set(kIdEnemyList, nullptr, &Stage.m_Enemy, nullptr, 1, 0, kMaxEnemyPlacements, 0, 1, 1,
                         EnemyPaletteRowText);
    m_PlainControls.push_back(PlainControl(kIdEnemyCount));
}

EnemyPalette::~EnemyPalette()
{
    m_pPlacementDialog.reset();
    Close(0);
}

int EnemyPalette::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_List.Attach(this, m_List.Binding());
    BindControl(&m_List);
    AttachPlainControls(m_PlainControls);
    // The palette does the list's commands itself (with the undo point first).
    SetUpPaletteList(m_List);
    DataToControls();
    UpdatePenState();
    SetInitialised(1);
    return 0;
}

// ---- the stage editor's calls ----

void EnemyPalette::RefillList()
{
    m_List.Refill();
    m_List.EndUpdate();
}

void EnemyPalette::SelectRow(int row)
{
    m_List.SetCurSel(row, 0);
    StageEdit.m_nPaletteRow = m_List.GetCurSel();
}

int EnemyPalette::UpdatePenState()
{
    StageEdit.m_nPaletteRow = m_List.GetCurSel();
    int row = SelectedPlacementRow();
    if (row != -1)
    {
        StageEdit.m_nPltNum = row;
        StageEdit.m_PickedEnemy[0][0] = m_List.Base() + row;
        StageEdit.m_nBlockWidth = 1;
        StageEdit.m_nBlockHeight = 1;
        return 1;
    }
    StageEdit.m_nPltNum = -1;
    StageEdit.m_nBlockWidth = 0;
    StageEdit.m_nBlockHeight = 0;
    return 0;
}

int EnemyPalette::SelectedPlacementRow() const
{
    int row = m_List.GetCurSel();
    return row == -1 || m_List.IsTrailerRow(row) || m_List.Base() + row == -1 ? -1 : row;
}

// ---- commands ----

void EnemyPalette::OnCommand(uintptr_t wParam, intptr_t lParam)
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
    case kIdEnemyInsert:
    case kIdEnemyInsertKey:
    case kIdEnemyInsertMenu:
        InsertAndEdit();
        break;
    case kIdEnemyEdit:
        Edit();
        break;
    case kIdEnemyDelete:
    case kIdEnemyDeleteKey:
    case kIdEnemyDeleteMenu:
        Delete();
        break;
    case kIdEnemyCutKey:
    case kIdEnemyCutMenu:
        Cut();
        break;
    case kIdEnemyCopyKey:
    case kIdEnemyCopyMenu:
        Copy();
        break;
    case kIdEnemyPasteKey:
    case kIdEnemyPasteMenu:
        Paste();
        break;
    case kIdEnemyCount:
        SetCount();
        break;
    case kIdEnemyList:
        if (code == platform::kLbnSelChange)
        {
            if (SelectedPlacementRow() != -1)
            {
                m_List.StoreSelected();
                m_List.Refill();
            }
            UpdatePenState();
        }
        else if (code == platform::kLbnDblClk)
        {
            Edit();
        }
        break;
    default:
        break;
    }
    EndListUpdates();
}

void EnemyPalette::ShowChange()
{
    m_Window.OnPaint();
    UpdatePenState();
}

void EnemyPalette::InsertAndEdit()
{
    if (!m_List.InsertNew())
    {
        return;
    }
    StageEdit.m_pEditedPlacement = &Stage.m_Enemy.At(m_List.Base() + m_List.Selection());
    int result = m_List.EditSelected(m_pPlacementDialog, kIdEnemyPlacementDialog, Owner(), kEntryDisablesOthers, 0);
    StageEdit.m_pEditedPlacement = nullptr;
    if (!result)
    {
        // The new placement goes again: the stage is as it was, without an undo point.
        m_List.Delete(m_List.Selection());
    }
    ShowChange();
}

void EnemyPalette::Edit()
{
    int row = SelectedPlacementRow();
    if (row == -1)
    {
        return;
    }
    StageEdit.m_pEditedPlacement = &Stage.m_Enemy.At(m_List.Base() + row);
    m_List.EditSelected(m_pPlacementDialog, kIdEnemyPlacementDialog, Owner(), kEntryDisablesOthers, 0);
    StageEdit.m_pEditedPlacement = nullptr;
    ShowChange();
}

void EnemyPalette::Delete()
{
    if (SelectedPlacementRow() == -1)
    {
        return;
    }
    m_Window.RecordUndo();
    m_List.Delete(-1);
    ShowChange();
}

void EnemyPalette::Cut()
{
    if (SelectedPlacementRow() == -1)
    {
        return;
    }
    m_Window.RecordUndo();
    m_List.Cut();
    ShowChange();
}

void EnemyPalette::Copy()
{
    m_List.Copy();
    m_Window.OnPaint();
}

void EnemyPalette::Paste()
{
    if (m_List.GetCurSel() == -1 || !m_List.HasClipboard())
    {
        return;
    }
    m_Window.RecordUndo();
    // A pasted placement is never on the map.
    EnemyPlacement copy = m_List.Clipboard().At(0);
    copy.m_nX = -1;
    copy.m_nY = -1;
    m_List.SetClipboard(copy);
    m_List.Paste();
    ShowChange();
}

void EnemyPalette::SetCount()
{
    int count = m_List.Count() - m_List.Base();
    const Control* button = m_PlainControls.Count() ? &m_PlainControls.At(0) : nullptr;
    std::unique_ptr<ControlAnchor> anchor = button ? std::make_unique<ControlAnchor>(*button) : nullptr;
    if (!ValueInputDialog::Run(Handle(), Owner(), &count, kMinCount, kMaxEnemyPlacements, "データ数", anchor.get(),
                               anchor ? 1 : 0))
    {
        return;
    }
    // One undo step, whatever the count.
    m_Window.RecordUndo();
    m_List.SetCount(count);
    ShowChange();
}
