#include "SmfBytes.h"

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
    {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

Bytes SmfHeader(uint16_t format, uint16_t tracks, uint16_t division)
{
    return {'M',
            'T',
            'h',
            'd',
            0,
            0,
            0,
            6,
            uint8_t(format >> 8),
            uint8_t(format),
            uint8_t(tracks >> 8),
            uint8_t(tracks),
            uint8_t(division >> 8),
            uint8_t(division)};
}

Bytes SmfTrack(const Bytes& events)
{
    const uint32_t n = uint32_t(events.size());
    Bytes out = {'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
    out.insert(out.end(), events.begin(), events.end());
    return out;
}

Bytes VarLen(uint32_t value)
{
    Bytes groups;
    do
    {
        groups.insert(groups.begin(), uint8_t(value & 0x7F));
        value >>= 7;
    } while (value != 0);
    for (std::size_t i = 0; i + 1 < groups.size(); ++i)
    {
        groups[i] |= 0x80;
    }
    return groups;
}

Bytes MergedImage(uint16_t division, const Bytes& events)
{
    Bytes image = Join({SmfHeader(0, 1, division), SmfTrack(events)});
    return image;
}

Bytes DenseEvents(int count)
{
    Bytes events;
    for (int i = 0; i < count; ++i)
    {
        events.insert(events.end(), {uint8_t(i == 0 ? 0 : 1), 0x90, uint8_t(0x30 + i % 32), 0x40});
    }
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    return events;
}

Bytes ExampleFormat1File()
{
    return Join({SmfHeader(1, 2, 480), SmfTrack({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00}),
                 SmfTrack({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00})});
}

Bytes OneNoteFile(uint32_t offTick, uint32_t endTick)
{
    Bytes events = {0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64};
    events = Join({events, VarLen(offTick), {0x80, 0x3C, 0x40}, VarLen(endTick - offTick), {0xFF, 0x2F, 0x00}});
    return Join({SmfHeader(0, 1, 480), SmfTrack(events)});
}
