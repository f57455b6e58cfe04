#include "editor/database/FriendPage.h"

#include "common/data/CharacterRowTexts.h"

namespace
{

constexpr EntryListShape kLearnSkills = {kIdLearnSkillList,   kIdLearnSkillInsert, kIdLearnSkillEdit,
                                         kIdLearnSkillDelete, kIdLearnSkillDialog, kMaxLearnSkills};

} // namespace

FriendPage::FriendPage(DatabaseSheet& sheet)
    : CharacterPage(kIdFriendPage, sheet, FriendTable, kIdFriendList, kPathFriend, NameRowText<FriendRecord>,
                    &FriendRecord::m_LearnSkill, kLearnSkills,
                    [](std::string& out, int, const LearnSkillEntry& entry) { out = LearnSkillRowText(entry); })
{
    UseClassProcedure(this);
    m_Checks.emplace_back().Binding().Set(kIdFriendInShop, &m_Current.m_bInShop);
    m_Checks.emplace_back().Binding().Set(kIdFriendHireAgain, &m_Current.m_bHireAgain);
    m_Checks.emplace_back().Binding().Set(kIdFriendNoRelease, &m_Current.m_bNoRelease);
    m_Checks.emplace_back().Binding().Set(kIdFriendRandomSkill, &m_Current.m_bRandomSkill);
}
