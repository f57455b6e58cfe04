#include "platform/audio/SoundFontLoad.h"

#include "TempFolder.h"
#include "common/services/Log.h"
#include "common/sound/MidiPlayer.h"
#include "platform/audio/AudioSystem.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

using platform::AudioSystem;
using platform::FluidMidiDevice;
using platform::Mixer;
using platform::SoundFontLoad;

TEST(SoundFontLoadTest, ASoundFontThatDoesNotLoadIsReportedAsWithoutTheThreadAndNoStreamOpens)
{
    TempFolder folder;
    folder.WriteFile("broken.sf2", std::string("RIFF\x04\0\0\0junk", 12));
    const std::string broken = (folder.Path() / "broken.sf2").string();
    const struct
    {
        std::string m_strPath;
        std::string m_strProblem;
    } cases[] = {
        {"/no/such/font.sf2", "MIDI: SoundFont not found: /no/such/font.sf2"},
        {broken, "MIDI: cannot load the SoundFont " + broken},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_strPath);
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
        AudioSystem audio(AudioSystem::StartSoundFont(c.m_strPath));
        EXPECT_EQ(audio.Problems(), c.m_strProblem);
        EXPECT_FALSE(audio.MidiDevice().Ready());
        EXPECT_EQ(audio.GetMixer().VoiceCount(), 0);

        // The music manager's MIDI side finds no device to play through, and says nothing.
        MidiPlayer player;
        player.SetDevice(&audio.MidiDevice());
        player.SetChannelCount(1);
        EXPECT_EQ(player.Play(0, "bgm\\Title.mid"), 0);
        EXPECT_EQ(player.Stream(0), nullptr);
        MidiStreamHandle handle = 1;
        EXPECT_EQ(audio.MidiDevice().Open(handle, nullptr), kMidiErrorNoDriver);
        EXPECT_EQ(handle, 0u);
        EXPECT_EQ(folder.ReadText("Report.txt"), "");
    }
}

class SoundFontLoadOfTheSystemFont : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(platform::kDefaultSoundFont))
        {
            GTEST_SKIP() << "no SoundFont at " << platform::kDefaultSoundFont;
        }
    }
};

// Starts the load from a thread that blocks no signal, as in a program's first
// moment, then blocks SIGUSR1 to take it itself, as the game does with its
// close signals, and raises it. Ends with 0 when the signal waited for this
// thread (had the reading thread or one of its helpers taken it, its default
// action would have ended the process) and this thread's mask was left alone.
void LoadWhileTheProgramTakesASignal()
{
    sigset_t none;
    sigemptyset(&none);
    pthread_sigmask(SIG_SETMASK, &none, nullptr);
    sigset_t usr1;
    sigemptyset(&usr1);
    sigaddset(&usr1, SIGUSR1);
    bool maskKept = true;
    bool loaded = false;
    {
        SoundFontLoad load(platform::kDefaultSoundFont, AudioSystem::kOutputRate);
        sigset_t after;
        pthread_sigmask(SIG_BLOCK, &usr1, &after);
        for (int signal = 1; signal < SIGRTMIN; ++signal)
        {
            maskKept = maskKept && !sigismember(&after, signal);
        }
        ::kill(::getpid(), SIGUSR1);
        loaded = load.Take().m_pSynth != nullptr;
    }
    const timespec now{0, 0};
    const bool taken = sigtimedwait(&usr1, nullptr, &now) == SIGUSR1;
    std::_Exit(maskKept && loaded && taken ? 0 : 1);
}

TEST_F(SoundFontLoadOfTheSystemFont, TheReadingThreadLeavesSignalsToTheProgramsOwnThreads)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LoadWhileTheProgramTakesASignal(), testing::ExitedWithCode(0), "");
}

TEST_F(SoundFontLoadOfTheSystemFont, ADeviceGoesWhileItsFontIsReadAndAnotherWaitsForItsFirstStream)
{
    Mixer mixer(AudioSystem::kOutputRate);
    {
        // As a program closed in its first moment: nothing waits for more than the load.
        FluidMidiDevice dropped(mixer, AudioSystem::StartSoundFont());
        EXPECT_EQ(mixer.VoiceCount(), 1);
        int16_t frames[64] = {};
        mixer.Mix(reinterpret_cast<uint8_t*>(frames), sizeof(frames));
    }
    EXPECT_EQ(mixer.VoiceCount(), 0);

    FluidMidiDevice device(mixer, AudioSystem::StartSoundFont());
    MidiStreamHandle handle = 0;
    EXPECT_EQ(device.Open(handle, nullptr), kMidiOk);
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(device.Ready());
    EXPECT_EQ(device.LoadError(), "");
    EXPECT_EQ(device.Close(handle), kMidiOk);
}

} // namespace
