#pragma once

// How skills, items, item lists and lands show on the screen: an icon from the
// symbol sheet with the name beside it, optionally the SP cost, price or
// count; name boxes, description lines, the item list window and the land
// information box. Icons are 16 x 16 cells of the symbol sheet; a skill takes
// the symbol of its skill category, an item that of its item category.
//
// Records whose own position (m_nSkillB, m_nItemB) is 0 are the empty entry
// of their table and draw nothing.

#include "common/data/CharacterRecord.h"
#include "common/data/ItemRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/SkillRecord.h"
#include "game/data/ItemStack.h"
#include "game/engine/DrawTarget.h"

// What an item row shows after the name.
enum PriceMode : int
{
    kPriceNone = 0,
    kPriceBuy = 1,  // the item's price
    kPriceSell = 2, // its sell price
};

// Rows of a list window are this high; the first row is the title row.
constexpr int kListRowHeight = 16;

// Icon at (x, y), name at (x + 16, y) in the font; with showCost the SP cost
// ("%2d") at (x + 160, y).
void DrawIconName(DrawTarget& target, const SkillRecord& skill, int x, int y, int font, int showCost);
// A window one character wider than the name and one row high, the icon and
// the name in the standard font.
void DrawNameBox(DrawTarget& target, const SkillRecord& skill, int x, int y);
// A window 608 x 16 with the skill's description.
void DrawDescription(DrawTarget& target, const SkillRecord& skill, int x, int y);
// The description of a known skill's skill.
void DrawDescription(DrawTarget& target, const SkillEntry& entry, int x, int y);

// Icon at (x, y), name at (x + 16, y) in the standard font; with a price mode
// the price or the sell price ("%6dS") at (x + 160, y).
void DrawIconName(DrawTarget& target, const ItemRecord& item, int x, int y, int priceMode);
void DrawNameBox(DrawTarget& target, const ItemRecord& item, int x, int y);
void DrawDescription(DrawTarget& target, const ItemRecord& item, int x, int y);
// The description of a stack's item.
void DrawDescription(DrawTarget& target, const ItemStack& stack, int x, int y);

// A stack with an item: its icon and name (with the price mode), and with
// showCount its count ("%2d") at x + 288 when a price is shown, else x + 160.
void DrawStack(DrawTarget& target, const ItemStack& stack, int x, int y, int showCount, int priceMode);

// The item list window at (x, y): 160 wide, 208 with counts, 288 with prices,
// 336 with both; rows + 1 rows high; a line under the title row, the title
// (null: "    もちもの"), then the stacks from position first, one a row at
// x + 16. An empty stack shows emptyText at x when one is given. Rows past
// the end of the list stay blank.
void DrawInventoryList(DrawTarget& target, int x, int y, const ItemList& list, int first, int rows, int showCount,
                       int priceMode, const char* title, const char* emptyText);

// The land's text box in white at (x, y): with withHeader a first line with
// the name and "いどうふかのう" or the movement cost, then the description.
// Nothing when there is no text.
void DrawLandInfo(DrawTarget& target, const LandRecord& land, int x, int y, int withHeader);
