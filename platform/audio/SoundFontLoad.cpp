#include "SoundFontLoad.h"

#include "platform/audio/FluidMidiDevice.h"

#include <fluidsynth.h>
#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <system_error>

namespace platform
{

namespace
{

void QuietLog(int, const char*, void*)
{
}

LoadedSynth Failed(std::string reason)
{
    LoadedSynth failed;
    failed.m_strError = std::move(reason);
    return failed;
}

// What touches the library's shared state, done on the calling thread: the
// settings list the audio devices of the sound library (SDL) once its audio
// has started, which must not happen beside that start on another thread.
LoadedSynth StartSynth(const std::string& soundFontPath, int rate)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(soundFontPath, ec))
    {
        return Failed("SoundFont not found: " + soundFontPath);
    }
    fluid_set_log_function(FLUID_WARN, QuietLog, nullptr);
    fluid_set_log_function(FLUID_INFO, QuietLog, nullptr);
    fluid_set_log_function(FLUID_DBG, QuietLog, nullptr);
    LoadedSynth started;
    started.m_pSettings.reset(new_fluid_settings());
    if (!started.m_pSettings)
    {
        return Failed("cannot create the synthesizer settings");
    }
    FluidMidiDevice::ApplySettings(started.m_pSettings.get(), rate);
    return started;
}

// The long part, on the loading thread: the synthesizer with its SoundFont.
LoadedSynth FinishSynth(LoadedSynth started, const std::string& soundFontPath)
{
    if (!started.m_pSettings)
    {
        return started;
    }
    started.m_pSynth.reset(new_fluid_synth(started.m_pSettings.get()));
    if (!started.m_pSynth)
    {
        return Failed("cannot create the synthesizer");
    }
    if (fluid_synth_sfload(started.m_pSynth.get(), soundFontPath.c_str(), 1) == FLUID_FAILED)
    {
        return Failed("cannot load the SoundFont " + soundFontPath);
    }
    return started;
}

} // namespace

void FluidSettingsDeleter::operator()(fluid_settings_t* settings) const
{
    delete_fluid_settings(settings);
}

void FluidSynthDeleter::operator()(fluid_synth_t* synth) const
{
    delete_fluid_synth(synth);
}

SoundFontLoad::SoundFontLoad(const std::string& soundFontPath, int rate) : m_nRate(rate)
{
    LoadedSynth started = StartSynth(soundFontPath, rate);
    if (!started.m_pSettings)
    {
        Finish(std::move(started));
        return;
    }
    // The thread inherits the mask of the thread that makes it.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    try
    {
        m_Thread = std::thread([this, soundFontPath](LoadedSynth begun)
                               { Finish(FinishSynth(std::move(begun), soundFontPath)); },
                               std::move(started));
    }
    catch (const std::system_error&)
    {
        // No thread to be had: the font is read here and now.
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (m_Thread.joinable())
    {
        pthread_setname_np(m_Thread.native_handle(), kSoundFontThreadName);
    }
    else
    {
        Finish(FinishSynth(StartSynth(soundFontPath, rate), soundFontPath));
    }
}

SoundFontLoad::~SoundFontLoad()
{
    if (m_Thread.joinable())
    {
        m_Thread.join();
    }
}

LoadedSynth SoundFontLoad::Take()
{
    std::unique_lock lock(m_Mutex);
    m_Done.wait(lock, [this] { return m_bDone; });
    return std::move(m_Result);
}

void SoundFontLoad::Finish(LoadedSynth result)
{
    std::lock_guard lock(m_Mutex);
    m_Result = std::move(result);
    m_bDone = true;
    m_Done.notify_all();
}

} // namespace platform
