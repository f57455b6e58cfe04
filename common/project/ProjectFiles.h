#pragma once

// The data side of the editor: what its start-up reads into the global data
// objects, what its shut-down and the database's save-all write, the stage
// commands, and the search for the game program. None of it opens a window;
// the editor calls these between its own window and music steps.

#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"

#include <string>
#include <string_view>
#include <vector>

// How one file of the project fared.
struct ProjectFileStatus
{
    std::string m_strPath;
    LoadResult m_Result = LoadResult::NotOpened;
    int32_t m_nVersion = 0; // the file's version word, when it was opened
    int m_nRecords = 0;     // records read (1 for a single-record file)
    std::string m_strError;       // why a damaged file was refused
    std::string m_strDamagedCopy; // where a damaged file was kept (KeepDamagedFiles)
    std::string m_strKeepError;   // why it could not be kept
};

// Puts every global data object back to the state it is built in.
void ResetProjectData();

// The editor's data start-up in the project folder (the current folder): it
// sets CurrentVersion to the current format, then loads, in this order: EditConfig, GValInfo, System, the land, skill and item tables,
// the class, friend and enemy tables, the default stage, the default event
// palettes, WorldMap and StartEvent. A table whose file cannot be read is
// brought to two default records, GValInfo to 256 empty names; a record whose
// file cannot be read keeps its defaults; a default palette of more than 99
// templates is refused as damaged. One status per file, in load order (a
// damaged numbered copy of the default stage above the one loaded has one too).
std::vector<ProjectFileStatus> LoadProjectData();

// Keeps every file of the statuses that failed to load as damaged now
// (KeepDamagedFile), noting in each status the copy made or why none could be.
void KeepDamagedFiles(std::vector<ProjectFileStatus>& files);

// The editor's data shut-down: writes EditConfig.dat and GValInfo.dat. True
// when both were written.
bool SaveShutDownData();

// The database editor's save-all: System.dat and the six table files, each
// record's own index set to its position. True when all were written.
bool SaveDatabase();

// The table loaders of the editor: 1 when the file was read, 0 (the table
// unchanged) when it could not be opened or was corrupt. With the strip-CR
// flag every element loses its CR bytes.
int LoadClassTable(CheckedVector<ClassRecord>& table, std::string_view name, int stripCr);
int LoadFriendTable(CheckedVector<FriendRecord>& table, std::string_view name, int stripCr);
int LoadEnemyTable(CheckedVector<EnemyRecord>& table, std::string_view name, int stripCr);
int LoadEventTable(CheckedVector<Event>& table, std::string_view name, int stripCr);
int LoadWorldEventTable(CheckedVector<WorldMapEvent>& table, std::string_view name, int stripCr);

// A new stage: the default stage file when one loads, else a stage at its
// defaults. With EditConfig's keep-palette option the palette events survive.
void NewStage();
// Opens a stage file into Stage, keeping the palette events as NewStage does.
// 1 when it was read; a file that cannot be read whole leaves Stage as it was.
int OpenStage(std::string_view name);
// Saves Stage where a new stage finds it as the default stage of that path
// (SaveStageFile, into StageSaveName(path)). 1 when written; else 0 and, when asked, the reason.
int SaveStage(std::string_view path, std::string* error = nullptr);

// The game program for test play, by EditConfig's settings.
int FindGameExecutable(std::string& path);
