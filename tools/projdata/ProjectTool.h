#pragma once

// The project data tool: reads and writes every file of a project without a
// user interface. Each command writes its report (UTF-8) to out and its errors
// to err, and returns the exit status: 0 success, 1 a file failed to load or
// the files differ, 2 a usage or write error.

#include <ostream>
#include <string>
#include <vector>

int RunProjectTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// projdata new DIR: a new project with every data file at its defaults.
int RunNew(const std::string& folder, std::ostream& out, std::ostream& err);
// projdata check DIR: loads every file and reports each.
int RunCheck(const std::string& folder, std::ostream& out, std::ostream& err);
// projdata upgrade DIR: loads every file and saves it at the current version.
int RunUpgrade(const std::string& folder, std::ostream& out, std::ostream& err);
// projdata dump FILE: the records of one file as text.
int RunDump(const std::string& file, std::ostream& out, std::ostream& err);
// projdata diff FILE FILE: every field that differs between two files of one kind.
int RunDiff(const std::string& first, const std::string& second, std::ostream& out, std::ostream& err);
