#include "GameMusic.h"

int InitGameMusic(BgmManager& bgm, int musicSetting, OggPlayerFactory* oggFactory, MidiStreamDevice* midiDevice)
{
    if (musicSetting == 0)
    {
        return 1;
    }
    bgm.SetDevices(oggFactory, midiDevice);
    return bgm.Init(kGameMusicChannels, {std::begin(GameOggFiles), std::end(GameOggFiles)},
                    {std::begin(GameMidiFiles), std::end(GameMidiFiles)}, kGameMusicTracks);
}

void HandleMusicRequest(BgmManager& bgm, const MusicRequest& request)
{
    if (!bgm.IsEnabled())
    {
        return;
    }
    if (request.m_bSetFile)
    {
        bgm.SetTrackFile(request.m_nTrack, request.m_strFile);
    }
    switch (request.m_Action)
    {
    case MusicAction::Play:
        bgm.Play(request.m_nChannel, request.m_nTrack, request.m_nPause, request.m_nRestart);
        break;
    case MusicAction::Resume:
        bgm.Resume(request.m_nChannel, request.m_nTrack, request.m_nMode, request.m_nPause);
        break;
    case MusicAction::None:
        break;
    }
}

void HandleMusicRequest(const MusicRequest& request)
{
    HandleMusicRequest(Bgm, request);
}
