#include "RandomName.h"

#include "common/services/TextAndNumbers.h"
#include "platform/core/Files.h"
#include "platform/core/Random.h"

#include <vector>

namespace
{

// True for the '\n' that ends a counted line.
bool EndsLine(char c, char previous)
{
    return c == '\n' && previous != '\n';
}

} // namespace

bool PickNameFromList(std::string_view list, std::string& name)
{
    std::string text;
    text.reserve(list.size());
    for (char c : list)
    {
        if (c != '\r')
        {
            text.push_back(c);
        }
    }

    int count = 0;
    char previous = '\n';
    for (char c : text)
    {
        count += EndsLine(c, previous) ? 1 : 0;
        previous = c;
    }
    if (count == 0)
    {
        return false;
    }

    int skip = Rand() % count;
    std::size_t pos = 0;
    previous = '\n';
    for (; pos < text.size() && skip > 0; ++pos)
    {
        skip -= EndsLine(text[pos], previous) ? 1 : 0;
        previous = text[pos];
    }
    while (pos < text.size() && (text[pos] == '\n' || text[pos] == '\0'))
    {
        ++pos;
    }
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\0')
    {
        ++end;
    }
    name = CutMbText(std::string_view(text).substr(pos, end - pos), kRandomNameBytes);
    return true;
}

int PickRandomNameFromFile(std::string& name)
{
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(kRandomNamePath, bytes))
    {
        return 0;
    }
    const std::string_view list(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return PickNameFromList(list, name) ? 1 : 0;
}
