#include "game/engine/GameMusic.h"

#include "ManualMidiDevice.h"
#include "SmfBytes.h"
#include "SoundFiles.h"
#include "TempFolder.h"
#include "common/services/Log.h"
#include "platform/audio/OggVorbisPlayer.h"

#include <gtest/gtest.h>

namespace
{

// The music as the game has it: Ogg players on a mixer pumped by hand, MIDI
// streams on a device whose buffers the test completes.
class GameMusicTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
        InitErrorLog(1, "EC.txt");
        m_Folder.WriteFile("bgm/Title.ogg", MakeOggVorbis(22050, 1, 1.0));
        m_Folder.WriteFile("bgm/Stage.ogg", MakeOggVorbis(22050, 1, 3.0, 330.0));
        m_Folder.WriteFile("bgm/Battle.ogg", MakeOggVorbis(22050, 1, 1.0, 550.0));
        m_Folder.WriteFile("bgm/Stage.mid", OneNoteFile(480, 960));
        m_Folder.WriteFile("bgm/Battle.mid", OneNoteFile(240, 480));
    }

    void Mix(double seconds)
    {
        std::vector<uint8_t> out(std::size_t(seconds * m_Mixer.OutputRate()) * platform::Mixer::kOutputFrameBytes);
        m_Mixer.Mix(out.data(), int(out.size()));
    }
    static const platform::OggVorbisPlayer* OggPlayer(BgmManager& bgm, int channel)
    {
        return dynamic_cast<const platform::OggVorbisPlayer*>(bgm.Vox().Player(channel));
    }

    TempFolder m_Folder;
    platform::Mixer m_Mixer{44100};
    platform::OggVorbisPlayerFactory m_Ogg{m_Mixer};
    ManualMidiDevice m_Midi;
};

MusicRequest Request(int channel, int track, const char* file, MusicAction action, int pause, int restart, int mode)
{
    MusicRequest request;
    request.m_nChannel = channel;
    request.m_nTrack = track;
    request.m_bSetFile = file != nullptr;
    request.m_strFile = file ? file : "";
    request.m_Action = action;
    request.m_nPause = pause;
    request.m_nRestart = restart;
    request.m_nMode = mode;
    return request;
}

// What the stage map and the battle ask for: the stage tune on channel 0 when
// the stage begins and when it comes back from the battle, the battle tune on
// channel 1.
MusicRequest StageBegins(const char* file)
{
    return Request(0, kMusicStage, file, MusicAction::Play, 1, 1, 0);
}
MusicRequest BattleBegins(const char* file)
{
    return Request(1, kMusicBattle, file, MusicAction::Play, 0, 1, 0);
}
MusicRequest BackFromBattle(const char* file)
{
    return Request(0, kMusicStage, file, MusicAction::Resume, 1, 0, 1);
}

TEST_F(GameMusicTest, TwoChannelsAndFourTracksWithTheirPresetFiles)
{
    BgmManager bgm;
    ASSERT_EQ(InitGameMusic(bgm, 1, &m_Ogg, &m_Midi), 1);
    EXPECT_EQ(bgm.Vox().PlayerCount(), 2);
    EXPECT_EQ(bgm.Midi().ChannelCount(), 2);
    const char* const ogg[] = {"bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Stage.ogg", "bgm\\Battle.ogg"};
    const char* const midi[] = {"bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Stage.mid", "bgm\\Battle.mid"};
    for (int track = 0; track < kGameMusicTracks; ++track)
    {
        EXPECT_EQ(bgm.OggPath(track), ogg[track]);
        EXPECT_EQ(bgm.MidiPath(track), midi[track]);
        EXPECT_EQ(bgm.TrackKind(track), kBgmNone);
    }

    // A preset file plays until a scene sets its own; a request that plays
    // nothing still sets the file.
    ApplyMusicRequest(bgm, Request(0, kMusicTitle, nullptr, MusicAction::Play, 0, 1, 0));
    EXPECT_EQ(bgm.ChannelKind(0), kBgmOgg);
    EXPECT_TRUE(OggPlayer(bgm, 0)->IsPlaying());
    ApplyMusicRequest(bgm, Request(0, kMusicStage, "bgm\\Stage.mid", MusicAction::None, 0, 0, 0));
    EXPECT_EQ(bgm.TrackKind(kMusicStage), kBgmMidi);
    EXPECT_EQ(bgm.CurrentTrack(), kMusicTitle);
    EXPECT_TRUE(OggPlayer(bgm, 0)->IsPlaying());
    EXPECT_TRUE(m_Midi.Calls().empty());
    bgm.Release();
}

TEST_F(GameMusicTest, OggStageTuneGoesOnAfterABattleWhereItWas)
{
    for (const char* battle : {"bgm\\Battle.ogg", "bgm\\Battle.mid"})
    {
        BgmManager bgm;
        ASSERT_EQ(InitGameMusic(bgm, 1, &m_Ogg, &m_Midi), 1);
        ApplyMusicRequest(bgm, StageBegins("bgm\\Stage.ogg"));
        ASSERT_TRUE(OggPlayer(bgm, 0)->IsPlaying()) << battle;
        Mix(0.5);
        const int64_t interrupted = OggPlayer(bgm, 0)->Position();
        EXPECT_GT(interrupted, 0);

        ApplyMusicRequest(bgm, BattleBegins(battle));
        EXPECT_FALSE(OggPlayer(bgm, 0)->IsPlaying()) << battle;
        EXPECT_EQ(bgm.CurrentTrack(), kMusicBattle);
        Mix(0.25);
        EXPECT_EQ(OggPlayer(bgm, 0)->Position(), interrupted) << battle;

        ApplyMusicRequest(bgm, BackFromBattle("bgm\\Stage.ogg"));
        EXPECT_EQ(bgm.CurrentTrack(), kMusicStage);
        EXPECT_TRUE(OggPlayer(bgm, 0)->IsPlaying()) << battle;
        EXPECT_FALSE(OggPlayer(bgm, 1)->IsPlaying()) << battle;
        EXPECT_FALSE(m_Midi.IsPlaying()) << battle;
        EXPECT_EQ(OggPlayer(bgm, 0)->Position(), interrupted) << battle;
        Mix(0.25);
        EXPECT_GT(OggPlayer(bgm, 0)->Position(), interrupted) << battle;
        bgm.Release();
    }
}

TEST_F(GameMusicTest, MidiStageTuneStartsAgainAfterABattle)
{
    for (const char* battle : {"bgm\\Battle.ogg", "bgm\\Battle.mid"})
    {
        BgmManager bgm;
        ASSERT_EQ(InitGameMusic(bgm, 1, &m_Ogg, &m_Midi), 1);
        ApplyMusicRequest(bgm, StageBegins("bgm\\Stage.mid"));
        ASSERT_EQ(bgm.ChannelKind(0), kBgmMidi) << battle;
        const uint32_t fresh = bgm.Midi().Stream(0)->ReadPosition();

        ApplyMusicRequest(bgm, BattleBegins(battle));
        EXPECT_EQ(bgm.CurrentTrack(), kMusicBattle);
        m_Midi.ClearCalls();

        ApplyMusicRequest(bgm, BackFromBattle("bgm\\Stage.mid"));
        EXPECT_EQ(bgm.CurrentTrack(), kMusicStage);
        const std::vector<std::string> calls = m_Midi.Calls();
        EXPECT_NE(std::find(calls.begin(), calls.end(), "Open"), calls.end()) << battle << ": a new stream";
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), "Restart") << battle;
        ASSERT_NE(bgm.Midi().Stream(0), nullptr);
        EXPECT_EQ(bgm.Midi().Stream(0)->State(), MidiStream::kPlaying) << battle;
        EXPECT_EQ(bgm.Midi().Stream(0)->ReadPosition(), fresh) << battle << ": from the start";
        EXPECT_EQ(bgm.Vox().PlayingIndex(), -1) << battle;
        bgm.Release();
    }
}

TEST_F(GameMusicTest, MusicOffInSystemIniIgnoresEveryRequest)
{
    BgmManager bgm;
    EXPECT_EQ(InitGameMusic(bgm, 0, &m_Ogg, &m_Midi), 1);
    EXPECT_FALSE(bgm.IsEnabled());
    const MusicRequest requests[] = {
        Request(0, kMusicTitle, "bgm\\Title.ogg", MusicAction::Play, 0, 1, 0),
        StageBegins("bgm\\Stage.mid"),
        BattleBegins("bgm\\Battle.ogg"),
        BackFromBattle("bgm\\Stage.mid"),
        Request(0, kMusicWorldMap, "bgm\\WorldMap.ogg", MusicAction::None, 0, 0, 0),
    };
    for (const MusicRequest& request : requests)
    {
        ApplyMusicRequest(bgm, request);
    }
    EXPECT_EQ(bgm.CurrentTrack(), -1);
    EXPECT_EQ(bgm.Vox().PlayerCount(), 0);
    EXPECT_EQ(m_Mixer.VoiceCount(), 0);
    EXPECT_TRUE(m_Midi.Calls().empty());
    EXPECT_EQ(m_Folder.ReadText("Report.txt").find("Midi"), std::string::npos);
}

} // namespace
