#include "game/data/EnemyUnitRecord.h"

#include "GameDataTest.h"
#include "common/data/DataFilePaths.h"
#include "platform/window/ScriptedDialogs.h"

#include <filesystem>

namespace
{

class EnemyUnitRecordTest : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        // Skills: 1 a magic attack for 5 SP, 2 a recovery for 1 SP, 3 a weapon skill.
        SkillTable.assign(4, SkillRecord());
        const int32_t kinds[] = {0, 1, 2, 0};
        for (int i = 0; i < SkillTable.Count(); ++i)
        {
            SkillTable.At(i).SetDefaults();
            SkillTable.At(i).m_nSkillB = i;
            SkillTable.At(i).m_nKind = kinds[i];
        }
        SkillTable.At(1).m_nSpCost = 5;
        SkillTable.At(2).m_nSpCost = 1;

        ClassRecord& cls = ClassTable.At(1);
        const int32_t init[kParameterCount] = {50, 15, 20, 10, 10, 10, 10, 10, 10};
        for (int k = 0; k < kParameterCount; ++k)
        {
            cls.m_nInit[k] = init[k];
            cls.m_nFinal[k] = 0; // no growth
        }
        for (int32_t& rate : System.m_nEnemyStatRate)
        {
            rate = 100;
        }
        System.m_nDifficultyMax = 3;

        EnemyTable.assign(3, EnemyRecord());
        for (EnemyRecord& e : EnemyTable)
        {
            e.SetDefaults();
        }
        // Enemy 1 would learn skill 3 by its level; its AI uses skills 1 and 2.
        EnemyRecord& e1 = EnemyTable.At(1);
        e1.m_nLevel = 5;
        LearnSkillEntry byLevel;
        byLevel.m_nSkill = 3;
        byLevel.m_nLevel = 1;
        e1.m_LearnSkill.push_back(byLevel);
        e1.m_BattleAi.push_back(Rule(kBattleAiSkill, 1));
        e1.m_BattleAi.push_back(Rule(kBattleAiQuick, 2));
        e1.m_MoveAI.push_back(Move(0, 0)); // the database's own list, replaced by the placement's
        EnemyTable.At(2).m_strText = "line\r\nnext";

        Stage.m_GroupPos.assign(2, PositionGroup());
        Stage.m_GroupPos.At(0).m_Point.assign(1, MapPoint{1, 1});
        Stage.m_GroupPos.At(1).m_Point.assign(3, MapPoint{2, 2});
    }

    static MoveAiEntry Move(int32_t target, int32_t goal)
    {
        MoveAiEntry entry;
        entry.m_nTarget = target;
        entry.m_nGoalNum = goal;
        return entry;
    }

    void WriteEnemyTable()
    {
        std::filesystem::create_directories("data/database");
        ASSERT_EQ(SaveTableFile(EnemyTable, DataFilePaths[kPathEnemy]), 1);
    }

    platform::ScriptedDialogs m_Dialogs;
};

TEST_F(EnemyUnitRecordTest, StageEnemiesAreIndependentCopiesAtTheirPlacements)
{
    WriteEnemyTable();
    const CheckedVector<EnemyPlacement> placements = {
        Placement(1, 3, 4, 2, {Move(kMoveAiTargetGoal, 1), Move(0, 0)}),
        Placement(0, 9, 9, 0, {Move(kMoveAiTargetGoal, 0)}), // enemy 0 places nothing
        Placement(1, 5, 6, 0, {Move(kMoveAiTargetGoal, 0)}),
        Placement(2, 7, 8, 1, {}),
    };
    CheckedVector<EnemyUnitRecord> enemies(1);
    CheckedVector<EnemyUnitRecord*> pointers(5, nullptr);
    ASSERT_EQ(BuildStageEnemies(enemies, pointers, placements), 1);

    ASSERT_EQ(enemies.Count(), 3);
    ASSERT_EQ(pointers.Count(), 3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(pointers.At(i), &enemies.At(i));
    }
    const EnemyUnitRecord& a = enemies.At(0);
    const EnemyUnitRecord& b = enemies.At(1);
    EXPECT_EQ(a.m_nHead, 1);
    EXPECT_EQ(a.m_nPlayE, 3);
    EXPECT_EQ(a.m_nPlayF, 4);
    EXPECT_EQ(a.m_nPlayG, 2);
    EXPECT_EQ(b.m_nHead, 1);
    EXPECT_EQ(b.m_nPlayE, 5);
    EXPECT_EQ(b.m_nPlayG, 0);
    EXPECT_EQ(enemies.At(2).m_nHead, 2);
    EXPECT_EQ(enemies.At(2).m_strText, "line\nnext");

    // Each enemy has its placement's movement AI, linked to the Stage's groups.
    ASSERT_EQ(a.m_MoveAI.Count(), 2);
    ASSERT_EQ(b.m_MoveAI.Count(), 1);
    EXPECT_EQ(a.m_MoveAI.At(0).m_nTarget, kMoveAiTargetGoal);
    EXPECT_EQ(a.GetGoalGroup(0), &Stage.m_GroupPos.At(1));
    EXPECT_EQ(a.GetGoalGroup(1), &Stage.m_GroupPos.At(0));
    EXPECT_EQ(a.GetGoalGroup(2), nullptr);
    EXPECT_EQ(b.GetGoalGroup(0), &Stage.m_GroupPos.At(0));
    EXPECT_TRUE(enemies.At(2).m_MoveAI.empty());

    // Changing one copy leaves the other.
    enemies.At(0).m_MoveAI.At(0).m_nRange = 2;
    enemies.At(0).m_Param[0].m_nValue = 1;
    EXPECT_EQ(b.m_MoveAI.At(0).m_nRange, 0);
    EXPECT_EQ(b.m_Param[0].m_nValue, 50);

    // The goal entries are written to the error log, in placement order.
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), "ep->m_MoveAI[j].m_nGoalNum = 1\r\n"
                                           "Stage.m_GroupPos[ ep->m_MoveAI[j].m_nGoalNum ].m_Point.size() = 3\r\n"
                                           "ep->m_MoveAI[j].m_nGoalNum = 0\r\n"
                                           "Stage.m_GroupPos[ ep->m_MoveAI[j].m_nGoalNum ].m_Point.size() = 1\r\n");
    EXPECT_EQ(m_nCloses, 0);

    // A load drops the links.
    EnemyUnitRecord copy = a;
    DataReader in(Image(copy), kDataFormatVersion, "memory");
    EnemyUnitRecord loaded;
    ASSERT_TRUE(loaded.Load(in));
    EXPECT_EQ(loaded.GetGoalGroup(0), nullptr);
}

TEST_F(EnemyUnitRecordTest, EnemiesKnowExactlyTheSkillsOfTheirRules)
{
    EnemyUnitRecord enemy(EnemyTable.At(1));
    enemy.Recompute();
    EXPECT_EQ(enemy.m_nLevel, 5);
    EXPECT_EQ(enemy.m_Skill.Count(), SkillTable.Count());
    EXPECT_EQ(enemy.CountSkills(), 2);
    EXPECT_GE(enemy.FindSkill(1), 0);
    EXPECT_GE(enemy.FindSkill(2), 0); // a quick rule teaches too, random skills or not
    EXPECT_EQ(enemy.FindSkill(3), -1);
    EXPECT_EQ(enemy.m_Param[0].m_nValue, enemy.m_Param[0].m_nBase);

    // A rule naming a skill the table no longer has teaches nothing.
    enemy.m_BattleAi.push_back(Rule(kBattleAiSkill, 9));
    enemy.Recompute();
    EXPECT_EQ(enemy.CountSkills(), 2);
}

struct DifficultyCase
{
    int32_t percent; // m_bDifficultyPercent
    int32_t difficulty;
    int32_t raise;
    int32_t statRate;
    int32_t hp;     // base HP afterwards (class 50)
    int32_t attack; // base attack afterwards (entered 20, not corrected)
    int32_t sp;     // base SP afterwards (class 15)
};

TEST_F(EnemyUnitRecordTest, DifficultyRaisesBasesFlatOrByPercent)
{
    const DifficultyCase cases[] = {
        {1, 0, 10, 100, 50, 20, 15}, // difficulty 0 leaves the class's values
        {1, 2, 10, 100, 60, 24, 18}, // 10% x 2: 50 + 10, 20 + 4, 15 + 3
        {1, 1, 10, 100, 55, 22, 17}, // 15 x 10% = 1.5, rounded away from zero
        {0, 2, 7, 100, 64, 34, 29},  // 2 x 7 on every base
        {0, 5, 1, 100, 55, 25, 20},  // the play-through's difficulty as it stands, above the maximum 3 too
        {0, 0, 7, 150, 75, 20, 23},  // the correction scales what came from the class only
    };
    EnemyTable.At(1).m_nInitInput[2] = 20;
    for (const DifficultyCase& c : cases)
    {
        System.m_bDifficultyPercent = c.percent;
        Progress.m_nDifficulty = c.difficulty;
        for (int k = 0; k < kParameterCount; ++k)
        {
            System.m_nDifficultyStatRaise[k] = c.raise;
            System.m_nEnemyStatRate[k] = c.statRate;
        }
        EnemyUnitRecord enemy(EnemyTable.At(1));
        enemy.Recompute();
        EXPECT_EQ(enemy.m_Param[0].m_nBase, c.hp) << "case " << &c - cases;
        EXPECT_EQ(enemy.m_Param[2].m_nBase, c.attack) << "case " << &c - cases;
        EXPECT_EQ(enemy.m_Param[1].m_nBase, c.sp) << "case " << &c - cases;
        EXPECT_EQ(enemy.m_Param[1].m_nValue, c.sp) << "case " << &c - cases;
    }

    // Absurd difficulties neither overflow nor leave a value outside 0..999.
    for (int32_t difficulty : {2000000000, -2000000000})
    {
        for (int32_t percent : {0, 1})
        {
            System.m_bDifficultyPercent = percent;
            Progress.m_nDifficulty = difficulty;
            EnemyUnitRecord enemy(EnemyTable.At(1));
            enemy.Recompute();
            for (const ParameterValue& param : enemy.m_Param)
            {
                EXPECT_GE(param.m_nValue, 0) << difficulty << " " << percent;
                EXPECT_LE(param.m_nValue, 999) << difficulty << " " << percent;
            }
            EXPECT_EQ(enemy.m_Param[0].m_nBase, difficulty > 0 ? 999 : 0);
        }
    }
}

TEST_F(EnemyUnitRecordTest, AUsableSkillRuleNeedsAMagicAttackWithinTheSp)
{
    struct Case
    {
        int32_t action;
        int32_t skill;
        int32_t sp;
        int expected;
    };
    const Case cases[] = {
        {kBattleAiSkill, 1, 5, 1}, // magic attack, cost 5
        {kBattleAiSkill, 1, 4, 0},
        {kBattleAiQuick, 1, 9, 0}, // only skill rules count
        {kBattleAiSkill, 2, 9, 0}, // not a magic attack
    };
    for (const Case& c : cases)
    {
        EnemyUnitRecord enemy(EnemyTable.At(0));
        enemy.m_BattleAi.push_back(Rule(c.action, c.skill));
        enemy.m_Param[1].m_nValue = c.sp;
        EXPECT_EQ(enemy.HasUsableSkillRule(), c.expected) << "case " << &c - cases;
    }
}

TEST_F(EnemyUnitRecordTest, AMissingEnemyTableBuildsNothing)
{
    CheckedVector<EnemyUnitRecord> enemies(2);
    CheckedVector<EnemyUnitRecord*> pointers(1, nullptr);
    const CheckedVector<EnemyPlacement> placements = {Placement(1, 0, 0, 0, {})};
    EXPECT_EQ(BuildStageEnemies(enemies, pointers, placements), 0);
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "data\\database\\Enemy.dat のロードに失敗！");
    EXPECT_EQ(m_nCloses, 1);
    EXPECT_EQ(enemies.Count(), 2);
    EXPECT_EQ(pointers.Count(), 1);
}

TEST_F(EnemyUnitRecordTest, IndicesWithoutAnythingToFallBackOnStopTheBuilding)
{
    // An enemy outside the table is reported and enemy 0 (an empty unit) is taken.
    WriteEnemyTable();
    CheckedVector<EnemyUnitRecord> enemies;
    CheckedVector<EnemyUnitRecord*> pointers;
    ASSERT_EQ(BuildStageEnemies(enemies, pointers, {Placement(7, 0, 0, 0, {})}), 1);
    ASSERT_EQ(enemies.Count(), 1);
    EXPECT_EQ(enemies.At(0).m_nClass, 0);
    EXPECT_EQ(m_nCloses, 1);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "err Vector外参照 [7] ( 3 , 16 )\r\n");

    // A stage without groups: an entry that goes elsewhere stays unlinked, one
    // that goes for its goal group stops the building.
    Stage.m_GroupPos.clear();
    ASSERT_EQ(BuildStageEnemies(enemies, pointers, {Placement(1, 0, 0, 0, {Move(0, 0)})}), 1);
    EXPECT_EQ(enemies.At(0).GetGoalGroup(0), nullptr);
    EXPECT_EQ(m_nCloses, 1);
    EXPECT_EQ(BuildStageEnemies(enemies, pointers, {Placement(1, 0, 0, 0, {Move(kMoveAiTargetGoal, 0)})}), 0);
    EXPECT_EQ(m_nCloses, 2);
    ASSERT_EQ(enemies.Count(), 1);
    EXPECT_EQ(enemies.At(0).m_nHead, 1);

    // An empty table has no enemy 0.
    EnemyTable.clear();
    WriteEnemyTable();
    EXPECT_EQ(BuildStageEnemies(enemies, pointers, {Placement(1, 0, 0, 0, {})}), 0);
    EXPECT_EQ(m_nCloses, 3);
    EXPECT_EQ(pointers.Count(), 1);
}

TEST_F(EnemyUnitRecordTest, EnemyListsLoadWholeOrNotAtAll)
{
    CheckedVector<EnemyUnitRecord> table(EnemyTable.begin(), EnemyTable.end());
    DataWriter out;
    SaveRecordVector(table, out);
    const std::vector<unsigned char> bytes = out.Bytes();

    CheckedVector<EnemyUnitRecord> loaded;
    DataReader in(bytes, kDataFormatVersion, "memory");
    ASSERT_TRUE(LoadEnemyList(in, loaded));
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.At(1).m_BattleAi.Count(), 3);

    const std::vector<unsigned char> cut(bytes.begin(), bytes.end() - 4);
    DataReader shortIn(cut, kDataFormatVersion, "memory");
    EXPECT_FALSE(LoadEnemyList(shortIn, loaded));
    EXPECT_EQ(loaded.Count(), 3);
}

} // namespace
