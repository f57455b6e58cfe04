#pragma once

// Item lists of the game: the party's stock, the shop goods and the lists
// filtered from them. A list is a vector of stacks {item index, count}; a
// stack with item 0 is empty.

#include "common/data/SerializableRecord.h"

#include <cstdint>

class ItemStack : public SerializableRecord
{
public:
    // Bound at the current format, empty.
    ItemStack();
    ItemStack(int32_t item, int32_t count);
    void BindFields(int32_t version) override;

    // Holds an item and at least one of it.
    bool IsFilled() const { return m_nItem != 0 && m_nCount > 0; }

    int32_t m_nItem = 0;
    int32_t m_nCount = 0;
};

using ItemList = CheckedVector<ItemStack>;

// Position of the first stack whose item is of that kind (ItemKindNames);
// -1 when none. Empty stacks are skipped.
int FindStackOfType(const ItemList& list, int32_t kind);
// Position of the stack holding the item; -1 when none.
int FindStack(const ItemList& list, int32_t item);
// The count of the stack holding the item; 0 when none.
int32_t CountStack(const ItemList& list, int32_t item);

// Adds delta of an item (a negative delta removes), keeping every count in
// 0..the item's maximum count. A new item takes the first stack that has
// neither item nor count; a stack emptied by a removal loses its item.
// 1 when done; 0 for item 0, an item outside the item table, no free stack
// for a new item, or a removal of an item that no stack holds.
int AddToStacks(ItemList& list, int32_t item, int32_t delta);

// The target becomes the source's stacks whose item is of that kind, in order;
// with addEmpty an empty stack follows them.
void FilterStacksByType(const ItemList& source, ItemList& target, int32_t kind, int addEmpty);

// The stacks of the list that hold an item (IsFilled), in order.
ItemList FilledStacks(const ItemList& list);

// Brings a list to count stacks (one per item of the item table). Stacks
// whose item is no longer in the table are emptied; a stack that the cut would
// drop moves into the first free stack that stays.
void FitStacksToItemTable(ItemList& list);

// Every count of a stack holding an item of the item table into 0..the item's
// maximum count (as AddToStacks keeps them).
void ClampStackCounts(ItemList& list);
