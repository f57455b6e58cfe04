#pragma once

// The second page of the database, "味方キャラ" (dialog 110): the table of
// friends, the characters the party is made of and hires. Record 0 is never
// shown. Beside the fields every character page has (CharacterPage) a friend
// has its hiring flags and random skill learning, and the list of the skills
// it learns as its level rises (1074), each edited in the learned-skill
// dialog (LearnSkillDialog).

#include "editor/database/CharacterPage.h"
#include "editor/database/LearnSkillDialog.h"

enum : int
{
    kIdFriendPage = 110,
    kIdFriendList = 1121,
    kIdFriendInShop = 1035,
    kIdFriendHireAgain = 1065,
    kIdFriendNoRelease = 1053,
    kIdFriendRandomSkill = 1073,
    kIdLearnSkillList = 1074,
    kIdLearnSkillInsert = 1069,
    kIdLearnSkillEdit = 1077,
    kIdLearnSkillDelete = 1071,
    kMaxLearnSkills = 999,
};

class FriendPage : public CharacterPage<FriendRecord, LearnSkillEntry, LearnSkillDialog>
{
public:
    explicit FriendPage(DatabaseSheet& sheet);
};
