#pragma once

// The position groups of the stage: the list dialog (146) where the author
// adds, clears, counts and names them, and the edit dialog (147) where one
// group's name, centre and cells are set on a picture of the map.
//
// The list dialog edits a working copy of the stage's whole group list and
// writes it back only on OK. Group 0 is reserved: never listed, kept as it
// was. The edit dialog works on the list dialog's working copy, so what it
// stores reaches the stage only when the list dialog is confirmed in turn.

#include "common/data/StageRecord.h"
#include "common/window/MenuCursorStack.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <memory>
#include <string>

class EditorSoundSink;
struct StageMapTiles;

enum : int
{
    kIdGroupListDialog = 146,
    kIdGroupEditDialog = 147,
    // The list dialog.
    kIdGroupNew = 1066,
    kIdGroupEdit = 1226,
    kIdGroupClear = 1067,
    kIdGroupCount = 11071,
    kIdGroupList = 1233,
    // The edit dialog.
    kIdGroupMap = 1075,
    kIdGroupNameLabel = 1030,
    kIdGroupName = 1044,
    kIdGroupCentreLabel = 1232,
    kIdGroupCentreX = 1227,
    kIdGroupCentreXSpin = 1228,
    kIdGroupCentreYLabel = 1231,
    kIdGroupCentreY = 1229,
    kIdGroupCentreYSpin = 1230,
};

constexpr int kMaxPositionGroups = 99;

// "%-8s 中心座標(%d,%d)": the name padded to 8 bytes, the centre.
void FormatPositionGroupRow(std::string& out, int index, const PositionGroup& group);

// A cleared group: no name, centre (0, 0), no cells.
void ClearListElement(PositionGroup& group);

// What the dialogs draw and play with, given by their opener.
struct PositionGroupContext
{
    StageRecord* m_pStage = nullptr;
    EditorSoundSink* m_pSounds = nullptr;   // the click on a cell; null: silent
    const StageMapTiles* m_pTiles = nullptr; // the map's pictures; null: the grid alone
    const DibBitmap* m_pAccessory = nullptr; // the cells' mark at (64, 64); null: none drawn
    MenuCursorStack* m_pMapCursor = nullptr; // where the cell under the pointer goes; null: the dialog's own
};

// Opens the list dialog on the context's stage, modal with every other
// editor window disabled. 1 after OK (the stage holds the working copy), 0 after Cancel.
int RunPositionGroupListDialog(platform::WindowHandle parent, EditorApp* app, const PositionGroupContext& context);

class PositionGroupEditDialog;

class PositionGroupListDialog : public DialogBase
{
public:
    PositionGroupListDialog(platform::WindowHandle parent, EditorApp* app, const PositionGroupContext& context);
    ~PositionGroupListDialog() override;

    // The list dialog that exists now, null when none.
    static PositionGroupListDialog* Running();

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // ---- what the edit dialog reads ----
    CheckedVector<PositionGroup>& Working() { return m_Working; }
    ListBox<PositionGroup>& List() { return m_List; }
    const PositionGroupContext& Context() const { return m_Context; }

private:
    void ClearSelected();
    void EditSelected();

    PositionGroupContext m_Context;
    CheckedVector<PositionGroup> m_Working;
    ListBox<PositionGroup> m_List;
    CheckedVector<PlainControl> m_CountButton;
    std::unique_ptr<PositionGroupEditDialog> m_pEditDialog;
};

class PositionGroupEditDialog : public DialogBase
{
public:
    // Made by the list's edit operation: edits the group selected in the list dialog that runs.
    PositionGroupEditDialog(int dialogId, platform::WindowHandle parent, int startMaximised, int kind, EditorApp* app,
                            WindowBase* centreOn, int centreOnClient);
    ~PositionGroupEditDialog() override;

    static PositionGroupEditDialog* Running();

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;
    void OnMouseMove(uintptr_t wParam, intptr_t lParam) override;
    void OnLButtonDown(uintptr_t wParam, intptr_t lParam) override;
    void OnPaint() override;

    // The pointer in client pixels to the cell under it, written into the map
    // cursor; false outside the map view (the cursor keeps its cell).
    bool PointToCell(int x, int y);

    // ---- state ----
    const CheckedVector<MapPoint>& Cells() const { return m_Cells; }
    int ScrollX() const { return m_nScrollX; }
    int ScrollY() const { return m_nScrollY; }
    const CursorEntry& MapCursor() const;
    BitmapControl& MapView() { return m_MapView; }

private:
    void LayOutBottomRow();
    void SetScrollRanges();
    void DrawGroupCells(DibBitmap& canvas) const;

    PositionGroup* m_pGroup = nullptr;
    PositionGroupContext m_Context;
    CheckedVector<MapPoint> m_Cells;
    int m_nScrollX = 0;
    int m_nScrollY = 0;
    BitmapControl m_MapView;
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<PlainControl> m_PlainControls;
    MenuCursorStack m_OwnCursor;
};
