#pragma once

// What the small indices of the event records mean: the table of event
// commands with the number of int and string arguments of each, and the word
// lists that event pages and command arguments index. The editor fills its
// lists from them and the game executes commands by their rows, so the order
// of every row is part of the file format.
//
// Every word list ends with one extra "" that marks its end (lists fill
// themselves until they meet it); that entry is not a selectable row. The
// command table has no such end: its row 0 is the empty command.

#include <cstdint>

struct EventCommandInfo
{
    const char* m_pName;
    int32_t m_nIntArgs;    // elements of EventCommand::m_nValParam
    int32_t m_nStringArgs; // elements of EventCommand::m_StrParam
};

// Command codes whose rows other code refers to by number.
enum EventCommandCode : int32_t
{
    kCommandNone = 0,
    kCommandMessage = 1,
    kCommandWait = 2,
    kCommandMoveCursor = 3,
    kCommandEnemyGroup = 4,
    kCommandEventVariable = 5,
    kCommandVariable = 6,
    kCommandChangeMapChip = 7,
    kCommandChangeGraphic = 8,
    kCommandMusic = 9,
    kCommandStatus = 10,
    kCommandMoney = 11,
    kCommandItems = 12,
    kCommandShop = 13,
    kCommandFriendShop = 14,
    kCommandParty = 15,
    kCommandStageClear = 16,
    kCommandGameOver = 17,
};

constexpr int kEventCommandCount = 18;
extern const EventCommandInfo EventCommandTable[kEventCommandCount];

// True when the code has a row in the command table.
constexpr bool IsEventCommandCode(int32_t code)
{
    return code >= 0 && code < kEventCommandCount;
}

// Trigger timings of an event page (EventPage::m_nTiming).
constexpr int kTriggerTimingCount = 22;
extern const char* const TriggerTimingNames[kTriggerTimingCount + 1];

// Area conditions of a page (EventPage::m_nArea); 0 is no condition.
constexpr int kAreaConditionCount = 4;
extern const char* const AreaConditionNames[kAreaConditionCount + 1];

// Character selectors of a page (EventPage::m_nTarget) and of command arguments.
constexpr int kCharacterSelectorCount = 6;
extern const char* const CharacterSelectorNames[kCharacterSelectorCount + 1];

// Existence (EventPage::m_nExists): 1 inverts the area condition.
constexpr int kPresenceCount = 2;
extern const char* const PresenceNames[kPresenceCount + 1];

// What the cursor-move command puts the cursor on (its argument 0).
constexpr int kCursorTargetCount = 4;
extern const char* const CursorTargetNames[kCursorTargetCount + 1];

// HP or SP.
constexpr int kStatCount = 2;
extern const char* const StatNames[kStatCount + 1];

// Scenes whose music the music command changes (its argument 0).
constexpr int kBgmSceneCount = 3;
extern const char* const BgmSceneNames[kBgmSceneCount + 1];

// Operators of the variable commands (full-width characters).
constexpr int kOperatorCount = 6;
extern const char* const OperatorNames[kOperatorCount + 1];

// Comparisons of event pages, world-map event pages and battle-AI conditions:
// =, not =, >=, <=, >, <.
constexpr int kComparisonCount = 6;
extern const char* const ComparisonNames[kComparisonCount + 1];
