#include "editor/event/ActionRowTexts.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "platform/core/Format.h"

#include <cstdarg>

namespace
{

// Argument n of the command; 0 when the command has no such argument.
int32_t IntArg(const EventCommand& command, int n)
{
    return IsTableIndex(n, command.m_nValParam.Count()) ? command.m_nValParam[static_cast<size_t>(n)] : 0;
}

const char* StringArg(const EventCommand& command, int n)
{
    return IsTableIndex(n, command.m_StrParam.Count()) ? command.m_StrParam[static_cast<size_t>(n)].m_str.c_str()
                                                       : "";
}

// Entry index of a word list of count entries.
const char* Word(const char* const* list, int count, int32_t index)
{
    return IsTableIndex(index, count) ? list[index] : kMissingName;
}

// The name of a record of a project table.
template <class Record>
const char* TableName(const CheckedVector<Record>& table, int32_t index)
{
    return IsTableIndex(index, table.Count()) ? table[static_cast<size_t>(index)].m_strName.c_str() : kMissingName;
}

const char* VariableName(int32_t index)
{
    return IsTableIndex(index, GValInfo.Count()) ? GValInfo[static_cast<size_t>(index)].m_str.c_str() : kMissingName;
}

void Append(std::string& text, const char* format, ...) TK_PRINTF(2, 3);
void Append(std::string& text, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    text += platform::VFormat(format, args);
    va_end(args);
}

// The friend commands: name and signed change.
void AppendFriendChange(std::string& text, const EventCommand& command)
{
    Append(text, " : %s %s", TableName(FriendTable, IntArg(command, 0)), SignedValue(IntArg(command, 1)).c_str());
}

} // namespace

std::string SignedValue(int32_t value)
{
    std::string text;
    FormatString(text, value > 0 ? "+%d" : "%d", value);
    return text;
}

void PageRowText(std::string& text, int, const EventPage& page)
{
    FormatString(text, "ｱｸｼｮﾝ×%d", page.m_Action.Count());
}

void ActionRowText(std::string& text, int, const EventCommand& command)
{
    text = IsEventCommandCode(command.m_nCode) ? EventCommandTable[command.m_nCode].m_pName : kMissingName;
    if (IsEventCommandCode(command.m_nCode))
    {
        if (ActionSummaryFormatter summarize = ActionSummaryFormatters[command.m_nCode])
        {
            summarize(text, command);
        }
    }
}

void SummarizeMessage(std::string& text, const EventCommand& command)
{
    text += " : ";
    text += StringArg(command, 0);
}

void SummarizeWait(std::string& text, const EventCommand& command)
{
    Append(text, " : %d", IntArg(command, 0));
}

void SummarizeMoveCursor(std::string& text, const EventCommand& command)
{
    Append(text, " : %s", Word(CursorTargetNames, kCursorTargetCount, IntArg(command, 0)));
}

void SummarizeEnemyGroup(std::string& text, const EventCommand& command)
{
    Append(text, IntArg(command, 1) == 1 ? " : グループ %d を ON" : " : グループ %d を OFF", IntArg(command, 0));
}

void SummarizeEventVariable(std::string& text, const EventCommand& command)
{
    Append(text, " : イベント変数 %s %d", Word(OperatorNames, kOperatorCount, IntArg(command, 0)), IntArg(command, 1));
}

void SummarizeVariable(std::string& text, const EventCommand& command)
{
    Append(text, " : 変数「%s」%s %d", VariableName(IntArg(command, 0)),
           Word(OperatorNames, kOperatorCount, IntArg(command, 1)), IntArg(command, 2));
}

void SummarizeMapChip(std::string& text, const EventCommand& command)
{
    const int32_t replaced = IntArg(command, 1);
    Append(text, " : %s の %s を %s に変更", Word(AreaConditionNames, kAreaConditionCount, IntArg(command, 0)),
           replaced == -1 ? "全マップチップ" : TableName(LandTable, replaced), TableName(LandTable, IntArg(command, 2)));
}

void SummarizeGraphic(std::string& text, const EventCommand& command)
{
    // Counted from 1 in 64 bits: the largest stored number has its successor too.
    Append(text, " : %lld 番に変更", static_cast<long long>(IntArg(command, 0)) + 1);
}

void SummarizeBgm(std::string& text, const EventCommand& command)
{
    Append(text, " : %s のBGMを %s に変更", Word(BgmSceneNames, kBgmSceneCount, IntArg(command, 0)),
           StringArg(command, 0));
}

void SummarizeStatus(std::string& text, const EventCommand& command)
{
    const char* stat = Word(StatNames, kStatCount, IntArg(command, 4));
    const std::string change = SignedValue(IntArg(command, 5));
    if (IntArg(command, 0) != 0)
    {
        Append(text, " : イベント発生対象 に %s%s", stat, change.c_str());
    }
    else
    {
        Append(text, " : %s の %s に %s%s", Word(AreaConditionNames, kAreaConditionCount, IntArg(command, 1)),
               Word(CharacterSelectorNames, kCharacterSelectorCount, IntArg(command, 2)), stat, change.c_str());
    }
    if (IntArg(command, 6) != 0)
    {
        text += "％";
    }
}

void SummarizeMoney(std::string& text, const EventCommand& command)
{
    text += " : " + SignedValue(IntArg(command, 0));
}

void SummarizeItems(std::string& text, const EventCommand& command)
{
    Append(text, " : %s %s", TableName(ItemTable, IntArg(command, 0)), SignedValue(IntArg(command, 1)).c_str());
}

void SummarizeShop(std::string& text, const EventCommand& command)
{
    text += " : ";
    for (const ShopItemEntry& goods : command.m_ShopItem)
    {
        text += TableName(ItemTable, goods.m_nItem);
        text += ' ';
    }
}

void SummarizeCompanionShop(std::string& text, const EventCommand& command)
{
    AppendFriendChange(text, command);
}

void SummarizeParty(std::string& text, const EventCommand& command)
{
    AppendFriendChange(text, command);
}

const ActionSummaryFormatter ActionSummaryFormatters[kEventCommandCount] = {
    nullptr,
    SummarizeMessage,
    SummarizeWait,
    SummarizeMoveCursor,
    SummarizeEnemyGroup,
    SummarizeEventVariable,
    SummarizeVariable,
    SummarizeMapChip,
    SummarizeGraphic,
    SummarizeBgm,
    SummarizeStatus,
    SummarizeMoney,
    SummarizeItems,
    SummarizeShop,
    SummarizeCompanionShop,
    SummarizeParty,
    nullptr,
    nullptr,
};
