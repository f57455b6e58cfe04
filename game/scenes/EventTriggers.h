#pragma once

// The trigger timings of stage event pages (rows of TriggerTimingNames): the
// points of play at which the stage map runs the events whose active page
// has that trigger.

#include <cstdint>

enum EventTrigger : int32_t
{
    kTriggerPlayerTurnStart = 0,
    kTriggerPlayerTurnEnd = 1,
    kTriggerPlayerActionEnd = 2,
    kTriggerPlayerSpecialCommand = 3,
    kTriggerEnemyTurnStart = 4,
    kTriggerEnemyTurnEnd = 5,
    kTriggerEnemyActionEnd = 6,
    kTriggerTurnStart = 7,
    kTriggerTurnEnd = 8,
    kTriggerActionEnd = 9,
    kTriggerBattleStart = 10,
    kTriggerBattleEnd = 11,
    kTriggerBattleWon = 12,
    kTriggerBattleLost = 13,
    kTriggerLeaderDefeated = 14,
    kTriggerHolderActionEnd = 15,
    kTriggerHolderSpecialCommand = 16,
    kTriggerHolderBattleStart = 17,
    kTriggerHolderBattleEnd = 18,
    kTriggerHolderBattleWon = 19,
    kTriggerHolderBattleLost = 20,
    kTriggerStageStart = 21,
};

// What running the events of a trigger point came to.
enum EventResult : int
{
    kEventResultNone = 0,
    kEventResultStageClear = 1,
    kEventResultGameOver = 2,
};
