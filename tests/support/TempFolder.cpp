#include "TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder() : m_Previous(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "tk-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
    {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_Path = pattern;
    fs::current_path(m_Path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::current_path(m_Previous, ec);
    // Folders a test made read-only must be writable again to be removed.
    for (auto it = fs::recursive_directory_iterator(m_Path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
    {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(m_Path, ec);
}

void TempFolder::WriteFile(const fs::path& relative, const std::vector<unsigned char>& bytes) const
{
    fs::path full = m_Path / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void TempFolder::WriteFile(const fs::path& relative, const std::string& text) const
{
    WriteFile(relative, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> TempFolder::ReadFile(const fs::path& relative) const
{
    std::ifstream in(m_Path / relative, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempFolder::ReadText(const fs::path& relative) const
{
    std::vector<unsigned char> bytes = ReadFile(relative);
    return std::string(bytes.begin(), bytes.end());
}

ByteBuilder& ByteBuilder::Int(int32_t v)
{
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
    {
        m_Bytes.push_back(static_cast<unsigned char>(u >> (8 * i)));
    }
    return *this;
}

ByteBuilder& ByteBuilder::Ints(std::initializer_list<int32_t> values)
{
    for (int32_t v : values)
    {
        Int(v);
    }
    return *this;
}

ByteBuilder& ByteBuilder::Double(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
    {
        m_Bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
    }
    return *this;
}

ByteBuilder& ByteBuilder::String(const std::string& s)
{
    Int(static_cast<int32_t>(s.size() + 1));
    if (!s.empty())
    {
        m_Bytes.insert(m_Bytes.end(), s.begin(), s.end());
        m_Bytes.push_back(0);
    }
    return *this;
}

ByteBuilder& ByteBuilder::Bytes(const std::vector<unsigned char>& b)
{
    m_Bytes.insert(m_Bytes.end(), b.begin(), b.end());
    return *this;
}

std::string HexBytes(const std::vector<unsigned char>& bytes)
{
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i)
    {
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
        out += buf;
    }
    return out;
}

std::map<std::string, std::vector<unsigned char>> SnapshotFolder(const std::filesystem::path& folder)
{
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    {
        if (entry.is_regular_file())
        {
            std::ifstream in(entry.path(), std::ios::binary);
            files[std::filesystem::relative(entry.path(), folder).string()] =
                std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return files;
}
