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
