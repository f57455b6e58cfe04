#pragma once

// The dialog of the status operation (10): adds an amount to the HP or SP of
// the characters the action names.
//
// Arguments (what the game's event interpreter reads):
// - int 0: 1 when the target is the subject that set the event off, else the
//   characters of ints 1 to 3;
// - int 1: the area, AreaConditionNames from its second word (1 the whole
//   map, 2 this event's cell, 3 inside the position group);
// - int 2: which characters in the area (CharacterSelectorNames);
// - int 3: the position group of area 3, from group 1 on;
// - int 4: the value changed (StatNames: HP, SP);
// - int 5: the amount added, -999 .. 999;
// - int 6: 1 when the amount is a percentage.
// A new action targets the event's subject, in the whole map, with group 1.
//
// The target's controls are enabled only without the subject ticked, and the
// group only for the area "位置グループ内". Disabled controls keep their values,
// and OK stores them like the others.

#include "editor/event/EventActionDialog.h"

enum : int
{
    kIdStatusOperationDialog = 180,
    kIdStatusSubject = 1326,
    kIdStatusArea = 1325,
    kIdStatusWho = 1327,
    kIdStatusGroup = 1317,
    kIdStatusValue = 1265,
    kIdStatusAmount = 1307,
    kIdStatusAmountSpin = 1305,
    kIdStatusPercent = 1035,
};

class StatusOperationDialog : public EventActionDialog
{
public:
    explicit StatusOperationDialog(const ActionEditContext& context);
    void RefreshControls() override;

    const std::vector<std::string>& GroupNames() const { return m_GroupNames; }

private:
    std::vector<std::string> m_GroupNames;
};
