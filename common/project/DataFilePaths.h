#pragma once

// Where a project keeps its data, relative to the project folder.

#include <string>

enum DataFilePathIndex
{
    kPathEditConfig,
    kPathGValInfo,
    kPathDefaultPalette,
    kPathDefaultWorldPalette,
    kPathWorldMap,
    kPathStartEvent,
    kPathClass,
    kPathFriend,
    kPathEnemy,
    kPathSkill,
    kPathItem,
    kPathLand,
    kPathSystem,
    kDataFilePathCount
};

// The thirteen data files, in this order.
extern const std::string DataFilePaths[kDataFilePathCount];

enum FileExtensionIndex
{
    kExtStage,
    kExtPalette,
    kExtWorldPalette,
    kFileExtensionCount
};

// "stg", "plt", "wplt". A stage is saved as "stg" joined to the version text: stg_276.
extern const std::string FileExtensions[kFileExtensionCount];

// The version text of the file names ("276").
extern const char kVersionText[];

// Base name of the game's save files.
extern const std::string SaveDataBaseName;
