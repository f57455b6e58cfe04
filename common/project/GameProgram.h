#pragma once

// Finding the game program for test play.

#include <string>

class EditConfigRecord;

// The name the build gives the game program.
inline constexpr const char* kGameProgramName = "tarnwick-game";

// The game program: with searching off, the configured program, which must
// exist; with searching on, FindGameInFolder. 1 with the path (CP932), or 0
// with an empty path.
int FindGameExecutable(const EditConfigRecord& config, std::string& path);

// The first executable of the current folder (in name order) whose string 1
// reads "GAME"; when there is none, the game program of the companion folder.
// 1 with the path (CP932), or 0 with an empty path.
int FindGameInFolder(std::string& path);

// The folder (stored form) where the search looks last for kGameProgramName:
// the editor names the folder of its own program, beside which the build puts
// the game. Empty (the start): nowhere.
void SetGameCompanionFolder(std::string folder);

// Whether a file on disk (UTF-8 path) is a game program: its string 1 is "GAME".
bool IsGameProgram(const std::string& diskPath);
