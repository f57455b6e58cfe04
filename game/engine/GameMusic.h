#pragma once

// The game's music: two channels and four tracks, each with a preset Ogg and
// MIDI file that the scenes replace by the names of the System record. The
// music manager runs on the main thread only: a scene or the event thread
// decides from its own state what is to happen and hands that over as a
// request (file, channel, track, play or resume), which the main thread
// carries out (MusicRequests.h).

#include "common/sound/BgmManager.h"
#include "game/engine/MusicRequests.h"

#include <string>

constexpr int kGameMusicChannels = 2;

enum GameMusicTrack
{
    kMusicTitle,
    kMusicWorldMap, // also the camp's
    kMusicStage,
    kMusicBattle,
    kGameMusicTracks
};

inline constexpr const char* GameOggFiles[kGameMusicTracks] = {"bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Stage.ogg",
                                                               "bgm\\Battle.ogg"};
inline constexpr const char* GameMidiFiles[kGameMusicTracks] = {"bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Stage.mid",
                                                                "bgm\\Battle.mid"};

// Start-up: with the music setting of System.ini non-zero, the manager gets
// the devices and is initialised with the game's channels and tracks (its
// result; 0 leaves it disabled, and the game goes on without music). With the
// setting 0 it stays disabled and every request does nothing; 1.
int InitGameMusic(BgmManager& bgm, int musicSetting, OggPlayerFactory* oggFactory, MidiStreamDevice* midiDevice);

// The main thread carries requests out with ApplyMusicRequest (MusicRequests.h).
