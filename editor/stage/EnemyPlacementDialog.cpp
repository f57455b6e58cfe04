#include "editor/stage/EnemyPlacementDialog.h"

#include "common/data/CharacterRowTexts.h"
#include "common/data/ProjectData.h"
#include "editor/stage/StageEditState.h"
#include "platform/window/WindowSystem.h"

namespace
{

EnemyPlacementDialog* s_pLive = nullptr;

// The movement-AI list's commands: the first set, insert and delete.
constexpr int kMoveAiAccelerators = 117;
constexpr int kMoveAiPopup = 116;
constexpr int kFreeListMode = 1;
constexpr int kMoveAiCommandSet = 1;

} // namespace

void MoveAiListRowText(std::string& out, int, const MoveAiEntry& entry)
{
    out = MoveAiRowText(entry);
}

EnemyPlacementDialog::EnemyPlacementDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind,
                                           EditorApp* app, WindowBase* centreOn, int centreOnClient)
    : DialogBase(centreOn, centreOnClient), m_NumberEdits(1), m_ComboBoxes(1)
{
    UseClassProcedure(this);
    Init(dialogId, parent, startMaximised, kind, app);
    s_pLive = this;
    m_pPlacement = StageEdit.m_pEditedPlacement;
    EnemyPlacement& placement = m_pPlacement ? *m_pPlacement : m_Spare;
    BuildEnemyNames();
    m_NumberEdits.At(0).Binding().Set(kIdPlacementGroup, &placement.m_nEnemyGroup, 0, kMaxEnemyGroup, 0,
                                      kIdPlacementGroupSpin, 1);
    m_ComboBoxes.At(0).Binding().Set(kIdPlacementEnemy, &placement.m_nEnemy, &m_EnemyNames, 0, nullptr);
    m_MoveAiList.Binding().Set(kIdMoveAiList, &placement.m_MoveAI, &m_MoveAi, nullptr, 0, 0, kMaxMoveAiEntries, 0, 1,
                               0, MoveAiListRowText);
}

EnemyPlacementDialog::~EnemyPlacementDialog()
{
    m_pMoveAiDialog.reset();
    if (s_pLive == this)
    {
        s_pLive = nullptr;
    }
}

EnemyPlacementDialog* EnemyPlacementDialog::Running()
{
    return s_pLive;
}

void EnemyPlacementDialog::BuildEnemyNames()
{
    m_EnemyNames.assign(1, "未設定");
    for (int i = 1; i < EnemyTable.Count(); ++i)
    {
        m_EnemyNames.push_back(EnemyTable.At(i).m_strName);
    }
}

int EnemyPlacementDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    m_MoveAiList.Attach(this, m_MoveAiList.Binding());
    BindControl(&m_MoveAiList);
    AttachControls(m_NumberEdits);
    AttachControls(m_ComboBoxes);
    m_MoveAiList.SetAcceleratorsAndMenu(kMoveAiAccelerators, kMoveAiPopup, kFreeListMode, kMoveAiCommandSet);
    m_MoveAiList.SetCurSel(0, 1);
    DataToControls();
    SetInitialised(1);
    return 0;
}

intptr_t EnemyPlacementDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam)
{
    return CloseOnWmCloseWithListPopup(window, message, wParam, lParam);
}

void EnemyPlacementDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
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
    case kIdMoveAiInsert:
        // A cancelled entry is taken out again.
        m_MoveAiList.InsertAndEdit(m_pMoveAiDialog, kIdMoveAiDialog, Owner(), kEntryDisablesOthers, 1);
        break;
    case kIdMoveAiEdit:
        EditEntry();
        break;
    case kIdMoveAiDelete:
        if (m_MoveAiList.GetDataPos() != -1)
        {
            m_MoveAiList.Delete(-1);
        }
        break;
    case kIdMoveAiList:
        if (code == platform::kLbnDblClk)
        {
            EditEntry();
        }
        else if (code == platform::kLbnSelChange && m_MoveAiList.GetDataPos() != -1)
        {
            m_MoveAiList.StoreSelected();
            m_MoveAiList.Refill();
        }
        break;
    default:
        break;
    }
    // The list's own shortcut and pop-up commands.
    if (!m_MoveAiList.OnAccelCommand(id))
    {
        m_MoveAiList.OnMenuCommand(id);
    }
    EndListUpdates();
}

int EnemyPlacementDialog::EditEntry()
{
    return m_MoveAiList.EditSelected(m_pMoveAiDialog, kIdMoveAiDialog, Owner(), kEntryDisablesOthers, 1);
}

void EnemyPlacementDialog::Confirm()
{
    // The undo point holds the placement as it was before the dialog.
    StageEdit.RecordUndo(Stage);
    m_MoveAiList.ControlToData();
    m_NumberEdits.At(0).ControlToData();
    // An enemy the list has no row for (a record the database no longer has) stays as it was.
    ComboBox& enemy = m_ComboBoxes.At(0);
    if (enemy.CurSel() != -1)
    {
        enemy.ControlToData();
    }
    Close(1);
}
