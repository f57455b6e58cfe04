#pragma once

// The game program, run in a project folder:
//
//   tarnwick-game [--headless] [--script FILE] [--no-pacing] [--capture DIR]
//
// --headless   no window on a screen and no sound card (SDL's dummy drivers)
// --script     plays the script (PlayScript.h) in place of a player; the
//              program's exit code is then the script's verdict: 0 passed,
//              1 an expectation failed, 2 a timeout, 3 the game failed
// --no-pacing  frames run as fast as they can on a clock that moves one frame
//              period a frame, so that a run is the same every time
// --capture    the folder the script's captures are written to
//
// Without a script the exit code is the main loop's (0), and 0 as well when
// the start-up fails, as the program has always ended.
//
// Message boxes are windows of the game's own on a display; without one they
// go to the standard error stream and answer as if closed, unless
// TARNWICK_BOXES=window is in the environment: then they are windows there
// too, and wait (for the tests of what ends them).

// The environment variable that says where the boxes go.
inline constexpr char kBoxesVariable[] = "TARNWICK_BOXES";

#include <memory>
#include <string>

namespace platform
{
class SoundFontLoad;
}

struct GameOptions
{
    bool m_bHeadless = false;
    bool m_bNoPacing = false;
    std::string m_strScript;        // a path on disk; "" without a script
    std::string m_strCaptureFolder; // a path on disk; "" drops captures
};

// The exit code of a run that could not start its script (a bad command line,
// a script that cannot be read or understood).
constexpr int kGameUsageError = 3;

// False, with the reason, for an argument the program does not know.
bool ParseGameOptions(int argc, const char* const* argv, GameOptions& options, std::string& error);

// The whole run: logs, window, start-up, frames until the close, release,
// with the synthesizer made from the SoundFont load (started in the program's
// first moment). Its exit code.
int RunGame(const GameOptions& options, std::unique_ptr<platform::SoundFontLoad> soundFont);
