#include "SerializableRecord.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <typeinfo>
#include <vector>

int32_t CurrentVersion = 0;
int32_t FileVersion = 0;

struct SerializableRecord::Bindings
{
    CheckedVector<FieldBinding> m_Fields;
    CheckedVector<StringBinding> m_Strings;
};

namespace
{

// A bound member as a place in the record: its byte offset from the record's start.
struct FieldSlot
{
    std::ptrdiff_t m_nOffset;
    int32_t m_nElementSize;
    int32_t m_nElementCount;
};

// Bound members that lie one after the other in the record as they do in the
// file: fields [m_nFirst, m_nEnd), m_nBytes bytes from m_nOffset on.
struct FieldRun
{
    std::ptrdiff_t m_nOffset;
    std::size_t m_nBytes;
    int m_nFirst;
    int m_nEnd;
};

// What BindFields of one class binds at one version, as offsets. Every object
// of the class binds the same places, so the walks over records (load, save,
// clear, copy) take the layout once per class and version instead of binding
// each record they meet.
struct RecordLayout
{
    const std::type_info* m_pType = nullptr;
    int32_t m_nVersion = 0;
    std::vector<FieldSlot> m_Fields;
    std::vector<std::ptrdiff_t> m_Strings;
    // The fields as runs that a load copies whole (on a little-endian machine,
    // where the file's int32 and double images are the members' own bytes).
    std::vector<FieldRun> m_Runs;

    template <class T>
    static T* At(SerializableRecord& record, std::ptrdiff_t offset)
    {
        return reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(&record) + offset);
    }
};

// A member bound further than this from the record's start is not a member of
// the record itself: such a layout is built again for every walk.
constexpr std::ptrdiff_t kMaxMemberOffset = 1 << 20;

} // namespace

// The layout of a record at a version: from the cache of the thread, or, for
// the rare class that binds what is not its own member and when the cache is
// full, built for this record alone.
class BindingLayout
{
public:
    BindingLayout(SerializableRecord& record, int32_t version)
    {
        const std::type_info* type = &typeid(record);
        if (t_pLast && t_pLast->m_pType == type && t_pLast->m_nVersion == version)
        {
            m_pLayout = t_pLast; // records of one class tend to come in a row
            return;
        }
        std::size_t slot = (reinterpret_cast<std::uintptr_t>(type) >> 4) ^ (static_cast<uint32_t>(version) * 0x9E3779B1u);
        for (int probe = 0; probe < kMaxProbes; ++probe, ++slot)
        {
            RecordLayout& entry = t_Cache[slot % kCacheSize];
            if (entry.m_pType == type && entry.m_nVersion == version)
            {
                m_pLayout = t_pLast = &entry;
                return;
            }
            if (!entry.m_pType)
            {
                if (Build(record, version, entry))
                {
                    entry.m_pType = type;
                    entry.m_nVersion = version;
                    m_pLayout = t_pLast = &entry;
                    return;
                }
                break;
            }
        }
        Build(record, version, m_Own.emplace());
        m_pLayout = &*m_Own;
    }
    BindingLayout(const BindingLayout&) = delete;
    BindingLayout& operator=(const BindingLayout&) = delete;

    const RecordLayout* operator->() const { return m_pLayout; }

private:
    // Binds the record (into lists of its own, kept as they were) and takes the
    // offsets. False when a binding lies outside the record.
    static bool Build(SerializableRecord& record, int32_t version, RecordLayout& layout)
    {
        auto lists = std::make_unique<SerializableRecord::Bindings>();
        record.m_pBindings.swap(lists);
        record.BindFields(version);
        record.m_pBindings.swap(lists);
        const CheckedVector<FieldBinding>& fields = lists->m_Fields;
        const CheckedVector<StringBinding>& strings = lists->m_Strings;

        auto offset = [&record](const void* member) {
            return static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(member) -
                                               reinterpret_cast<std::uintptr_t>(&record));
        };
        bool own = true;
        layout.m_Fields.clear();
        layout.m_Strings.clear();
        for (const FieldBinding& field : fields)
        {
            layout.m_Fields.push_back({offset(field.m_pData), field.m_nElementSize, field.m_nElementCount});
            own = own && layout.m_Fields.back().m_nOffset >= 0 && layout.m_Fields.back().m_nOffset < kMaxMemberOffset;
        }
        for (const StringBinding& string : strings)
        {
            layout.m_Strings.push_back(offset(string.m_pString));
            own = own && layout.m_Strings.back() >= 0 && layout.m_Strings.back() < kMaxMemberOffset;
        }
        TakeRuns(layout);
        return own;
    }

    static void TakeRuns(RecordLayout& layout)
    {
        layout.m_Runs.clear();
        for (std::size_t i = 0; i < layout.m_Fields.size(); ++i)
        {
            const FieldSlot& field = layout.m_Fields[i];
            const std::size_t bytes = static_cast<std::size_t>(field.m_nElementSize) * field.m_nElementCount;
            if (!layout.m_Runs.empty())
            {
                FieldRun& run = layout.m_Runs.back();
                if (run.m_nOffset + static_cast<std::ptrdiff_t>(run.m_nBytes) == field.m_nOffset)
                {
                    run.m_nBytes += bytes;
                    run.m_nEnd = static_cast<int>(i) + 1;
                    continue;
                }
            }
            layout.m_Runs.push_back({field.m_nOffset, bytes, static_cast<int>(i), static_cast<int>(i) + 1});
        }
    }

    static constexpr std::size_t kCacheSize = 256;
    static constexpr int kMaxProbes = 16;
    static thread_local RecordLayout t_Cache[kCacheSize];
    static thread_local const RecordLayout* t_pLast;

    std::optional<RecordLayout> m_Own; // made only for a layout that is not kept
    const RecordLayout* m_pLayout = nullptr;
};

thread_local RecordLayout BindingLayout::t_Cache[BindingLayout::kCacheSize];
thread_local const RecordLayout* BindingLayout::t_pLast = nullptr;

void SerializableRecord::BindFields(int32_t)
{
    ClearBindings();
}

bool SerializableRecord::Load(DataReader& in)
{
    return LoadRecord(in);
}

void SerializableRecord::Save(DataWriter& out)
{
    SaveRecord(out);
}

void SerializableRecord::VisitVectors(VectorVisitor&)
{
}

SerializableRecord::SerializableRecord() = default;
SerializableRecord::SerializableRecord(const SerializableRecord&)
{
}
SerializableRecord::SerializableRecord(SerializableRecord&&) noexcept
{
}
SerializableRecord& SerializableRecord::operator=(const SerializableRecord&)
{
    ClearBindings();
    return *this;
}
SerializableRecord& SerializableRecord::operator=(SerializableRecord&&) noexcept
{
    ClearBindings();
    return *this;
}
SerializableRecord::~SerializableRecord() = default;

SerializableRecord::Bindings& SerializableRecord::Lists()
{
    if (!m_pBindings)
    {
        m_pBindings = std::make_unique<Bindings>();
    }
    return *m_pBindings;
}

const CheckedVector<FieldBinding>& SerializableRecord::BoundFields() const
{
    static const CheckedVector<FieldBinding> kNone;
    return m_pBindings ? m_pBindings->m_Fields : kNone;
}

const CheckedVector<StringBinding>& SerializableRecord::BoundStrings() const
{
    static const CheckedVector<StringBinding> kNone;
    return m_pBindings ? m_pBindings->m_Strings : kNone;
}

void SerializableRecord::ClearBindings()
{
    if (m_pBindings)
    {
        m_pBindings->m_Fields.clear();
        m_pBindings->m_Strings.clear();
    }
}

void SerializableRecord::BindInt(int32_t& member, const char* name)
{
    BindInts(&member, 1, name);
}

void SerializableRecord::BindInts(int32_t* first, int count, const char* name)
{
    Lists().m_Fields.push_back({first, 4, count, name});
}

void SerializableRecord::BindDouble(double& member, const char* name)
{
    BindDoubles(&member, 1, name);
}

void SerializableRecord::BindDoubles(double* first, int count, const char* name)
{
    Lists().m_Fields.push_back({first, 8, count, name});
}

void SerializableRecord::BindString(std::string& member, const char* name)
{
    BindStrings(&member, 1, name);
}

void SerializableRecord::BindStrings(std::string* first, int count, const char* name)
{
    Bindings& lists = Lists();
    for (int i = 0; i < count; ++i)
    {
        lists.m_Strings.push_back({first + i, name});
    }
}

bool SerializableRecord::LoadRecord(DataReader& in)
{
    BindingLayout layout(*this, in.Version());
    const int boundFields = static_cast<int>(layout->m_Fields.size());
    const int boundStrings = static_cast<int>(layout->m_Strings.size());

    int32_t fieldCount = 0;
    if (!in.ReadInt32(fieldCount))
    {
        return false;
    }
    if (fieldCount < 0 || fieldCount > boundFields)
    {
        return in.Fail("field count " + std::to_string(fieldCount) + " where version " +
                       std::to_string(in.Version()) + " binds " + std::to_string(boundFields));
    }
    int read = 0;
    if constexpr (std::endian::native == std::endian::little && sizeof(double) == 8)
    {
        // Whole runs of members in one copy each, while they are in the file
        // whole; the rest (and a file that ends early) field by field below.
        for (const FieldRun& run : layout->m_Runs)
        {
            if (run.m_nEnd > fieldCount || in.Failed() || in.Remaining() < run.m_nBytes)
            {
                break;
            }
            std::memcpy(RecordLayout::At<unsigned char>(*this, run.m_nOffset), in.TakeBytes(run.m_nBytes),
                        run.m_nBytes);
            read = run.m_nEnd;
        }
    }
    for (int i = read; i < fieldCount; ++i)
    {
        const FieldSlot& field = layout->m_Fields[static_cast<std::size_t>(i)];
        if (field.m_nElementSize != 8)
        {
            if (!in.ReadInt32s(RecordLayout::At<int32_t>(*this, field.m_nOffset),
                               static_cast<std::size_t>(field.m_nElementCount)))
            {
                return false;
            }
            continue;
        }
        auto* p = RecordLayout::At<double>(*this, field.m_nOffset);
        for (int k = 0; k < field.m_nElementCount; ++k)
        {
            if (!in.ReadDouble(p[k]))
            {
                return false;
            }
        }
    }

    int32_t stringCount = 0;
    if (!in.ReadInt32(stringCount))
    {
        return false;
    }
    if (stringCount < 0 || stringCount > boundStrings)
    {
        return in.Fail("string count " + std::to_string(stringCount) + " where version " +
                       std::to_string(in.Version()) + " binds " + std::to_string(boundStrings));
    }
    for (int i = 0; i < stringCount; ++i)
    {
        int32_t length = 0;
        if (!in.ReadInt32(length))
        {
            return false;
        }
        if (length < 1)
        {
            return in.Fail("string length " + std::to_string(length));
        }
        std::string& member = *RecordLayout::At<std::string>(*this, layout->m_Strings[static_cast<std::size_t>(i)]);
        if (length == 1)
        {
            member.clear();
            continue;
        }
        if (static_cast<std::size_t>(length) > in.Remaining())
        {
            return in.Fail("string length " + std::to_string(length) + " exceeds the bytes left");
        }
        const char* text = reinterpret_cast<const char*>(in.TakeBytes(static_cast<std::size_t>(length)));
        member.assign(text, strnlen(text, static_cast<std::size_t>(length))); // the text ends at its first NUL
    }
    // Each walk takes the layout of its own version: a later save writes the current layout.
    return true;
}

void SerializableRecord::SaveRecord(DataWriter& out)
{
    BindingLayout layout(*this, kDataFormatVersion);

    out.WriteInt32(static_cast<int32_t>(layout->m_Fields.size()));
    for (const FieldSlot& field : layout->m_Fields)
    {
        for (int k = 0; k < field.m_nElementCount; ++k)
        {
            if (field.m_nElementSize == 8)
            {
                out.WriteDouble(RecordLayout::At<double>(*this, field.m_nOffset)[k]);
            }
            else
            {
                out.WriteInt32(RecordLayout::At<int32_t>(*this, field.m_nOffset)[k]);
            }
        }
    }

    out.WriteInt32(static_cast<int32_t>(layout->m_Strings.size()));
    for (std::ptrdiff_t offset : layout->m_Strings)
    {
        const std::string& text = *RecordLayout::At<std::string>(*this, offset);
        out.WriteInt32(static_cast<int32_t>(text.size() + 1));
        if (!text.empty())
        {
            out.WriteBytes(text.c_str(), text.size() + 1);
        }
    }
}

void SerializableRecord::RemoveCarriageReturns()
{
    BindingLayout layout(*this, kDataFormatVersion);
    for (std::ptrdiff_t offset : layout->m_Strings)
    {
        std::string& text = *RecordLayout::At<std::string>(*this, offset);
        std::size_t end = std::strlen(text.c_str());
        std::size_t out = 0;
        for (std::size_t i = 0; i < end; ++i)
        {
            if (text[i] != '\r')
            {
                text[out++] = text[i];
            }
        }
        text.erase(out, end - out);
    }
}

void ClearRecord(SerializableRecord& record)
{
    BindingLayout layout(record, CurrentVersion);
    for (const FieldSlot& field : layout->m_Fields)
    {
        std::memset(RecordLayout::At<unsigned char>(record, field.m_nOffset), 0,
                    static_cast<std::size_t>(field.m_nElementSize) * field.m_nElementCount);
    }
    for (std::ptrdiff_t offset : layout->m_Strings)
    {
        RecordLayout::At<std::string>(record, offset)->clear();
    }
}

SerializableRecord& CopyRecord(SerializableRecord& destination, const SerializableRecord& source)
{
    if (&destination == &source)
    {
        return destination;
    }
    // Binding only records where the members lie; it does not change the source's value.
    auto& src = const_cast<SerializableRecord&>(source);
    BindingLayout to(destination, CurrentVersion);
    BindingLayout from(src, CurrentVersion);
    for (std::size_t i = 0; i < to->m_Fields.size(); ++i)
    {
        const FieldSlot& field = to->m_Fields[i];
        if (i >= from->m_Fields.size() || from->m_Fields[i].m_nElementSize * from->m_Fields[i].m_nElementCount !=
                                               field.m_nElementSize * field.m_nElementCount)
        {
            // Records of two classes: the checked access's report, and nothing copied past the source.
            detail::ReportIndexError(static_cast<int>(i), from->m_Fields.size(), detail::IndexErrorAction::Fatal);
            return destination;
        }
        std::memcpy(RecordLayout::At<unsigned char>(destination, field.m_nOffset),
                    RecordLayout::At<unsigned char>(src, from->m_Fields[i].m_nOffset),
                    static_cast<std::size_t>(field.m_nElementSize) * field.m_nElementCount);
    }
    for (std::size_t i = 0; i < to->m_Strings.size(); ++i)
    {
        if (i >= from->m_Strings.size())
        {
            detail::ReportIndexError(static_cast<int>(i), from->m_Strings.size(), detail::IndexErrorAction::Fatal);
            return destination;
        }
        *RecordLayout::At<std::string>(destination, to->m_Strings[i]) =
            *RecordLayout::At<std::string>(src, from->m_Strings[i]);
    }
    return destination;
}
