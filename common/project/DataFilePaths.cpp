#include "DataFilePaths.h"

const std::string DataFilePaths[kDataFilePathCount] = {
    "data\\EditConfig.dat",         "data\\GValInfo.dat",           "data\\plt\\Default.plt",
    "data\\wplt\\Default.wplt",     "data\\database\\WorldMap.dat", "data\\database\\StartEvent.dat",
    "data\\database\\Class.dat",    "data\\database\\Friend.dat",   "data\\database\\Enemy.dat",
    "data\\database\\Skill.dat",    "data\\database\\Item.dat",     "data\\database\\Land.dat",
    "data\\database\\System.dat",
};

const std::string FileExtensions[kFileExtensionCount] = {"stg", "plt", "wplt"};

const char kVersionText[] = "276";

const std::string SaveDataBaseName = "user_data\\SaveData";
