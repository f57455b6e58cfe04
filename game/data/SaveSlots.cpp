#include "SaveSlots.h"

#include "common/data/DataFile.h"
#include "common/data/DataFilePaths.h"
#include "common/data/FormatString.h"
#include "common/services/Log.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"

#include <cstdlib>

CheckedVector<SaveSlotInfo> SaveSlots;

namespace
{

constexpr const char kSaveFolder[] = "user_data";
constexpr int kSaveListWidth = 320;
constexpr int kSlotNumberX = 16;
constexpr int kSummaryX = 64;

bool IsSlot(int slot)
{
    return IsTableIndex(slot, kSaveSlotCount);
}

bool RefuseSave(const std::string& name, const std::string& reason, std::string* error)
{
    WriteReportAndErrorLog("Save %s : not saved: %s", name.c_str(), reason.c_str());
    RequestSound(kSoundRefusal);
    if (error)
    {
        *error = reason;
    }
    return false;
}

// Opens a slot file to read. A file that is there but cannot be read (no
// permission, a read error, a folder of that name) gives a reader that has
// failed before its first byte: such a slot is listed as unreadable and noted
// as damaged, so that a save over it is refused while it cannot be kept, and
// never taken for an empty slot and written over. Null when there is no file.
std::unique_ptr<DataReader> OpenSlotFile(const std::string& name)
{
    std::unique_ptr<DataReader> in = OpenDataFileForRead(name);
    if (in || !platform::PathExists(name))
    {
        return in;
    }
    std::vector<unsigned char> bytes;
    std::string reason;
    if (platform::ReadWholeFile(name, bytes, &reason))
    {
        return OpenDataFileForRead(name); // it became readable in between
    }
    in = std::make_unique<DataReader>(std::vector<unsigned char>(), 0, 0, name);
    in->Fail("the file cannot be read: " + platform::FromUtf8(reason));
    return in;
}

// Reads a slot file whole into the play-through and party given. NotOpened
// when there is no such file; Corrupt, with its log line, the file noted as
// damaged and, when asked, the reason, when it does not read cleanly to its
// end. FileVersion is that of the file after a load, and as it was otherwise.
LoadResult ReadSlotFile(const std::string& name, ProgressRecord& progress, CheckedVector<UnitRecord>& party,
                        std::string* error = nullptr)
{
    const int32_t previousVersion = FileVersion;
    std::unique_ptr<DataReader> in = OpenSlotFile(name);
    if (!in)
    {
        return LoadResult::NotOpened;
    }
    bool ok = progress.Load(*in) && LoadRecordVector(party, *in);
    if (ok && in->Remaining() != 0)
    {
        ok = in->Fail("bytes after the party");
    }
    if (!ok || in->Failed())
    {
        return FailDamagedLoad(*in, previousVersion, error);
    }
    NoteFileLoaded(*in);
    return LoadResult::Loaded;
}

// Before a save replaces the slot's file: a file that does not read whole is
// noted as damaged, so that a copy is kept beside it before it is written
// over; the title's scan reads only the play-through and would not have found
// it out.
void CheckFileBeforeSave(const std::string& name)
{
    const int32_t previousVersion = FileVersion;
    ProgressRecord progress(Progress);
    CheckedVector<UnitRecord> party;
    ReadSlotFile(name, progress, party);
    FileVersion = previousVersion;
}

} // namespace

SaveSlotInfo::SaveSlotInfo()
{
    BindFields(kDataFormatVersion);
}

void SaveSlotInfo::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_bUsed, "m_bUsed");
    BindInt(m_nMoney, "m_nMoney");
    BindInt(m_nScoutPoints, "m_nScoutPoints");
}

void SaveSlotInfo::CopySummary(const ProgressRecord& progress)
{
    m_bUsed = 1;
    m_bUnreadable = false;
    m_nMoney = progress.m_nMoney;
    m_nScoutPoints = progress.m_nScoutPoints;
}

void SaveSlotInfo::MarkUnreadable()
{
    m_bUsed = 1;
    m_bUnreadable = true;
    m_nMoney = 0;
    m_nScoutPoints = 0;
}

std::string SaveSlotInfo::SummaryText() const
{
    std::string text;
    if (m_bUsed && m_bUnreadable)
    {
        text = "よみこめません";
    }
    else if (m_bUsed)
    {
        FormatString(text, "%dS %dP", m_nMoney, m_nScoutPoints);
    }
    return text;
}

void SaveSlotInfo::Draw(DrawTarget& target, int x, int y) const
{
    if (m_bUsed)
    {
        target.DrawText(kFontStandard, x, y, SummaryText());
    }
}

void DrawSaveList(DrawTarget& target, int x, int y, const CheckedVector<SaveSlotInfo>& slots, int first, int rows)
{
    target.DrawBox(kFontStandard, x, y, kSaveListWidth, (rows + 1) * kListRowHeight);
    target.FillRect(x, y + kListRowHeight - 1, kSaveListWidth, 1, kListLineColour);
    target.DrawText(kFontStandard, x, y, "    セーブデータ");
    for (int i = 0; i < rows; ++i)
    {
        const int64_t slot = static_cast<int64_t>(first) + i;
        if (slot < 0 || slot >= slots.Count())
        {
            continue;
        }
        const int rowY = y + kListRowHeight * (i + 1);
        DrawTextF(target, kFontStandard, x + kSlotNumberX, rowY, "%d", static_cast<int>(slot + 1));
        slots[static_cast<std::size_t>(slot)].Draw(target, x + kSummaryX, rowY);
        if (i < rows - 1)
        {
            target.FillRect(x, rowY + kListRowHeight - 1, kSaveListWidth, 1, kListLineColour);
        }
    }
}

void ResizeSaveSlots(CheckedVector<SaveSlotInfo>& slots)
{
    slots.resize(kSaveSlotCount);
}

std::string SaveSlotFileName(int slot)
{
    const int64_t number = std::llabs(static_cast<int64_t>(slot) + 1);
    std::string name;
    FormatString(name, "%s%d%d.dat", SaveDataBaseName, static_cast<int>(number / 10 % 10),
                 static_cast<int>(number % 10));
    return name;
}

void ScanSaveSlots(CheckedVector<SaveSlotInfo>& slots)
{
    for (int i = 0; i < slots.Count(); ++i)
    {
        SaveSlotInfo& info = slots[static_cast<std::size_t>(i)];
        info = SaveSlotInfo();
        const int32_t previousVersion = FileVersion;
        std::unique_ptr<DataReader> in = OpenSlotFile(SaveSlotFileName(i));
        if (!in)
        {
            continue;
        }
        ProgressRecord progress;
        ClearRecord(progress);
        if (progress.Load(*in) && !in->Failed())
        {
            info.CopySummary(progress);
        }
        else
        {
            FailDamagedLoad(*in, previousVersion, nullptr);
            info.MarkUnreadable();
        }
    }
}

bool SaveToSlot(int slot, std::string* error)
{
    const std::string name = SaveSlotFileName(slot);
    if (!IsSlot(slot))
    {
        return RefuseSave(name, "no such slot", error);
    }
    if (!platform::CreateFolders(kSaveFolder))
    {
        std::string reason;
        FormatString(reason, "the folder %s cannot be made", kSaveFolder);
        return RefuseSave(name, reason, error);
    }
    CheckFileBeforeSave(name);
    std::string reason;
    std::unique_ptr<DataFileWriter> out = OpenDataFileForWrite(name, &reason);
    if (!out)
    {
        return RefuseSave(name, reason, error);
    }
    Progress.Save(*out);
    SaveRecordVector(PartyUnits, *out);
    if (!CloseDataFile(std::move(out), &reason))
    {
        return RefuseSave(name, reason, error);
    }
    SaveSlots.At(slot).CopySummary(Progress);
    return true;
}

bool LoadFromSlot(int slot, std::string* error)
{
    if (!IsSlot(slot))
    {
        if (error)
        {
            *error = "no such slot";
        }
        return false;
    }
    // Members that an older file lacks keep the session's values, as a load
    // in place would leave them.
    ProgressRecord progress(Progress);
    CheckedVector<UnitRecord> party;
    const std::string name = SaveSlotFileName(slot);
    switch (ReadSlotFile(name, progress, party, error))
    {
    case LoadResult::Loaded:
        break;
    case LoadResult::NotOpened:
        WriteReportAndErrorLog("Load %s : the file cannot be opened", name.c_str());
        if (error)
        {
            *error = "the file cannot be opened";
        }
        return false;
    case LoadResult::Corrupt:
        return false; // its reason is in the logs
    }
    Progress = std::move(progress);
    PartyUnits = std::move(party);
    ResizeUnitVector(PartyUnits, kPartySlotCount);
    return true;
}
