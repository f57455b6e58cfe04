#pragma once

// The background music of both programs. A piece of music is a track number;
// each track has an Ogg Vorbis path and a MIDI path, and the kind of the
// track (0 undecided, 1 Ogg, 2 MIDI) follows the extension set last. Music
// plays on channels, each with its own Ogg player and MIDI stream; one track
// at most is current for the whole manager.
//
// The editor uses one channel and one track ("bgm\\Free.ogg" and
// "bgm\\Free.mid") for its music previews; the game two channels and four
// tracks. The platform's Ogg player factory and MIDI stream device are handed
// over with SetDevices before Init; Release must run before they are
// destroyed.

#include "common/data/CheckedVector.h"
#include "common/sound/MidiPlayer.h"
#include "common/sound/VoxPlayer.h"

#include <string>
#include <string_view>
#include <vector>

enum BgmKind
{
    kBgmNone = 0, // a track: undecided; a channel: nothing playing
    kBgmOgg = 1,
    kBgmMidi = 2,
};

class BgmManager
{
public:
    BgmManager();
    ~BgmManager();
    BgmManager(const BgmManager&) = delete;
    BgmManager& operator=(const BgmManager&) = delete;

    void SetDevices(OggPlayerFactory* oggFactory, MidiStreamDevice* midiDevice);

    // Enables the manager with the channels and the tracks' paths. When the
    // Ogg player cannot start it writes "m_Vox.Init失敗！" to the error log,
    // stays disabled (every call then does nothing and succeeds) and gives 0.
    int Init(int channelCount, const std::vector<std::string>& oggPaths, const std::vector<std::string>& midiPaths,
             int trackCount);
    // n channels, nothing playing on any.
    int SetChannelCount(int count);
    // Stores a track's path by its extension (after the last '.', compared
    // case-sensitively): "mid" sets the MIDI path (kind 2), "ogg" the Ogg path
    // (kind 1), both 1; another extension sets both paths, kind 0, 0; no '.'
    // empties both, kind 0, 0.
    int SetTrackFile(int track, std::string_view path);
    // Plays a track on a channel: nothing (1) when it is the current track and
    // restart is 0. An undecided track tries Ogg, then MIDI; when Ogg plays,
    // the MIDI streams pause (pause 1) or stop. 0, with nothing playing and no
    // current track, when the track does not play.
    int Play(int channel, int track, int pause, int restart);
    // Stops every channel; the current track stays.
    void Stop();
    // Game only: what the channel played before a battle plays again: Ogg from
    // where it stopped (mode 1) or from its start (mode 0), MIDI from its start.
    void Resume(int channel, int track, int mode, int pauseMidi);
    // Shut-down: releases the Ogg players, closes every MIDI stream and
    // leaves the manager disabled.
    void Release();

    bool IsEnabled() const { return m_Enabled != 0; }
    int CurrentTrack() const { return m_nCurrentTrack; }
    int TrackKind(int track) const { return m_TrackKinds.At(track); }
    int ChannelKind(int channel) const { return m_ChannelKinds.At(channel); }
    const std::string& OggPath(int track) const { return m_OggPaths.At(track); }
    const std::string& MidiPath(int track) const { return m_MidiPaths.At(track); }
    VoxPlayer& Vox() { return m_Vox; }
    MidiPlayer& Midi() { return m_Midi; }

private:
    int m_Enabled = 0;
    VoxPlayer m_Vox;
    GuardedVector<std::string> m_OggPaths;
    MidiPlayer m_Midi;
    GuardedVector<std::string> m_MidiPaths;
    int m_nCurrentTrack = -1;
    GuardedVector<int> m_TrackKinds;
    GuardedVector<int> m_ChannelKinds;
    OggPlayerFactory* m_pOggFactory = nullptr;
};

extern BgmManager Bgm;
