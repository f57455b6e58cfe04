#include "RecordText.h"

#include "platform/core/Cp932.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>

namespace
{

std::string DoubleText(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ByteEscape(unsigned char c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
    return buffer;
}

class FieldCollector : public VectorVisitor
{
public:
    FieldCollector(std::string prefix, RecordFields& fields) : m_Prefix(std::move(prefix)), m_Fields(fields) {}

    void Ints(const std::string& name, const int32_t* values, int count) override
    {
        RecordField field{Path(name), {}};
        for (int i = 0; i < count; ++i)
        {
            field.m_Values.push_back(std::to_string(values[i]));
        }
        m_Fields.push_back(std::move(field));
    }

    void Records(const std::string& name, int count,
                 const std::function<SerializableRecord&(int index)>& element) override
    {
        m_Fields.push_back({Path(name) + ".count", {std::to_string(count)}});
        for (int i = 0; i < count; ++i)
        {
            AppendRecordFields(element(i), Path(name) + "[" + std::to_string(i) + "]", m_Fields);
        }
    }

    void Record(const std::string& name, SerializableRecord& record) override
    {
        AppendRecordFields(record, Path(name), m_Fields);
    }

    // One field a row of the map ("m_Chip.y3 = ..."); the cells outside the
    // map only when one of them is not 0.
    void Grid(const std::string& name, const CheckedVector<int32_t>& cells, int32_t width, int32_t height,
              int32_t pitch) override
    {
        const std::size_t rowStep = static_cast<std::size_t>(std::max(pitch, 0));
        const std::size_t columns = std::min(static_cast<std::size_t>(std::max(width, 0)), rowStep);
        m_Fields.push_back({Path(name) + ".count", {std::to_string(cells.size())}});
        std::vector<bool> onMap(cells.size(), false);
        for (int32_t y = 0; y < height; ++y)
        {
            RecordField row{Path(name) + ".y" + std::to_string(y), {}};
            for (std::size_t x = 0, i = static_cast<std::size_t>(y) * rowStep; x < columns && i < cells.size();
                 ++x, ++i)
            {
                row.m_Values.push_back(std::to_string(cells[i]));
                onMap[i] = true;
            }
            m_Fields.push_back(std::move(row));
        }
        RecordField outside{Path(name) + ".outside", {}};
        bool anySet = false;
        for (std::size_t i = 0; i < cells.size(); ++i)
        {
            if (!onMap[i])
            {
                outside.m_Values.push_back(std::to_string(cells[i]));
                anySet = anySet || cells[i] != 0;
            }
        }
        if (anySet)
        {
            m_Fields.push_back(std::move(outside));
        }
    }

private:
    std::string Path(const std::string& name) const { return m_Prefix.empty() ? name : m_Prefix + "." + name; }

    std::string m_Prefix;
    RecordFields& m_Fields;
};

} // namespace

std::string QuoteText(const std::string& cp932)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < cp932.size();)
    {
        std::size_t len = platform::Cp932CharLength(cp932, i);
        unsigned char c = static_cast<unsigned char>(cp932[i]);
        platform::ConversionResult utf8 = platform::Cp932ToUtf8(cp932.substr(i, len));
        if (len == 1 && (c == '\n' || c == '\r' || c == '\t' || c == '"' || c == '\\'))
        {
            out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : c == '"' ? "\\\"" : "\\\\";
        }
        else if (c < 0x20 || c == 0x7F || !utf8.Complete())
        {
            for (std::size_t k = 0; k < len; ++k)
            {
                out += ByteEscape(static_cast<unsigned char>(cp932[i + k]));
            }
        }
        else
        {
            out += utf8.text;
        }
        i += len;
    }
    return out + "\"";
}

void AppendRecordFields(SerializableRecord& record, const std::string& prefix, RecordFields& fields)
{
    auto path = [&prefix](const char* name) { return prefix.empty() ? std::string(name) : prefix + "." + name; };

    record.BindFields(kDataFormatVersion);
    for (const FieldBinding& binding : record.BoundFields())
    {
        RecordField field{path(binding.m_pName), {}};
        const auto* p = static_cast<const unsigned char*>(binding.m_pData);
        for (int k = 0; k < binding.m_nElementCount; ++k, p += binding.m_nElementSize)
        {
            if (binding.m_nElementSize == 8)
            {
                double d;
                std::memcpy(&d, p, sizeof d);
                field.m_Values.push_back(DoubleText(d));
            }
            else
            {
                int32_t v;
                std::memcpy(&v, p, sizeof v);
                field.m_Values.push_back(std::to_string(v));
            }
        }
        fields.push_back(std::move(field));
    }
    for (const StringBinding& binding : record.BoundStrings())
    {
        fields.push_back({path(binding.m_pName), {QuoteText(*binding.m_pString)}});
    }

    FieldCollector collector(prefix, fields);
    record.VisitVectors(collector);
}

void PrintFields(const RecordFields& fields, std::ostream& out)
{
    for (const RecordField& field : fields)
    {
        out << field.m_strPath << " =";
        for (const std::string& value : field.m_Values)
        {
            out << ' ' << value;
        }
        out << '\n';
    }
}

namespace
{

// A field's key: its path and, where a record holds several fields of one
// name, which of them it is ("m_strMusic", "m_strMusic#2", ...).
std::vector<std::string> OccurrenceKeys(const RecordFields& fields)
{
    std::map<std::string, int> seen;
    std::vector<std::string> keys;
    keys.reserve(fields.size());
    for (const RecordField& field : fields)
    {
        const int n = ++seen[field.m_strPath];
        keys.push_back(n == 1 ? field.m_strPath : field.m_strPath + "#" + std::to_string(n));
    }
    return keys;
}

} // namespace

int PrintDifferences(const RecordFields& a, const RecordFields& b, std::ostream& out)
{
    const std::vector<std::string> leftKeys = OccurrenceKeys(a);
    const std::vector<std::string> rightKeys = OccurrenceKeys(b);
    std::map<std::string, const RecordField*> right;
    for (std::size_t i = 0; i < b.size(); ++i)
    {
        right[rightKeys[i]] = &b[i];
    }
    auto joined = [](const std::vector<std::string>& values)
    {
        std::string text;
        for (const std::string& v : values)
        {
            text += text.empty() ? v : " " + v;
        }
        return text;
    };

    int differences = 0;
    for (std::size_t f = 0; f < a.size(); ++f)
    {
        const RecordField& left = a[f];
        const std::string& key = leftKeys[f];
        auto it = right.find(key);
        if (it == right.end())
        {
            out << key << ": only in the first file: " << joined(left.m_Values) << '\n';
            ++differences;
            continue;
        }
        const RecordField& other = *it->second;
        right.erase(it);
        if (left.m_Values == other.m_Values)
        {
            continue;
        }
        if (left.m_Values.size() <= 1 && other.m_Values.size() <= 1)
        {
            out << key << ": " << joined(left.m_Values) << " -> " << joined(other.m_Values) << '\n';
            ++differences;
            continue;
        }
        // Arrays and vectors: element by element.
        std::size_t n = std::max(left.m_Values.size(), other.m_Values.size());
        for (std::size_t i = 0; i < n; ++i)
        {
            const std::string none = "(none)";
            const std::string& x = i < left.m_Values.size() ? left.m_Values[i] : none;
            const std::string& y = i < other.m_Values.size() ? other.m_Values[i] : none;
            if (x != y)
            {
                out << key << "[" << i << "]: " << x << " -> " << y << '\n';
                ++differences;
            }
        }
    }
    for (std::size_t f = 0; f < b.size(); ++f)
    {
        if (right.count(rightKeys[f]))
        {
            out << rightKeys[f] << ": only in the second file: " << joined(b[f].m_Values) << '\n';
            ++differences;
        }
    }
    return differences;
}
