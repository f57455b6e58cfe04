#pragma once

// The Ogg Vorbis player of the music manager on libvorbisfile: a file is read
// whole into memory, decoded while the mixer pulls it, and loops as asked.

#include "common/sound/OggPlayer.h"
#include "platform/audio/AudioSource.h"
#include "platform/audio/Mixer.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// The decoded sound of one Ogg Vorbis file (16-bit, its own rate and channels).
class OggVorbisSource : public AudioSource
{
public:
    // Null when the bytes are not Ogg Vorbis, are damaged in a way that would
    // bring the decoder down (see VorbisHeaderCheck.h) or claim a rate above
    // kMaxSampleRate; `reason` then says why.
    static std::shared_ptr<OggVorbisSource> FromBytes(std::vector<uint8_t> bytes, std::string* reason = nullptr);
    ~OggVorbisSource() override;

    AudioFormat Format() const override { return m_Format; }
    int Read(void* out, int frames) override;
    bool Rewind() override { return Seek(0); }
    bool Seek(int64_t frame) override;
    int64_t Position() const override;
    // Frames in the whole file.
    int64_t FrameCount() const;

private:
    struct Decoder;
    OggVorbisSource() = default;

    std::unique_ptr<Decoder> m_pDecoder;
    AudioFormat m_Format;
};

class OggVorbisPlayer : public OggPlayer
{
public:
    explicit OggVorbisPlayer(Mixer& mixer) : m_Mixer(mixer) {}
    ~OggVorbisPlayer() override;

    bool Open(std::string_view path) override;
    std::string OpenError() const override { return m_strOpenError; }
    void Play() override;
    int Stop() override;
    void Close() override;
    void SetLoopCount(int count) override;
    void Seek(int64_t frame) override;
    int64_t Position() const override;

    bool IsPlaying() const { return m_nVoice != 0 && m_Mixer.IsPlaying(m_nVoice); }
    // The mixer voice of the open file (0 when none).
    VoiceId Voice() const { return m_nVoice; }

private:
    Mixer& m_Mixer;
    VoiceId m_nVoice = 0;
    int m_nLoops = 0;
    std::string m_strOpenError;
};

class OggVorbisPlayerFactory : public OggPlayerFactory
{
public:
    explicit OggVorbisPlayerFactory(Mixer& mixer) : m_Mixer(mixer) {}
    std::unique_ptr<OggPlayer> CreatePlayer() override { return std::make_unique<OggVorbisPlayer>(m_Mixer); }

private:
    Mixer& m_Mixer;
};

} // namespace platform
