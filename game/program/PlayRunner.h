#pragma once

// Plays a script on the game: before each frame (on the game thread, under
// the game-data lock) it runs the script's steps that take no frame, then
// holds the keys of the frame. A key that goes down also reaches the main
// window's key handler, as a key pressed in the window would (Esc, the debug
// keys). When the script ends, an expectation fails or an until times out,
// the runner asks for the close and runs no more frames.
//
// When the game closes by itself first, GameEnded (main thread, after the
// game thread has ended) settles the rest: key steps are dropped, an
// "until closed" is met, and any other step fails, as the game is gone.
//
// Verdicts: 0 every step done and met, 1 an expectation failed (or the game
// closed before one), 2 an until timed out, 3 the game failed (its start-up,
// or a failure that closed it).

#include "game/engine/GameThread.h"
#include "game/program/PlayScript.h"

#include <cstdio>
#include <functional>
#include <string>

namespace platform
{
class HeldKeyTable;
}

enum PlayVerdict : int
{
    kPlayPassed = 0,
    kPlayFailed = 1,
    kPlayTimedOut = 2,
    kPlayGameFailed = 3,
};

class PlayRunner : public FrameDriver
{
public:
    // keys: the table the frames read; keyHandler: what a key that goes down
    // also does; captureFolder: where captures go ("" drops them); out: where
    // the reached scenes and the verdict are written.
    PlayRunner(const PlayScript& script, platform::HeldKeyTable& keys, std::function<void(uintptr_t)> keyHandler,
               std::string captureFolder, std::FILE* out);

    bool BeforeFrame() override;
    void GameEnded();

    int Verdict() const { return m_nVerdict; }
    bool IsDone() const { return m_bDone; }
    uint64_t Frames() const { return m_nFrames; }

private:
    // Runs the steps that take no frame; true when the next frame is to run.
    bool Advance();
    void Hold(const platform::KeySet& keys);
    // On a game thread: waits the time of that many frames for the quit; true when it came.
    bool WaitForQuit(uint32_t frames);
    bool Check(const PlayLine& line, std::string& seen) const;
    bool Capture(const PlayLine& line);
    // Loads the line's stage and makes the stage map the next frame's scene, as the world map would.
    bool EnterStage(const PlayLine& line);
    void ReportScene();
    void Next();
    // Ends the script with the verdict, prints why, and asks for the close.
    void Finish(int verdict, const std::string& why);
    void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const PlayScript& m_Script;
    platform::HeldKeyTable& m_Keys;
    std::function<void(uintptr_t)> m_KeyHandler;
    std::string m_strCaptureFolder;
    std::FILE* m_pOut;

    std::size_t m_nLine = 0;
    uint32_t m_nFrameInLine = 0;
    uint64_t m_nFrames = 0;
    int m_nShownScene = -1;
    int m_nShownEnd = -1; // the stage's victory or game over last told
    platform::KeySet m_Held;
    bool m_bDone = false;
    int m_nVerdict = kPlayPassed;
};
