#include "ProgramStrings.h"

#include <cstdlib>
#include <cstring>
#include <elf.h>
#include <fstream>
#include <vector>

namespace platform
{
namespace
{

// Bounded reads from the file; every offset and size comes from the file itself.
class FileBytes
{
public:
    explicit FileBytes(const std::string& path) : m_In(path, std::ios::binary)
    {
        if (m_In)
        {
            m_In.seekg(0, std::ios::end);
            m_Size = static_cast<uint64_t>(m_In.tellg());
        }
    }

    bool Read(uint64_t offset, void* out, uint64_t size)
    {
        if (!m_In || offset > m_Size || size > m_Size - offset)
        {
            return false;
        }
        m_In.seekg(static_cast<std::streamoff>(offset));
        m_In.read(static_cast<char*>(out), static_cast<std::streamsize>(size));
        return static_cast<uint64_t>(m_In.gcount()) == size;
    }

private:
    std::ifstream m_In;
    uint64_t m_Size = 0;
};

struct Section
{
    uint32_t name;
    uint64_t offset;
    uint64_t size;
    uint32_t type;
};

template <class Ehdr, class Shdr>
bool ReadSections(FileBytes& file, std::vector<Section>& sections, uint16_t& nameIndex)
{
    Ehdr header;
    if (!file.Read(0, &header, sizeof header) || header.e_shentsize != sizeof(Shdr) || header.e_shnum == 0)
    {
        return false;
    }
    nameIndex = header.e_shstrndx;
    for (uint16_t i = 0; i < header.e_shnum; ++i)
    {
        Shdr s;
        if (!file.Read(header.e_shoff + static_cast<uint64_t>(i) * sizeof s, &s, sizeof s))
        {
            return false;
        }
        sections.push_back({s.sh_name, s.sh_offset, s.sh_size, s.sh_type});
    }
    return nameIndex < sections.size();
}

constexpr uint64_t kMaxSectionBytes = 1 << 20;

} // namespace

bool ReadProgramStrings(const std::string& diskPath, std::map<int, std::string>& strings)
{
    FileBytes file(diskPath);
    unsigned char ident[EI_NIDENT];
    if (!file.Read(0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0 ||
        ident[EI_DATA] != ELFDATA2LSB)
    {
        return false;
    }
    std::vector<Section> sections;
    uint16_t nameIndex = 0;
    bool ok = ident[EI_CLASS] == ELFCLASS64   ? ReadSections<Elf64_Ehdr, Elf64_Shdr>(file, sections, nameIndex)
              : ident[EI_CLASS] == ELFCLASS32 ? ReadSections<Elf32_Ehdr, Elf32_Shdr>(file, sections, nameIndex)
                                              : false;
    if (!ok || sections[nameIndex].size > kMaxSectionBytes)
    {
        return false;
    }
    std::string names(sections[nameIndex].size, '\0');
    if (!file.Read(sections[nameIndex].offset, names.data(), names.size()))
    {
        return false;
    }

    for (const Section& s : sections)
    {
        if (s.name >= names.size() || std::strcmp(names.c_str() + s.name, kProgramStringsSection) != 0 ||
            s.type == SHT_NOBITS || s.size > kMaxSectionBytes)
        {
            continue;
        }
        std::string content(s.size, '\0');
        if (!file.Read(s.offset, content.data(), content.size()))
        {
            return false;
        }
        std::map<int, std::string> table;
        std::size_t pos = 0;
        while (pos < content.size())
        {
            std::size_t idEnd = content.find('\0', pos);
            if (idEnd == std::string::npos || idEnd == pos)
            {
                break;
            }
            std::size_t textEnd = content.find('\0', idEnd + 1);
            if (textEnd == std::string::npos)
            {
                textEnd = content.size();
            }
            table[std::atoi(content.c_str() + pos)] = content.substr(idEnd + 1, textEnd - idEnd - 1);
            pos = textEnd + 1;
        }
        strings.swap(table);
        return true;
    }
    return false;
}

} // namespace platform
