#include "common/sound/BgmManager.h"

#include "ManualMidiDevice.h"
#include "SmfBytes.h"
#include "TempFolder.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"
#include "platform/window/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

// Ogg players that play nothing: they record their calls ("1 Open bgm\\a.ogg")
// and open only the files they are told of.
struct OggLog
{
    std::vector<std::string> m_Calls;
    std::set<std::string> m_Openable;
    int m_nCreated = 0;
    bool m_bFactoryFails = false;
};

class FakeOggPlayer : public OggPlayer
{
public:
    FakeOggPlayer(OggLog& log, int number) : m_Log(log), m_nNumber(number) {}
    ~FakeOggPlayer() override { Record("Release"); }

    bool Open(std::string_view path) override
    {
        Record("Open " + std::string(path));
        m_bOpen = m_Log.m_Openable.count(std::string(path)) != 0;
        return m_bOpen;
    }
    void Play() override { Record("Play"); }
    int Stop() override
    {
        Record("Stop");
        return 1;
    }
    void Close() override { Record("Close"); }
    void SetLoopCount(int count) override { Record("Loops " + std::to_string(count)); }
    void Seek(int64_t frame) override { Record("Seek " + std::to_string(frame)); }
    int64_t Position() const override { return 0; }

private:
    void Record(const std::string& call) { m_Log.m_Calls.push_back(std::to_string(m_nNumber) + " " + call); }

    OggLog& m_Log;
    int m_nNumber;
    bool m_bOpen = false;
};

class FakeOggFactory : public OggPlayerFactory
{
public:
    explicit FakeOggFactory(OggLog& log) : m_Log(log) {}
    std::unique_ptr<OggPlayer> CreatePlayer() override
    {
        if (m_Log.m_bFactoryFails)
        {
            return nullptr;
        }
        return std::make_unique<FakeOggPlayer>(m_Log, m_Log.m_nCreated++);
    }

private:
    OggLog& m_Log;
};

class BgmManagerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
        InitErrorLog(1, "EC.txt");
        m_Folder.WriteFile("bgm/Title.mid", OneNoteFile(480, 960));
        m_Folder.WriteFile("bgm/Stage.mid", OneNoteFile(480, 960));
        m_Ogg.m_Openable = {"bgm\\Title.ogg", "bgm\\Field.OGG"};
        m_Bgm.SetDevices(&m_Factory, &m_Midi);
    }
    void TearDown() override { m_Bgm.Release(); }

    // The game's set-up: two channels, four tracks.
    void InitGame()
    {
        ASSERT_EQ(m_Bgm.Init(2, {"bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Stage.ogg", "bgm\\Battle.ogg"},
                             {"bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Stage.mid", "bgm\\Battle.mid"}, 4),
                  1);
        m_Ogg.m_Calls.clear();
    }

    MidiStream* Stream(int channel) { return m_Bgm.Midi().Stream(channel); }

    TempFolder m_Folder;
    platform::ScriptedDialogs m_Dialogs;
    OggLog m_Ogg;
    FakeOggFactory m_Factory{m_Ogg};
    ManualMidiDevice m_Midi;
    BgmManager m_Bgm;
};

TEST_F(BgmManagerTest, TrackFileGoesToTheTableOfItsExtension)
{
    InitGame();
    struct Case
    {
        const char* path;
        int result;
        int kind;
        const char* ogg;
        const char* midi;
    };
    const Case cases[] = {
        {"bgm\\a.mid", 1, kBgmMidi, "bgm\\Stage.ogg", "bgm\\a.mid"},
        {"bgm\\a.ogg", 1, kBgmOgg, "bgm\\a.ogg", "bgm\\a.mid"},
        {"bgm\\a.MID", 0, kBgmNone, "bgm\\a.MID", "bgm\\a.MID"},
        {"bgm\\a", 0, kBgmNone, "", ""},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(m_Bgm.SetTrackFile(2, c.path), c.result) << c.path;
        EXPECT_EQ(m_Bgm.TrackKind(2), c.kind) << c.path;
        EXPECT_EQ(m_Bgm.OggPath(2), c.ogg) << c.path;
        EXPECT_EQ(m_Bgm.MidiPath(2), c.midi) << c.path;
    }
    EXPECT_EQ(m_Bgm.OggPath(1), "bgm\\WorldMap.ogg"); // the other tracks keep theirs
}

TEST_F(BgmManagerTest, CurrentTrackWithoutRestartKeepsPlayingAndTouchesNoPlayer)
{
    InitGame();
    m_Bgm.SetTrackFile(0, "bgm\\Title.mid");
    ASSERT_EQ(m_Bgm.Play(0, 0, 0, 0), 1);
    EXPECT_EQ(m_Bgm.ChannelKind(0), kBgmMidi);
    EXPECT_EQ(Stream(0)->State(), MidiStream::kPlaying);
    EXPECT_EQ(m_Ogg.m_Calls, (std::vector<std::string>{})); // no Ogg player was playing

    m_Midi.ClearCalls();
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 0), 1);
    EXPECT_TRUE(m_Midi.Calls().empty());

    // After a stop too: the current track stays.
    m_Bgm.Stop();
    EXPECT_EQ(Stream(0)->State(), MidiStream::kStopped);
    EXPECT_EQ(m_Bgm.CurrentTrack(), 0);
    m_Midi.ClearCalls();
    m_Ogg.m_Calls.clear();
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 0), 1);
    EXPECT_TRUE(m_Midi.Calls().empty());
    EXPECT_TRUE(m_Ogg.m_Calls.empty());
    EXPECT_EQ(Stream(0)->State(), MidiStream::kStopped);

    // With the restart flag it plays again.
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 1), 1);
    EXPECT_EQ(Stream(0)->State(), MidiStream::kPlaying);
}

TEST_F(BgmManagerTest, UndecidedTrackThatPlaysAsOggPausesOrStopsTheMidiStreams)
{
    InitGame();
    for (int pause : {1, 0})
    {
        m_Bgm.SetTrackFile(2, "bgm\\Stage.mid");
        ASSERT_EQ(m_Bgm.Play(0, 2, 0, 1), 1);
        ASSERT_EQ(Stream(0)->State(), MidiStream::kPlaying);

        m_Ogg.m_Calls.clear();
        EXPECT_EQ(m_Bgm.SetTrackFile(1, "bgm\\Field.OGG"), 0);
        EXPECT_EQ(m_Bgm.Play(1, 1, pause, 0), 1);
        EXPECT_EQ(m_Bgm.ChannelKind(1), kBgmOgg);
        EXPECT_EQ(m_Bgm.Vox().PlayingIndex(), 1);
        EXPECT_EQ(m_Ogg.m_Calls,
                  (std::vector<std::string>{"1 Close", "1 Open bgm\\Field.OGG", "1 Loops 2147483647", "1 Play"}));
        EXPECT_EQ(Stream(0)->State(), pause ? MidiStream::kPaused : MidiStream::kStopped) << pause;
    }

    // A decided Ogg track always stops the streams.
    m_Bgm.SetTrackFile(2, "bgm\\Stage.mid");
    m_Bgm.Play(0, 2, 0, 1);
    m_Bgm.SetTrackFile(0, "bgm\\Title.ogg");
    EXPECT_EQ(m_Bgm.Play(0, 0, 1, 0), 1);
    EXPECT_EQ(Stream(0)->State(), MidiStream::kStopped);
}

TEST_F(BgmManagerTest, FailedPlayLeavesNothingPlayingAndNoCurrentTrack)
{
    InitGame();
    ASSERT_EQ(m_Bgm.Play(0, 0, 0, 0), 1); // "bgm\\Title.ogg" is undecided at first and opens
    EXPECT_EQ(m_Bgm.ChannelKind(0), kBgmOgg);

    m_Ogg.m_Calls.clear();
    EXPECT_EQ(m_Bgm.SetTrackFile(3, "bgm\\Battle.MID"), 0); // no Ogg opens it, and MIDI takes only "mid"
    EXPECT_EQ(m_Bgm.Play(0, 3, 0, 0), 0);
    EXPECT_EQ(m_Bgm.CurrentTrack(), -1);
    EXPECT_EQ(m_Bgm.ChannelKind(0), kBgmNone);
    EXPECT_EQ(m_Bgm.Vox().PlayingIndex(), -1);
    EXPECT_EQ(m_Ogg.m_Calls.front(), "0 Stop");

    m_Bgm.SetTrackFile(2, "bgm\\Stage.mid");
    ASSERT_EQ(m_Bgm.Play(1, 2, 0, 0), 1);
    m_Bgm.SetTrackFile(3, "bgm\\Missing.mid");
    EXPECT_EQ(m_Bgm.Play(1, 3, 0, 0), 0);
    EXPECT_EQ(m_Bgm.CurrentTrack(), -1);
    EXPECT_FALSE(m_Midi.IsPlaying());
    EXPECT_NE(m_Folder.ReadText("Report.txt").find("Midi bgm\\Missing.mid Create ファイルが開けません"),
              std::string::npos);
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
}

TEST_F(BgmManagerTest, ResumeAfterABattle)
{
    InitGame();
    m_Bgm.SetTrackFile(2, "bgm\\Title.ogg");
    ASSERT_EQ(m_Bgm.Play(0, 2, 0, 0), 1);
    m_Bgm.SetTrackFile(3, "bgm\\Stage.mid");
    ASSERT_EQ(m_Bgm.Play(1, 3, 1, 0), 1); // the battle tune on channel 1

    // The Ogg stage tune goes on where it was (mode 1) or from its start (mode 0).
    m_Ogg.m_Calls.clear();
    m_Bgm.Resume(0, 2, 1, 1);
    EXPECT_EQ(m_Ogg.m_Calls, (std::vector<std::string>{"0 Loops 2147483647", "0 Play"}));
    EXPECT_EQ(m_Bgm.CurrentTrack(), 2);
    EXPECT_EQ(m_Bgm.Vox().PlayingIndex(), 0);
    EXPECT_EQ(m_Bgm.Midi().Stream(1)->State(), MidiStream::kStopped);
    m_Ogg.m_Calls.clear();
    m_Bgm.Resume(0, 2, 0, 1); // already the playing one: nothing
    EXPECT_TRUE(m_Ogg.m_Calls.empty());
    m_Bgm.Vox().Stop();
    m_Ogg.m_Calls.clear();
    m_Bgm.Resume(0, 2, 0, 1);
    EXPECT_EQ(m_Ogg.m_Calls, (std::vector<std::string>{"0 Loops 2147483647", "0 Seek 0", "0 Play"}));

    // A MIDI tune starts again from its beginning.
    m_Midi.ClearCalls();
    m_Bgm.Resume(1, 3, 1, 1);
    EXPECT_EQ(m_Bgm.Midi().Stream(1)->State(), MidiStream::kPlaying);
    EXPECT_EQ(m_Midi.Calls().back(), "Restart");
    EXPECT_EQ(m_Bgm.Vox().PlayingIndex(), -1);
}

TEST_F(BgmManagerTest, FailedInitLeavesTheManagerDisabled)
{
    BgmManager bgm;
    bgm.SetDevices(nullptr, &m_Midi);
    EXPECT_EQ(bgm.Init(1, {"bgm\\Free.ogg"}, {"bgm\\Free.mid"}, 1), 0);
    EXPECT_FALSE(bgm.IsEnabled());
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "oggの初期化に失敗！");
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), "m_Vox.Init失敗！\r\n");

    // Every call succeeds and does nothing.
    EXPECT_EQ(bgm.SetTrackFile(0, "bgm\\Title.mid"), 1);
    EXPECT_EQ(bgm.Play(0, 0, 0, 1), 1);
    bgm.Stop();
    bgm.Resume(0, 0, 1, 1);
    EXPECT_EQ(bgm.SetChannelCount(3), 1);
    EXPECT_EQ(bgm.CurrentTrack(), -1);
    EXPECT_TRUE(m_Midi.Calls().empty());
    EXPECT_FALSE(platform::IsFatalErrorRaised());
}

TEST_F(BgmManagerTest, FactoryWithoutPlayersShowsTheOutOfMemoryBox)
{
    m_Ogg.m_bFactoryFails = true;
    int closes = 0;
    platform::SetPostCloseHook([&closes] { ++closes; });
    EXPECT_EQ(m_Bgm.Init(1, {"bgm\\Free.ogg"}, {"bgm\\Free.mid"}, 1), 1);
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "メモリが不足しています！");
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(m_Bgm.Vox().PlayerCount(), 0);
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 1), 0); // no Ogg player, and "bgm\\Free.mid" does not exist
    platform::SetPostCloseHook(nullptr);
}

TEST_F(BgmManagerTest, EditorPreviewAndReleaseAtShutDown)
{
    ASSERT_EQ(m_Bgm.Init(1, {"bgm\\Free.ogg"}, {"bgm\\Free.mid"}, 1), 1);
    EXPECT_EQ(m_Bgm.SetTrackFile(0, "bgm\\Title.mid"), 1);
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 1), 1);
    EXPECT_TRUE(m_Midi.IsOpen());
    EXPECT_EQ(m_Bgm.SetTrackFile(0, "bgm\\Title.ogg"), 1);
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 1), 1);
    EXPECT_EQ(m_Bgm.ChannelKind(0), kBgmOgg);

    m_Ogg.m_Calls.clear();
    m_Bgm.Release();
    EXPECT_EQ(m_Ogg.m_Calls, (std::vector<std::string>{"0 Release"}));
    EXPECT_FALSE(m_Midi.IsOpen()); // the stream is closed, its thread gone
    EXPECT_FALSE(m_Bgm.IsEnabled());
    EXPECT_EQ(m_Bgm.Play(0, 0, 0, 1), 1); // after shut-down: nothing
    m_Bgm.Release();                      // and again: nothing
    EXPECT_EQ(m_Ogg.m_Calls.size(), 1u);
}

} // namespace
