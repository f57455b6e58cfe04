#pragma once

// The dialogs of three actions whose lists come from the project: moving the
// map cursor (3), the operation on a global variable (6) and changing map
// chips (7).
//
// Arguments (what the game's event interpreter reads):
// - map cursor: int 0 the target (CursorTargetNames: this event, the leader,
//   a position group, coordinates); int 1 the position group (1 .. groups - 1);
//   int 2 and 3 the column and row, 0 .. 64 each; a new action targets this
//   event with group 1. The group is enabled only for target 2, the column
//   and row only for target 3.
// - variable: int 0 the variable (0 none), int 1 the operator
//   (OperatorNames), int 2 the operand, -999999 .. 999999. The button "_"
//   renames the chosen variable at once (VariableNames.h).
// - map chip: int 0 the area (AreaConditionNames from its second word: the
//   whole map, this event's cell, inside the position group); int 1 the land
//   replaced, -1 every map chip; int 2 the new land; int 3 the position group.
//   A new action replaces every map chip of the whole map with land 0, group
//   1. The group is enabled only for the area "位置グループ内".
//
// Position group 0 is never offered. A value without a row (a group or a land
// the project no longer has) shows no row, and OK then stores the list's
// first value less one.

#include "editor/event/EventActionDialog.h"

enum : int
{
    kIdMapCursorActionDialog = 174,
    kIdCursorTarget = 1187,
    kIdPositionGroup = 1317, // shared by the map-chip dialog
    kIdCursorX = 1318,
    kIdCursorXSpin = 1319,
    kIdCursorY = 1320,
    kIdCursorYSpin = 1321,

    kIdVariableActionDialog = 177,
    kIdVariable = 1309,
    kIdRenameVariable = 1250,

    kIdMapChipActionDialog = 178,
    kIdMapChipArea = 1325,
    kIdMapChipFrom = 1326,
    kIdMapChipTo = 1327,
};

// The names of the stage's position groups from group 1 on (none without a stage).
std::vector<std::string> PositionGroupNames(const StageRecord* stage);

class MapCursorActionDialog : public EventActionDialog
{
public:
    explicit MapCursorActionDialog(const ActionEditContext& context);
    void RefreshControls() override;

private:
    std::vector<std::string> m_GroupNames;
};

class VariableActionDialog : public EventActionDialog
{
public:
    explicit VariableActionDialog(const ActionEditContext& context);
    // The base's commands, and the rename button.
    void OnCommand(uintptr_t wParam, intptr_t lParam) override;

    const std::vector<std::string>& VariableNames() const { return m_VariableNames; }

private:
    std::vector<std::string> m_VariableNames;
};

class MapChipActionDialog : public EventActionDialog
{
public:
    explicit MapChipActionDialog(const ActionEditContext& context);
    void RefreshControls() override;

private:
    std::vector<std::string> m_LandsReplaced; // "全マップチップ", then every land
    std::vector<std::string> m_Lands;
    std::vector<std::string> m_GroupNames;
};
