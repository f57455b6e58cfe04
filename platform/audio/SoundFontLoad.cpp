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

LoadedSynth MakeSynth(const std::string& soundFontPath, int rate)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(soundFontPath, ec))
    {
        return Failed("SoundFont not found: " + soundFontPath);
    }
    fluid_set_log_function(FLUID_WARN, QuietLog, nullptr);
    fluid_set_log_function(FLUID_INFO, QuietLog, nullptr);
    fluid_set_log_function(FLUID_DBG, QuietLog, nullptr);
    LoadedSynth made;
    made.m_pSettings.reset(new_fluid_settings());
    if (!made.m_pSettings)
    {
        return Failed("cannot create the synthesizer settings");
    }
    FluidMidiDevice::ApplySettings(made.m_pSettings.get(), rate);
    made.m_pSynth.reset(new_fluid_synth(made.m_pSettings.get()));
    if (!made.m_pSynth)
    {
        return Failed("cannot create the synthesizer");
    }
    if (fluid_synth_sfload(made.m_pSynth.get(), soundFontPath.c_str(), 1) == FLUID_FAILED)
    {
        return Failed("cannot load the SoundFont " + soundFontPath);
    }
    return made;
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
    // The thread inherits the mask of the thread that makes it.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    try
    {
        m_Thread = std::thread([this, soundFontPath] { Load(soundFontPath); });
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
        Load(soundFontPath);
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

void SoundFontLoad::Load(const std::string& soundFontPath)
{
    LoadedSynth result = MakeSynth(soundFontPath, m_nRate);
    std::lock_guard lock(m_Mutex);
    m_Result = std::move(result);
    m_bDone = true;
    m_Done.notify_all();
}

} // namespace platform
