#pragma once

// The data-file container: a version word, then one record image (System.dat,
// a stage, ...) or a table (int32 count and that many images of one class).
//
// Loads are all-or-nothing: a file is read whole, parsed into a copy of the
// target and swapped in only when every read and every count checked out; a
// damaged file leaves the target as it was, writes one log line and gives 0.
// Saves never destroy: the bytes are built in memory and replace the file
// atomically; a copy of a damaged file is kept beside it before it is first
// saved over; after a fatal program error no file is written any more.

#include "common/data/SerializableRecord.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A data file opened for writing: its bytes collect in memory until
// CloseDataFile writes them.
class DataFileWriter : public DataWriter
{
public:
    explicit DataFileWriter(std::string path) : m_Path(std::move(path)) {}
    const std::string& Path() const { return m_Path; }

private:
    std::string m_Path;
};

// What became of a whole-file load.
enum class LoadResult
{
    Loaded,
    NotOpened, // missing or unreadable: nothing was read
    Corrupt,   // damaged: opened, but a read or a count failed; one log line was written
};

// Reads the whole file and its version word, which becomes FileVersion. An
// empty name opens "err". Null when the file cannot be opened; a file too
// short for its version word gives a reader that has already failed.
std::unique_ptr<DataReader> OpenDataFileForRead(std::string_view name);

// Starts a data file with the version word. Null, with the reason when asked,
// when the name is empty or a fatal error has stopped all saving.
std::unique_ptr<DataFileWriter> OpenDataFileForWrite(std::string_view name, std::string* error = nullptr);

// Writes the file (temporary file, flush, rename). False, with a log line and,
// when asked, the reason, when it cannot be written; the previous file is then
// untouched. The first save over a file that failed to load as damaged first
// keeps the damaged file (KeepDamagedBytes), unless KeepDamagedFile kept it
// already, and writes a log line naming the copy; when it cannot be kept,
// nothing is written.
bool CloseDataFile(std::unique_ptr<DataFileWriter> file, std::string* error = nullptr);

// Keeps the bytes of a damaged data file beside it: as "NAME.damaged", or when
// that holds other bytes as the first free of "NAME.damaged.2",
// "NAME.damaged.3", ... A name is claimed atomically (platform::WriteNewFile),
// so that programs keeping copies at the same moment never take one name or
// replace a copy: each copy survives under a name of its own, which only
// ever shows the whole copy. A copy that holds these very bytes already is
// named instead of making another. The name the bytes are kept under; empty,
// with the reason when asked, when they cannot be kept.
std::string KeepDamagedBytes(std::string_view name, const std::vector<unsigned char>& bytes,
                             std::string* error = nullptr);

// Keeps a file that failed to load as damaged now, before it is saved over,
// with a log line naming the copy; the first save over it keeps nothing more.
// copy is the name it is kept under (empty when it is noted as damaged no
// more, or is gone). False, with the reason when asked, when it cannot be kept.
bool KeepDamagedFile(std::string_view name, std::string& copy, std::string* error = nullptr);

// The name KeepDamagedBytes would keep the file under now (by the same
// search), making nothing.
std::string DamagedCopyName(std::string_view name);

// The end of a load that failed on a damaged file: writes its log line, notes
// the file as damaged (see CloseDataFile), puts FileVersion back and gives the
// reason ("... at byte N") when asked. Corrupt.
LoadResult FailDamagedLoad(const DataReader& in, int32_t previousVersion, std::string* error);
// The end of a load that read the whole file: it is no longer taken for damaged.
void NoteFileLoaded(const DataReader& in);

// Counted vectors of int32: int32 count, then the values.
bool LoadIntVector(CheckedVector<int32_t>& values, DataReader& in);
void SaveIntVector(const CheckedVector<int32_t>& values, DataWriter& out);

// How LoadRecordVector resets the prototype element that every element starts
// from. Classes that start from something other than a cleared record declare
// an overload of this function beside themselves.
template <class T>
void ResetVectorPrototype(T& prototype)
{
    ClearRecord(prototype);
}

// Smallest image of one record: its two counts.
constexpr std::size_t kMinRecordImageBytes = 8;

// Room for the elements of a vector being read, when the room held runs out:
// as many as the bytes left would hold at the size of the images read so far,
// never more than the count claimed, and at least half as many again as read.
std::size_t NextVectorRoom(std::size_t read, std::size_t claimed, std::size_t bytesRead, std::size_t bytesLeft);

// Reads int32 count and that many records of T. Each element starts as a copy
// of a prototype bound at the current format and reset (one per class and file).
//
// The vector grows as its elements are read, to room that the bytes left
// could fill: a count that the file claims but does not hold takes no more
// memory than a few times the bytes the file really holds.
template <class T>
bool LoadRecordVector(CheckedVector<T>& records, DataReader& in)
{
    int32_t count = 0;
    if (!in.ReadCount(count, kMinRecordImageBytes))
    {
        return false;
    }
    CheckedVector<T> loaded;
    if (count == 0)
    {
        records.swap(loaded);
        return true;
    }
    const T& prototype = in.Prototype<T>([] {
        T made;
        ResetVectorPrototype(made);
        return made;
    });
    const std::size_t claimed = static_cast<std::size_t>(count);
    const std::size_t start = in.Offset();
    for (std::size_t i = 0; i < claimed; ++i)
    {
        if (loaded.size() == loaded.capacity())
        {
            loaded.reserve(NextVectorRoom(i, claimed, in.Offset() - start, in.Remaining()));
        }
        loaded.push_back(prototype);
        if (!loaded.back().Load(in))
        {
            return false;
        }
    }
    records.swap(loaded);
    return true;
}

template <class T>
void SaveRecordVector(CheckedVector<T>& records, DataWriter& out)
{
    out.WriteInt32(records.Count());
    for (T& record : records)
    {
        record.Save(out);
    }
}

// The object a whole-file load reads into before it replaces the record: a
// copy of the record, so that the members an old layout lacks keep the values
// they have now. A class whose Load starts from its defaults whatever it held
// declares an overload beside itself that spares the copy.
template <class T>
T CopyForLoad(const T& record)
{
    return record;
}

// Whether a whole-file load checks the records it reads (DataReader::ChecksValues).
enum class ValueChecks
{
    Fit,      // indices and values are brought into the tables, the stage and their ranges
    AsStored, // every value stays as the file holds it
};

// Loads a single-record file into the record; on any failure the record is
// unchanged and, when asked, error tells why. With the strip-CR flag, CR bytes are removed from the record's
// own strings.
template <class T>
LoadResult TryLoadRecordFile(T& record, std::string_view name, int stripCr, std::string* error = nullptr,
                             ValueChecks checks = ValueChecks::Fit)
{
    int32_t previousVersion = FileVersion;
    std::unique_ptr<DataReader> in = OpenDataFileForRead(name);
    if (!in)
    {
        return LoadResult::NotOpened;
    }
    in->SetChecksValues(checks == ValueChecks::Fit);
    T loaded = CopyForLoad(record);
    if (!loaded.Load(*in) || in->Failed())
    {
        return FailDamagedLoad(*in, previousVersion, error);
    }
    NoteFileLoaded(*in);
    if (stripCr)
    {
        loaded.RemoveCarriageReturns();
    }
    record = std::move(loaded);
    return LoadResult::Loaded;
}

// 1 when the file was read; 0 when it could not be opened or was corrupt.
template <class T>
int LoadRecordFile(T& record, std::string_view name, int stripCr)
{
    return TryLoadRecordFile(record, name, stripCr) == LoadResult::Loaded ? 1 : 0;
}

// Writes a single-record file. 1 when written; else 0 and, when asked, the reason.
int SaveRecordFile(SerializableRecord& record, std::string_view name, std::string* error = nullptr);

// Name of the numbered copy n of a path: "%s_%d%d%d" (x.stg_276).
std::string NumberedCopyName(std::string_view path, int n);

// What the numbered copies of a path are named after: the path with its
// extension replaced; a path without a '.' stays as it is. Saving a copy and
// searching for one both go through here, so that "x" is saved as "x_276" and
// found there, and "x.old" as "x.stg_276".
std::string NumberedCopyBase(std::string_view path, std::string_view extension);

// Loads the highest-numbered copy (path_999 down to path_000) that exists and
// loads, after replacing the path's extension. 1 when one was loaded.
int LoadNumberedCopyInto(std::string_view path, std::string_view extension,
                         int (*tryLoad)(void* record, const std::string& name, int stripCr), void* record,
                         int stripCr);

template <class T>
int LoadNumberedCopy(T& record, std::string_view path, std::string_view extension, int stripCr)
{
    auto tryLoad = [](void* target, const std::string& name, int strip) {
        return LoadRecordFile(*static_cast<T*>(target), name, strip);
    };
    return LoadNumberedCopyInto(path, extension, tryLoad, &record, stripCr);
}

// Table files: int32 count and the records. Loading replaces the table only
// when the whole file checked out.
template <class T>
LoadResult TryLoadTableFile(CheckedVector<T>& table, std::string_view name, int stripCr, std::string* error = nullptr,
                            ValueChecks checks = ValueChecks::Fit)
{
    int32_t previousVersion = FileVersion;
    std::unique_ptr<DataReader> in = OpenDataFileForRead(name);
    if (!in)
    {
        return LoadResult::NotOpened;
    }
    in->SetChecksValues(checks == ValueChecks::Fit);
    CheckedVector<T> loaded;
    if (!LoadRecordVector(loaded, *in) || in->Failed())
    {
        return FailDamagedLoad(*in, previousVersion, error);
    }
    NoteFileLoaded(*in);
    if (stripCr)
    {
        for (T& record : loaded)
        {
            record.RemoveCarriageReturns();
        }
    }
    table.swap(loaded);
    return LoadResult::Loaded;
}

// 1 when the file was read; 0 when it could not be opened or was corrupt.
template <class T>
int LoadTableFile(CheckedVector<T>& table, std::string_view name, int stripCr)
{
    return TryLoadTableFile(table, name, stripCr) == LoadResult::Loaded ? 1 : 0;
}

// 1 when written; else 0 and, when asked, the reason.
template <class T>
int SaveTableFile(CheckedVector<T>& table, std::string_view name, std::string* error = nullptr)
{
    std::unique_ptr<DataFileWriter> out = OpenDataFileForWrite(name, error);
    if (!out)
    {
        return 0;
    }
    SaveRecordVector(table, *out);
    return CloseDataFile(std::move(out), error) ? 1 : 0;
}
