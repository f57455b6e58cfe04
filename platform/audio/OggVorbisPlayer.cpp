#include "OggVorbisPlayer.h"

#include "common/sound/SoundPath.h"
#include "platform/audio/VorbisHeaderCheck.h"
#include "platform/core/Files.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace platform
{

// The file's bytes and the decoder reading them through memory callbacks.
struct OggVorbisSource::Decoder
{
    std::vector<uint8_t> m_Bytes;
    std::size_t m_nPos = 0;
    OggVorbis_File m_File{};
    bool m_bOpen = false;

    static size_t ReadBytes(void* out, size_t size, size_t count, void* self)
    {
        auto* d = static_cast<Decoder*>(self);
        const std::size_t wanted = size * count;
        const std::size_t n = std::min(wanted, d->m_Bytes.size() - d->m_nPos);
        if (n > 0) // an empty file has no bytes to copy from
        {
            std::memcpy(out, d->m_Bytes.data() + d->m_nPos, n);
            d->m_nPos += n;
        }
        return size == 0 ? 0 : n / size;
    }

    static int SeekBytes(void* self, ogg_int64_t offset, int whence)
    {
        auto* d = static_cast<Decoder*>(self);
        const ogg_int64_t base = whence == SEEK_SET   ? 0
                                 : whence == SEEK_CUR ? ogg_int64_t(d->m_nPos)
                                                      : ogg_int64_t(d->m_Bytes.size());
        const ogg_int64_t target = base + offset;
        if (target < 0 || target > ogg_int64_t(d->m_Bytes.size()))
        {
            return -1;
        }
        d->m_nPos = std::size_t(target);
        return 0;
    }

    static long TellBytes(void* self) { return long(static_cast<Decoder*>(self)->m_nPos); }

    ~Decoder()
    {
        if (m_bOpen)
        {
            ov_clear(&m_File);
        }
    }
};

std::shared_ptr<OggVorbisSource> OggVorbisSource::FromBytes(std::vector<uint8_t> bytes, std::string* reason)
{
    auto refuse = [reason](std::string text) -> std::shared_ptr<OggVorbisSource>
    {
        if (reason != nullptr)
        {
            *reason = std::move(text);
        }
        return nullptr;
    };
    auto decoder = std::make_unique<Decoder>();
    decoder->m_Bytes = std::move(bytes);
    const ov_callbacks callbacks = {&Decoder::ReadBytes, &Decoder::SeekBytes, nullptr, &Decoder::TellBytes};
    if (ov_open_callbacks(decoder.get(), &decoder->m_File, nullptr, 0, callbacks) != 0)
    {
        return refuse("not an Ogg Vorbis stream the decoder can open");
    }
    decoder->m_bOpen = true;
    // Opening reads the headers of every link but decodes nothing yet: each
    // link's header pages are checked before the first packet is decoded.
    const OggVorbis_File& file = decoder->m_File;
    const auto size = ogg_int64_t(decoder->m_Bytes.size());
    for (int link = 0; link < file.links; ++link)
    {
        const ogg_int64_t begin = file.offsets[link];
        const ogg_int64_t end = file.dataoffsets[link];
        std::string why;
        if (begin < 0 || end < begin || end > size ||
            !CheckVorbisHeaders(decoder->m_Bytes.data() + begin, std::size_t(end - begin), why))
        {
            return refuse(why.empty() ? "the decoder found headers where there are none" : why);
        }
    }
    const vorbis_info* info = ov_info(&decoder->m_File, -1);
    if (info == nullptr || info->channels < 1 || info->rate <= 0 || info->rate > kMaxSampleRate)
    {
        return refuse("no channels, or a sample rate out of range");
    }
    std::shared_ptr<OggVorbisSource> source(new OggVorbisSource());
    source->m_Format = {int(info->rate), info->channels, SampleType::S16};
    source->m_pDecoder = std::move(decoder);
    return source;
}

OggVorbisSource::~OggVorbisSource() = default;

int OggVorbisSource::Read(void* out, int frames)
{
    const int frameBytes = m_Format.FrameBytes();
    char* bytes = static_cast<char*>(out);
    int done = 0;
    int holes = 0;
    while (done < frames)
    {
        int section = 0;
        const long n =
            ov_read(&m_pDecoder->m_File, bytes + done * frameBytes, (frames - done) * frameBytes, 0, 2, 1, &section);
        if (n == OV_HOLE && ++holes < 16)
        {
            continue; // a gap in the data: decoding goes on after it
        }
        if (n <= 0)
        {
            break; // the end, or a stream that cannot be read on
        }
        done += int(n / frameBytes);
    }
    return done;
}

bool OggVorbisSource::Seek(int64_t frame)
{
    return ov_pcm_seek(&m_pDecoder->m_File, frame) == 0;
}

int64_t OggVorbisSource::Position() const
{
    return ov_pcm_tell(&m_pDecoder->m_File);
}

int64_t OggVorbisSource::FrameCount() const
{
    return ov_pcm_total(&m_pDecoder->m_File, -1);
}

OggVorbisPlayer::~OggVorbisPlayer()
{
    Close();
}

bool OggVorbisPlayer::Open(std::string_view path)
{
    Close();
    m_strOpenError.clear();
    std::vector<uint8_t> bytes;
    if (!IsOpenableSoundPath(path) || !ReadWholeFile(path, bytes))
    {
        return false;
    }
    const bool isOgg = bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0;
    std::string reason;
    std::shared_ptr<OggVorbisSource> source = OggVorbisSource::FromBytes(std::move(bytes), &reason);
    if (!source)
    {
        // Only an Ogg file has a reason worth telling: the music manager also
        // tries its undecided tracks here before it tries them as MIDI.
        if (isOgg)
        {
            m_strOpenError = reason;
        }
        return false;
    }
    m_nVoice = m_Mixer.AddVoice(std::move(source));
    m_Mixer.SetLoops(m_nVoice, m_nLoops);
    return true;
}

void OggVorbisPlayer::Play()
{
    if (m_nVoice != 0)
    {
        m_Mixer.Play(m_nVoice);
    }
}

int OggVorbisPlayer::Stop()
{
    if (m_nVoice == 0)
    {
        return 0;
    }
    const bool playing = m_Mixer.IsPlaying(m_nVoice);
    m_Mixer.Stop(m_nVoice);
    return playing ? 1 : 0;
}

void OggVorbisPlayer::Close()
{
    if (m_nVoice != 0)
    {
        m_Mixer.RemoveVoice(m_nVoice);
        m_nVoice = 0;
    }
}

void OggVorbisPlayer::SetLoopCount(int count)
{
    m_nLoops = count;
    if (m_nVoice != 0)
    {
        m_Mixer.SetLoops(m_nVoice, count);
    }
}

void OggVorbisPlayer::Seek(int64_t frame)
{
    if (m_nVoice != 0)
    {
        m_Mixer.Seek(m_nVoice, frame);
    }
}

int64_t OggVorbisPlayer::Position() const
{
    return m_nVoice != 0 ? m_Mixer.Position(m_nVoice) : 0;
}

} // namespace platform
