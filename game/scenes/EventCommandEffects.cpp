#include "game/scenes/EventCommandEffects.h"

#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/services/MessageBoxes.h"
#include "game/data/GameData.h"
#include "game/data/ValueOperations.h"

#include <algorithm>

namespace
{

// How many a negative count asks to take out, without overflow.
int64_t Removals(int32_t count)
{
    return -int64_t{count};
}

} // namespace

int32_t CommandArg(const EventCommand& command, int index)
{
    return IsTableIndex(index, command.m_nValParam.Count()) ? command.m_nValParam.At(index) : 0;
}

const std::string& CommandText(const EventCommand& command)
{
    static const std::string empty;
    return command.m_StrParam.empty() ? empty : command.m_StrParam.At(0).m_str;
}

void ApplyVariableCommand(const EventCommand& command)
{
    const int32_t number = CommandArg(command, 0);
    int32_t value = Progress.GetVariable(number);
    ApplyValueOperation(value, CommandArg(command, 2), CommandArg(command, 1), kMinVariableValue, kMaxVariableValue);
    Progress.SetVariable(number, value);
}

void ApplyMusicNameCommand(const EventCommand& command)
{
    if (!command.m_StrParam.empty())
    {
        Progress.SetMusicName(CommandArg(command, 0), CommandText(command));
    }
}

void ApplyMoneyCommand(const EventCommand& command)
{
    Progress.AddMoney(CommandArg(command, 0));
}

void ApplyItemsCommand(const EventCommand& command)
{
    Progress.AddItem(CommandArg(command, 0), CommandArg(command, 1));
}

void ApplyHireListCommand(const EventCommand& command)
{
    const int32_t friendIndex = CommandArg(command, 0);
    const int32_t count = CommandArg(command, 1);
    ShowDebugErrorF("rEventAct.m_nValParam[0] = %d", friendIndex);
    if (!IsTableIndex(friendIndex, FriendTable.Count()))
    {
        return;
    }
    if (count > 0)
    {
        const UnitRecord unit(FriendTable.At(friendIndex));
        for (int32_t i = 0; i < count && Progress.m_HireList.Count() < kMaxHireListEntries; ++i)
        {
            if (!Progress.AddToHireList(unit))
            {
                break;
            }
        }
        return;
    }
    int64_t left = Removals(count);
    auto& list = Progress.m_HireList;
    for (auto it = list.begin(); it != list.end() && left > 0;)
    {
        if (it->m_nHead == friendIndex)
        {
            it = list.erase(it);
            --left;
        }
        else
        {
            ++it;
        }
    }
}

void ApplyPartyCommand(const EventCommand& command)
{
    const int32_t friendIndex = CommandArg(command, 0);
    const int32_t count = CommandArg(command, 1);
    if (!IsTableIndex(friendIndex, FriendTable.Count()))
    {
        return;
    }
    if (count > 0)
    {
        const UnitRecord unit(FriendTable.At(friendIndex));
        for (int32_t i = 0; i < count; ++i)
        {
            const int slot = FindFreeSlot(PartyUnits);
            if (slot < 0 || !Progress.JoinParty(unit))
            {
                break;
            }
            if (CountPartyMembers(PartyUnits) == 1)
            {
                PartyUnits.At(slot).m_nPlayA = 1;
            }
        }
        return;
    }
    int64_t left = Removals(count);
    for (UnitRecord& unit : PartyUnits)
    {
        if (left <= 0)
        {
            break;
        }
        if (unit.IsPartyMember() && unit.m_nHead == friendIndex && !unit.m_nPlayA)
        {
            unit.MakeEmpty();
            --left;
        }
    }
}

void RunStartEvent(const Event& event)
{
    if (event.m_Page.empty())
    {
        return;
    }
    for (const EventCommand& command : event.m_Page.At(0).m_Action)
    {
        switch (command.m_nCode)
        {
        case kCommandVariable:
            ApplyVariableCommand(command);
            break;
        case kCommandMusic:
            ApplyMusicNameCommand(command);
            break;
        case kCommandMoney:
            ApplyMoneyCommand(command);
            break;
        case kCommandItems:
            ApplyItemsCommand(command);
            break;
        case kCommandFriendShop:
            ApplyHireListCommand(command);
            break;
        case kCommandParty:
            ApplyPartyCommand(command);
            break;
        default:
            break;
        }
    }
}
