#include "SampleData.h"

#include "ArtInterface.h"
#include "common/data/DataFilePaths.h"
#include "common/data/EventVocabulary.h"
#include "common/data/PaletteFiles.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/Files.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

namespace sample
{

const char* const kStageFiles[2] = {"data\\stg\\Stage01.stg_276", "data\\stg\\Stage02.stg_276"};
// A training ground that no world-map page leads to: a slime beside the start
// cell, for a battle at the first move (the play scripts fight there).
const char* const kPracticeStageFile = "data\\stg\\Practice.stg_276";

namespace
{

// Parameter order: HP, SP, attack, defence, magic, resistance, skill, reaction, speed.
using Nine = std::array<int32_t, kParameterCount>;

// Attributes, skill categories and item categories, by row.
enum Attribute
{
    kAttributeNone,
    kAttributeSlash,
    kAttributeFire,
    kAttributeIce,
    kAttributeHoly,
};
enum SkillCategory
{
    kSkillSword,
    kSkillMagic,
    kSkillBow,
    kSkillFang,
    kSkillHealing,
};
enum ItemCategory
{
    kItemSword,
    kItemStaff,
    kItemBow,
    kItemShield,
    kItemClothes,
    kItemMedicine,
    kItemWater,
    kItemTreasure,
};

// Rows of the tables.
enum Land
{
    kLandGrass,
    kLandFlowers,
    kLandForest,
    kLandMountain,
    kLandWater,
    kLandRoad,
    kLandBridge,
    kLandFloor,
    kLandWall,
    kLandSand,
    kLandShallows,
    kLandHut,
    kLandRocks,
    kLandGate,
    kLandTower,
    kLandSnow,
};
enum Skill
{
    kSkillSlashId = 1,
    kSkillFireId,
    kSkillHealId,
    kSkillAimId,
    kSkillBiteId,
    kSkillTackleId,
};
enum Item
{
    kItemHerb = 1,
    kItemMagicWater,
    kItemLongSword,
    kItemOakStaff,
    kItemShortBow,
    kItemLeatherShield,
    kItemTravelRobe,
    kItemShiningStone,
};
enum Class
{
    kClassKnight = 1,
    kClassMage,
    kClassArcher,
    kClassSlime,
    kClassWolf,
    kClassWolfLeader,
};
enum Friend
{
    kFriendHero = 1,
    kFriendMage,
    kFriendArcher,
};
enum Enemy
{
    kEnemySlime = 1,
    kEnemyWolf,
    kEnemyWolfLeader,
};

// Effect graphics (strips of the effect sheet) and colour animations.
enum EffectGraphic
{
    kEffectStrike,
    kEffectSword,
    kEffectArrow,
    kEffectFire,
    kEffectHeal,
    kEffectClaw,
    kEffectIce,
    kEffectBurst,
};
enum ColourAnimation
{
    kColourStill,
    kColourAnimated,
    kColourRed,
    kColourBlue,
    kColourPurple,
    kColourYellow,
    kColourGreen,
    kColourBlack,
};

void Copy(int32_t (&to)[kParameterCount], const Nine& from)
{
    for (int k = 0; k < kParameterCount; ++k)
    {
        to[k] = from[k];
    }
}

template <class T> T Fresh()
{
    T record;
    record.SetDefaults();
    return record;
}

// --- System ---

void BuildSystem()
{
    SystemRecord& s = System;
    s.SetDefaults();
    s.m_strGameName = kSampleGameName;
    s.m_strBgm[0] = "bgm\\Stage.mid";
    s.m_strBgm[1] = "bgm\\Battle.ogg";
    s.m_strBgm[2] = "bgm\\WorldMap.mid";
    s.m_strBgm[3] = "bgm\\Title.ogg";
    s.m_nGrowthMin = 10;
    s.m_nGrowthMax = 30;
    s.m_dGrowthScout = 0.5;
    s.m_nSkillMin = 0;
    s.m_nSkillMax = 20;
    s.m_dSkillScout = 0.5;
    for (int k = 0; k < kParameterCount; ++k)
    {
        s.m_dStatRaise[k] = 1.0;
        s.m_nEnemyStatRate[k] = 100;
    }
    s.m_nExpBase = 30;
    s.m_dExpLevelDiff = 5.0;
    s.m_dExpFinish = 1.5;
    s.m_nHireCost = 200;
    s.m_nHireCostPerLevel = 50;
    s.m_nReviveCost = 300;
    s.m_nReviveCostPerLevel = 100;
    s.m_nReleasePrice = 50;
    s.m_nReleasePricePerLevel = 20;
    s.m_nItemSellRate = 50;
    s.m_nDifficultyInitial = 0;
    s.m_nDifficultyMax = 3;

    auto entry = [](auto& list, int symbol, const char* name)
    {
        typename std::remove_reference_t<decltype(list)>::value_type e;
        e.BindFields(kDataFormatVersion);
        e.m_nSymbol = symbol;
        e.m_strName = name;
        list.push_back(e);
    };
    s.m_Attribute.clear();
    entry(s.m_Attribute, 39, "無");
    entry(s.m_Attribute, 0, "斬");
    entry(s.m_Attribute, 16, "炎");
    entry(s.m_Attribute, 17, "氷");
    entry(s.m_Attribute, 20, "聖");
    s.m_SkillCategory.clear();
    entry(s.m_SkillCategory, 0, "剣");
    entry(s.m_SkillCategory, 15, "魔");
    entry(s.m_SkillCategory, 2, "弓");
    entry(s.m_SkillCategory, 31, "牙");
    entry(s.m_SkillCategory, 22, "癒");
    s.m_ItemCategory.clear();
    entry(s.m_ItemCategory, 0, "剣");
    entry(s.m_ItemCategory, 3, "杖");
    entry(s.m_ItemCategory, 2, "弓");
    entry(s.m_ItemCategory, 4, "盾");
    entry(s.m_ItemCategory, 5, "服");
    entry(s.m_ItemCategory, 8, "薬");
    entry(s.m_ItemCategory, 9, "水");
    entry(s.m_ItemCategory, 12, "宝");
    s.UpdateActionCounts();
}

// --- Lands ---

void BuildLands()
{
    struct LandRow
    {
        const char* name;
        int cost;
        bool noEntry;
        int defence;
        int recovery; // HP after a battle, percent of the maximum
        const char* back;
        const char* text;
    };
    const LandRow lands[] = {
        {"そうげん", 1, false, 0, 0, "bmp\\back\\Back_Grass.bmp", "ひらけた くさはら。"},
        {"はなばたけ", 1, false, 0, 5, "bmp\\back\\Back_Grass.bmp", "はなの かおりで すこし げんきが でる。"},
        {"もり", 2, false, 3, 0, "bmp\\back\\Back_Forest.bmp", "きぎに かくれて まもりやすい。"},
        {"やま", 3, false, 5, 0, "bmp\\back\\Back_Mountain.bmp", "けわしい いわやま。"},
        {"みず", 1, true, 0, 0, "", "ふかい みず。とおれない。"},
        {"みち", 1, false, 0, 0, "bmp\\back\\Back_Grass.bmp", "ふみかためられた みち。"},
        {"はし", 1, false, 0, 0, "bmp\\back\\Back_Grass.bmp", "きの はし。"},
        {"いしだたみ", 1, false, 1, 0, "bmp\\back\\Back_Fort.bmp", "とりでの ゆか。"},
        {"じょうへき", 1, true, 0, 0, "bmp\\back\\Back_Fort.bmp", "たかい かべ。とおれない。"},
        {"すなはま", 2, false, 0, 0, "bmp\\back\\Back_Grass.bmp", "あしが とられる すな。"},
        {"あさせ", 3, false, -1, 0, "bmp\\back\\Back_Grass.bmp", "ひざまでの みず。"},
        {"いえ", 1, false, 2, 10, "bmp\\back\\Back_Grass.bmp", "やすめる いえ。HPが かいふくする。"},
        {"いわば", 2, false, 3, 0, "bmp\\back\\Back_Mountain.bmp", "ごろごろした いわ。"},
        {"もん", 1, false, 4, 0, "bmp\\back\\Back_Fort.bmp", "とりでの もん。"},
        {"とう", 2, false, 6, 0, "bmp\\back\\Back_Fort.bmp", "みはりの とう。"},
        {"ゆき", 2, false, 0, 0, "bmp\\back\\Back_Mountain.bmp", "つもった ゆき。"},
    };
    LandTable.clear();
    int graphic = 0;
    for (const LandRow& row : lands)
    {
        LandRecord land = Fresh<LandRecord>();
        land.m_strName = row.name;
        land.m_nMoveCost = row.cost;
        land.m_bNoEntry = row.noEntry;
        land.m_nGraphic = graphic++;
        land.m_bPercent = row.recovery != 0;
        land.m_nEffect[0] = row.recovery;
        land.m_nEffect[3] = row.defence;
        land.m_strBack = row.back;
        land.m_strText = row.text;
        LandTable.push_back(land);
    }
    // Thin mountain air makes battles longer.
    LandTable.At(kLandMountain).m_nSpecial = kLandEffectBattleTime;
    LandTable.At(kLandMountain).m_nSpecialValue = 120;
}

// --- Skills ---

void BuildSkills()
{
    SkillTable.clear();
    SkillTable.push_back(Fresh<SkillRecord>()); // entry 0: none
    struct SkillRow
    {
        const char* name;
        const char* text;
        int category, kind, target, attribute, sp, hit, power, critical, graphic, colour;
        bool quick;
        const char* sound;
    };
    const SkillRow skills[] = {
        {"スラッシュ", "ちからを こめて きりつける。", kSkillSword, 0, 1, kAttributeSlash, 3, 0, 6, 10, kEffectSword,
         kColourBlue, false, "wave\\SkillAndItem\\斬撃.wav"},
        {"ファイア", "ほのおの まほう。", kSkillMagic, 1, 1, kAttributeFire, 4, 95, 10, 5, kEffectFire, kColourRed,
         false, "wave\\SkillAndItem\\炎.wav"},
        {"ヒール", "みかたの HPを かいふくする。", kSkillHealing, 2, 0, kAttributeHoly, 5, 100, 12, 0, kEffectHeal,
         kColourGreen, false, "wave\\回復.wav"},
        {"ねらいうち", "すばやく ねらって いる。", kSkillBow, 0, 1, kAttributeNone, 4, 0, 4, 30, kEffectArrow,
         kColourYellow, true, "wave\\SkillAndItem\\弓.wav"},
        {"かみつき", "するどい きばで かみつく。", kSkillFang, 0, 1, kAttributeNone, 0, 0, 4, 15, kEffectClaw,
         kColourRed, false, "wave\\SkillAndItem\\牙.wav"},
        {"たいあたり", "からだごと ぶつかる。", kSkillFang, 0, 1, kAttributeNone, 0, 0, 3, 5, kEffectStrike,
         kColourYellow, false, "wave\\攻撃.wav"},
    };
    for (const SkillRow& row : skills)
    {
        SkillRecord skill = Fresh<SkillRecord>();
        skill.m_strName = row.name;
        skill.m_strText = row.text;
        skill.m_nCategory = row.category;
        skill.m_nKind = row.kind;
        skill.m_nTarget = row.target;
        skill.m_nAttribute = row.attribute;
        skill.m_nSpCost = row.sp;
        skill.m_nHitRate = row.hit;
        skill.m_nPower = row.power;
        skill.m_nCritical = row.critical;
        skill.m_nGraphic = row.graphic;
        skill.m_nColor = row.colour;
        skill.m_bQuick = row.quick;
        skill.m_strSound = row.sound;
        skill.m_nLearnRate = 50;
        skill.m_nLearnRateFactor = 5;
        skill.m_nLearnLevelMin = 2;
        skill.m_nLearnLevelMax = 10;
        skill.m_dLearnLevelFactor = 0.5;
        SkillTable.push_back(skill);
    }
}

// --- Items ---

void BuildItems()
{
    ItemTable.clear();
    ItemTable.push_back(Fresh<ItemRecord>()); // entry 0: none
    struct ItemRow
    {
        const char* name;
        const char* text;
        int category, kind, attribute, price;
        Nine values;
        int hit, critical, graphic, colour;
        const char* sound;
    };
    const ItemRow items[] = {
        {"やくそう",
         "HPを 25 かいふくする。",
         kItemMedicine,
         kItemKindMedicine,
         kAttributeNone,
         20,
         {25, 0, 0, 0, 0, 0, 0, 0, 0},
         100,
         0,
         kEffectHeal,
         kColourGreen,
         "wave\\SkillAndItem\\薬.wav"},
        {"まほうのみず",
         "SPを 10 かいふくする。",
         kItemWater,
         kItemKindMedicine,
         kAttributeNone,
         60,
         {0, 10, 0, 0, 0, 0, 0, 0, 0},
         100,
         0,
         kEffectHeal,
         kColourBlue,
         "wave\\SkillAndItem\\薬.wav"},
        {"ロングソード",
         "きしの つるぎ。こうげき+8",
         kItemSword,
         kItemKindWeapon,
         kAttributeSlash,
         300,
         {0, 0, 8, 0, 0, 0, 0, 0, 0},
         95,
         5,
         kEffectSword,
         kColourStill,
         "wave\\SkillAndItem\\斬撃.wav"},
        {"かしのつえ",
         "まほうつかいの つえ。まりょく+6",
         kItemStaff,
         kItemKindWeapon,
         kAttributeNone,
         200,
         {0, 0, 2, 0, 6, 0, 0, 0, 0},
         90,
         0,
         kEffectStrike,
         kColourStill,
         "wave\\攻撃.wav"},
        {"ショートボウ",
         "かるい ゆみ。こうげき+6",
         kItemBow,
         kItemKindWeapon,
         kAttributeNone,
         250,
         {0, 0, 6, 0, 0, 0, 0, 0, 0},
         100,
         10,
         kEffectArrow,
         kColourStill,
         "wave\\SkillAndItem\\弓.wav"},
        {"かわのたて",
         "かわの たて。まもり+4",
         kItemShield,
         kItemKindOtherEquipment,
         kAttributeNone,
         120,
         {0, 0, 0, 4, 0, 0, 0, 0, 0},
         100,
         0,
         kEffectStrike,
         kColourStill,
         ""},
        {"たびびとのローブ",
         "じょうぶな ローブ。まもり+2 ていこう+4",
         kItemClothes,
         kItemKindOtherEquipment,
         kAttributeNone,
         150,
         {0, 0, 0, 2, 0, 4, 0, 0, 0},
         100,
         0,
         kEffectStrike,
         kColourStill,
         ""},
        {"ひかるいし",
         "うれば おかねに なる。",
         kItemTreasure,
         kItemKindTreasure,
         kAttributeNone,
         500,
         {0, 0, 0, 0, 0, 0, 0, 0, 0},
         100,
         0,
         kEffectBurst,
         kColourStill,
         ""},
    };
    for (const ItemRow& row : items)
    {
        ItemRecord item = Fresh<ItemRecord>();
        item.m_strName = row.name;
        item.m_strText = row.text;
        item.m_nCategory = row.category;
        item.m_nKind = row.kind;
        item.m_nAttribute = row.attribute;
        item.m_nPrice = row.price;
        Copy(item.m_nValue, row.values);
        item.m_nHitRate = row.hit;
        item.m_nCritical = row.critical;
        item.m_nGraphic = row.graphic;
        item.m_nColor = row.colour;
        item.m_strSound = row.sound;
        ItemTable.push_back(item);
    }
}

// --- Classes ---

void BuildClasses()
{
    ClassTable.clear();
    ClassTable.push_back(Fresh<ClassRecord>()); // entry 0: none
    struct ClassRow
    {
        const char* name;
        int graphic, move;
        Nine init, final;
        std::array<int32_t, 5> learn;  // per skill category
        std::array<int32_t, 5> resist; // per attribute
    };
    const ClassRow classes[] = {
        {"ナイト",
         1,
         5,
         {28, 4, 9, 8, 2, 3, 6, 5, 5},
         {140, 24, 60, 55, 10, 25, 40, 30, 30},
         {3, 0, 0, 0, 1},
         {100, 90, 100, 100, 100}},
        {"メイジ",
         2,
         4,
         {20, 14, 3, 3, 10, 8, 5, 5, 5},
         {90, 99, 15, 20, 65, 50, 35, 30, 30},
         {0, 3, 0, 0, 2},
         {100, 110, 80, 80, 100}},
        {"アーチャー",
         3,
         5,
         {22, 6, 8, 5, 2, 3, 9, 7, 7},
         {100, 30, 50, 30, 10, 20, 60, 45, 45},
         {1, 0, 3, 0, 0},
         {100, 100, 100, 100, 100}},
        {"スライム",
         4,
         3,
         {16, 2, 6, 4, 1, 2, 3, 3, 3},
         {80, 10, 40, 30, 5, 10, 20, 20, 20},
         {0, 0, 0, 1, 0},
         {100, 70, 150, 100, 120}},
        {"ウルフ",
         5,
         6,
         {20, 2, 9, 4, 1, 2, 6, 8, 9},
         {100, 10, 55, 30, 5, 15, 40, 50, 55},
         {0, 0, 0, 2, 0},
         {100, 100, 120, 100, 100}},
        // The wolves' leader fights as a wolf; its class gives it a look of its own.
        {"ウルフリーダー",
         6,
         6,
         {20, 2, 9, 4, 1, 2, 6, 8, 9},
         {100, 10, 55, 30, 5, 15, 40, 50, 55},
         {0, 0, 0, 2, 0},
         {100, 100, 120, 100, 100}},
    };
    for (const ClassRow& row : classes)
    {
        ClassRecord c = Fresh<ClassRecord>();
        c.m_strName = row.name;
        c.m_nGraphic = row.graphic;
        c.m_nMove = row.move;
        c.m_nMaxLevel = 30;
        Copy(c.m_nInit, row.init);
        Copy(c.m_nFinal, row.final);
        c.FitToSystem();
        for (int i = 0; i < c.m_SkillLearn.Count(); ++i)
        {
            c.m_SkillLearn.At(i) = row.learn[static_cast<size_t>(i)];
        }
        for (int i = 0; i < c.m_Resist.Count(); ++i)
        {
            c.m_Resist.At(i) = row.resist[static_cast<size_t>(i)];
        }
        ClassTable.push_back(c);
    }
}

// --- Friends and enemies ---

void Learn(CharacterRecord& c, int skill, int level)
{
    LearnSkillEntry entry;
    entry.m_nSkill = skill;
    entry.m_nLevel = level;
    c.m_LearnSkill.push_back(entry);
}

void BuildFriends()
{
    FriendTable.clear();
    FriendRecord none = Fresh<FriendRecord>(); // entry 0: none, never hired
    none.m_bInShop = 0;
    none.m_bHireAgain = 0;
    FriendTable.push_back(none);

    struct FriendRow
    {
        const char* name;
        const char* text;
        bool randomName;
        int classId, level;
        bool inShop, hireAgain, noRelease;
        int weapon, other;
        std::vector<std::pair<int, int>> learn; // skill, level
    };
    const FriendRow friends[] = {
        {"レオン",
         "ミストヴェイルの わかき きし。",
         false,
         kClassKnight,
         1,
         false,
         false,
         true,
         kItemLongSword,
         kItemLeatherShield,
         {{kSkillSlashId, 1}}},
        {"リーナ",
         "ほのおと いやしの まほうを つかう。",
         false,
         kClassMage,
         1,
         false,
         false,
         false,
         kItemOakStaff,
         kItemTravelRobe,
         {{kSkillFireId, 1}, {kSkillHealId, 3}}},
        // The hireable one draws a name of "data\RandomName.txt".
        {"かりゅうど",
         "やとわれの ゆみつかい。",
         true,
         kClassArcher,
         2,
         true,
         true,
         false,
         kItemShortBow,
         0,
         {{kSkillAimId, 2}}},
    };
    for (const FriendRow& row : friends)
    {
        FriendRecord f = Fresh<FriendRecord>();
        f.m_strName = row.name;
        f.m_strText = row.text;
        f.m_bRandomName = row.randomName;
        f.m_nClass = row.classId;
        f.m_nLevel = row.level;
        f.m_bInShop = row.inShop;
        f.m_bHireAgain = row.hireAgain;
        f.m_bNoRelease = row.noRelease;
        f.m_bRandomSkill = 0;
        f.m_Equip[0].SetItem(row.weapon);
        f.m_Equip[1].SetItem(row.other);
        for (auto [skill, level] : row.learn)
        {
            Learn(f, skill, level);
        }
        f.ComputeReferenceValues();
        FriendTable.push_back(f);
    }
}

MoveAiEntry MoveAi(int range, int target, int mode, int goal = 0)
{
    MoveAiEntry entry;
    entry.m_nRange = range;
    entry.m_nTarget = target;
    entry.m_nMode = mode;
    entry.m_nGoalNum = goal;
    return entry;
}

// Move-AI rows: ranges, targets and modes. An enemy tries its entries in
// order and follows the first that works out; a "戦闘" entry works out only
// when its target can be reached this turn, a goal only with "待機" (move
// only), so an enemy that is to come after the party needs a "待機" entry
// after its "戦闘" one, or it stays where it stands.
constexpr int kRangeMap = 0;
constexpr int kRangeThreat = 1;
constexpr int kTargetNearest = 0;
constexpr int kTargetWeakest = 3;
constexpr int kTargetLeader = 4;
constexpr int kModeMove = 0;
constexpr int kModeFight = 1;

// Waits on its cell until someone comes within its reach.
std::vector<MoveAiEntry> Guard()
{
    return {MoveAi(kRangeThreat, kTargetNearest, kModeFight)};
}

// Attacks whom it can reach, else closes in on the target anywhere on the map.
std::vector<MoveAiEntry> Hunter(int target)
{
    return {MoveAi(kRangeThreat, target, kModeFight), MoveAi(kRangeMap, target, kModeMove)};
}

// Attacks whom it can reach, else walks to the goal group.
std::vector<MoveAiEntry> GoalWalker(int goal)
{
    return {MoveAi(kRangeThreat, kTargetNearest, kModeFight), MoveAi(kRangeMap, kMoveAiTargetGoal, kModeMove, goal)};
}

BattleAiEntry BattleAi(int action, int skill, int priority, int level)
{
    BattleAiEntry entry;
    entry.SetDefaults();
    entry.m_nAction = action;
    entry.m_nSkill = skill;
    entry.m_nPriority = priority;
    entry.m_nPriorityLevel = level;
    return entry;
}

BattleAiCondition Condition(int subject, int param, int value, int compare, bool percent)
{
    BattleAiCondition condition;
    condition.m_nSubject = subject;
    condition.m_nParam = param;
    condition.m_nValue = value;
    condition.m_nCompare = compare;
    condition.m_bPercent = percent;
    return condition;
}

void BuildEnemies()
{
    EnemyTable.clear();
    EnemyTable.push_back(Fresh<EnemyRecord>()); // entry 0: none

    EnemyRecord slime = Fresh<EnemyRecord>();
    slime.m_strName = "スライム";
    slime.m_strText = "ぷるぷる ふるえる あおい まもの。";
    slime.m_bRandomName = 0;
    slime.m_nClass = kClassSlime;
    slime.m_nLevel = 1;
    for (const MoveAiEntry& entry : Guard())
    {
        slime.m_MoveAI.push_back(entry);
    }
    slime.m_BattleAi.clear();
    slime.m_BattleAi.push_back(BattleAi(0, kSkillTackleId, 2, 10));
    BattleAiEntry tackle = BattleAi(1, kSkillTackleId, 1, 6);
    tackle.m_Condition.push_back(Condition(0, 0, 50, 2, true)); // while its own HP is at least half
    slime.m_BattleAi.push_back(tackle);
    slime.ComputeReferenceValues();
    EnemyTable.push_back(slime);

    EnemyRecord wolf = Fresh<EnemyRecord>();
    wolf.m_strName = "ウルフ";
    wolf.m_strText = "もりを かける はやい けもの。";
    wolf.m_bRandomName = 0;
    wolf.m_nClass = kClassWolf;
    wolf.m_nLevel = 2;
    for (const MoveAiEntry& entry : Hunter(kTargetWeakest))
    {
        wolf.m_MoveAI.push_back(entry);
    }
    wolf.m_BattleAi.clear();
    wolf.m_BattleAi.push_back(BattleAi(0, kSkillBiteId, 1, 10));
    BattleAiEntry bite = BattleAi(1, kSkillBiteId, 3, 10);
    bite.m_Condition.push_back(Condition(1, 0, 50, 3, true)); // when the opponent's HP is at most half
    wolf.m_BattleAi.push_back(bite);
    wolf.ComputeReferenceValues();
    EnemyTable.push_back(wolf);

    // The fort's master: a wolf of many winters that goes for the party's leader.
    EnemyRecord leader = wolf;
    leader.m_strName = "ウルフリーダー";
    leader.m_strText = "むれを ひきいる おおきな おおかみ。";
    leader.m_nClass = kClassWolfLeader;
    leader.m_nLevel = 8;
    leader.m_MoveAI.clear();
    for (const MoveAiEntry& entry : Hunter(kTargetLeader))
    {
        leader.m_MoveAI.push_back(entry);
    }
    leader.ComputeReferenceValues();
    EnemyTable.push_back(leader);
}

// --- Events ---

EventCommand Command(int32_t code, std::vector<int32_t> ints = {}, const char* text = nullptr,
                     std::vector<int32_t> goods = {})
{
    EventCommand command;
    command.Init();
    command.m_nCode = code;
    command.FitArguments(nullptr);
    for (size_t i = 0; i < ints.size() && i < command.m_nValParam.size(); ++i)
    {
        command.m_nValParam.At(static_cast<int>(i)) = ints[i];
    }
    if (text && !command.m_StrParam.empty())
    {
        command.m_StrParam.At(0).m_str = text;
    }
    for (int32_t item : goods)
    {
        ShopItemEntry entry;
        entry.SetDefaults();
        entry.m_nItem = item;
        command.m_ShopItem.push_back(entry);
    }
    return command;
}

constexpr int32_t kCommandEnemyGroup = 4;
constexpr int32_t kCursorEventCell = 0;
constexpr int32_t kGraphicPeaceBanner = 8;
constexpr int32_t kCommandEventVariable = 5;
constexpr int32_t kCommandStageClear = 16;
constexpr int32_t kCommandGameOver = 17;

// Triggers, areas, selectors.
constexpr int32_t kTriggerPlayerTurnStart = 0;
constexpr int32_t kTriggerPlayerActionEnd = 2;
constexpr int32_t kTriggerBattleWon = 12;
constexpr int32_t kTriggerLeaderDefeated = 14;
constexpr int32_t kTriggerHolderSpecial = 16; // never fires for an event nobody holds
constexpr int32_t kTriggerStageStart = 21;
constexpr int32_t kAreaWholeMap = 1;
constexpr int32_t kAreaEventCell = 2;
constexpr int32_t kWhoFriends = 1;
constexpr int32_t kWhoEnemies = 2;
constexpr int32_t kWhoActing = 3;
constexpr int32_t kIfAbsent = 1;

struct PageSetup
{
    int32_t timing = kTriggerPlayerTurnStart;
    int32_t graphic = 0;
    int32_t area = 0;
    int32_t who = 0;
    int32_t exists = 0;
    int32_t turn = 0;
    bool firstTryOnly = false;
    bool onlyWhileVariableZero = false;
};

Event MakeEvent(const char* name, int32_t x, int32_t y, const PageSetup& row, std::vector<EventCommand> commands)
{
    Event event;
    event.Init();
    event.m_strName = name;
    event.m_nX = x;
    event.m_nY = y;
    EventPage& page = event.m_Page.At(0);
    page.m_nTiming = row.timing;
    page.m_nGraphic = row.graphic;
    page.m_nArea = row.area;
    page.m_nTarget = row.who;
    page.m_nExists = row.exists;
    page.m_nTurn = row.turn;
    page.m_bFirstTryOnly = row.firstTryOnly;
    page.m_bUseEventVar = row.onlyWhileVariableZero;
    page.m_nEventVarValue = 0;
    page.m_nEventVarCompare = 0;
    for (EventCommand& command : commands)
    {
        page.m_Action.push_back(command);
    }
    return event;
}

// The events every stage has: clear when no enemy is left after a battle won,
// game over when the leader falls. The victory's event stands at (x, y).
void AddEndings(StageRecord& stage, std::vector<EventCommand> victory, int32_t x = 0, int32_t y = 0)
{
    PageSetup won;
    won.timing = kTriggerBattleWon;
    won.area = kAreaWholeMap;
    won.who = kWhoEnemies;
    won.exists = kIfAbsent;
    victory.push_back(Command(kCommandStageClear));
    stage.m_Event.push_back(MakeEvent("しょうり", x, y, won, victory));

    PageSetup lost;
    lost.timing = kTriggerLeaderDefeated;
    stage.m_Event.push_back(MakeEvent(
        "はいぼく", 1, 0, lost, {Command(kCommandMessage, {}, "レオンは たおれた……"), Command(kCommandGameOver)}));
}

Event Chest(int32_t x, int32_t y, int32_t item, int32_t count, const char* message)
{
    PageSetup row;
    row.timing = kTriggerPlayerActionEnd;
    row.graphic = 1;
    row.area = kAreaEventCell;
    row.who = kWhoActing;
    row.onlyWhileVariableZero = true;
    return MakeEvent("たからばこ", x, y, row,
                     {Command(kCommandMessage, {}, message), Command(kCommandItems, {item, count}),
                      Command(kCommandEventVariable, {0, 1}), Command(kCommandChangeGraphic, {0})});
}

Event Sign(int32_t x, int32_t y, const char* message)
{
    PageSetup row;
    row.timing = kTriggerPlayerActionEnd;
    row.graphic = 2;
    row.area = kAreaEventCell;
    row.who = kWhoActing;
    return MakeEvent("かんばん", x, y, row, {Command(kCommandMessage, {}, message)});
}

// The palette of event templates the editor offers, the same in every stage.
CheckedVector<Event> EventPalette()
{
    CheckedVector<Event> palette;
    Event empty;
    empty.Init();
    empty.m_strName = "デフォルト";
    palette.push_back(empty);
    palette.push_back(Chest(0, 0, kItemHerb, 1, "やくそうを てにいれた！"));
    palette.push_back(Sign(0, 0, "ここは ミストヴェイル。"));
    PageSetup won;
    won.timing = kTriggerBattleWon;
    won.area = kAreaWholeMap;
    won.who = kWhoEnemies;
    won.exists = kIfAbsent;
    palette.push_back(MakeEvent("ぜんめつで クリア", 0, 0, won, {Command(kCommandStageClear)}));
    PageSetup lost;
    lost.timing = kTriggerLeaderDefeated;
    palette.push_back(MakeEvent("リーダーが たおれたら", 0, 0, lost, {Command(kCommandGameOver)}));
    return palette;
}

// --- Stages ---

// A map from rows of letters, one letter a land.
void PaintMap(StageRecord& stage, const std::vector<const char*>& rows)
{
    const std::string letters = ".,TM~=HW#s-hoGO*";
    const int order[] = {kLandGrass,  kLandFlowers, kLandForest, kLandMountain, kLandWater,    kLandRoad,
                         kLandBridge, kLandWall,    kLandFloor,  kLandSand,     kLandShallows, kLandHut,
                         kLandRocks,  kLandGate,    kLandTower,  kLandSnow};
    stage.ResizeMap(20, static_cast<int32_t>(rows.size()));
    for (int y = 0; y < stage.m_nHeight; ++y)
    {
        std::string row = rows[static_cast<size_t>(y)];
        if (static_cast<int>(row.size()) != stage.m_nWidth)
        {
            throw std::logic_error("a map row is not 20 cells wide");
        }
        for (int x = 0; x < stage.m_nWidth; ++x)
        {
            size_t land = letters.find(row[static_cast<size_t>(x)]);
            if (land == std::string::npos)
            {
                throw std::logic_error("a map row holds an unknown land");
            }
            stage.CellAt(x, y) = order[land];
        }
    }
}

PositionGroup Group(const char* name, std::vector<MapPoint> points)
{
    PositionGroup group;
    group.BindFields(kDataFormatVersion);
    group.m_strName = name;
    for (const MapPoint& p : points)
    {
        group.m_Point.push_back(p);
    }
    group.m_nCenterX = points.front().m_nX;
    group.m_nCenterY = points.front().m_nY;
    return group;
}

void Place(StageRecord& stage, int32_t enemy, int32_t x, int32_t y, int32_t group, const std::vector<MoveAiEntry>& ai)
{
    EnemyPlacement placement;
    placement.SetDefaults();
    placement.m_nEnemy = enemy;
    placement.m_nX = x;
    placement.m_nY = y;
    placement.m_nEnemyGroup = group;
    for (const MoveAiEntry& entry : ai)
    {
        placement.m_MoveAI.push_back(entry);
    }
    stage.m_Enemy.push_back(placement);
}

ExplanationPage Page(int32_t mode, const char* text, int32_t x = 0, int32_t y = 0, int32_t group = 0)
{
    ExplanationPage page;
    page.BindFields(kDataFormatVersion);
    page.m_nCursorMode = mode;
    page.m_strText = text;
    page.m_nX = x;
    page.m_nY = y;
    page.m_nGroup = group;
    page.m_nShownGroup = group;
    return page;
}

void StartStage(StageRecord& stage, const char* name, int32_t reward)
{
    stage.SetDefaults();
    stage.m_strName = name;
    stage.m_nReward = reward;
    stage.m_nClearedRewardRate = 30;
    stage.m_PaletteEvent = EventPalette();
    // Group 0 is kept aside, as in every stage the editor makes: its dialogs
    // offer and edit the groups from 1 on.
    stage.m_GroupPos.clear();
    PositionGroup reserved;
    reserved.BindFields(kDataFormatVersion);
    stage.m_GroupPos.push_back(reserved);
    stage.m_Enemy.clear();
    stage.m_Event.clear();
}

void BuildStage1(StageRecord& stage)
{
    StartStage(stage, "ミストへいげん", 300);
    PaintMap(stage, {
                        "TT.....,...~~..TTT..",
                        "T.....,....~~...TT..",
                        "....o......~~.....,.",
                        "..TT.......-~...o...",
                        "..TT..,....~~.......",
                        "...........~~...TT..",
                        ".....======HH===....",
                        "....=......~~...=...",
                        "..,=.......~~...=.T.",
                        "..=...TT...~~...=TT.",
                        ".==....T...~~....=..",
                        "==.....,...-~....===",
                        "h.........~~......,.",
                        ".........~~...oo....",
                        "..,......~~.........",
                    });
    stage.m_GroupPos.push_back(Group("しゅつげき", {{1, 11}, {2, 10}, {1, 12}, {2, 12}, {3, 11}, {2, 13}}));
    stage.m_GroupPos.push_back(Group("はし", {{12, 6}, {11, 6}, {13, 6}}));
    stage.m_nStartGroup = 1;

    // The beasts of the plain cross the bridge and come at the party: the
    // wolf first, after the weakest, the slimes after whoever is nearest.
    Place(stage, kEnemySlime, 15, 3, 0, Hunter(kTargetNearest));
    Place(stage, kEnemySlime, 14, 8, 0, Hunter(kTargetNearest));
    Place(stage, kEnemySlime, 17, 12, 0, Hunter(kTargetNearest));
    Place(stage, kEnemyWolf, 17, 6, 0, Hunter(kTargetWeakest));

    PageSetup start;
    start.timing = kTriggerStageStart;
    start.firstTryOnly = true;
    stage.m_Event.push_back(MakeEvent(
        "リーナ さんか", 2, 0, start,
        {Command(kCommandMessage, {}, "リーナ「まって、レオン！\nわたしも いっしょに いくわ。」"),
         Command(kCommandParty, {kFriendMage, 1}), Command(kCommandMessage, {}, "リーナが なかまに くわわった！")}));
    stage.m_Event.push_back(Chest(18, 1, kItemShiningStone, 1, "ひかるいしを てにいれた！"));
    stage.m_Event.push_back(Sign(4, 12, "ひがしの はしを わたると\nルーメンとりでが ある。"));
    // The village's merchant, saved, stocks the camp's shop from now on.
    AddEndings(stage, {Command(kCommandMessage, {}, "まものを おいはらった！"),
                       Command(kCommandMessage, {},
                               "むらの しょうにん「たすかったよ！\nこれからは キャンプにも\nしなものを とどけよう。」"),
                       Command(kCommandShop, {1}, nullptr,
                               {kItemHerb, kItemMagicWater, kItemLeatherShield, kItemTravelRobe})});

    stage.m_WinPage.push_back(Page(0, "てきを すべて たおせ"));
    stage.m_LosePage.push_back(Page(1, "レオンが たおれると まけ"));
    stage.m_OtherPage.push_back(Page(4, "どこかに たからばこが ある", 18, 1));
}

void BuildPracticeStage(StageRecord& stage)
{
    StartStage(stage, "くんれんじょう", 0);
    PaintMap(stage, {
                        "TT..................",
                        "T...................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "....................",
                        "...................T",
                        "..................TT",
                    });
    stage.m_GroupPos.push_back(Group("しゅつげき", {{4, 7}, {3, 7}, {4, 6}, {4, 8}}));
    stage.m_nStartGroup = 1;
    Place(stage, kEnemySlime, 5, 7, 0, Guard());
    AddEndings(stage, {Command(kCommandMessage, {}, "くんれん かんりょう！")});
    stage.m_WinPage.push_back(Page(0, "スライムを たおせ"));
}

void BuildStage2(StageRecord& stage)
{
    StartStage(stage, "ルーメンとりで", 600);
    PaintMap(stage, {
                        "TT.....TTT.....TTTTT",
                        "T.....,.....o.....TT",
                        "..TT.......OWWWWWWWO",
                        "..TT.......W#######W",
                        "...........W#######W",
                        ".....,.....W#######W",
                        "...........W###O###W",
                        "===========G#######W",
                        "...........W###O###W",
                        "..,........W#######W",
                        "...........W#######W",
                        "..TT.......W#######W",
                        "..TT.......OWWWWWWWO",
                        "T.....,......o....TT",
                        "TT......TTT.....TTTT",
                    });
    stage.m_GroupPos.push_back(Group("しゅつげき", {{1, 7}, {1, 6}, {2, 6}, {2, 7}, {1, 8}, {2, 8}}));
    stage.m_GroupPos.push_back(Group("もん", {{11, 7}, {10, 7}, {12, 7}}));
    stage.m_nStartGroup = 1;

    Place(stage, kEnemySlime, 9, 4, 0, Guard());
    Place(stage, kEnemySlime, 9, 10, 0, Guard());
    Place(stage, kEnemyWolf, 14, 7, 0, GoalWalker(2));
    Place(stage, kEnemyWolf, 17, 5, 0, Hunter(kTargetWeakest));
    // Reinforcements of group 1, called in on the third turn.
    Place(stage, kEnemySlime, 17, 9, 1, Hunter(kTargetNearest));
    Place(stage, kEnemyWolf, 17, 11, 1, Hunter(kTargetWeakest));
    Place(stage, kEnemyWolfLeader, 17, 7, 1, Hunter(kTargetLeader));

    PageSetup start;
    start.timing = kTriggerStageStart;
    stage.m_Event.push_back(
        MakeEvent("とりでの まえ", 0, 1, start,
                  {Command(kCommandMessage, {}, "とりでの おくに\nまものの むれが ひそんでいる。")}));
    PageSetup third;
    third.timing = kTriggerPlayerTurnStart;
    third.turn = 3;
    stage.m_Event.push_back(
        MakeEvent("ぞうえん", 1, 1, third,
                  {Command(kCommandMessage, {}, "とりでの おくから\nまものの ぞうえんが あらわれた！"),
                   Command(kCommandEnemyGroup, {1, 1})}));
    PageSetup merchant;
    merchant.timing = kTriggerPlayerActionEnd;
    merchant.graphic = 3;
    merchant.area = kAreaEventCell;
    merchant.who = kWhoActing;
    stage.m_Event.push_back(MakeEvent("たびの しょうにん", 5, 3, merchant,
                                      {Command(kCommandMessage, {}, "しょうにん「まいど！\nなにを かうかね？」"),
                                       Command(kCommandShop, {1}, nullptr, {kItemHerb, kItemMagicWater})}));
    PageSetup banner;
    banner.timing = kTriggerHolderSpecial;
    banner.graphic = 4;
    stage.m_Event.push_back(MakeEvent("はた", 15, 3, banner, {}));
    stage.m_Event.push_back(Chest(18, 11, kItemMagicWater, 2, "まほうのみずを てにいれた！"));
    // The end of the story, whoever is left standing: the banner of peace
    // raised in the fort's hall, and the last words.
    AddEndings(stage,
               {Command(kCommandMessage, {}, "とりでを とりもどした！"),
                Command(kCommandMoveCursor, {kCursorEventCell}), Command(kCommandChangeGraphic, {kGraphicPeaceBanner}),
                Command(kCommandWait, {60}), Command(kCommandMessage, {}, "ミストヴェイルに へいわが もどった。"),
                Command(kCommandMessage, {}, "　ミストヴェイル戦記　おわり\n\n　あそんでくれて ありがとう！"),
                Command(kCommandMoney, {1000})},
               15, 7);

    stage.m_WinPage.push_back(Page(0, "てきを すべて たおせ"));
    stage.m_LosePage.push_back(Page(1, "レオンが たおれると まけ"));
    stage.m_OtherPage.push_back(Page(3, "もんを とっぱせよ", 0, 0, 2));
    stage.m_OtherPage.push_back(Page(4, "しょうにんが いる", 5, 3));
}

// --- World map ---

void BuildWorldMap()
{
    WorldMapRecord& w = WorldMap;
    w.SetDefaults();
    w.m_strName = "ミストヴェイル";
    w.m_nBackColor = 113; // the mid colour of the water
    w.m_bUseBackImage = 0;
    w.m_strBackImage = "bmp\\WorldBack.bmp";
    const char* texts[10] = {"うみ",     "やま",   "ふかいもり", "がけ", "じょうへき",
                             "そうげん", "はやし", "みち",       "はし", "すなはま"};
    for (int i = 0; i < w.m_Chip.Count() && i < 10; ++i)
    {
        w.m_Chip.At(i).m_strText = texts[i];
    }
    // Chips: 0 sea, 1 mountains, 2 deep forest, 3 cliffs, 4 wall, 5 grass, 6 woods, 7 road, 8 bridge, 9 sand.
    enum
    {
        kSea,
        kMountains,
        kDeepForest,
        kCliffs,
        kWall,
        kGrassland,
        kWoods,
        kRoad,
        kBridgeChip,
        kSandChip,
    };
    auto inside = [](double x, double y, double cx, double cy, double rx, double ry)
    {
        double u = (x - cx) / rx;
        double v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    for (int y = 0; y < w.m_nHeight; ++y)
    {
        for (int x = 0; x < w.m_nWidth; ++x)
        {
            int edge = std::min({x, y, w.m_nWidth - 1 - x, w.m_nHeight - 1 - y});
            int chip = edge == 0 ? kSea : edge == 1 ? kSandChip : kGrassland;
            if (edge == 1 && (x == 1 || x == w.m_nWidth - 2) && (y == 1 || y == w.m_nHeight - 2))
            {
                chip = kSea;
            }
            if (chip == kGrassland && inside(x, y, 5, 4, 2.8, 2.0))
            {
                chip = inside(x, y, 5, 4, 1.6, 1.1) ? kDeepForest : kWoods;
            }
            if (chip == kGrassland && (inside(x, y, 15.5, 11.5, 1.6, 1.1) || inside(x, y, 6, 12, 1.2, 0.8)))
            {
                chip = kWoods;
            }
            if (chip == kGrassland && inside(x, y, 10.5, 2.2, 2.8, 1.6))
            {
                chip = kMountains;
            }
            if (chip == kGrassland && inside(x, y, 16.8, 9.4, 1.3, 0.9))
            {
                chip = kCliffs;
            }
            if (x == 10 && y >= 4)
            {
                chip = kSea;
            }
            w.CellAt(x, y) = chip;
        }
    }
    const MapPoint road[] = {{4, 11}, {5, 11}, {6, 11}, {7, 11}, {8, 11}, {8, 10}, {8, 9},  {8, 8}, {9, 8},
                             {11, 8}, {12, 8}, {13, 8}, {13, 7}, {13, 6}, {13, 5}, {14, 5}, {15, 5}};
    for (const MapPoint& p : road)
    {
        w.CellAt(p.m_nX, p.m_nY) = kRoad;
    }
    w.CellAt(10, 8) = kBridgeChip;
    for (const MapPoint& p : {MapPoint{14, 4}, MapPoint{15, 4}, MapPoint{16, 4}, MapPoint{16, 5}, MapPoint{14, 6},
                              MapPoint{15, 6}, MapPoint{16, 6}})
    {
        w.CellAt(p.m_nX, p.m_nY) = kWall;
    }
    w.m_nStartX = 3;
    w.m_nStartY = 11;

    auto place = [&](const char* name, int32_t x, int32_t y, int32_t kind, int32_t graphic, int32_t stageNumber,
                     const char* file, int32_t needStage, int32_t afterClear, int32_t replay)
    {
        WorldMapEvent event;
        event.Init();
        event.m_strName = name;
        event.m_nX = x;
        event.m_nY = y;
        WorldMapEventPage& page = event.m_Page.At(0);
        page.m_nKind = kind;
        page.m_nGraphic = graphic;
        page.m_nStageNumber = stageNumber;
        page.m_strStageFile = file;
        page.m_nNeedStage = needStage;
        page.m_nAfterClear = afterClear;
        page.m_bReplayAfterClear = replay;
        w.m_Event.push_back(event);
    };
    place("ミストヴェイルじょう", 2, 11, 1, 0, 0, "", 0, 0, 0);
    place("ミストのむら", 4, 9, 1, 2, 0, "", 0, 0, 0);
    place("ミストへいげん", 8, 9, kWorldPageStage, 3, 1, kStageFiles[0], 0, 0, 1);
    place("ルーメンとりで", 15, 5, kWorldPageStage, 1, 2, kStageFiles[1], 1, 2, 0);

    w.m_Palette.clear();
    WorldMapEvent empty;
    empty.Init();
    empty.m_strName = "デフォルト";
    w.m_Palette.push_back(empty);
    WorldMapEvent stagePage = empty;
    stagePage.m_strName = "ステージ";
    stagePage.m_Page.At(0).m_nGraphic = 1;
    w.m_Palette.push_back(stagePage);
    WorldMapEvent village = empty;
    village.m_strName = "むら";
    village.m_Page.At(0).m_nKind = 1;
    village.m_Page.At(0).m_nGraphic = 2;
    w.m_Palette.push_back(village);
}

// --- The start of a new game ---

void BuildStartEvent()
{
    StartEvent.Init();
    StartEvent.m_strName = "はじまり";
    EventPage& page = StartEvent.m_Page.At(0);
    page.m_Action.push_back(Command(kCommandParty, {kFriendHero, 1}));
    page.m_Action.push_back(Command(kCommandMoney, {500}));
    page.m_Action.push_back(Command(kCommandItems, {kItemHerb, 3}));
}

bool Check(bool ok, const std::string& what, std::string& error)
{
    if (!ok && error.empty())
    {
        error = what + " could not be written";
    }
    return ok;
}

} // namespace

bool WriteSampleData(std::string& error)
{
    for (const char* folder : ProjectFolders)
    {
        if (!platform::CreateFolders(folder))
        {
            error = std::string("cannot create ") + folder;
            return false;
        }
    }
    // What the editor starts with in an empty folder, then the sample over it.
    ResetProjectData();
    LoadProjectData();
    BuildSystem();
    BuildLands();
    BuildSkills();
    BuildItems();
    BuildClasses();
    BuildFriends();
    BuildEnemies();
    // Each character's own index at its position, as the editor's database save writes it.
    for (int i = 0; i < FriendTable.Count(); ++i)
    {
        FriendTable.At(i).m_nHead = i;
    }
    for (int i = 0; i < EnemyTable.Count(); ++i)
    {
        EnemyTable.At(i).m_nHead = i;
    }
    bool ok = Check(SaveDatabase(), "the database", error);

    BuildWorldMap();
    ok = Check(SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap]) == 1, "the world map", error) && ok;
    BuildStartEvent();
    ok = Check(SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent]) == 1, "the start event", error) && ok;

    BuildPracticeStage(Stage);
    ok = Check(SaveStageFile(Stage, kPracticeStageFile) == 1, kPracticeStageFile, error) && ok;
    BuildStage2(Stage);
    ok = Check(SaveStageFile(Stage, kStageFiles[1]) == 1, kStageFiles[1], error) && ok;
    BuildStage1(Stage);
    ok = Check(SaveStageFile(Stage, kStageFiles[0]) == 1, kStageFiles[0], error) && ok;

    ok = Check(SaveEventPalette(Stage.m_PaletteEvent, DataFilePaths[kPathDefaultPalette]) == 1, "the event palette",
               error) &&
         ok;
    ok = Check(SaveWorldPalette(WorldMap.m_Palette, DataFilePaths[kPathDefaultWorldPalette]) == 1, "the world palette",
               error) &&
         ok;

    EditConfig.m_strDefaultStage = kStageFiles[0];
    ok = Check(SaveShutDownData(), "the editor settings", error) && ok;
    return ok;
}

} // namespace sample
