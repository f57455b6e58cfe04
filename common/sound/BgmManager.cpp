#include "BgmManager.h"

#include "common/services/Log.h"
#include "common/services/Paths.h"

BgmManager Bgm;

BgmManager::BgmManager() = default;

BgmManager::~BgmManager()
{
    Release();
}

void BgmManager::SetDevices(OggPlayerFactory* oggFactory, MidiStreamDevice* midiDevice)
{
    m_pOggFactory = oggFactory;
    m_Midi.SetDevice(midiDevice);
}

int BgmManager::Init(int channelCount, const std::vector<std::string>& oggPaths,
                     const std::vector<std::string>& midiPaths, int trackCount)
{
    m_Midi.Clear();
    if (!m_Vox.Init(m_pOggFactory))
    {
        WriteErrorLog("m_Vox.Init失敗！");
        m_Enabled = 0;
        return 0;
    }
    m_Enabled = 1;
    SetChannelCount(channelCount);
    const std::size_t tracks = std::size_t(trackCount < 0 ? 0 : trackCount);
    m_OggPaths.assign(oggPaths.begin(), oggPaths.begin() + std::min(tracks, oggPaths.size()));
    m_OggPaths.resize(tracks);
    m_MidiPaths.assign(midiPaths.begin(), midiPaths.begin() + std::min(tracks, midiPaths.size()));
    m_MidiPaths.resize(tracks);
    m_TrackKinds.assign(tracks, kBgmNone);
    return 1;
}

int BgmManager::SetChannelCount(int count)
{
    if (!m_Enabled)
    {
        return 1;
    }
    m_Midi.SetChannelCount(count);
    m_Vox.CreatePlayers(count);
    m_ChannelKinds.assign(std::size_t(count < 0 ? 0 : count), kBgmNone);
    return 1;
}

int BgmManager::SetTrackFile(int track, std::string_view path)
{
    if (!m_Enabled)
    {
        return 1;
    }
    std::string extension;
    if (!GetExtension(extension, path))
    {
        m_OggPaths.At(track).clear();
        m_MidiPaths.At(track).clear();
        m_TrackKinds.At(track) = kBgmNone;
        return 0;
    }
    if (extension == "mid")
    {
        m_MidiPaths.At(track) = path;
        m_TrackKinds.At(track) = kBgmMidi;
        return 1;
    }
    if (extension == "ogg")
    {
        m_OggPaths.At(track) = path;
        m_TrackKinds.At(track) = kBgmOgg;
        return 1;
    }
    m_OggPaths.At(track) = path;
    m_MidiPaths.At(track) = path;
    m_TrackKinds.At(track) = kBgmNone;
    return 0;
}

int BgmManager::Play(int channel, int track, int pause, int restart)
{
    if (!m_Enabled)
    {
        return 1;
    }
    if (track == m_nCurrentTrack && restart == 0)
    {
        return 1;
    }
    m_nCurrentTrack = track;
    const int kind = m_TrackKinds.At(track);
    if (kind != kBgmMidi && m_Vox.Play(channel, m_OggPaths.At(track), kOggLoopForever))
    {
        m_ChannelKinds.At(channel) = kBgmOgg;
        // An undecided track leaves the MIDI streams paused when asked.
        m_Midi.StopAll(kind == kBgmNone ? pause : 0);
        return 1;
    }
    if (kind != kBgmOgg && m_Midi.Play(channel, m_MidiPaths.At(track)))
    {
        m_ChannelKinds.At(channel) = kBgmMidi;
        m_Vox.Stop();
        return 1;
    }
    m_ChannelKinds.At(channel) = kBgmNone;
    m_nCurrentTrack = -1;
    m_Vox.Stop();
    m_Midi.StopAll(0);
    return 0;
}

void BgmManager::Stop()
{
    if (!m_Enabled)
    {
        return;
    }
    m_Midi.StopAll(0);
    m_Vox.Stop();
}

void BgmManager::Resume(int channel, int track, int mode, int pauseMidi)
{
    if (!m_Enabled)
    {
        return;
    }
    switch (m_ChannelKinds.At(channel))
    {
    case kBgmOgg:
        m_nCurrentTrack = track;
        m_Vox.Resume(channel, mode, kOggLoopForever);
        m_Midi.StopAll(0);
        break;
    case kBgmMidi:
        m_nCurrentTrack = track;
        m_Midi.Play(channel, m_MidiPaths.At(track));
        m_Vox.Stop();
        break;
    default:
        m_nCurrentTrack = -1;
        m_Vox.Stop();
        m_Midi.StopAll(pauseMidi);
        break;
    }
}

void BgmManager::Release()
{
    m_Vox.Release();
    // The streams are closed here too, so that their threads end and no
    // stream outlives the device it plays through; what comes after the
    // shut-down finds the manager disabled.
    m_Midi.Clear();
    m_ChannelKinds.clear();
    m_nCurrentTrack = -1;
    m_Enabled = 0;
}
