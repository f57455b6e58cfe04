#pragma once

// The scripted part of a project. An Event stands on a map cell and holds an
// ordered list of EventPages; each page carries the conditions under which it
// applies and an ordered list of EventCommands, the actions run when it fires.
// The same records serve the stage's event lists and palette, the start event
// (data\database\StartEvent.dat) and the event palette files (.plt).
//
// Indices that point into the stage (position groups, cells) are checked
// against the stage that StageForChecks() names: the open stage, except while
// a stage reads or writes itself (see StageRecord.h). Member comments give the
// file version from which a member is stored.

#include "common/data/DataFile.h"

#include <string>

class StageRecord;

// One string argument of a command (also one variable name of GValInfo.dat).
class StringRecord : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;

    std::string m_str;
};

// One article offered by the shop command.
class ShopItemEntry : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;

    // Item 1.
    void SetDefaults();
    // An item that is not in the item table becomes 1.
    void Validate();

    int32_t m_nItem = 0;
};
void ResetVectorPrototype(ShopItemEntry& prototype);

// One action of a page. After every load, save and reset its argument vectors
// have exactly the sizes of its row in EventCommandTable.
class EventCommand : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;
    // Reads the command and brings the codes of older files to today's rows.
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // The empty command (code 0, no arguments).
    void Init();
    // Sizes the argument vectors to the command's row (new ints 0, new strings
    // empty, surplus dropped from the end) and runs the row's argument check.
    // A code without a row becomes 0. The stage is the one the check clamps
    // positions and groups against; null leaves those for later.
    void FitArguments();
    void FitArguments(const StageRecord* stage);
    // Only the sizing: the argument check does not run.
    void FitArgumentCounts();

    int32_t m_nCode = 0;
    CheckedVector<int32_t> m_nValParam;
    CheckedVector<StringRecord> m_StrParam;
    CheckedVector<ShopItemEntry> m_ShopItem; // the shop's goods; from version 84
};
void ResetVectorPrototype(EventCommand& prototype);

// One page of an event: its conditions, its trigger timing and its actions.
class EventPage : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    void Init();
    // A timing outside the timing table becomes 0; a position group that the
    // stage does not have becomes 0 (null: no check of the group).
    void Validate();
    void Validate(const StageRecord* stage);

    int32_t m_nGraphic = 0;
    int32_t m_nTurn = 0; // 0 = no turn condition
    int32_t m_bUseEventVar = 0;
    int32_t m_nEventVarValue = 0;
    int32_t m_nEventVarCompare = 0; // ComparisonNames
    int32_t m_nVariable = 0;        // 0 = no variable condition
    int32_t m_nVariableValue = 0;
    int32_t m_nVariableCompare = 0; // ComparisonNames
    int32_t m_bFirstTryOnly = 0;
    int32_t m_nArea = 0;          // AreaConditionNames
    int32_t m_nTarget = 0;        // CharacterSelectorNames
    int32_t m_nExists = 0;        // PresenceNames; from version 90
    int32_t m_nGroup = 0;         // position group of the area condition
    int32_t m_nTiming = 0;        // TriggerTimingNames
    std::string m_strCommandName; // special command that fires the page; from version 71
    CheckedVector<EventCommand> m_Action;
};
void ResetVectorPrototype(EventPage& prototype);

class Event : public SerializableRecord
{
public:
    // A new event: everything 0 and one empty page.
    Event();

    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // Resets to a new event with exactly one empty page.
    void Init();
    // Checks every page and command against the stage (null: only what does
    // not depend on a stage).
    void Validate(const StageRecord* stage);

    int32_t m_nX = 0;
    int32_t m_nY = 0;
    int32_t m_bHeld = 0;   // given to the character standing on its cell; from version 72
    int32_t m_nHolder = 0; // set by the game when a stage starts; from version 72
    int32_t m_nEventVar = 0;
    int32_t m_bDone = 0; // set by the game for an event that ran in the current pass
    std::string m_strName;
    CheckedVector<EventPage> m_Page;
};
void ResetVectorPrototype(Event& prototype);
