#include "GameProgram.h"

#include "common/data/EditConfigRecord.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramStrings.h"

#include <map>

namespace
{

std::string g_strCompanionFolder;

bool IsGameAt(const std::string& storedPath)
{
    return platform::IsExecutableFile(storedPath) && IsGameProgram(platform::DiskPath(storedPath));
}

} // namespace

bool IsGameProgram(const std::string& diskPath)
{
    std::map<int, std::string> strings;
    if (!platform::ReadProgramStrings(diskPath, strings))
    {
        return false;
    }
    auto it = strings.find(1);
    return it != strings.end() && it->second == "GAME";
}

void SetGameCompanionFolder(std::string folder)
{
    g_strCompanionFolder = std::move(folder);
}

int FindGameInFolder(std::string& path)
{
    for (const std::string& name : platform::ListFolder(""))
    {
        if (IsGameAt(name))
        {
            path = name;
            return 1;
        }
    }
    if (!g_strCompanionFolder.empty())
    {
        std::string companion = g_strCompanionFolder + "\\" + kGameProgramName;
        if (IsGameAt(companion))
        {
            path = companion;
            return 1;
        }
    }
    path.clear();
    return 0;
}

int FindGameExecutable(const EditConfigRecord& config, std::string& path)
{
    if (!config.m_bSearchGameProgram)
    {
        path = config.m_strGameProgram;
        if (!path.empty() && platform::PathExists(path))
        {
            return 1;
        }
        path.clear();
        return 0;
    }
    return FindGameInFolder(path);
}
