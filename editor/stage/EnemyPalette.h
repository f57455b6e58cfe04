#pragma once

// The enemy palette (141, "敵パレット"): the modeless list beside the stage
// editor of the enemies placed on the stage, numbered, with a trailing row
// where insert and paste append. It works on the stage's placements in place:
// every command that changes them records the stage's undo point first (an
// edit through the placement dialog records it when the author confirms).
//
// The selected row is the placement the stage editor's pen moves to the
// clicked cell (StageEdit's picked enemy, a 1 x 1 block); with the trailing
// row or no row selected the pen has nothing to place. The palette keeps its
// row in StageEdit, so it opens again on the row it showed last.
//
// Commands: "挿入" (also Ctrl+I and the pop-up's "新規挿入") inserts a new
// placement off the map and opens the placement dialog (169) on it, taking it
// out again when the dialog is cancelled; "編集" and a double-click open the
// dialog on the selected placement; "削除" (Delete), cut (Ctrl+X), copy
// (Ctrl+C) and paste (Ctrl+V: the copy goes in off the map); "ﾃﾞｰﾀ数" sets the
// number of placements (1 to 99). The palette cannot be closed by itself.

#include "common/data/StageRecord.h"
#include "editor/framework/ListBox.h"
#include "editor/stage/EnemyPlacementDialog.h"
#include "editor/stage/StageEditorDialogs.h"

#include <memory>
#include <string>

class StageEditorWindow;

enum : int
{
    kIdEnemyPalette = 141,
    kIdEnemyList = 1201,
    kIdEnemyInsert = 1066,
    kIdEnemyEdit = 1226,
    kIdEnemyDelete = 1067,
    kIdEnemyCount = 11071,
    // The list's keys (table 117) and its pop-up (menu 116).
    kIdEnemyCutKey = 40030,
    kIdEnemyCopyKey = 40031,
    kIdEnemyPasteKey = 40032,
    kIdEnemyInsertKey = 40069,
    kIdEnemyDeleteKey = 40034,
    kIdEnemyCutMenu = 40027,
    kIdEnemyCopyMenu = 40024,
    kIdEnemyPasteMenu = 40025,
    kIdEnemyInsertMenu = 40070,
    kIdEnemyDeleteMenu = 40029,
};

// A stage holds at most this many placements.
constexpr int kMaxEnemyPlacements = 99;

// The row of a placement (without its number): "(--,--) 未設定" or
// "(x,y) 未設定" without an enemy, else "グ<group> (x,y) <enemy>-<name padded
// to 8 bytes> LV<level> HP<hp> SP<sp> " ("--" for both coordinates off the
// map). An enemy outside the enemy table has an empty name and zeros.
void EnemyPaletteRowText(std::string& out, int index, const EnemyPlacement& placement);

class EnemyPalette : public StageEnemyPalette
{
public:
    // Dialog 141 beside the window, not yet run.
    explicit EnemyPalette(StageEditorWindow& window);
    // The placement dialog still open goes first.
    ~EnemyPalette() override;

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // StageEnemyPalette
    void RefillList() override;
    void SelectRow(int row) override;

    // The pen takes the selected placement (StageEdit's entry, picked enemy and
    // block); 1 when a placement row is selected, else the pen has none.
    int UpdatePenState() override;

    ListBox<EnemyPlacement>& List() { return m_List; }
    // The placement dialog while it runs.
    EnemyPlacementDialog* RunningPlacementDialog() const { return m_pPlacementDialog.get(); }

private:
    // The selected row when it shows a placement; -1 otherwise.
    int SelectedPlacementRow() const;
    void InsertAndEdit();
    void Edit();
    void Delete();
    void Cut();
    void Copy();
    void Paste();
    void SetCount();
    // The stage editor draws the placements again, and the pen follows the selection.
    void ShowChange();

    StageEditorWindow& m_Window;
    ListBox<EnemyPlacement> m_List;
    CheckedVector<PlainControl> m_PlainControls;
    std::unique_ptr<EnemyPlacementDialog> m_pPlacementDialog;
};
