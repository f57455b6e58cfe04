#pragma once

// The Ogg side of the music manager: one Ogg player per music channel, made by
// the platform's factory, of which at most one plays at a time.

#include "common/sound/OggPlayer.h"

#include <memory>
#include <string_view>
#include <vector>

class VoxPlayer
{
public:
    // Takes the factory. Without one, shows "oggの初期化に失敗！" and gives 0.
    int Init(OggPlayerFactory* factory);
    // Replaces the players by n new ones. 0 (after the out-of-memory box) when
    // the factory makes none.
    int CreatePlayers(int count);
    // Stops the playing player, closes player index's file and plays the file
    // with the loop count. 0 (nothing playing) for an empty path, a file that
    // does not open or an index without a player; an Ogg file that cannot be
    // played (a damaged one) also writes "Ogg %s Open 再生できないファイルです
    // (%s)" with the player's reason to the report and error logs.
    int Play(int index, std::string_view path, int loops);
    // Stops the playing player (its position stays); its Stop result, or 0.
    int Stop();
    // Game only: makes player index the playing one again. Mode 0 plays from
    // the start, mode 1 from where it stopped; nothing when it is playing.
    void Resume(int index, int mode, int loops);
    // Releases every player and forgets the factory.
    void Release();

    int PlayingIndex() const { return m_nPlayingIndex; }
    int PlayerCount() const { return int(m_Players.size()); }
    OggPlayer* Player(int index) const;

private:
    std::vector<std::unique_ptr<OggPlayer>> m_Players;
    int m_nPlayingIndex = -1;
    OggPlayerFactory* m_pFactory = nullptr;
};
