#include "GameProgram.h"

#include "common/data/EditConfigRecord.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramStrings.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace
{

// Names (UTF-8) of the executable regular files of the current folder, sorted.
std::vector<std::string> ListExecutables()
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(".");
    if (!dir)
    {
        return names;
    }
    while (dirent* entry = ::readdir(dir))
    {
        struct stat st;
        if (::stat(entry->d_name, &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)))
        {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
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
        for (const std::string& name : ListExecutables())
        {
            if (IsGameProgram(name))
            {
                path = platform::FromUtf8(name);
                return 1;
            }
        }
    }
    path.clear();
    return 0;
}
