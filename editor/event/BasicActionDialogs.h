#pragma once

// The dialogs of four actions that need no table of the project: the message
// shown to the player (1), the wait (2), switching an enemy group on or off
// (4) and the operation on the event's own variable (5).
//
// Arguments (what the game's event interpreter reads):
// - message: string 0 the text, at most 4 lines of 30 characters (a
//   double-byte character counts one);
// - wait: int 0 the frames, 0 .. 999 (60 frames are about a second); a new
//   action waits 60;
// - enemy group: int 0 the group, 1 .. 100; int 1 1 ON, 0 OFF; a new action
//   switches group 1 ON;
// - event variable: int 0 the operator (OperatorNames), int 1 the operand,
//   -999999 .. 999999.

#include "editor/event/EventActionDialog.h"

enum : int
{
    kIdMessageActionDialog = 171,
    kIdMessageText = 1268,

    kIdWaitActionDialog = 186,
    kIdWaitFrames = 1315,
    kIdWaitFramesSpin = 1316,

    kIdEnemyGroupActionDialog = 176,
    kIdEnemyGroupNumber = 1323,
    kIdEnemyGroupNumberSpin = 1324,
    kIdEnemyGroupSwitch = 1322,

    kIdEventVariableActionDialog = 185,
    // The operator and the operand, shared with the variable dialog.
    kIdOperator = 1308,
    kIdOperand = 1307,
    kIdOperandSpin = 1305,
};

// The operand's limits of both variable operations.
constexpr int32_t kMaxOperand = 999999;

class MessageActionDialog : public EventActionDialog
{
public:
    explicit MessageActionDialog(const ActionEditContext& context);
};

class WaitActionDialog : public EventActionDialog
{
public:
    explicit WaitActionDialog(const ActionEditContext& context);
};

class EnemyGroupActionDialog : public EventActionDialog
{
public:
    explicit EnemyGroupActionDialog(const ActionEditContext& context);

private:
    std::vector<std::string> m_SwitchNames;
};

class EventVariableActionDialog : public EventActionDialog
{
public:
    explicit EventVariableActionDialog(const ActionEditContext& context);
};
