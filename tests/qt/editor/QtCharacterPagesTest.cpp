// The friend and enemy pages on real Qt widgets, offscreen: the two computed
// columns, the skills a friend learns and the enemy's battle AI edited in
// their entry dialogs, the equipment flags of the saved files, and the pages
// shown again after the tables they name were cut.
#include "common/data/ItemRecord.h"
#include "common/services/DialogItems.h"
#include "editor/database/EnemyPage.h"
#include "editor/database/FriendPage.h"
#include "editor/framework/InputDialogs.h"
#include "editor/framework/ModalRuns.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <fstream>
#include <sstream>

namespace
{

class QtCharacterPagesTest : public QtDatabaseTest
{
protected:
    FriendPage& Friends() const { return *static_cast<FriendPage*>(Sheet().Page(kPageFriend)); }
    EnemyPage& Enemies() const { return *static_cast<EnemyPage*>(Sheet().Page(kPageEnemy)); }

    // The text of a static of the page.
    static std::string Text(const DialogBase& page, int id)
    {
        std::string text;
        GetDlgItemString(page.Handle(), id, text, 64);
        return text;
    }
    // Both computed columns, a line each.
    static std::vector<std::string> Column(const DialogBase& page, const int (&ids)[kParameterCount])
    {
        std::vector<std::string> texts;
        for (int id : ids)
        {
            texts.push_back(Text(page, id));
        }
        return texts;
    }

    // In a dialog the scripted runs answer: a combo box's row chosen, a number typed, a button clicked.
    static void Choose(DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ComboBoxModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), id))->UserSelect(row);
    }
    static void Type(DialogBase& dialog, int id, const std::string& typed)
    {
        auto* edit = platform::ModelOf<platform::EditModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), id));
        edit->UserReplace(typed, 0, static_cast<int>(edit->Text().size()));
    }
    static void Click(DialogBase& dialog, int id)
    {
        platform::ModelOf<platform::ButtonModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), id))->UserClick();
    }
    static void Select(DialogBase& dialog, int id, int row)
    {
        platform::ModelOf<platform::ListBoxModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), id))->UserSelect(row);
    }

    // Class 1 starts at 10 and ends at 50 at its limit of level 30, in every parameter.
    static void OneGrowingClass()
    {
        ClassTable.resize(2);
        for (ClassRecord& record : ClassTable)
        {
            record.SetDefaults();
        }
        ClassTable.At(1).m_strName = "戦士";
        ClassTable.At(1).m_nMaxLevel = 30;
        for (int k = 0; k < kParameterCount; ++k)
        {
            ClassTable.At(1).m_nInit[k] = 10;
            ClassTable.At(1).m_nFinal[k] = 50;
        }
    }
    // Skills 1 "炎" and 2 "氷" of the category "魔法".
    static void TwoSkills()
    {
        System.m_SkillCategory.resize(2);
        System.m_SkillCategory.At(1).m_strName = "魔法";
        SkillTable.resize(3);
        const char* const names[] = {"", "炎", "氷"};
        for (int i = 0; i < 3; ++i)
        {
            SkillTable.At(i).m_strName = names[i];
            SkillTable.At(i).m_nCategory = 1;
        }
    }
    template <class T> static void Characters(CheckedVector<T>& table, int count)
    {
        table.resize(count);
        for (T& record : table)
        {
            record.SetDefaults();
        }
    }
};

TEST_F(QtCharacterPagesTest, TheComputedColumnsFollowTheClassAtTheLevelAndClassZeroLeavesThem)
{
    OneGrowingClass();
    Characters(FriendTable, 3);
    FriendTable.At(1).m_nLevel = 2;
    FriendTable.At(2).m_nClass = 0;
    Characters(EnemyTable, 2);
    EnemyTable.At(1).m_nLevel = 2;
    std::fill(std::begin(System.m_nEnemyStatRate), std::end(System.m_nEnemyStatRate), 200);
    Open();
    ShowPage(kPageFriend);
    // 10 and 138 hundredths a level on a remainder of 50: 11 at level 2, from the friend's values and from the class's.
    const std::vector<std::string> eleven(kParameterCount, " 11");
    EXPECT_EQ(Column(Friends(), kCharacterValueIds), eleven);
    EXPECT_EQ(Column(Friends(), kCharacterReferenceIds), eleven);
    EXPECT_EQ(Friends().Current().m_nLevel, 2);
    ClickRow(Friends(), kIdFriendList, 1);
    EXPECT_EQ(Friends().Current().m_nClass, 0);
    EXPECT_EQ(Column(Friends(), kCharacterValueIds), eleven);

    // An enemy takes the System's stat correction in both columns.
    ShowPage(kPageEnemy);
    const std::vector<std::string> corrected(kParameterCount, " 22");
    EXPECT_EQ(Column(Enemies(), kCharacterValueIds), corrected);
    EXPECT_EQ(Column(Enemies(), kCharacterReferenceIds), corrected);
    // An own initial value changes the first column only.
    Type(Enemies(), kParameterInitialIds[2], "10");
    EXPECT_EQ(Enemies().Working().At(1).m_nInitInput[2], 10);
    EXPECT_EQ(Text(Enemies(), kCharacterReferenceIds[2]), " 22");
    EXPECT_EQ(Text(Enemies(), kCharacterValueIds[2]), " 10");
    EXPECT_TRUE(m_Boxes.Boxes().empty());
}

TEST_F(QtCharacterPagesTest, ALearnedSkillInsertedIsKeptOnOkAndTakenOutOnCancel)
{
    OneGrowingClass();
    TwoSkills();
    Characters(FriendTable, 2);
    LearnSkillEntry fire;
    fire.m_nSkill = 1;
    fire.m_nLevel = 3;
    FriendTable.At(1).m_LearnSkill.assign(1, fire);
    Open();
    ShowPage(kPageFriend);
    FriendPage& page = Friends();
    const QString fireRow = platform::FromCp932("LV3 魔法-炎");
    EXPECT_EQ(Rows(page, kIdLearnSkillList), (QStringList{fireRow, kTrailerRow}));

    // Inserted, changed, cancelled: the list is as before.
    {
        ScriptedModalRuns runs;
        std::vector<std::string> offered;
        runs.Answer(
            [&](DialogBase& dialog)
            {
                offered = static_cast<LearnSkillDialog&>(dialog).SkillNames();
                Choose(dialog, kIdLearnSkillSkill, 1);
                Type(dialog, kIdLearnSkillLevel, "7");
                Click(dialog, kIdDialogCancel);
            });
        ClickButton(page, kIdLearnSkillInsert);
        EXPECT_EQ(offered, (std::vector<std::string>{"炎", "氷"}));
        ASSERT_EQ(runs.Runs().size(), 1u);
        EXPECT_EQ(runs.Runs()[0].m_strTitle, "習得スキル");
    }
    EXPECT_EQ(Rows(page, kIdLearnSkillList), (QStringList{fireRow, kTrailerRow}));
    EXPECT_EQ(page.Working().At(1).m_LearnSkill.size(), 1u);

    // Inserted on the trailing row and confirmed: appended, the friend's row written, the selection kept.
    ClickRow(page, kIdLearnSkillList, 1);
    {
        ScriptedModalRuns runs;
        runs.Answer(
            [](DialogBase& dialog)
            {
                Choose(dialog, kIdLearnSkillSkill, 1);
                Type(dialog, kIdLearnSkillLevel, "5");
                Click(dialog, kIdDialogOk);
            });
        ClickButton(page, kIdLearnSkillInsert);
    }
    const QString iceRow = platform::FromCp932("LV5 魔法-氷");
    EXPECT_EQ(Rows(page, kIdLearnSkillList), (QStringList{fireRow, iceRow, kTrailerRow}));
    EXPECT_EQ(List(page, kIdLearnSkillList)->currentRow(), 1);
    ASSERT_EQ(page.Working().At(1).m_LearnSkill.size(), 2u);
    EXPECT_EQ(page.Working().At(1).m_LearnSkill.At(1).m_nSkill, 2);
    EXPECT_EQ(page.Working().At(1).m_LearnSkill.At(1).m_nLevel, 5);

    // Edited and cancelled: nothing changes; the last row deleted: the row above is selected.
    {
        ScriptedModalRuns runs;
        runs.Answer(
            [](DialogBase& dialog)
            {
                Type(dialog, kIdLearnSkillLevel, "9");
                Click(dialog, kIdDialogCancel);
            });
        ClickButton(page, kIdLearnSkillEdit);
        EXPECT_EQ(runs.Runs().size(), 1u);
    }
    EXPECT_EQ(page.Working().At(1).m_LearnSkill.At(1).m_nLevel, 5);
    ClickButton(page, kIdLearnSkillDelete);
    EXPECT_EQ(Rows(page, kIdLearnSkillList), (QStringList{fireRow, kTrailerRow}));
    EXPECT_EQ(List(page, kIdLearnSkillList)->currentRow(), 0);
    EXPECT_EQ(page.Working().At(1).m_LearnSkill.size(), 1u);
    // "編集" on the trailing row opens nothing.
    ClickRow(page, kIdLearnSkillList, 1);
    ScriptedModalRuns none;
    ClickButton(page, kIdLearnSkillEdit);
    EXPECT_TRUE(none.Runs().empty());
}

TEST_F(QtCharacterPagesTest, TheLearnedSkillListsKeysEditTheFriendWithoutADialog)
{
    OneGrowingClass();
    TwoSkills();
    Characters(FriendTable, 2);
    LearnSkillEntry entry;
    entry.m_nSkill = 1;
    entry.m_nLevel = 3;
    FriendTable.At(1).m_LearnSkill.assign(2, entry);
    FriendTable.At(1).m_LearnSkill.At(1).m_nSkill = 2;
    Open();
    ShowPage(kPageFriend);
    FriendPage& page = Friends();
    ScriptedModalRuns runs;
    ClickRow(page, kIdLearnSkillList, 0);
    m_System.SetFocus(Item(page, kIdLearnSkillList));
    CtrlKey(List(page, kIdLearnSkillList), Qt::Key_X);
    const QString iceRow = platform::FromCp932("LV3 魔法-氷");
    EXPECT_EQ(Rows(page, kIdLearnSkillList), (QStringList{iceRow, kTrailerRow}));
    ASSERT_EQ(page.Working().At(1).m_LearnSkill.size(), 1u);
    // Ctrl+I: a new entry of skill 1 at level 0, no dialog; Ctrl+V: the cut entry back before it.
    CtrlKey(List(page, kIdLearnSkillList), Qt::Key_I);
    CtrlKey(List(page, kIdLearnSkillList), Qt::Key_V);
    EXPECT_EQ(Rows(page, kIdLearnSkillList),
              (QStringList{platform::FromCp932("LV3 魔法-炎"), platform::FromCp932("LV0 魔法-炎"), iceRow,
                           kTrailerRow}));
    EXPECT_EQ(page.Working().At(1).m_LearnSkill.size(), 3u);
    EXPECT_EQ(Rows(page, kIdFriendList).size(), 2); // the friends as they were
    EXPECT_TRUE(runs.Runs().empty());
}

TEST_F(QtCharacterPagesTest, TheFilesHoldAnEquippedFlagExactlyWhereASlotHoldsAnItemOfItsKind)
{
    OneGrowingClass();
    ItemTable.resize(3);
    const char* const names[] = {"", "剣", "盾"};
    const int32_t kinds[] = {0, kItemKindWeapon, kItemKindOtherEquipment};
    for (int i = 0; i < 3; ++i)
    {
        ItemTable.At(i).m_strName = names[i];
        ItemTable.At(i).m_nKind = kinds[i];
    }
    Characters(FriendTable, 2);
    Characters(EnemyTable, 3);
    EnemyTable.At(2).m_Equip[1].m_nItem = 2; // flag not set
    Open();
    ShowPage(kPageFriend);
    EXPECT_EQ(Friends().ItemItems(), (std::vector<std::string>{"なし", "剣", "盾"}));
    ChooseRow(Friends(), kIdCharacterWeapon, 2); // a shield as a weapon
    ChooseRow(Friends(), kIdCharacterOther, 2);
    EXPECT_EQ(Friends().Working().At(1).m_Equip[0].m_nItem, 2); // kept on the page
    ShowPage(kPageEnemy);
    ChooseRow(Enemies(), kIdCharacterWeapon, 1);
    ClickSheetButton(platform::kIdSheetApply);

    auto friends = DatabaseProject::LoadTable<FriendRecord>("data\\database\\Friend.dat");
    ASSERT_EQ(friends.size(), 2u);
    EXPECT_EQ(friends.At(1).m_Equip[0].m_nItem, 0);
    EXPECT_EQ(friends.At(1).m_Equip[1].m_nItem, 2);
    auto enemies = DatabaseProject::LoadTable<EnemyRecord>("data\\database\\Enemy.dat");
    ASSERT_EQ(enemies.size(), 3u);
    EXPECT_EQ(enemies.At(1).m_Equip[0].m_nItem, 1);
    EXPECT_EQ(enemies.At(2).m_Equip[1].m_nItem, 2);
    for (const auto* table : {&friends.At(0), &friends.At(1)})
    {
        EXPECT_EQ(table->m_Equip[0].m_bEquipped, table->m_Equip[0].m_nItem != 0 ? 1 : 0);
        EXPECT_EQ(table->m_Equip[1].m_bEquipped, table->m_Equip[1].m_nItem != 0 ? 1 : 0);
    }
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(enemies.At(i).m_nHead, i);
        for (const EquipmentSlot& slot : enemies.At(i).m_Equip)
        {
            EXPECT_EQ(slot.m_bEquipped, slot.m_nItem != 0 ? 1 : 0) << i;
        }
    }
}

TEST_F(QtCharacterPagesTest, TheBattleAiRowsANewEnemysAttackAndTheHundredthEntryRefused)
{
    OneGrowingClass();
    TwoSkills();
    Characters(EnemyTable, 2);
    BattleAiEntry skill;
    skill.SetDefaults();
    skill.m_nAction = 1;
    skill.m_nSkill = 2;
    skill.m_nPriority = 3;
    skill.m_nPriorityLevel = 50;
    EnemyTable.At(1).m_BattleAi.push_back(skill);
    Open();
    ShowPage(kPageEnemy);
    EnemyPage& page = Enemies();
    const QString attack = platform::FromCp932("攻撃 (優先1-10)");
    EXPECT_EQ(Rows(page, kIdBattleAiList),
              (QStringList{attack, platform::FromCp932("スキル 魔法-氷 (優先3-50)"), kTrailerRow}));
    ClickButton(page, kIdDatabaseNew);
    EXPECT_EQ(Rows(page, kIdEnemyList).size(), 3);
    EXPECT_EQ(Rows(page, kIdBattleAiList), (QStringList{attack, kTrailerRow}));

    // 99 entries: "挿入" beeps and opens nothing.
    page.Working().At(2).m_BattleAi.resize(kMaxBattleAiEntries, page.Working().At(2).m_BattleAi.At(0));
    ClickRow(page, kIdEnemyList, 0);
    ClickRow(page, kIdEnemyList, 1);
    ASSERT_EQ(Rows(page, kIdBattleAiList).size(), kMaxBattleAiEntries + 1);
    m_Beeps.Clear();
    ScriptedModalRuns runs;
    ClickButton(page, kIdBattleAiInsert);
    EXPECT_EQ(m_Beeps.Count(), 1);
    EXPECT_TRUE(runs.Runs().empty());
    EXPECT_EQ(page.Working().At(2).m_BattleAi.size(), static_cast<size_t>(kMaxBattleAiEntries));
}

TEST_F(QtCharacterPagesTest, TheBattleAiDialogStoresOnlyOnOkAndAnAttackKeepsItsSkill)
{
    OneGrowingClass();
    TwoSkills();
    Characters(EnemyTable, 2);
    BattleAiEntry& entry = EnemyTable.At(1).m_BattleAi.At(0);
    entry.m_nSkill = 2;
    BattleAiCondition low;
    low.m_nSubject = 1;
    low.m_nValue = 50;
    low.m_nCompare = 3;
    low.m_bPercent = 1;
    entry.m_Condition.assign(1, low);
    const BattleAiEntry before = entry;
    Open();
    ShowPage(kPageEnemy);
    EnemyPage& page = Enemies();
    ClickRow(page, kIdBattleAiList, 0);
    const QString lowRow = platform::FromCp932("相手 の HP が 50％ 以下");

    // Insert a condition (OK), edit one (OK), delete one, change the numbers: then Cancel.
    {
        ScriptedModalRuns runs;
        QStringList shown;
        bool enabledAtFirst = true;
        bool enabledForSkill = false;
        runs.Answer(
            [&](DialogBase& dialog)
            {
                auto& ai = static_cast<BattleAiDialog&>(dialog);
                shown = Rows(ai, kIdConditionList);
                enabledAtFirst = Widget(ai, kIdBattleAiSkill)->isEnabled();
                Choose(ai, kIdBattleAiAction, 1);
                enabledForSkill = Widget(ai, kIdBattleAiSkill)->isEnabled();
                Type(ai, kIdBattleAiPriority, "4");
                Click(ai, kIdConditionInsert); // before row 0
                Select(ai, kIdConditionList, 1);
                Click(ai, kIdConditionEdit);
                Select(ai, kIdConditionList, 0);
                Click(ai, kIdConditionDelete);
                Click(ai, kIdDialogCancel);
            });
        runs.Answer([](DialogBase& condition) { Click(condition, kIdDialogOk); });
        runs.Answer(
            [](DialogBase& condition)
            {
                Type(condition, kIdConditionValue, "1500");
                Click(condition, kIdDialogOk);
            });
        ClickButton(page, kIdBattleAiEdit);
        EXPECT_EQ(shown, (QStringList{lowRow, kTrailerRow}));
        EXPECT_FALSE(enabledAtFirst);
        EXPECT_TRUE(enabledForSkill);
        ASSERT_EQ(runs.Runs().size(), 3u);
        EXPECT_EQ(runs.Runs()[0].m_strTitle, "戦闘AI");
        EXPECT_EQ(runs.Runs()[1].m_strTitle, "戦闘AI 条件");
    }
    for (const BattleAiEntry* now : {&page.Current().m_BattleAi.At(0), &page.Working().At(1).m_BattleAi.At(0)})
    {
        EXPECT_EQ(now->m_nAction, before.m_nAction);
        EXPECT_EQ(now->m_nPriority, before.m_nPriority);
        ASSERT_EQ(now->m_Condition.size(), 1u);
        EXPECT_EQ(now->m_Condition.At(0).m_nValue, 50);
    }

    // A condition inserted and OK: the entry has it, the enemy too; the attack kept its skill.
    {
        ScriptedModalRuns runs;
        runs.Answer(
            [](DialogBase& dialog)
            {
                Select(dialog, kIdConditionList, 1);
                Click(dialog, kIdConditionInsert);
                Click(dialog, kIdDialogOk);
            });
        runs.Answer(
            [](DialogBase& condition)
            {
                Choose(condition, kIdConditionParameter, 10);
                Type(condition, kIdConditionValue, "1500"); // at most 999
                Click(condition, kIdDialogOk);
            });
        ClickButton(page, kIdBattleAiEdit);
    }
    const BattleAiEntry& after = page.Working().At(1).m_BattleAi.At(0);
    ASSERT_EQ(after.m_Condition.size(), 2u);
    EXPECT_EQ(after.m_Condition.At(1).m_nParam, 10);
    EXPECT_LE(after.m_Condition.At(1).m_nValue, 999);
    EXPECT_EQ(after.m_nAction, 0);
    EXPECT_EQ(after.m_nSkill, 2);
    EXPECT_EQ(Rows(page, kIdBattleAiList).at(0), platform::FromCp932("攻撃 (優先1-10)"));
}

TEST_F(QtCharacterPagesTest, PagesShownAgainAfterSkillsAndClassesWereCutStayUpAndDrawTheirRows)
{
    OneGrowingClass();
    TwoSkills();
    ClassTable.resize(4);
    for (int i = 2; i < 4; ++i)
    {
        ClassTable.At(i).SetDefaults();
    }
    Characters(FriendTable, 2);
    Characters(EnemyTable, 2);
    LearnSkillEntry ice;
    ice.m_nSkill = 2;
    ice.m_nLevel = 4;
    FriendTable.At(1).m_LearnSkill.assign(1, ice);
    FriendTable.At(1).m_nClass = 3;
    FriendTable.At(1).m_nLevel = 2;
    EnemyTable.At(1).m_nClass = 3;
    EnemyTable.At(1).m_nLevel = 2;
    EnemyTable.At(1).m_BattleAi.At(0).m_nAction = 1;
    EnemyTable.At(1).m_BattleAi.At(0).m_nSkill = 2;
    std::fill(std::begin(System.m_nEnemyStatRate), std::end(System.m_nEnemyStatRate), 100);
    Open();
    ShowPage(kPageFriend);
    ShowPage(kPageEnemy);
    EXPECT_EQ(Text(Enemies(), kCharacterValueIds[0]), "  1"); // class 3 at its defaults

    // The class table cut to class 1 on its page, the skill table to skill 1: Apply.
    ShowPage(kPageClass);
    ScriptedModalRuns runs;
    runs.Answer(
        [](DialogBase& dialog)
        {
            Type(dialog, kIdInputEdit, "1");
            Click(dialog, kIdDialogOk);
        });
    ClickButton(Classes(), kIdDatabaseCount);
    SkillTable.resize(2);
    ClickSheetButton(platform::kIdSheetApply);
    ASSERT_EQ(ClassTable.size(), 2u);

    for (int index : {kPageFriend, kPageEnemy})
    {
        SCOPED_TRACE(index);
        ShowPage(index);
        auto& page = *static_cast<DialogBase*>(Sheet().Page(index));
        const bool friends = index == kPageFriend;
        const int list = friends ? int{kIdFriendList} : int{kIdEnemyList};
        const int entries = friends ? int{kIdLearnSkillList} : int{kIdBattleAiList};
        EXPECT_EQ(Rows(page, list).size(), 2);
        EXPECT_EQ(Rows(page, entries).size(), 2);
        // The character now of class 1 at level 2.
        EXPECT_EQ(Column(page, kCharacterValueIds), std::vector<std::string>(kParameterCount, " 11"));
        EXPECT_EQ(Column(page, kCharacterReferenceIds), std::vector<std::string>(kParameterCount, " 11"));
        EXPECT_EQ(ModelOf<platform::ComboBoxModel>(page, kIdCharacterClass)->Count(), 1);
    }
    EXPECT_EQ(Friends().Current().m_nClass, 1);
    EXPECT_EQ(Enemies().Current().m_nClass, 1);
    EXPECT_TRUE(m_System.IsWindow(m_pView->m_Window.Handle()));
    EXPECT_FALSE(platform::IsFatalErrorRaised());
    std::ifstream log("EC.txt", std::ios::binary);
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str().find("Vector外参照"), std::string::npos) << text.str();
}

} // namespace
