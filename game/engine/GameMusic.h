#pragma once

// The game's music: two channels and four tracks, each with a preset Ogg and
// MIDI file that the scenes replace by the names of the System record. The
// music manager runs on the main thread only: a scene or the event thread
// decides from its own state what is to happen and hands that over as a
// request (file, channel, track, play or resume), which the main thread
// carries out with HandleMusicRequest.

#include "common/sound/BgmManager.h"

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

enum class MusicAction
{
    None,   // nothing plays (the track's file is still set)
    Play,   // BgmManager::Play (channel, track, pause, restart)
    Resume, // BgmManager::Resume (channel, track, mode, pause): back from a battle
};

struct MusicRequest
{
    int m_nChannel = 0;
    int m_nTrack = 0;
    // The track's file, set before playing; without it the track keeps its file.
    bool m_bSetFile = false;
    std::string m_strFile;
    MusicAction m_Action = MusicAction::Play;
    int m_nPause = 0;   // Play: pause the MIDI streams rather than stop them; Resume: the same
    int m_nRestart = 0; // Play: play even when the track is the current one
    int m_nMode = 0;    // Resume: 1 an Ogg tune from where it stopped, 0 from its start

    bool operator==(const MusicRequest&) const = default;
};

// The main thread's part: sets the track's file when the request carries one,
// then plays or resumes. Nothing while the manager is disabled.
void HandleMusicRequest(BgmManager& bgm, const MusicRequest& request);
// The same on the game's manager, Bgm.
void HandleMusicRequest(const MusicRequest& request);
