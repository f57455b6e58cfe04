#pragma once

// The 99 save slots of the game, one file each in the project's "user_data"
// folder: SaveData01.dat for slot 0 up to SaveData99.dat for slot 98.
//
// A slot file: the version word, the play-through (ProgressRecord), int32
// count of party units and each unit's image. Saves are atomic and never
// destroy the previous file; loads read into temporaries and change the
// session only when the whole file has read cleanly.

#include "game/data/ProgressRecord.h"
#include "game/engine/DrawTarget.h"

#include <string>

constexpr int kSaveSlotCount = 99;

// What the save list shows of a slot.
class SaveSlotInfo : public SerializableRecord
{
public:
    // Bound at the current format, unused.
    SaveSlotInfo();
    void BindFields(int32_t version) override;

    // Used, with the money and scout points of the play-through.
    void CopySummary(const ProgressRecord& progress);
    // Used, but its play-through does not read: there is no summary to show.
    void MarkUnreadable();
    // "%dS %dP" (money, scout points) for a used slot, "よみこめません" for
    // one whose play-through does not read, "" for an unused one.
    std::string SummaryText() const;
    // The summary text at (x, y) in the standard font; nothing for an unused slot.
    void Draw(DrawTarget& target, int x, int y) const;

    int32_t m_bUsed = 0;
    int32_t m_nMoney = 0;
    int32_t m_nScoutPoints = 0;
    // Not stored: found by the scan.
    bool m_bUnreadable = false;
};

// One entry per slot; kSaveSlotCount of them once InitGameData has run.
extern CheckedVector<SaveSlotInfo> SaveSlots;

// Brings the list to exactly kSaveSlotCount entries: unused ones are
// appended, surplus ones removed.
void ResizeSaveSlots(CheckedVector<SaveSlotInfo>& slots);

// The save list window at (x, y), 320 wide and rows + 1 rows high: the title
// "    セーブデータ" over a line, then the slots from position first, one a
// row: the slot's number (from 1) at x + 16 and its summary at x + 64, with a
// line under every row but the last. Rows past the last slot stay blank.
void DrawSaveList(DrawTarget& target, int x, int y, const CheckedVector<SaveSlotInfo>& slots, int first, int rows);

// "user_data\SaveData" and the two digits of slot + 1 (each taken modulo 10),
// then ".dat".
std::string SaveSlotFileName(int slot);

// Reads the play-through of every slot's file (not its units) into the
// slot's summary. A slot whose file is missing is unused; one whose file is
// there but whose play-through does not read cleanly is used and unreadable
// (its reason in the logs), so that the list keeps it and a load says why.
void ScanSaveSlots(CheckedVector<SaveSlotInfo>& slots);

// Writes Progress and PartyUnits into the slot's file, creating "user_data"
// when it is missing, and copies the summary into SaveSlots. A file there
// that does not read whole is kept beside as damaged first (see
// CloseDataFile). When the file cannot be written: the refusal sound, a log
// line, the old file and summary left as they were, false and, when asked,
// the reason.
bool SaveToSlot(int slot, std::string* error = nullptr);

// Reads the slot's file into Progress and PartyUnits (then brought to
// kPartySlotCount slots). False, the session unchanged, when the file is
// missing or does not read cleanly to its end: the reason is written to the
// report and error logs and, when asked, given back.
bool LoadFromSlot(int slot, std::string* error = nullptr);
