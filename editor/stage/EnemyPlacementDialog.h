#pragma once

// The enemy placement dialog (169, "敵"): one enemy placement of the stage,
// its appearance group (0: always there), which enemy record it uses and its
// movement AI. The enemy palette opens it modal on StageEdit's placement
// being edited. The group and the enemy are written when the author confirms;
// the movement AI is edited in a working copy, one entry at a time through
// the movement-AI dialog (142), and written back when the author confirms.
// OK records the stage's undo point before anything is stored; Cancel and
// the close box store nothing.

#include "common/data/StageRecord.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/stage/MoveAiDialog.h"

#include <memory>
#include <string>
#include <vector>

enum : int
{
    kIdEnemyPlacementDialog = 169,
    kIdPlacementGroup = 1199,
    kIdPlacementGroupSpin = 1200,
    kIdPlacementEnemy = 1198,
    kIdMoveAiList = 1112,
    kIdMoveAiInsert = 1068,
    kIdMoveAiEdit = 1069,
    kIdMoveAiDelete = 11072,
};

// The limits of a placement's fields.
constexpr int32_t kMaxEnemyGroup = 100;
constexpr int kMaxMoveAiEntries = 10;

// The row of a movement-AI entry: "%s で %s に %s", with the skill in brackets
// for "回復"; a name outside its table is empty.
void MoveAiListRowText(std::string& out, int index, const MoveAiEntry& entry);

class EnemyPlacementDialog : public DialogBase
{
public:
    // As ListBox::EditSelected makes it; the placement is StageEdit's placement being edited.
    EnemyPlacementDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                         WindowBase* centreOn, int centreOnClient);
    ~EnemyPlacementDialog() override;

    // The placement dialog that exists now (one at a time), null when none.
    static EnemyPlacementDialog* Running();

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // "未設定", then every enemy record's name from record 1 on.
    void BuildEnemyNames();

    // The working movement AI; its selected row is what the movement-AI dialog edits.
    ListBox<MoveAiEntry>& MoveAiList() { return m_MoveAiList; }
    const std::vector<std::string>& EnemyNames() const { return m_EnemyNames; }
    // The placement OK stores into; null when the dialog was opened without one.
    EnemyPlacement* Placement() const { return m_pPlacement; }
    MoveAiDialog* RunningMoveAiDialog() const { return m_pMoveAiDialog.get(); }

private:
    void Confirm();
    // The movement-AI dialog on the selected entry; its result.
    int EditEntry();

    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<ComboBox> m_ComboBoxes;
    std::vector<std::string> m_EnemyNames;
    ListBox<MoveAiEntry> m_MoveAiList;
    CheckedVector<MoveAiEntry> m_MoveAi; // the working copy
    std::unique_ptr<MoveAiDialog> m_pMoveAiDialog;
    EnemyPlacement* m_pPlacement = nullptr;
    EnemyPlacement m_Spare; // what the controls are bound to without a placement
};
