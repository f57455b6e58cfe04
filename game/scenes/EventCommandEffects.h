#pragma once

// What the event commands that change the play-through do to it: variables,
// the music names, money, the item stock, the hire list and the party. The
// start event of a new game runs through these alone, at once and without
// frames; the stage's event interpreter runs the same effects for its
// commands of these kinds. Arguments are the command's ints p0, p1, p2 and its
// string s0.

#include "common/data/Event.h"

#include <cstdint>
#include <string>

// The most entries the hire list holds: a command that would add more adds
// only up to it.
constexpr int kMaxHireListEntries = 1000;

// Int argument index of the command; 0 when it has no such argument.
int32_t CommandArg(const EventCommand& command, int index);
// The first string argument; empty when it has none.
const std::string& CommandText(const EventCommand& command);

// 6: global variable p0 := operator p1 with operand p2, kept within -999999..999999.
void ApplyVariableCommand(const EventCommand& command);
// 9: the play-through's music name p0 := s0 (no music starts).
void ApplyMusicNameCommand(const EventCommand& command);
// 11: money + p0, kept within 0..999999.
void ApplyMoneyCommand(const EventCommand& command);
// 12: p1 of item p0 into the stock (a negative count takes them out).
void ApplyItemsCommand(const EventCommand& command);
// 14: friend p0 of the Friend table (nothing for another number): p1 > 0
// adds p1 copies to the hire list, p1 < 0 takes up to -p1 of its entries out.
void ApplyHireListCommand(const EventCommand& command);
// 15: friend p0: p1 > 0 adds p1 units of it to the party while slots are
// free (a party of one makes its member the leader); p1 < 0 takes up to -p1
// of its members that are not the leader out, their slots freed.
void ApplyPartyCommand(const EventCommand& command);

// The start event of a new game: each command of its first page in order,
// the six kinds above applied and any other kind skipped.
void RunStartEvent(const Event& event);
