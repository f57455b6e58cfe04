#include "GameProgram.h"

#include "common/data/EditConfigRecord.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramStrings.h"

#include <map>

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

int FindGameExecutable(const EditConfigRecord& config, std::string& path)
{
    if (!config.m_bSearchGameProgram)
    {
        path = config.m_strGameProgram;
        if (!path.empty() && platform::PathExists(path))
        {
            return 1;
        }
    }
    else
    {
        for (const std::string& name : platform::ListFolder(""))
        {
            if (platform::IsExecutableFile(name) && IsGameProgram(platform::DiskPath(name)))
            {
                path = name;
                return 1;
            }
        }
    }
    path.clear();
    return 0;
}
