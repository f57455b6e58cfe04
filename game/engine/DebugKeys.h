#pragma once

// The keys the main window acts on. Outside a test play only Esc acts: it
// closes the window. In a test play nothing acts while the title is the
// current scene; in every other scene Esc closes the window and F1 to F8
// change the game for testing:
//   F1  the first party slot, when it holds a member: experience 100, level up
//   F2  every party member: experience 100, level up
//   F3  money + 100 (at most 999999)
//   F4  scout points + 10 (1 .. 1000)
//   F5  every party member may act again this turn
//   F6  in a battle its first participant, else every party member: HP and SP full
//   F7  the stage map, when it exists: to its state 26
//   F8  one of every item into the stock; every party member knows every skill
// The edits run under the game-data lock, so they land between frames.

#include <cstdint>

// The main window's key handler (any thread: it takes the lock itself).
void HandleGameKey(uintptr_t key);

// One debug key's edit; the caller holds the game-data lock. False for a key that is none of F1 to F8.
bool ApplyDebugKey(uintptr_t key);

// The stage map's state that F7 puts it in.
constexpr int kStageStateDebugJump = 26;
