#pragma once

// The game's data of one process, beside the shared globals of the data model
// (System, Stage, WorldMap, StartEvent and the database tables, which the game
// uses as they are): the play-through and the party. They live until the
// process ends.

#include "game/data/ProgressRecord.h"
#include "game/data/UnitRecord.h"

// The play-through in progress.
extern ProgressRecord Progress;
// The party: kPartySlotCount slots once InitGameData has run, empty ones with class 0.
extern CheckedVector<UnitRecord> PartyUnits;

// The game's data start-up, before any file is read: every checked access of
// the data model reports, posts the close and goes on (it never ends the
// program nor throws), records bind at the current format, the party has its
// 64 empty slots and the save-slot list its 99 unused entries.
void InitGameData();

// Reads the project's database in the game's order: System.dat; Land.dat,
// Skill.dat, Item.dat and Class.dat, each record numbered with its position;
// Friend.dat, each friend numbered (m_nHead) and friend 0 without class;
// WorldMap.dat and StartEvent.dat. CR bytes leave the table records' texts.
// On the first of them that cannot be read: the error box "%s のロードに失敗！"
// with its path, a posted close, false. Enemy.dat is read too, when it can
// be, so that a stage read later keeps its enemy placements; without it the
// game starts, and stops when a stage sets up its enemies.
bool LoadGameDatabase();

// The data side of a new game: every party slot empty, the play-through reset
// (ProgressRecord::ResetForNewGame). The start event runs after it.
void StartNewGame();
