#include "EventCommandCheck.h"

#include "common/data/Event.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/data/StageRecord.h"

#include <algorithm>

namespace
{

// Clamps argument index into 1 .. count - 1: a row of a table whose row 0 is never chosen.
void ClampRow(EventCommand& command, int index, int32_t count)
{
    ClampArgument(command.m_nValParam.At(index), 1, count - 1);
}

void ClampGroup(EventCommand& command, int index, const StageRecord& stage)
{
    ClampRow(command, index, stage.m_GroupPos.Count());
}

} // namespace

void ClampArgument(int32_t& value, int32_t low, int32_t high)
{
    if (high < low)
    {
        value = 0;
    }
    else if (value < low)
    {
        value = low;
    }
    else if (value > high)
    {
        value = high;
    }
}

void ValidateMoveCursorArgs(EventCommand& command, const StageRecord* stage)
{
    if (stage)
    {
        ClampGroup(command, 1, *stage);
        ClampArgument(command.m_nValParam.At(2), 0, stage->m_nWidth - 1);
        ClampArgument(command.m_nValParam.At(3), 0, stage->m_nHeight - 1);
    }
}

void ValidateChangeMapChipArgs(EventCommand& command, const StageRecord* stage)
{
    ClampArgument(command.m_nValParam.At(1), -1, LandTable.Count() - 1);
    ClampArgument(command.m_nValParam.At(2), 0, LandTable.Count() - 1);
    if (stage)
    {
        ClampGroup(command, 3, *stage);
    }
}

void ValidateStatusArgs(EventCommand& command, const StageRecord* stage)
{
    if (stage)
    {
        ClampGroup(command, 3, *stage);
    }
}

void ValidateItemArgs(EventCommand& command, const StageRecord*)
{
    ClampRow(command, 0, ItemTable.Count());
}

void ValidateShopArgs(EventCommand& command, const StageRecord*)
{
    int items = ItemTable.Count();
    std::erase_if(command.m_ShopItem,
                  [items](const ShopItemEntry& goods) { return !IsTableIndex(goods.m_nItem, items); });
}

void ValidateFriendArgs(EventCommand& command, const StageRecord*)
{
    ClampRow(command, 0, FriendTable.Count());
}

const EventCommandCheck EventCommandCheckTable[kEventCommandCount] = {
    nullptr,                   // 0
    nullptr,                   // 1 message
    nullptr,                   // 2 wait
    ValidateMoveCursorArgs,    // 3
    nullptr,                   // 4 enemy group
    nullptr,                   // 5 event variable
    nullptr,                   // 6 variable
    ValidateChangeMapChipArgs, // 7
    nullptr,                   // 8 graphic: its check changes nothing
    nullptr,                   // 9 music
    ValidateStatusArgs,        // 10
    nullptr,                   // 11 money
    ValidateItemArgs,          // 12
    ValidateShopArgs,          // 13
    ValidateFriendArgs,        // 14
    ValidateFriendArgs,        // 15
    nullptr,                   // 16 stage clear
    nullptr,                   // 17 game over
};
