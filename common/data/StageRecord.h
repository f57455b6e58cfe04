#pragma once

// A stage: one battle map of the project (a data file "NAME.stg_276" in
// data\stg). A grid of map chips (indices into the land table), the enemies
// placed on it with their movement AI, the events standing on cells, the
// stage's own event palette, named groups of cells (position groups, one of
// which is where the party starts), three lists of explanation pages, a name,
// a music file and the reward settings.

#include "common/data/DataFile.h"
#include "common/data/Event.h"
#include "common/data/CharacterRecord.h"

#include <string>

// Checks of indices into a stage (position groups, cells, placements) run
// against the stage that StageForChecks() names: the global Stage, except
// inside a StageCheckScope. A stage reading itself opens a scope with null, so
// that nothing is checked before all of it is read, and then checks everything
// against itself; a stage writing itself opens a scope with itself.
const StageRecord* StageForChecks();

class StageCheckScope
{
public:
    explicit StageCheckScope(const StageRecord* stage);
    ~StageCheckScope();
    StageCheckScope(const StageCheckScope&) = delete;
    StageCheckScope& operator=(const StageCheckScope&) = delete;

private:
    bool m_bPreviousActive;
    const StageRecord* m_pPrevious;
};

struct MapPoint
{
    int32_t m_nX = 0;
    int32_t m_nY = 0;

    bool operator==(const MapPoint&) const = default;
};

// A named group of cells.
class PositionGroup : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // Points off the stage are erased; a centre off the stage becomes 0.
    void Validate();
    void Validate(const StageRecord* stage);

    CheckedVector<MapPoint> m_Point;
    int32_t m_nCenterX = 0;
    int32_t m_nCenterY = 0;
    std::string m_strName;
};

// One enemy put on the stage.
class EnemyPlacement : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // Not on the map, in no group.
    void SetDefaults();
    // An enemy not in the enemy table becomes 0; the movement AI is checked
    // against the stage (null: its goal groups wait).
    void Validate();
    void Validate(const StageRecord* stage);

    int32_t m_nEnemy = 0; // index into the enemy table
    int32_t m_nX = 0;     // -1: not on the map
    int32_t m_nY = 0;
    int32_t m_nEnemyGroup = 0; // 0: always there; else only while the group is on
    CheckedVector<MoveAiEntry> m_MoveAI;
};
void ResetVectorPrototype(EnemyPlacement& prototype);

// Cursor targets of an explanation page (ExplanationPage::m_nCursorMode).
constexpr int kPositionModeCount = 5;
extern const char* const PositionModeNames[kPositionModeCount + 1];

// One page of an explanation shown to the player, with an optional cursor target.
class ExplanationPage : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;

    void Validate();
    void Validate(const StageRecord* stage);

    int32_t m_nCursorMode = 0; // PositionModeNames
    int32_t m_nEnemy = 0;      // index into the stage's placements
    int32_t m_nGroup = 0;      // from version 79
    int32_t m_nX = 0;          // from version 79
    int32_t m_nY = 0;          // from version 79
    int32_t m_nShownGroup = 0; // group shown with the page
    std::string m_strText;
};

class StageRecord : public SerializableRecord
{
public:
    StageRecord();

    void BindFields(int32_t version) override;
    // Reads a stage. The record first takes its defaults, so nothing of the
    // stage held before survives; the grid's pitch and shift follow from the
    // width; everything is checked against this stage once all of it is read.
    bool Load(DataReader& in) override;
    // Checks the stage, then writes it (always in today's order).
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // A new stage: 20 x 15, one palette event, two position groups.
    void SetDefaults();
    // Brings indices and positions into the stage and the tables.
    void Validate();
    // Changes the size; every cell of the overlap keeps its (x, y).
    void ResizeMap(int32_t width, int32_t height);
    // Every cell to 0.
    void ClearMap();

    int32_t& CellAt(int32_t x, int32_t y) { return m_Chip.At((y << m_nShift) + x); }

    bool HasEventAt(int32_t x, int32_t y) const;
    // The first map event at (x, y), or null.
    Event* GetEventAt(int32_t x, int32_t y);
    // Removes every map event at (x, y), moves the event there and places a copy of it.
    void PutEvent(Event& event, int32_t x, int32_t y);
    bool RemoveEventAt(int32_t x, int32_t y);
    bool RemoveEvent(const Event* event);

    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nPitch = 0;
    int32_t m_nShift = 0;
    int32_t m_nStartGroup = 0;        // where the party starts
    int32_t m_nReward = 0;            // money on stage clear, 0..999999
    int32_t m_nClearedRewardRate = 0; // percent of the reward when cleared before; from version 83
    int32_t m_nFirstExpRate = 0;      // percent of experience on the first attempt; from version 83
    int32_t m_nClearedExpRate = 0;    // percent of experience when cleared before; from version 83
    std::string m_strName;
    std::string m_strBgm;

    CheckedVector<int32_t> m_Chip;
    CheckedVector<EnemyPlacement> m_Enemy;
    CheckedVector<Event> m_Event;        // events standing on cells
    CheckedVector<Event> m_PaletteEvent; // templates the editor places
    CheckedVector<PositionGroup> m_GroupPos;
    CheckedVector<ExplanationPage> m_WinPage;
    CheckedVector<ExplanationPage> m_LosePage;
    CheckedVector<ExplanationPage> m_OtherPage; // from version 78
};

// A stage is read from its defaults: a load has no use for a copy of the stage held.
inline StageRecord CopyForLoad(const StageRecord&)
{
    return StageRecord();
}

// The extension of stage files written now: "stg_276".
std::string StageFileExtension();

// The file SaveStageFile writes for the path: the numbered copy of the current
// format of the path with the extension "stg", where LoadNumberedCopy finds
// it: "x.stg", "x.stg_250" and "x.old" as "x.stg_276", "x" (no '.') as "x_276".
std::string StageSaveName(std::string_view path);
// Saves the stage as StageSaveName(path). 1 when written; else 0 and, when asked, the reason.
int SaveStageFile(StageRecord& stage, std::string_view path, std::string* error = nullptr);
