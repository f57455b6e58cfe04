#pragma once

// The one-line texts of the event dialog's lists. A page row tells how many
// actions the page has; an action row is the name of the action's kind and a
// short summary of its arguments, so that an author reads a page's script
// without opening each action ("ウエイト : 30", "お金の操作 : -20").
//
// Names are looked up in the project's tables (variable names, lands, items,
// friends) and in the event word lists. Drawing a row never fails and never
// reports: an index outside its table, or an argument the command lacks,
// shows kMissingName (or 0) in its place.

#include "common/data/Event.h"
#include "common/data/EventVocabulary.h"

#include <string>

// What a row shows for a name whose index has no entry in its table.
inline constexpr const char* kMissingName = "?";

// Appends the summary of the command's arguments to text.
using ActionSummaryFormatter = void (*)(std::string& text, const EventCommand& command);

// The formatter of each command code; null for 0 (the empty command), 16 and
// 17 (stage clear and game over), which have no arguments to show.
extern const ActionSummaryFormatter ActionSummaryFormatters[kEventCommandCount];

// "ｱｸｼｮﾝ×%d" with the number of actions of the page (the page list numbers its rows itself).
void PageRowText(std::string& text, int index, const EventPage& page);
// The name of the command's kind, then its summary.
void ActionRowText(std::string& text, int index, const EventCommand& command);

// The signed form of a change: "+7", "0", "-20".
std::string SignedValue(int32_t value);

// 1 " : %s": the message text.
void SummarizeMessage(std::string& text, const EventCommand& command);
// 2 " : %d": the frames waited.
void SummarizeWait(std::string& text, const EventCommand& command);
// 3 " : %s": where the cursor goes.
void SummarizeMoveCursor(std::string& text, const EventCommand& command);
// 4 " : グループ %d を ON" (argument 1 is 1) or " : グループ %d を OFF".
void SummarizeEnemyGroup(std::string& text, const EventCommand& command);
// 5 " : イベント変数 %s %d": operator and operand.
void SummarizeEventVariable(std::string& text, const EventCommand& command);
// 6 " : 変数「%s」%s %d": variable name, operator and operand.
void SummarizeVariable(std::string& text, const EventCommand& command);
// 7 " : %s の %s を %s に変更": area, the land replaced ("全マップチップ" for -1), the new land.
void SummarizeMapChip(std::string& text, const EventCommand& command);
// 8 " : %d 番に変更": the graphic counted from 1.
void SummarizeGraphic(std::string& text, const EventCommand& command);
// 9 " : %s のBGMを %s に変更": scene and music file.
void SummarizeBgm(std::string& text, const EventCommand& command);
// 10 " : イベント発生対象 に HP+5" (argument 0 set) or " : %s の %s に %s%s" with area and
// selector; "％" after the value when argument 6 is set.
void SummarizeStatus(std::string& text, const EventCommand& command);
// 11 " : %s": the signed amount.
void SummarizeMoney(std::string& text, const EventCommand& command);
// 12 " : %s %s": item name and signed count.
void SummarizeItems(std::string& text, const EventCommand& command);
// 13 " : " and each article's name followed by a blank.
void SummarizeShop(std::string& text, const EventCommand& command);
// 14 " : %s %s": friend name and signed change.
void SummarizeCompanionShop(std::string& text, const EventCommand& command);
// 15 " : %s %s": friend name and signed change.
void SummarizeParty(std::string& text, const EventCommand& command);
