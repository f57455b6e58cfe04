#include "platform/audio/MixerMciDevice.h"

#include "SoundFiles.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "common/sound/MciPlayer.h"
#include "platform/audio/AudioOutput.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace
{

using namespace platform;

// The editor's interface sounds.
const std::vector<std::string> kEditorSounds = {"wave\\決定.wav", "wave\\キャンセル.wav", "wave\\エラー.wav",
                                                "wave\\コピー.wav", "wave\\free.wav"};

class MixerMciDeviceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char8_t* name : {u8"決定", u8"キャンセル", u8"エラー", u8"コピー"})
        {
            m_Folder.WriteFile(std::filesystem::path(u8"wave") / (std::u8string(name) + u8".wav"),
                               MakeWave(22050, 1, 8, 22050));
        }
        InitErrorLog(1, "EC.txt");
    }

    TempFolder m_Folder;
    ScriptedDialogs m_Dialogs;
    Mixer m_Mixer{44100};
    MixerMciDevice m_Device{m_Mixer};
};

TEST_F(MixerMciDeviceTest, EditorSoundsRewindTheLastOneAndAMissingFileStaysSilent)
{
    std::unique_ptr<AudioOutput> output = OpenAudioOutput(m_Mixer);
    ASSERT_TRUE(output->IsSounding());
    MciPlayer player(&m_Device);
    ASSERT_TRUE(player.Open("waveaudio", kEditorSounds)); // "wave\\free.wav" does not exist
    EXPECT_EQ(m_Device.OpenCount(), 4);
    EXPECT_EQ(player.EntryAt(4).m_nDeviceId, 0u);
    const uint32_t decide = player.EntryAt(0).m_nDeviceId;
    const uint32_t error = player.EntryAt(2).m_nDeviceId;

    player.Play(nullptr, 0, 0, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return m_Device.Position(decide) > 0; }));
    player.Play(nullptr, 2, 0, 0, 0);
    EXPECT_FALSE(m_Device.IsPlaying(decide));
    EXPECT_EQ(m_Device.Position(decide), 0);
    EXPECT_TRUE(m_Device.IsPlaying(error));
    EXPECT_EQ(player.CurrentIndex(), 2);

    // The silent entry: nothing sounds, no box.
    player.Play(nullptr, 4, 0, 0, 0);
    EXPECT_FALSE(m_Device.IsPlaying(error));
    EXPECT_EQ(player.CurrentIndex(), 4);
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
    output.reset();
}

TEST_F(MixerMciDeviceTest, PreviewReplacesTheFifthSoundAndTheSequencerIsRefused)
{
    m_Folder.WriteFile("wave/SkillAndItem/hit.wav", MakeWave(44100, 2, 16, 4410));
    MciPlayer player(&m_Device);
    player.Open("waveaudio", kEditorSounds);
    ASSERT_TRUE(player.ChangeSound(4, "waveaudio", "wave\\SkillAndItem\\hit.wav"));
    player.Play(nullptr, 4, 0, 0, 0);
    const uint32_t preview = player.EntryAt(4).m_nDeviceId;
    EXPECT_TRUE(m_Device.IsPlaying(preview));
    EXPECT_EQ(m_Device.OpenCount(), 5);

    m_Folder.WriteFile("bgm/a.mid", std::string("MThd"));
    EXPECT_FALSE(player.ChangeSound(3, "sequencer", "bgm\\a.mid"));
    EXPECT_NE(m_Folder.ReadText("EC.txt").find("ChangeSound失敗！ bgm\\a.mid\r\n"), std::string::npos);
    EXPECT_EQ(m_Device.OpenCount(), 0); // the sequencer closes every entry first
    EXPECT_TRUE(m_Dialogs.Boxes().empty());

    // A device plays from a position in milliseconds, or on from where it is.
    uint32_t id = 0;
    ASSERT_EQ(m_Device.Open("WaveAudio", "wave\\決定.wav", id), kMciOk);
    EXPECT_EQ(m_Device.Play(id, false, 500, false, nullptr), kMciOk);
    EXPECT_EQ(m_Device.Position(id), 11025);
    EXPECT_EQ(m_Device.Pause(id), kMciOk);
    EXPECT_EQ(m_Device.Play(id, true, 0, false, nullptr), kMciOk);
    EXPECT_EQ(m_Device.Position(id), 11025);
    EXPECT_EQ(m_Device.Close(id), kMciOk);
    EXPECT_EQ(m_Device.Close(id), kMciErrorInvalidDeviceId);
    EXPECT_EQ(m_Device.Play(0, false, 0, false, nullptr), kMciErrorInvalidDeviceId);
    m_Folder.WriteFile("wave/bad.wav", std::string("RIFF"));
    EXPECT_EQ(m_Device.Open("waveaudio", "wave\\bad.wav", id), kMciErrorInvalidFile);
    m_Folder.WriteFile("wave/deep.wav", MakeWave(22050, 1, 24, 100)); // PCM the mixer cannot play
    EXPECT_EQ(m_Device.Open("waveaudio", "wave\\deep.wav", id), kMciErrorInvalidFile);
    EXPECT_EQ(m_Device.Open("waveaudio", "wave\\none.wav", id), kMciErrorFileNotFound);
    EXPECT_EQ(id, 0u);
}

// What reaches the notified window: how each play ended, and on which device.
struct Notice
{
    uintptr_t m_nHow = 0;
    intptr_t m_nDevice = 0;
    bool operator==(const Notice&) const = default;
};
std::vector<Notice> g_Notices;

intptr_t NoticeProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == kMmMciNotify)
    {
        g_Notices.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

class MciNotifyTest : public MixerMciDeviceTest
{
protected:
    void SetUp() override
    {
        MixerMciDeviceTest::SetUp();
        g_Notices.clear();
        WindowCreateParams params;
        params.m_pProcedure = &NoticeProcedure;
        m_hWindow = m_Windows.CreateWindow(params);
        m_Player.SetDevice(&m_Device);
        ASSERT_TRUE(m_Player.Open("waveaudio", kEditorSounds));
    }

    // Mixes by hand, then hands the window what was posted to it.
    std::vector<Notice> MixSeconds(double seconds)
    {
        std::vector<uint8_t> out(std::size_t(seconds * 44100) * 4);
        m_Mixer.Mix(out.data(), int(out.size()));
        m_Windows.PumpMessages();
        return std::exchange(g_Notices, {});
    }

    uint32_t Id(int index) const { return m_Player.EntryAt(index).m_nDeviceId; }

    DummyWindowSystem m_Windows;
    WindowHandle m_hWindow = nullptr;
    MciPlayer m_Player;
};

// Each interface sound lasts one second.
TEST_F(MciNotifyTest, APlayWithNotificationReportsHowItEnded)
{
    m_Player.Play(m_hWindow, 0, 1, 0, 0);
    EXPECT_EQ(MixSeconds(0.5), std::vector<Notice>{});
    EXPECT_EQ(MixSeconds(0.6), std::vector<Notice>({{kMciNotifySuccessful, Id(0)}}));
    EXPECT_EQ(MixSeconds(1.5), std::vector<Notice>{}); // once only

    // Playing the next entry stops the one still sounding.
    m_Player.Play(m_hWindow, 1, 1, 0, 0);
    MixSeconds(0.2);
    m_Player.Play(m_hWindow, 2, 1, 0, 0);
    EXPECT_EQ(MixSeconds(1.1), std::vector<Notice>({{kMciNotifyAborted, Id(1)}, {kMciNotifySuccessful, Id(2)}}));

    // A device played again with notification supersedes its earlier play,
    // played again without it aborts it; pausing aborts too.
    ASSERT_EQ(m_Device.Play(Id(3), false, 0, true, m_hWindow), kMciOk);
    ASSERT_EQ(m_Device.Play(Id(3), false, 500, true, m_hWindow), kMciOk);
    EXPECT_EQ(MixSeconds(0.6), std::vector<Notice>({{kMciNotifySuperseded, Id(3)}, {kMciNotifySuccessful, Id(3)}}));
    ASSERT_EQ(m_Device.Play(Id(3), false, 0, true, m_hWindow), kMciOk);
    ASSERT_EQ(m_Device.Play(Id(3), false, 0, false, m_hWindow), kMciOk);
    EXPECT_EQ(MixSeconds(1.1), std::vector<Notice>({{kMciNotifyAborted, Id(3)}}));
    ASSERT_EQ(m_Device.Play(Id(3), false, 0, true, m_hWindow), kMciOk);
    ASSERT_EQ(m_Device.Pause(Id(3)), kMciOk);
    ASSERT_EQ(m_Device.Close(Id(3)), kMciOk);
    EXPECT_EQ(MixSeconds(1.1), std::vector<Notice>({{kMciNotifyAborted, Id(3)}}));

    // Without notification, or with the window gone, nothing arrives.
    m_Player.Play(m_hWindow, 0, 0, 0, 0);
    EXPECT_EQ(MixSeconds(1.1), std::vector<Notice>{});
    m_Player.Play(m_hWindow, 0, 1, 0, 0);
    m_Windows.DestroyWindow(m_hWindow);
    EXPECT_EQ(MixSeconds(1.1), std::vector<Notice>{});
}

TEST_F(MciNotifyTest, TheEndIsReportedFromTheAudioThread)
{
    std::unique_ptr<AudioOutput> output = OpenAudioOutput(m_Mixer);
    ASSERT_TRUE(output->IsSounding());
    m_Player.Play(m_hWindow, 0, 1, 0, 750);
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            m_Windows.PumpMessages();
            return !g_Notices.empty();
        }));
    output.reset();
    EXPECT_EQ(g_Notices, std::vector<Notice>({{kMciNotifySuccessful, Id(0)}}));
}

} // namespace
