#pragma once

// The game's side of a test play: the flag, and the start and end reports to
// the editor (platform/core/TestPlayLink.h). The end report goes exactly once
// per run, on whichever exit path comes first: the window's destruction, the
// end of a start-up that failed, or the end of the process.

#include <string>

// 1 when the editor started the game for a test play, else 0; set once at start-up.
extern int TestPlayFlag;

// Starts a run's reporting: in test play the reports go to the endpoint (the
// editor's unless given), otherwise nowhere.
void BeginTestPlayReports(bool testPlay, std::string endpoint = "");
// The start report (kind 1) with the value.
void SendDataToEditor_Start(int value);
// The end report (kind 0) with the value; every call after the first of a run does nothing.
void SendDataToEditor_End(int value);
