#pragma once

// The rules of the world map in play, on the global WorldMap and the
// play-through: which page of a placed event is there now, whether a page's
// stage counts as cleared, where the walker may stand, how a stage page lets
// the party in, and which stage file it plays. The stage page chosen last is
// kept here for the stage map, which reads its reward, its after-clear action
// and its stage number.

#include "common/data/WorldMapRecord.h"

#include <cstdint>
#include <string>

// Kind of a world-map page that blocks the way.
constexpr int32_t kWorldPageWall = 2;
// Where stage files live.
inline constexpr const char* kStageFolder = "data\\stg\\";

// The page the event shows now: the first of its pages whose stage to clear
// first (if any) is cleared and whose variable condition (if any) holds. Null
// when none does: the event is not there.
const WorldMapEventPage* ActivePage(const WorldMapEvent& event);

// The first placed event at (x, y) and its page of now; the page is null when
// there is no event there or the event has no page of now.
struct PlacedEventPage
{
    const WorldMapEvent* m_pEvent = nullptr;
    const WorldMapEventPage* m_pPage = nullptr;
};
PlacedEventPage EventPageAt(WorldMapRecord& map, int32_t x, int32_t y);

// The page's stage is cleared: the play-through's cleared flag of its stage
// number. Roads and walls have number 0, whose flag only a stage page of
// number 0 sets, so their sheets show the uncleared column.
bool IsStageCleared(const WorldMapEventPage& page);

// The walker may stand on (x, y): an event there with a page of now lets it
// unless that page is a wall; without one the chip of the cell decides.
bool CanStandOn(WorldMapRecord& map, int32_t x, int32_t y);

// How a stage page under the walker lets the party in.
enum class StageEntry
{
    Closed,    // cleared, and no replay
    ByButton,  // button 1 opens the stage dialog
    Automatic, // the dialog opens as the walker arrives (button 1 opens it too)
};
StageEntry StageEntryOf(const WorldMapEventPage& page);

// The stage file a page names: a bare name lives in the stage folder; a name
// with a folder in it (as the editor's file choice stores it) is taken from
// the project folder as it stands.
std::string StageFilePath(const WorldMapEventPage& page);
// Reads the newest numbered copy of the page's stage file into the global
// Stage, its texts without carriage returns (as the game reads its
// database). False, the Stage as it was, when there is none that reads.
bool LoadStageOfPage(const WorldMapEventPage& page);

// The stage page the party entered last: the stage map's reward, after-clear
// action and cleared flag follow it. Its stage number is also the progress
// record's current stage.
extern WorldMapEventPage CurrentWorldPage;
