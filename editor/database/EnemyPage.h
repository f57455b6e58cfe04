#pragma once

// The third page of the database, "敵キャラ" (dialog 127): the table of
// enemies. Record 0 is never shown. Beside the fields every character page
// has (CharacterPage) an enemy has a description of up to four lines and its
// battle AI (1111): at most 99 entries, each edited in the battle-AI dialog
// (BattleAiDialog). A new or cleared enemy has one entry, an attack of
// priority 1 and priority value 10. Its computed values take the System's
// stat correction of enemies.

#include "editor/database/BattleAiDialog.h"
#include "editor/database/CharacterPage.h"

enum : int
{
    kIdEnemyPage = 127,
    kIdEnemyList = 1179,
    kIdEnemyDescription = 12057,
    kIdBattleAiList = 1111,
    kIdBattleAiInsert = 1068,
    kIdBattleAiEdit = 1110,
    kIdBattleAiDelete = 1070,
    kMaxBattleAiEntries = 99,
    kEnemyDescriptionLines = 4,
    kEnemyDescriptionLineWidth = 38,
};

class EnemyPage : public CharacterPage<EnemyRecord, BattleAiEntry, BattleAiDialog>
{
public:
    explicit EnemyPage(DatabaseSheet& sheet);
};
