#include "platform/audio/AudioOutput.h"

#include "SoundFiles.h"
#include "WaitUntil.h"
#include "platform/audio/AudioSystem.h"
#include "platform/audio/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

using namespace platform;

TEST(AudioOutputTest, DummyDriverPullsTheMixer)
{
    Mixer mixer(44100);
    auto wave = std::make_shared<WaveData>();
    ASSERT_TRUE(ParseWaveFile(MakeWave(22050, 1, 8, 2205), *wave));
    const VoiceId voice = mixer.AddVoice(std::make_shared<WaveSource>(wave));
    mixer.SetLoops(voice, kLoopForever);
    mixer.Play(voice);

    std::string error;
    std::unique_ptr<AudioOutput> output = OpenAudioOutput(mixer, &error);
    ASSERT_TRUE(output->IsSounding()) << error;
    EXPECT_EQ(output->DriverName(), "dummy");
    EXPECT_TRUE(WaitUntil([&] { return mixer.Position(voice) > 0; }));
    output.reset(); // closing waits for the callback; the mixer is not read after it
    const int64_t position = mixer.Position(voice);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(mixer.Position(voice), position);
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const char* value) : m_Name(name)
    {
        const char* old = getenv(name);
        m_bHad = old != nullptr;
        m_Old = old ? old : "";
        setenv(name, value, 1);
    }
    ~ScopedEnvironment()
    {
        if (m_bHad)
        {
            setenv(m_Name.c_str(), m_Old.c_str(), 1);
        }
        else
        {
            unsetenv(m_Name.c_str());
        }
    }

private:
    std::string m_Name;
    std::string m_Old;
    bool m_bHad = false;
};

TEST(AudioOutputTest, WithoutADeviceTheOutputIsSilentAndTheMixerStillWorks)
{
    ScopedEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
    Mixer mixer(44100);
    std::string error;
    std::unique_ptr<AudioOutput> output = OpenAudioOutput(mixer, &error);
    EXPECT_FALSE(output->IsSounding());
    EXPECT_EQ(output->DriverName(), "");
    EXPECT_FALSE(error.empty());

    AudioSystem audio;
    EXPECT_FALSE(audio.Output().IsSounding());
    EXPECT_NE(audio.Problems().find("audio output"), std::string::npos);
    EXPECT_TRUE(audio.MidiDevice().Ready());
    int16_t frame[2] = {1, 1};
    audio.GetMixer().Mix(reinterpret_cast<uint8_t*>(frame), 4);
    EXPECT_EQ(frame[0], 0);
}

TEST(AudioOutputTest, AudioSystemSoundsUnderTheDummyDriver)
{
    AudioSystem audio;
    EXPECT_TRUE(audio.Output().IsSounding());
    EXPECT_TRUE(audio.MidiDevice().Ready());
    EXPECT_EQ(audio.Problems(), "");
    EXPECT_EQ(audio.GetMixer().VoiceCount(), 1); // the synthesizer
}

} // namespace
