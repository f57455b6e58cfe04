#pragma once

// The project's world map (data\database\WorldMap.dat): a grid of chip cells
// with a size and a start position, ten chip kinds, the events placed on cells
// (stages, roads, walls, each with pages of conditions) and the world event
// palette, the templates from which the editor places new events. A world
// palette file (.wplt) holds a list of template events in the same format.

#include "common/data/DataFile.h"

#include <string>

// Event kinds of a world-map page (WorldMapEventPage::m_nKind).
constexpr int kWorldMapPageKindCount = 3;
extern const char* const WorldMapPageKindNames[kWorldMapPageKindCount + 1];
constexpr int32_t kWorldPageStage = 0;

// What clearing a page's stage does to the game (WorldMapEventPage::m_nAfterClear).
constexpr int kGameClearActionCount = 3;
extern const char* const GameClearActionNames[kGameClearActionCount + 1];

// One chip kind of the world map.
class WorldMapChip : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;

    int32_t m_nChipValue = 0;
    int32_t m_bBlocked = 0; // cells of this chip cannot be passed
    int32_t m_nTile = 0;    // 32 x 32 tile of the chip bitmap, 5 tiles a row
    std::string m_strText;
    std::string m_strPassLabel;
};

// One page of a world-map event.
class WorldMapEventPage : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;

    int32_t m_nKind = 0; // from version 96: 0 stage, 1 road, 2 wall
    int32_t m_nGraphic = 0;
    int32_t m_nStageNumber = 0; // 0..999; 0 = no number, counted as always cleared
    int32_t m_bPassWithoutClear = 0;
    int32_t m_bReplayAfterClear = 0;
    int32_t m_nAfterClear = 0; // GameClearActionNames
    int32_t m_nNeedStage = 0;  // stage that must be cleared for the page to appear; 0 = always
    int32_t m_nVariable = 0;
    int32_t m_nVariableValue = 0;
    int32_t m_nVariableCompare = 0; // ComparisonNames
    std::string m_strStageFile;
};

// An event on the world map, or a template of the world palette.
class WorldMapEvent : public SerializableRecord
{
public:
    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // A new event with exactly one cleared page.
    void Init();
    // Visits every page; pages hold nothing to repair.
    void ValidatePages();

    int32_t m_nX = 0;
    int32_t m_nY = 0;
    std::string m_strName;
    CheckedVector<WorldMapEventPage> m_Page;
};

class WorldMapRecord : public SerializableRecord
{
public:
    WorldMapRecord();

    void BindFields(int32_t version) override;
    // Reads a world map. The record first takes its defaults, so nothing of the
    // map held before survives; the pitch and shift follow from the width.
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // A new world map: 20 x 15, start (9, 7), ten chips, one palette event.
    void SetDefaults();
    // Changes the size; every cell of the overlap keeps its (x, y).
    void Resize(int32_t width, int32_t height);
    // Start position into the map, placed events off the map erased.
    void Validate();
    // Every grid cell to 0.
    void ClearChips();

    int32_t& CellAt(int32_t x, int32_t y) { return m_Cell.At((y << m_nShift) + x); }

    bool HasEventAt(int32_t x, int32_t y) const;
    // The first placed event at (x, y), or null.
    WorldMapEvent* FindEventAt(int32_t x, int32_t y);
    // Removes whatever stands on (x, y), moves the event there and places a copy of it.
    void PutEvent(WorldMapEvent& event, int32_t x, int32_t y);
    // Erases every placed event at (x, y); true when one was erased.
    bool RemoveEventAt(int32_t x, int32_t y);
    // Erases that very placed event; false when it is not one of them.
    bool RemoveEvent(const WorldMapEvent* event);

    // The smallest stage number 1..999 that no stage page of a placed event
    // other than the excluded one uses; 0 when all are taken.
    int32_t FindFreeStageNumber(const WorldMapEvent* excluded) const;
    // Gives every stage page of the event the free number for the excluded event.
    void AssignStageNumbers(WorldMapEvent& event, const WorldMapEvent* excluded) const;

    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nPitch = 0;
    int32_t m_nShift = 0;
    int32_t m_nStartX = 0;
    int32_t m_nStartY = 0;
    int32_t m_nBackColor = 0;
    int32_t m_bUseBackImage = 0;
    std::string m_strName;
    std::string m_strBackImage;

    CheckedVector<WorldMapChip> m_Chip;
    CheckedVector<int32_t> m_Cell;
    CheckedVector<WorldMapEvent> m_Event;
    CheckedVector<WorldMapEvent> m_Palette;
};

// A world map is read from its defaults: a load has no use for a copy of the map held.
inline WorldMapRecord CopyForLoad(const WorldMapRecord&)
{
    return WorldMapRecord();
}
