#include "platform/input/VirtualKeys.h"

#include <array>
#include <cctype>
#include <string>

namespace platform
{

namespace
{

struct NamedKey
{
    std::string_view m_Name;
    int m_nKey;
};

constexpr std::array kNamedKeys = {
    NamedKey{"left", kVkLeft},   NamedKey{"right", kVkRight}, NamedKey{"up", kVkUp},
    NamedKey{"down", kVkDown},   NamedKey{"esc", kVkEscape},  NamedKey{"enter", kVkReturn},
    NamedKey{"space", kVkSpace}, NamedKey{"shift", kVkShift}, NamedKey{"ctrl", kVkControl},
    NamedKey{"alt", kVkMenu},
};

} // namespace

int VirtualKeyFromName(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
    {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (lower.size() == 1 && ((lower[0] >= 'a' && lower[0] <= 'z') || (lower[0] >= '0' && lower[0] <= '9')))
    {
        return std::toupper(static_cast<unsigned char>(lower[0]));
    }
    for (const NamedKey& key : kNamedKeys)
    {
        if (lower == key.m_Name)
        {
            return key.m_nKey;
        }
    }
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f')
    {
        int n = 0;
        for (std::size_t i = 1; i < lower.size(); ++i)
        {
            if (lower[i] < '0' || lower[i] > '9')
            {
                return 0;
            }
            n = n * 10 + (lower[i] - '0');
        }
        if (n >= 1 && n <= 12 && lower[1] != '0')
        {
            return static_cast<int>(kVkF1) + n - 1;
        }
    }
    return 0;
}

} // namespace platform
