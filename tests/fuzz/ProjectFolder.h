#pragma once

// The input of the project-folder target: the files of a project, one after
// the other, each ended by kFileSeparator. The n-th piece becomes the n-th path
// of kProjectFolderFiles; an empty piece leaves that file out, and pieces past
// the last path are ignored.

#include <string_view>

namespace fuzz
{

inline constexpr std::string_view kFileSeparator = "#TKFILE#";

inline constexpr const char* kProjectFolderFiles[] = {
    "data\\EditConfig.dat",
    "data\\GValInfo.dat",
    "data\\database\\System.dat",
    "data\\database\\Land.dat",
    "data\\database\\Skill.dat",
    "data\\database\\Item.dat",
    "data\\database\\Class.dat",
    "data\\database\\Friend.dat",
    "data\\database\\Enemy.dat",
    "data\\database\\WorldMap.dat",
    "data\\database\\StartEvent.dat",
    "data\\plt\\Default.plt",
    "data\\wplt\\Default.wplt",
    "data\\stg\\Stage01.stg_276",
    "data\\stg\\Stage01.stg_275",
    "data\\stg\\Stage02.stg_276",
    "data\\plt\\Other.plt",
};

} // namespace fuzz
