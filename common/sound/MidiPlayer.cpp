#include "MidiPlayer.h"

#include "common/services/Paths.h"

void MidiPlayer::SetChannelCount(int count)
{
    m_Streams.resize(static_cast<std::size_t>(count < 0 ? 0 : count));
}

void MidiPlayer::Clear()
{
    m_Streams.clear();
}

void MidiPlayer::StopAll(int pause)
{
    for (auto& stream : m_Streams)
    {
        if (stream)
        {
            stream->Stop(pause);
        }
    }
}

int MidiPlayer::Play(int channel, std::string_view path)
{
    StopAll(1);
    for (auto& stream : m_Streams)
    {
        stream.reset();
    }

    std::string extension;
    GetExtension(extension, path);
    if (extension != "mid" || m_pDevice == nullptr || !m_pDevice->Ready())
    {
        return 0;
    }
    auto& slot = m_Streams.At(channel);
    slot = std::make_unique<MidiStream>(*m_pDevice, path);
    if (!slot->HasImage())
    {
        return 0;
    }
    slot->Restart();
    return 1;
}
