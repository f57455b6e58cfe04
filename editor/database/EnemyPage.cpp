#include "editor/database/EnemyPage.h"

#include "common/data/CharacterRowTexts.h"

namespace
{

constexpr EntryListShape kBattleAi = {kIdBattleAiList,   kIdBattleAiInsert, kIdBattleAiEdit,
                                      kIdBattleAiDelete, kIdBattleAiDialog, kMaxBattleAiEntries};

} // namespace

EnemyPage::EnemyPage(DatabaseSheet& sheet)
    : CharacterPage(kIdEnemyPage, sheet, EnemyTable, kIdEnemyList, kPathEnemy, NameRowText<EnemyRecord>,
                    &EnemyRecord::m_BattleAi, kBattleAi,
                    [](std::string& out, int, const BattleAiEntry& entry) { out = BattleAiRowText(entry); })
{
    UseClassProcedure(this);
    TextEditBinding& description = m_Texts.emplace_back().Binding();
    description.m_nId = ControlIdBits(kIdEnemyDescription);
    description.m_pText = &m_Current.m_strText;
    description.m_nLineWidth = kEnemyDescriptionLineWidth;
    description.m_nMaxLines = kEnemyDescriptionLines;
    description.m_bDoubleByte = 1;
}
