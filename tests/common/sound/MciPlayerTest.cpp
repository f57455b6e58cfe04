#include "common/sound/MciPlayer.h"

#include "TempFolder.h"
#include "common/services/Log.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

// MCI devices that record the commands they get ("Play 2 from 0").
class RecordingMciDevice : public MciDevice
{
public:
    int Open(std::string_view type, std::string_view file, uint32_t& deviceId) override
    {
        m_Calls.push_back("Open " + std::string(type) + " " + std::string(file));
        deviceId = 0;
        if (m_Missing.count(std::string(file)))
        {
            return kMciErrorFileNotFound;
        }
        deviceId = m_nNext++;
        m_Open.insert(deviceId);
        return kMciOk;
    }
    int Play(uint32_t id, bool resume, uint32_t from, bool, platform::WindowHandle) override
    {
        return Command("Play " + std::to_string(id) + (resume ? " on" : " from " + std::to_string(from)), id);
    }
    int Stop(uint32_t id) override { return Command("Stop " + std::to_string(id), id); }
    int Pause(uint32_t id) override { return Command("Pause " + std::to_string(id), id); }
    int SeekToStart(uint32_t id) override { return Command("Seek " + std::to_string(id), id); }
    int Close(uint32_t id) override
    {
        const int result = Command("Close " + std::to_string(id), id);
        m_Open.erase(id);
        return result;
    }

    std::vector<std::string> m_Calls;
    std::set<std::string> m_Missing;
    std::set<uint32_t> m_Open;

private:
    int Command(std::string call, uint32_t id)
    {
        m_Calls.push_back(std::move(call));
        return m_Open.count(id) ? kMciOk : kMciErrorInvalidDeviceId;
    }
    uint32_t m_nNext = 1;
};

class MciPlayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        InitErrorLog(1, "EC.txt");
        m_Device.m_Missing = {"wave\\free.wav"};
        m_Player.SetDevice(&m_Device);
        ASSERT_TRUE(m_Player.Open("waveaudio", {"wave\\決定.wav", "wave\\キャンセル.wav", "wave\\エラー.wav",
                                                "wave\\コピー.wav", "wave\\free.wav"}));
        m_Device.m_Calls.clear();
    }

    std::string ErrorLog() const { return m_Folder.ReadText("EC.txt"); }

    TempFolder m_Folder;
    RecordingMciDevice m_Device;
    MciPlayer m_Player;
};

TEST_F(MciPlayerTest, PlayingStopsAndRewindsTheSoundBefore)
{
    EXPECT_EQ(m_Player.Count(), 5);
    EXPECT_EQ(m_Player.EntryAt(4).m_nDeviceId, 0u); // the missing file: a zero entry
    EXPECT_EQ(m_Player.EntryAt(4).m_strFile, "");
    EXPECT_EQ(m_Player.EntryAt(2).m_strFile, "wave\\エラー.wav");

    m_Player.Play(nullptr, 0, 0, 0, 0);
    m_Player.Play(nullptr, 2, 0, 0, 0);
    m_Player.Play(nullptr, 1, 0, 1, 0);
    EXPECT_EQ(m_Device.m_Calls, (std::vector<std::string>{"Play 1 from 0", "Stop 1", "Seek 1", "Play 3 from 0",
                                                          "Stop 3", "Seek 3", "Play 2 on"}));
    EXPECT_EQ(ErrorLog(), "Stop成功！ mr =        0 stop =0\r\nStop成功！ mr =        0 stop =2\r\n");

    // The zero entry sends its command to device 0, which fails without a word.
    m_Device.m_Calls.clear();
    m_Player.Play(nullptr, 4, 0, 0, 0);
    EXPECT_EQ(m_Device.m_Calls.back(), "Play 0 from 0");
    m_Player.Stop(0);
    EXPECT_NE(ErrorLog().find("Stop失敗！ mr =      101 stop =4\r\n"), std::string::npos);
    EXPECT_EQ(m_Player.CurrentIndex(), -1);

    m_Player.Play(nullptr, 3, 0, 0, 0);
    m_Device.m_Calls.clear();
    m_Player.Stop(1);
    m_Player.Stop(1); // nothing is current any more
    EXPECT_EQ(m_Device.m_Calls, (std::vector<std::string>{"Pause 4"}));

    m_Player.Play(nullptr, 9, 0, 0, 0); // no such entry: nothing
    EXPECT_EQ(m_Player.CurrentIndex(), -1);
}

TEST_F(MciPlayerTest, ChangingOneWaveEntryLeavesTheOthersOpen)
{
    EXPECT_TRUE(m_Player.ChangeSound(4, "waveaudio", "wave\\SkillAndItem\\回復.wav"));
    EXPECT_EQ(m_Device.m_Calls, (std::vector<std::string>{"Close 0", "Open waveaudio wave\\SkillAndItem\\回復.wav"}));
    EXPECT_EQ(ErrorLog(), "MCI_CLOSE失敗！ 4\r\n"); // entry 4 had no device
    EXPECT_EQ(m_Device.m_Open.size(), 5u);
    EXPECT_EQ(m_Player.EntryAt(4).m_strFile, "wave\\SkillAndItem\\回復.wav");

    m_Device.m_Missing.insert("wave\\none.wav");
    EXPECT_FALSE(m_Player.ChangeSound(4, "waveaudio", "wave\\none.wav"));
    EXPECT_NE(ErrorLog().find("ChangeSound失敗！ wave\\none.wav\r\n"), std::string::npos);
    EXPECT_EQ(m_Player.EntryAt(4).m_nDeviceId, 0u);
    EXPECT_EQ(m_Device.m_Open.size(), 4u);

    EXPECT_FALSE(m_Player.ChangeSound(5, "waveaudio", "wave\\a.wav")); // no such entry
}

TEST_F(MciPlayerTest, ChangingASequencerEntryClosesEveryEntryFirst)
{
    m_Player.Play(nullptr, 1, 0, 0, 0);
    m_Device.m_Calls.clear();
    EXPECT_TRUE(m_Player.ChangeSound(0, "sequencer", "bgm\\a.mid"));
    EXPECT_EQ(m_Device.m_Calls, (std::vector<std::string>{"Stop 2", "Seek 2", "Close 1", "Close 2", "Close 3",
                                                          "Close 4", "Close 0", "Open sequencer bgm\\a.mid"}));
    EXPECT_EQ(m_Device.m_Open.size(), 1u);
    EXPECT_EQ(m_Player.EntryAt(1).m_nDeviceId, 2u); // closed, but not zeroed
    EXPECT_EQ(ErrorLog().find("MCI_CLOSE"), std::string::npos);
}

TEST_F(MciPlayerTest, DestructionClosesEveryDeviceAndDisablesThePlayer)
{
    {
        MciPlayer player(&m_Device);
        player.Open("waveaudio", {"wave\\a.wav", "wave\\b.wav"});
        EXPECT_EQ(m_Device.m_Open.size(), 6u);
    }
    EXPECT_EQ(m_Device.m_Open.size(), 4u);
    m_Player.Close();
    EXPECT_TRUE(m_Device.m_Open.empty());
    EXPECT_EQ(m_Player.Count(), 0);
    m_Player.Play(nullptr, 0, 0, 0, 0);
    EXPECT_EQ(m_Player.CurrentIndex(), -1);
}

} // namespace
