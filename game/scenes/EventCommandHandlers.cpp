// The handlers of the eighteen event commands. Each is called once a frame
// with its command and returns non-zero when the command is done. Arguments
// are the command's ints p0, p1, ... and its string s0.

#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/services/Arithmetic.h"
#include "game/data/GameData.h"
#include "game/data/ValueOperations.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "game/scenes/EventCommandEffects.h"
#include "game/scenes/EventInterpreter.h"
#include "game/scenes/MapRanges.h"
#include "game/scenes/ParameterIndex.h"

#include <algorithm>

namespace
{

// The message window.
constexpr int kMessageX = 80;
constexpr int kMessageY = 366;
constexpr int kMessageWidth = 480;
constexpr int kMessageHeight = 64;

// Where the cursor-move command puts the cursor (CursorTargetNames).
constexpr int32_t kCursorToEvent = 0;
constexpr int32_t kCursorToLeader = 1;
constexpr int32_t kCursorToGroup = 2;
constexpr int32_t kCursorToCell = 3;

// Which cells the map-chip command changes.
constexpr int32_t kChipScopeMap = 1;
constexpr int32_t kChipScopeEventCell = 2;
constexpr int32_t kChipScopeGroup = 3;
constexpr int32_t kAnyLand = -1;

// The music name that the stage plays (BgmSceneNames).
constexpr int32_t kMusicNameStage = 0;

} // namespace

const EventInterpreter::CommandHandler EventInterpreter::CommandHandlers[kEventCommandCount] = {
    &EventInterpreter::HandleNothing,    &EventInterpreter::HandleMessage,    &EventInterpreter::HandleWait,
    &EventInterpreter::HandleMoveCursor, &EventInterpreter::HandleEnemyGroup, &EventInterpreter::HandleEventVariable,
    &EventInterpreter::HandleVariable,   &EventInterpreter::HandleMapChip,    &EventInterpreter::HandleGraphic,
    &EventInterpreter::HandleMusic,      &EventInterpreter::HandleStatus,     &EventInterpreter::HandleMoney,
    &EventInterpreter::HandleItems,      &EventInterpreter::HandleShop,       &EventInterpreter::HandleHireList,
    &EventInterpreter::HandleParty,      &EventInterpreter::HandleStageClear, &EventInterpreter::HandleGameOver,
};

int EventInterpreter::HandleNothing(const EventCommand&)
{
    return 1;
}

int EventInterpreter::HandleMessage(const EventCommand& command)
{
    m_Host.Screen().DrawTextBox(kFontStandard, kMessageX, kMessageY, kMessageWidth, kMessageHeight,
                                CommandText(command), 0, kFontColour);
    if (m_pInput->m_nButtons & kInputButton1)
    {
        Request(kEventRequestSound, kSeMessage);
        return 1;
    }
    return 0;
}

int EventInterpreter::HandleWait(const EventCommand& command)
{
    ++m_nSubState;
    return m_nSubState >= CommandArg(command, 0) * FrameRateValues.m_dFrameScale ? 1 : 0;
}

int EventInterpreter::HandleMoveCursor(const EventCommand& command)
{
    switch (CommandArg(command, 0))
    {
    case kCursorToEvent:
        m_Host.MoveMapCursor(CurrentEvent().m_nX, CurrentEvent().m_nY);
        break;
    case kCursorToLeader:
        if (CharacterRecord* leader = m_Host.Leader(); leader && m_Host.Field().IsActive(*leader))
        {
            m_Host.MoveMapCursor(leader->m_nPlayE, leader->m_nPlayF);
        }
        break;
    case kCursorToGroup:
        if (const int32_t group = CommandArg(command, 1); IsTableIndex(group, Stage.m_GroupPos.Count()))
        {
            const PositionGroup& points = Stage.m_GroupPos.At(group);
            m_Host.MoveMapCursor(points.m_nCenterX, points.m_nCenterY);
        }
        break;
    case kCursorToCell:
        m_Host.MoveMapCursor(CommandArg(command, 2), CommandArg(command, 3));
        break;
    default:
        break;
    }
    return 1;
}

int EventInterpreter::HandleEnemyGroup(const EventCommand& command)
{
    const int32_t group = CommandArg(command, 0);
    const bool shown = CommandArg(command, 1) != 0;
    StageField& field = m_Host.Field();
    if (!IsTableIndex(group, kEnemyGroupCount) || field.IsGroupShown(group) == shown)
    {
        return 1;
    }
    field.SetGroupShown(group, shown);
    if (group == 0)
    {
        return 1;
    }
    for (EnemyUnitRecord* enemy : m_Host.Enemies())
    {
        if (enemy->m_nPlayG == group && !enemy->m_nPlayD && field.Contains(enemy->m_nPlayE, enemy->m_nPlayF))
        {
            ShowEnemy(*enemy, shown);
        }
    }
    return 1;
}

void EventInterpreter::ShowEnemy(EnemyUnitRecord& enemy, bool shown)
{
    StageField& field = m_Host.Field();
    field.RemoveUnit(enemy);
    enemy.m_nPlayB = 0;
    int32_t x = 0;
    int32_t y = 0;
    if (!shown || !FindFreeCell(field, enemy.m_nPlayE, enemy.m_nPlayF, MoverOf(enemy).m_bFlying, x, y))
    {
        return;
    }
    enemy.m_nPlayB = 1;
    field.PlaceUnit(enemy, x, y);
    enemy.MoveHeldEvent();
}

int EventInterpreter::HandleEventVariable(const EventCommand& command)
{
    ApplyValueOperation(CurrentEvent().m_nEventVar, CommandArg(command, 1), CommandArg(command, 0), kMinVariableValue,
                        kMaxVariableValue);
    return 1;
}

int EventInterpreter::HandleVariable(const EventCommand& command)
{
    ApplyVariableCommand(command);
    return 1;
}

int EventInterpreter::HandleMapChip(const EventCommand& command)
{
    const int32_t scope = CommandArg(command, 0);
    const int32_t from = CommandArg(command, 1);
    const int32_t to = CommandArg(command, 2);
    if (!IsTableIndex(to, LandTable.Count()))
    {
        return 1;
    }
    auto change = [&](int32_t x, int32_t y)
    {
        if (x < 0 || y < 0 || x >= Stage.m_nWidth || y >= Stage.m_nHeight)
        {
            return;
        }
        int32_t& chip = Stage.CellAt(x, y);
        if (from == kAnyLand || chip == from)
        {
            chip = to;
        }
    };
    if (scope == kChipScopeMap)
    {
        for (int32_t y = 0; y < Stage.m_nHeight; ++y)
        {
            for (int32_t x = 0; x < Stage.m_nWidth; ++x)
            {
                change(x, y);
            }
        }
    }
    else if (scope == kChipScopeEventCell)
    {
        change(CurrentEvent().m_nX, CurrentEvent().m_nY);
    }
    else if (const int32_t group = CommandArg(command, 3);
             scope == kChipScopeGroup && IsTableIndex(group, Stage.m_GroupPos.Count()))
    {
        for (const MapPoint& point : Stage.m_GroupPos.At(group).m_Point)
        {
            change(point.m_nX, point.m_nY);
        }
    }
    return 1;
}

int EventInterpreter::HandleGraphic(const EventCommand& command)
{
    CurrentPage().m_nGraphic = CommandArg(command, 0);
    return 1;
}

int EventInterpreter::HandleMusic(const EventCommand& command)
{
    ApplyMusicNameCommand(command);
    if (CommandArg(command, 0) == kMusicNameStage)
    {
        Request(kEventRequestStageMusic, 0);
    }
    return 1;
}

int EventInterpreter::HandleStatus(const EventCommand& command)
{
    std::vector<CharacterRecord*> chosen;
    if (!CommandArg(command, 0))
    {
        CheckPositionCondition(chosen, m_pUnit, CurrentEvent(), CommandArg(command, 1), CommandArg(command, 2),
                               CommandArg(command, 3));
    }
    const std::vector<CharacterRecord*>& targets = CommandArg(command, 0) ? m_Selected : chosen;
    const int32_t stat = CommandArg(command, 4);
    if (stat != kParamHp && stat != kParamSp)
    {
        return 1;
    }
    const int32_t amount = CommandArg(command, 5);
    const bool percent = CommandArg(command, 6) != 0;
    // HP never falls to 0 through an event.
    const int64_t lowest = stat == kParamHp ? 1 : 0;
    for (CharacterRecord* target : targets)
    {
        ParameterValue& value = target->m_Param[stat];
        const int64_t change = percent ? PercentOf(value.m_nBase, amount) : amount;
        value.m_nValue =
            static_cast<int32_t>(std::max(lowest, std::min<int64_t>(int64_t{value.m_nValue} + change, value.m_nBase)));
    }
    return 1;
}

int EventInterpreter::HandleMoney(const EventCommand& command)
{
    ApplyMoneyCommand(command);
    return 1;
}

int EventInterpreter::HandleItems(const EventCommand& command)
{
    ApplyItemsCommand(command);
    return 1;
}

int EventInterpreter::HandleShop(const EventCommand& command)
{
    if (m_nSubState == 0)
    {
        ItemList goods;
        for (const ShopItemEntry& entry : command.m_ShopItem)
        {
            if (entry.m_nItem != 0 && IsTableIndex(entry.m_nItem, ItemTable.Count()))
            {
                goods.emplace_back(entry.m_nItem, kShopGoodsCount);
            }
        }
        if (CommandArg(command, 0))
        {
            for (const ItemStack& stack : goods)
            {
                Progress.AddShopGoods(stack);
            }
        }
        m_Host.OpenShop(goods);
        m_nSubState = 1;
    }
    return m_Host.RunShop() != 0 ? 1 : 0;
}

int EventInterpreter::HandleHireList(const EventCommand& command)
{
    ApplyHireListCommand(command);
    return 1;
}

int EventInterpreter::HandleParty(const EventCommand& command)
{
    // Members that leave go off the map: where each stood before the change.
    struct Member
    {
        UnitRecord* m_pUnit;
        int32_t m_nX;
        int32_t m_nY;
    };
    std::vector<Member> before;
    for (UnitRecord& unit : PartyUnits)
    {
        if (unit.IsPartyMember())
        {
            before.push_back({&unit, unit.m_nPlayE, unit.m_nPlayF});
        }
    }
    ApplyPartyCommand(command);
    for (const Member& member : before)
    {
        if (!member.m_pUnit->IsPartyMember())
        {
            m_Host.Field().RemoveUnitAt(*member.m_pUnit, member.m_nX, member.m_nY);
            member.m_pUnit->SetHeldEvent(-1);
            m_Host.UnitLeftParty(*member.m_pUnit);
        }
    }
    return 1;
}

int EventInterpreter::HandleStageClear(const EventCommand&)
{
    m_nResult = kEventResultStageClear;
    return 1;
}

int EventInterpreter::HandleGameOver(const EventCommand&)
{
    m_nResult = kEventResultGameOver;
    return 1;
}
