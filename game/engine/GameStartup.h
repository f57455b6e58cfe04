#pragma once

// The game's start-up after its main window is made, and its release at the
// end. InitGame, in order: the random seed, the data model at the current
// format, System.ini and its frame values, the colour depth, the display on
// the main window with the palette and the transparent colour, the present
// mode and the frame pacing, the start-up surfaces, the sound effects, the
// music, the input and the key configuration, every data file, the window
// title and the VRAM lines of the report log. Each failure leaves its line in
// the error log or its box, and false; the caller then runs UnInitGame and
// ends. UnInitGame releases sound, music and display; a second call does nothing.

class BgmManager;
class MidiStreamDevice;
class OggPlayerFactory;

namespace platform
{
class DisplayHost;
class Mixer;
} // namespace platform

// What the start-up puts the game on; the program owns them and releases
// them after UnInitGame.
struct GameDevices
{
    platform::DisplayHost* m_pHost = nullptr; // the main window's screen
    platform::Mixer* m_pMixer = nullptr;      // the sound effects' device
    OggPlayerFactory* m_pOggFactory = nullptr;
    MidiStreamDevice* m_pMidiDevice = nullptr;
};

// The surfaces the start-up loads: the debug glyphs and the acted look of the map characters.
inline constexpr int kStartupSurfaces[] = {1, 14};

// showState: how the window is shown in windowed mode (the program's show state).
bool InitGame(const GameDevices& devices, int showState);
void UnInitGame();
