#pragma once

// A synthesizer made with its SoundFont on a thread of its own. Reading a
// General MIDI SoundFont takes a good part of a second; a program starts the
// load in its first moment, so that the font is read while the program
// starts, and whoever first needs the synthesizer waits for what is left. The
// settings are made at once on the calling thread (they ask the sound library
// for its audio devices), and a SoundFont that is not a file fails at once.
//
// The thread takes no signals: it starts with every signal blocked, so that
// the signals go to the threads the program makes for them, whatever the
// program blocks or catches after the thread was started.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace platform
{

// The name of the loading thread (as the system lists the threads).
constexpr const char* kSoundFontThreadName = "tk-soundfont";

struct FluidSettingsDeleter
{
    void operator()(fluid_settings_t* settings) const;
};
struct FluidSynthDeleter
{
    void operator()(fluid_synth_t* synth) const;
};

// A synthesizer with its settings; both null, with the reason, when it could
// not be made. The synthesizer goes before its settings.
struct LoadedSynth
{
    std::unique_ptr<fluid_settings_t, FluidSettingsDeleter> m_pSettings;
    std::unique_ptr<fluid_synth_t, FluidSynthDeleter> m_pSynth;
    std::string m_strError;
};

class SoundFontLoad
{
public:
    // Starts making a synthesizer at the output rate with the SoundFont (a
    // path on disk).
    SoundFontLoad(const std::string& soundFontPath, int rate);
    // Waits for the thread (never longer than the load takes); a synthesizer
    // that nobody took goes with the object.
    ~SoundFontLoad();
    SoundFontLoad(const SoundFontLoad&) = delete;
    SoundFontLoad& operator=(const SoundFontLoad&) = delete;

    int Rate() const { return m_nRate; }
    // Waits until the load is over and hands over its result (once).
    LoadedSynth Take();

private:
    // The result, handed to whoever waits.
    void Finish(LoadedSynth result);

    const int m_nRate;
    std::mutex m_Mutex;
    std::condition_variable m_Done;
    bool m_bDone = false; // guarded by m_Mutex, as is m_Result
    LoadedSynth m_Result;
    std::thread m_Thread;
};

} // namespace platform
