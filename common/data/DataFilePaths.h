#pragma once

// Where a project keeps its data, relative to the project folder. Plain
// constants, so that the records' constructors may use them while the global
// objects are built.

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
inline constexpr const char* DataFilePaths[kDataFilePathCount] = {
    "data\\EditConfig.dat",         "data\\GValInfo.dat",           "data\\plt\\Default.plt",
    "data\\wplt\\Default.wplt",     "data\\database\\WorldMap.dat", "data\\database\\StartEvent.dat",
    "data\\database\\Class.dat",    "data\\database\\Friend.dat",   "data\\database\\Enemy.dat",
    "data\\database\\Skill.dat",    "data\\database\\Item.dat",     "data\\database\\Land.dat",
    "data\\database\\System.dat",
};

// Where a project keeps its stages, its event palettes and its world-map
// palettes.
inline constexpr const char StageFolder[] = "data\\stg";
inline constexpr const char PaletteFolder[] = "data\\plt";
inline constexpr const char WorldPaletteFolder[] = "data\\wplt";

// The folders of a project, each after the one that holds it.
inline constexpr const char* ProjectFolders[] = {"data", "data\\database", StageFolder, PaletteFolder,
                                                 WorldPaletteFolder};

enum FileExtensionIndex
{
    kExtStage,
    kExtPalette,
    kExtWorldPalette,
    kFileExtensionCount
};

// A stage is saved as "stg" joined to the version text: stg_276.
inline constexpr const char* FileExtensions[kFileExtensionCount] = {"stg", "plt", "wplt"};

// The version text of the file names.
inline constexpr const char kVersionText[] = "276";

// Base name of the game's save files.
inline constexpr const char SaveDataBaseName[] = "user_data\\SaveData";
