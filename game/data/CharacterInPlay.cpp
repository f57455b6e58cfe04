#include "CharacterInPlay.h"

#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "game/data/GameData.h"
#include "game/data/RandomName.h"
#include "game/data/RecordDrawing.h"

#include <algorithm>

namespace
{

constexpr int kChipSize = 32;
constexpr int kChipRows = 15; // chips per column of the map-character sheet
constexpr int kChipColumnWidth = 64;
constexpr int kFaceSize = 48;
constexpr int kBadgeSize = 16;

constexpr int kStatusWidth = 608;
constexpr int kStatusHeight = 160;
constexpr int kSkillListWidth = 208;

const ClassRecord& ClassOf(const CharacterRecord& unit)
{
    return ClassTable.At(unit.m_nClass);
}

void DrawEquipmentRow(DrawTarget& target, const EquipmentSlot& slot, int slotIndex, int x, int y)
{
    if (slot.m_nItem != 0)
    {
        DrawIconName(target, ItemTable.At(slot.m_nItem), x, y, kPriceNone);
        return;
    }
    // The empty weapon and the empty other slot have icons of their own, on
    // the accessory sheet beside the leader's badge.
    target.Blit(x, y, 16, 16, kSurfaceAccessory, slotIndex == 0 ? 64 : 80, 96);
    target.DrawText(kFontStandard, x + 16, y, "--------");
}

} // namespace

template <class Record> CharacterInPlay<Record>::CharacterInPlay(const Record& source) : Record(source)
{
    this->m_nPlayH = 0;
}

template <class Record> bool CharacterInPlay<Record>::Load(DataReader& in)
{
    m_nHeldEvent = -1;
    const bool loaded = Record::Load(in);
    this->m_nPlayH = 0;
    return loaded;
}

template <class Record> void CharacterInPlay<Record>::Save(DataWriter& out)
{
    this->m_nPlayH = 0;
    Record::Save(out);
}

template <class Record> void CharacterInPlay<Record>::Recompute()
{
    Rebuild();
}

template <class Record> void CharacterInPlay<Record>::Rebuild()
{
    const int32_t level = this->m_nLevel;
    if (this->m_bRandomName)
    {
        PickRandomName();
    }
    const int32_t scout = this->m_bEnemy ? 0 : Progress.m_nScoutPoints;
    this->BuildGrowthTables(this->m_bRandomGrowth != 0, scout, false);
    this->m_nLevel = level;
    this->InitLevel(level, false);
}

template <class Record> int32_t CharacterInPlay<Record>::CalcExperience(int32_t opponentLevel, int defeated) const
{
    const int64_t levelDifference = static_cast<int64_t>(opponentLevel) - this->m_nLevel;
    int32_t experience = TruncateToInt(levelDifference * System.m_dExpLevelDiff + System.m_nExpBase);
    if (defeated)
    {
        experience = TruncateToInt(experience * System.m_dExpFinish);
    }
    const int64_t result = static_cast<int64_t>(experience) * ClassOf(*this).m_nExpRate / 100;
    return std::max(TruncateToInt(static_cast<double>(result)), 0);
}

template <class Record> int CharacterInPlay<Record>::CountSkills() const
{
    return static_cast<int>(std::count_if(this->m_Skill.begin(), this->m_Skill.end(),
                                          [](const SkillEntry& entry) { return entry.m_nSkill != 0; }));
}

template <class Record> int CharacterInPlay<Record>::FindSkill(int32_t skill) const
{
    for (int i = 0; i < this->m_Skill.Count(); ++i)
    {
        if (this->m_Skill[static_cast<std::size_t>(i)].m_nSkill == skill)
        {
            return i;
        }
    }
    return -1;
}

template <class Record> int CharacterInPlay<Record>::FindSkillOfKind(int32_t kind) const
{
    for (int i = 0; i < this->m_Skill.Count(); ++i)
    {
        const int32_t skill = this->m_Skill[static_cast<std::size_t>(i)].m_nSkill;
        if (skill != 0 && SkillTable.At(skill).m_nKind == kind)
        {
            return i;
        }
    }
    return -1;
}

template <class Record> void CharacterInPlay<Record>::RestoreHpSp()
{
    for (int k = 0; k < 2; ++k)
    {
        this->m_Param[k].m_nValue = this->m_Param[k].m_nBase;
    }
}

template <class Record> void CharacterInPlay<Record>::ClearTurnFlags()
{
    this->m_nPlayB = 0;
    this->m_nPlayC = 0;
}

template <class Record> void CharacterInPlay<Record>::ResetForStage()
{
    ClearTurnFlags();
    this->m_nPlayD = 0;
    m_nHeldEvent = -1;
}

template <class Record> void CharacterInPlay<Record>::RecoverAfterStage()
{
    ClearTurnFlags();
    RestoreHpSp();
    if (System.m_bReviveAfterClear)
    {
        this->m_nPlayD = 0;
    }
    m_nHeldEvent = -1;
}

template <class Record> void CharacterInPlay<Record>::SetHeldEvent(int32_t eventIndex)
{
    m_nHeldEvent = eventIndex < 0 ? -1 : eventIndex;
}

template <class Record> Event* CharacterInPlay<Record>::GetHeldEvent() const
{
    return IsTableIndex(m_nHeldEvent, Stage.m_Event.Count()) ? &Stage.m_Event.At(m_nHeldEvent) : nullptr;
}

template <class Record> int CharacterInPlay<Record>::MoveHeldEvent()
{
    Event* event = GetHeldEvent();
    if (!event)
    {
        return 0;
    }
    event->m_nX = this->m_nPlayE;
    event->m_nY = this->m_nPlayF;
    return 1;
}

template <class Record> int CharacterInPlay<Record>::PickRandomName()
{
    return PickRandomNameFromFile(this->m_strName);
}

template <class Record> void CharacterInPlay<Record>::DrawChip(DrawTarget& target, int x, int y, int selector) const
{
    DrawChipCell(target, x, y, 0, selector ? this->m_nPlayB : this->m_nPlayC);
}

template <class Record>
void CharacterInPlay<Record>::DrawChipCell(DrawTarget& target, int x, int y, int sourceX, int32_t secondLook) const
{
    if (this->m_nClass == 0 || this->m_nPlayD)
    {
        return;
    }
    const int32_t graphic = ClassOf(*this).m_nGraphic;
    target.Blit(x, y, kChipSize, kChipSize, secondLook ? kSurfaceMapCharaSecond : kSurfaceMapChara,
                graphic / kChipRows * kChipColumnWidth + sourceX, graphic % kChipRows * kChipSize);
    if (this->m_nPlayA)
    {
        target.Blit(x + 16, y, kBadgeSize, kBadgeSize, kSurfaceAccessory, 64, 16);
    }
}

template <class Record> void CharacterInPlay<Record>::DrawFace(DrawTarget& target, int x, int y) const
{
    if (this->m_nClass != 0)
    {
        target.Blit(x, y, kFaceSize, kFaceSize, kSurfaceCharacter, 0, ClassOf(*this).m_nGraphic * kFaceSize);
    }
}

template <class Record> void CharacterInPlay<Record>::DrawStatus(DrawTarget& target, int x, int y, int showBase) const
{
    if (this->m_nClass == 0)
    {
        return;
    }
    const ClassRecord& cls = ClassOf(*this);
    const ParameterValue* param = this->m_Param;
    target.DrawBox(kFontStandard, x, y, kStatusWidth, kStatusHeight);
    DrawFace(target, x, y - 4);
    DrawTextF(target, kFontStandard, x + 2, y + 48, "%s\n%s\nLV %3d\nEX %3d\nいどうりょく %2d", this->m_strName.c_str(),
              cls.m_strName.c_str(), this->m_nLevel, this->m_nExp, cls.m_nMove);
    if (cls.m_bFlying)
    {
        target.DrawText(kFontStandard, x + 146, y + 112, "F");
    }
    DrawTextF(target, kFontStandard, x + 200, y,
              "HP   %3d / %3d\nSP   %3d / %3d\nこうげき %3d\nまもり  %3d\nまりょく %3d\nていこう %3d\nわざ   %3d\n"
              "はんのう %3d\nはやさ  %3d\n",
              param[0].m_nValue, param[0].m_nBase, param[1].m_nValue, param[1].m_nBase, param[2].m_nValue,
              param[3].m_nValue, param[4].m_nValue, param[5].m_nValue, param[6].m_nValue, param[7].m_nValue,
              param[8].m_nValue);
    if (showBase)
    {
        DrawTextF(target, kFontStandard, x + 360, y + 32, "(%3d)\n(%3d)\n(%3d)\n(%3d)\n(%3d)\n(%3d)\n(%3d)\n",
                  param[2].m_nBase, param[3].m_nBase, param[4].m_nBase, param[5].m_nBase, param[6].m_nBase,
                  param[7].m_nBase, param[8].m_nBase);
    }
    const std::string& comment = this->m_strText;
    if (!comment.empty())
    {
        const int lines = static_cast<int>(std::count(comment.begin(), comment.end(), '\n')) + 1;
        target.DrawTextBox(kFontStandard, x - 2, y + 168, 610, lines * 16, comment, 0, kFontColour);
    }
    for (int s = 0; s < 2; ++s)
    {
        DrawEquipmentRow(target, this->m_Equip[s], s, x + 16, y + 128 + 16 * s);
    }
}

template <class Record>
void CharacterInPlay<Record>::DrawSkillList(DrawTarget& target, int x, int y, int first, int rows) const
{
    target.DrawBox(kFontStandard, x, y, kSkillListWidth, (rows + 1) * kListRowHeight);
    target.FillRect(x, y + kListRowHeight - 1, kSkillListWidth, 1, kListLineColour);
    if (this->m_nClass == 0)
    {
        return;
    }
    const int32_t sp = this->m_Param[1].m_nValue;
    DrawTextF(target, kFontStandard, x, y, "SP %d / %d", sp, this->m_Param[1].m_nBase);
    for (int i = 0; i < rows; ++i)
    {
        const int64_t index = static_cast<int64_t>(first) + i;
        if (index >= this->m_Skill.Count())
        {
            break;
        }
        if (index < 0)
        {
            continue;
        }
        const int32_t skill = this->m_Skill[static_cast<std::size_t>(index)].m_nSkill;
        if (skill == 0)
        {
            continue;
        }
        const SkillRecord& record = SkillTable.At(skill);
        const int font = record.m_nSpCost > sp ? kFontGrey : kFontStandard;
        DrawIconName(target, record, x + kListRowHeight, y + kListRowHeight * (i + 1), font, 0);
    }
}

template class CharacterInPlay<FriendRecord>;
template class CharacterInPlay<EnemyRecord>;
