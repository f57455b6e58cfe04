#pragma once

// The editor's start-up and shut-down around its message loop.
//
// Start-up, in order, none of it skipped when an earlier step failed: the
// format version; the global palette from "bmp\Palette.bmp" (its entry 0 the
// transparent colour) and the bitmap conversion tool's palette from
// "bmp\Palette2.bmp"; the music manager with the editor's one track
// ("bgm\Free.ogg", "bgm\Free.mid"); the five interface sounds; the project's
// data (LoadProjectData: a missing file leaves its defaults, without a
// message; the files that did not load whole are kept beside at once, and one
// box lists them with the name of each copy made); then the hidden main window,
// the test-play link, the view and its map-chip palette. Only a main window
// that cannot be made stops it ("メモリが不足しています！").
//
// Shut-down writes "data\EditConfig.dat" and "data\GValInfo.dat" (making the
// data folder when the project has none), releases the sounds and the music
// and removes the keyboard hook; then it lets go of the main window and the
// view, so that a later start-up in the same process begins afresh.

#include "common/graphics/Palette.h"
#include "common/sound/MciPlayer.h"
#include "common/sound/MidiStreamDevice.h"
#include "common/sound/OggPlayer.h"
#include "platform/window/WindowSystem.h"

// What the editor runs on: the window system, and the sound devices (null: silent).
struct EditorPlatform
{
    platform::WindowSystem* m_pWindows = nullptr;
    OggPlayerFactory* m_pOggFactory = nullptr;
    MidiStreamDevice* m_pMidiDevice = nullptr;
    MciDevice* m_pMciDevice = nullptr;
};

// The palette of "bmp\Palette2.bmp", for the bitmap conversion tool, and
// whether the start-up read it (the tool converts nothing without it).
inline constexpr const char* kConversionPaletteFile = "bmp\\Palette2.bmp";
extern PaletteEntries ConversionPalette;
extern bool ConversionPaletteLoaded;
// The editor's interface sounds, by EditorSound number (editor/stage/EditorSoundSink.h).
extern MciPlayer EditorSounds;

// True when the main window and the view were made. When it fails, nothing
// is saved; the sounds and the music are released.
bool EditorStartup(const EditorPlatform& platform);
void EditorShutdown();
