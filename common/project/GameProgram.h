#pragma once

// Finding the game program for test play.

#include <string>

class EditConfigRecord;

// The game program: with searching off, the configured program, which must
// exist; with searching on, the first executable of the current folder (in
// name order) whose string 1 reads "GAME". 1 with the path (CP932), or 0 with
// an empty path.
int FindGameExecutable(const EditConfigRecord& config, std::string& path);

// Whether a file on disk (UTF-8 path) is a game program: its string 1 is "GAME".
bool IsGameProgram(const std::string& diskPath);
