#pragma once

// The base of every stored record.
//
// A record does not serialise its members by hand. BindFields(version)
// registers, in a fixed order, the plain members (int32 and double, scalars or
// arrays) and the string members that a file of that format version holds; one
// generic loader and one generic saver walk those lists. Loading an old file
// binds the old layout, reads it and re-binds the current one, so members the
// old layout lacked keep the values they had.
//
// Image of one record, little-endian:
//   int32 N, then each bound member's elements in bind order;
//   int32 M, then each string as int32 L = length + 1 and, unless L is 1, the
//   L bytes of the CP932 text with its terminating NUL.
// Vectors of sub-records are not bound; a class that owns them appends them
// after its image in its own Load and Save.
//
// Every operation that walks the members (load, save, clear, copy) binds
// first. As every object of a class binds the same members at one version, the
// walks keep what BindFields gives as offsets, once per class and version, and
// the records keep no lists of their own (a record has lists only once
// BindFields was called on it from outside); copies of a record start with
// empty lists.

#include "common/data/CheckedVector.h"
#include "common/data/DataStream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The version word at the start of every data file.
constexpr int32_t kDataFormatVersion = 276;

// The version with which records bind for clearing and copying: 0 until a
// program's start-up sets it to kDataFormatVersion.
extern int32_t CurrentVersion;
// The version word of the data file most recently opened for reading.
extern int32_t FileVersion;

// Members marked "from version N" are bound when the file's version is N or
// more. The version word is compared unsigned: a negative word counts as newer
// than any version.
constexpr bool VersionAtLeast(int32_t version, int32_t since)
{
    return static_cast<uint32_t>(version) >= static_cast<uint32_t>(since);
}

struct FieldBinding
{
    void* m_pData;           // first byte of the member
    int32_t m_nElementSize;  // 4 for int32, 8 for double
    int32_t m_nElementCount; // 1 for a scalar, N for an array
    const char* m_pName;     // member name, for the data tool's dumps
};

struct StringBinding
{
    std::string* m_pString;
    const char* m_pName;
};

class SerializableRecord;

// Receives the vectors a record appends after its image, in file order, for
// the tools that show and compare records.
class VectorVisitor
{
public:
    virtual ~VectorVisitor() = default;
    virtual void Ints(const std::string& name, const int32_t* values, int count) = 0;
    virtual void Records(const std::string& name, int count,
                         const std::function<SerializableRecord&(int index)>& element) = 0;
    // A single sub-record stored in place (an element of a fixed array).
    virtual void Record(const std::string& name, SerializableRecord& record) = 0;
    // The cells of a map, stored as a counted int vector: cell (x, y) is
    // element y x pitch + x, the map's cells those with x below the width.
    virtual void Grid(const std::string& name, const CheckedVector<int32_t>& cells, int32_t width, int32_t height,
                      int32_t pitch)
    {
        (void)width;
        (void)height;
        (void)pitch;
        Ints(name, cells);
    }

    void Ints(const std::string& name, const CheckedVector<int32_t>& values)
    {
        Ints(name, values.data(), values.Count());
    }
    template <class T>
    void Records(const std::string& name, CheckedVector<T>& records)
    {
        Records(name, records.Count(), [&records](int i) -> SerializableRecord& { return records[i]; });
    }
};

class SerializableRecord
{
public:
    SerializableRecord();
    // A copy starts with empty lists: the source's point into the source.
    SerializableRecord(const SerializableRecord&);
    SerializableRecord(SerializableRecord&&) noexcept;
    SerializableRecord& operator=(const SerializableRecord&);
    SerializableRecord& operator=(SerializableRecord&&) noexcept;
    virtual ~SerializableRecord();

    // Registers the members that a file of this version holds. Every override
    // starts with ClearBindings() and binds members of the record itself, by
    // the version alone: the walks keep the result for every object of the class.
    virtual void BindFields(int32_t version);
    // Reads the record from a data file; false when the file is corrupt (the
    // record may then hold part of the file and must be thrown away).
    virtual bool Load(DataReader& in);
    // Writes the record at the current version.
    virtual void Save(DataWriter& out);

    // The base bodies of Load and Save.
    bool LoadRecord(DataReader& in);
    void SaveRecord(DataWriter& out);

    // Removes every CR byte from every string member.
    void RemoveCarriageReturns();

    // Shows the visitor the vectors this record stores after its image, in
    // file order. Records without vectors show nothing.
    virtual void VisitVectors(VectorVisitor& visitor);

    // The lists as the last BindFields called from outside the walks left them.
    const CheckedVector<FieldBinding>& BoundFields() const;
    const CheckedVector<StringBinding>& BoundStrings() const;

protected:
    void ClearBindings();
    void BindInt(int32_t& member, const char* name);
    void BindInts(int32_t* first, int count, const char* name);
    void BindDouble(double& member, const char* name);
    void BindDoubles(double* first, int count, const char* name);
    void BindString(std::string& member, const char* name);
    void BindStrings(std::string* first, int count, const char* name);

private:
    friend void ClearRecord(SerializableRecord& record);
    friend SerializableRecord& CopyRecord(SerializableRecord& destination, const SerializableRecord& source);
    friend class BindingLayout;
    struct Bindings;

    Bindings& Lists();

    // Made by the first BindFields: a record that is only loaded, saved and
    // copied never needs lists of its own.
    std::unique_ptr<Bindings> m_pBindings;
};

// Binds with CurrentVersion, zeroes every bound member and empties every string.
void ClearRecord(SerializableRecord& record);

// Binds both with CurrentVersion and copies the bound members and strings of a
// record of the same class. Vectors are the caller's to copy.
SerializableRecord& CopyRecord(SerializableRecord& destination, const SerializableRecord& source);
