#pragma once

// Hand-made images of event records as files of a given version wrote them.

#include "TempFolder.h"

#include <string>
#include <vector>

namespace event_images
{

struct CommandImage
{
    int32_t code = 0;
    std::vector<int32_t> ints;
    std::vector<std::string> strings;
    std::vector<int32_t> goods; // written from version 84
};

inline ByteBuilder& Command(ByteBuilder& b, int32_t version, const CommandImage& c)
{
    b.Int(1).Int(c.code).Int(0);
    b.Int(static_cast<int32_t>(c.ints.size()));
    for (int32_t v : c.ints)
    {
        b.Int(v);
    }
    b.Int(static_cast<int32_t>(c.strings.size()));
    for (const std::string& s : c.strings)
    {
        b.Int(0).Int(1).String(s);
    }
    if (version >= 84)
    {
        b.Int(static_cast<int32_t>(c.goods.size()));
        for (int32_t item : c.goods)
        {
            b.Int(1).Int(item).Int(0);
        }
    }
    return b;
}

struct PageImage
{
    int32_t graphic = 0;
    int32_t group = 0;
    int32_t timing = 0;
    int32_t exists = 0;      // written from version 90
    std::string commandName; // written from version 71
    std::vector<CommandImage> commands;
};

inline ByteBuilder& Page(ByteBuilder& b, int32_t version, const PageImage& p)
{
    b.Int(version >= 90 ? 14 : 13);
    b.Ints({p.graphic, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    if (version >= 90)
    {
        b.Int(p.exists);
    }
    b.Int(p.group).Int(p.timing);
    if (version >= 71)
    {
        b.Int(1).String(p.commandName);
    }
    else
    {
        b.Int(0);
    }
    b.Int(static_cast<int32_t>(p.commands.size()));
    for (const CommandImage& c : p.commands)
    {
        Command(b, version, c);
    }
    return b;
}

inline ByteBuilder& EventImage(ByteBuilder& b, int32_t version, int32_t x, int32_t y, const std::string& name,
                               const std::vector<PageImage>& pages)
{
    if (version >= 72)
    {
        b.Int(6).Ints({x, y, 0, 0, 0, 0});
    }
    else
    {
        b.Int(4).Ints({x, y, 0, 0});
    }
    b.Int(1).String(name);
    b.Int(static_cast<int32_t>(pages.size()));
    for (const PageImage& p : pages)
    {
        Page(b, version, p);
    }
    return b;
}

} // namespace event_images
