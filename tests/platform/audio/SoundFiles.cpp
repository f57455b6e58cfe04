#include "SoundFiles.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstring>

namespace
{

void Le(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
    {
        out.push_back(uint8_t(value >> (8 * i)));
    }
}

void Tag(std::vector<uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
    {
        out.push_back(uint8_t(tag[i]));
    }
}

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Calls `change` on every page of the file in turn, up to the first page whose
// header no longer holds together.
template <class Change> void ForEachOggPage(std::vector<uint8_t>& file, Change change)
{
    std::size_t pos = 0;
    while (pos + 27 <= file.size() && std::memcmp(file.data() + pos, "OggS", 4) == 0)
    {
        const std::size_t segments = file[pos + 26];
        const std::size_t header = 27 + segments;
        if (pos + header > file.size())
        {
            return;
        }
        std::size_t body = 0;
        for (std::size_t i = 0; i < segments; ++i)
        {
            body += file[pos + 27 + i];
        }
        if (pos + header + body > file.size())
        {
            return;
        }
        ogg_page page{file.data() + pos, long(header), file.data() + pos + header, long(body)};
        change(page);
        pos += header + body;
    }
}

} // namespace

std::vector<uint8_t> MakeWave(int rate, int channels, int bits, int frames, double frequency)
{
    const int bytesPerSample = bits / 8;
    std::vector<uint8_t> data;
    for (int i = 0; i < frames; ++i)
    {
        const double s = 0.5 * std::sin(2.0 * M_PI * frequency * i / rate);
        for (int c = 0; c < channels; ++c)
        {
            if (bits == 8)
            {
                data.push_back(uint8_t(std::lround(128 + 127 * s)));
            }
            else
            {
                Le(data, uint32_t(uint16_t(int16_t(std::lround(32767 * s)))), 2);
            }
        }
    }
    std::vector<uint8_t> file;
    Tag(file, "RIFF");
    Le(file, uint32_t(4 + 8 + 16 + 8 + data.size()), 4);
    Tag(file, "WAVE");
    Tag(file, "fmt ");
    Le(file, 16, 4);
    Le(file, 1, 2);
    Le(file, uint32_t(channels), 2);
    Le(file, uint32_t(rate), 4);
    Le(file, uint32_t(rate * channels * bytesPerSample), 4);
    Le(file, uint32_t(channels * bytesPerSample), 2);
    Le(file, uint32_t(bits), 2);
    Tag(file, "data");
    Le(file, uint32_t(data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

std::vector<uint8_t> MakeOggVorbis(int rate, int channels, double seconds, double frequency, double noise)
{
    uint32_t seed = 12345;
    auto white = [&seed]
    {
        seed = seed * 1103515245u + 12345u;
        return double(seed >> 8) / double(1u << 24) * 2.0 - 1.0;
    };
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, channels, rate, 0.3f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::vector<uint8_t> file;
    ogg_packet header;
    ogg_packet headerComment;
    ogg_packet headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
    {
        AppendPage(file, page);
    }

    const int frames = int(seconds * rate);
    int written = 0;
    bool ended = false;
    while (!ended)
    {
        const int n = std::min(1024, frames - written);
        if (n > 0)
        {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i)
            {
                const double s = 0.5 * std::sin(2.0 * M_PI * frequency * (written + i) / rate);
                for (int c = 0; c < channels; ++c)
                {
                    buffer[c][i] = float(noise > 0.0 ? s + noise * white() : s);
                }
            }
            vorbis_analysis_wrote(&dsp, n);
            written += n;
        }
        else
        {
            vorbis_analysis_wrote(&dsp, 0);
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                {
                    AppendPage(file, page);
                    ended = ended || ogg_page_eos(&page) != 0;
                }
            }
        }
        if (n <= 0 && !ended)
        {
            while (ogg_stream_flush(&stream, &page) != 0)
            {
                AppendPage(file, page);
            }
            ended = true;
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return file;
}

void ResealOggPages(std::vector<uint8_t>& file)
{
    ForEachOggPage(file, [](ogg_page& page) { ogg_page_checksum_set(&page); });
}

void SetOggSerialNumber(std::vector<uint8_t>& file, uint32_t serial)
{
    ForEachOggPage(file,
                   [serial](ogg_page& page)
                   {
                       for (int i = 0; i < 4; ++i)
                       {
                           page.header[14 + i] = uint8_t(serial >> (8 * i));
                       }
                       ogg_page_checksum_set(&page);
                   });
}
