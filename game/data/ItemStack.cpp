#include "ItemStack.h"

#include "common/data/ProjectData.h"

#include <algorithm>

ItemStack::ItemStack()
{
    BindFields(kDataFormatVersion);
}

ItemStack::ItemStack(int32_t item, int32_t count) : ItemStack()
{
    m_nItem = item;
    m_nCount = count;
}

void ItemStack::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nItem, "m_nItem");
    BindInt(m_nCount, "m_nCount");
}

namespace
{

bool IsFree(const ItemStack& stack)
{
    return stack.m_nItem == 0 && stack.m_nCount == 0;
}

int FindFree(const ItemList& list, int end)
{
    for (int i = 0; i < end; ++i)
    {
        if (IsFree(list[static_cast<std::size_t>(i)]))
        {
            return i;
        }
    }
    return -1;
}

// count + delta within 0..limit, without overflow.
int32_t ClampCount(int64_t count, int32_t limit)
{
    return static_cast<int32_t>(std::clamp<int64_t>(count, 0, std::max(limit, 0)));
}

} // namespace

int FindStackOfType(const ItemList& list, int32_t kind)
{
    for (int i = 0; i < list.Count(); ++i)
    {
        const ItemStack& stack = list[static_cast<std::size_t>(i)];
        if (stack.m_nItem != 0 && ItemTable.At(stack.m_nItem).m_nKind == kind)
        {
            return i;
        }
    }
    return -1;
}

int FindStack(const ItemList& list, int32_t item)
{
    auto it = std::find_if(list.begin(), list.end(), [item](const ItemStack& s) { return s.m_nItem == item; });
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int32_t CountStack(const ItemList& list, int32_t item)
{
    int i = FindStack(list, item);
    return i < 0 ? 0 : list[static_cast<std::size_t>(i)].m_nCount;
}

int AddToStacks(ItemList& list, int32_t item, int32_t delta)
{
    if (item == 0 || !IsTableIndex(item, ItemTable.Count()))
    {
        return 0;
    }
    const int32_t limit = ItemTable.At(item).m_nMaxCount;
    int i = FindStack(list, item);
    if (delta > 0)
    {
        if (i < 0)
        {
            i = FindFree(list, list.Count());
            if (i < 0)
            {
                return 0;
            }
            list[static_cast<std::size_t>(i)].m_nItem = item;
        }
        ItemStack& stack = list[static_cast<std::size_t>(i)];
        stack.m_nCount = ClampCount(static_cast<int64_t>(stack.m_nCount) + delta, limit);
        return 1;
    }
    if (delta == 0)
    {
        return 1;
    }
    if (i < 0)
    {
        return 0;
    }
    ItemStack& stack = list[static_cast<std::size_t>(i)];
    stack.m_nCount = ClampCount(static_cast<int64_t>(stack.m_nCount) + delta, limit);
    if (stack.m_nCount <= 0)
    {
        stack.m_nItem = 0;
    }
    return 1;
}

void FilterStacksByType(const ItemList& source, ItemList& target, int32_t kind, int addEmpty)
{
    ItemList filtered;
    for (const ItemStack& stack : source)
    {
        if (stack.m_nItem != 0 && ItemTable.At(stack.m_nItem).m_nKind == kind)
        {
            filtered.push_back(stack);
        }
    }
    if (addEmpty)
    {
        filtered.emplace_back();
    }
    target.swap(filtered);
}

void FitStacksToItemTable(ItemList& list)
{
    const int items = ItemTable.Count();
    for (ItemStack& stack : list)
    {
        if (stack.m_nItem != 0 && !IsTableIndex(stack.m_nItem, items))
        {
            stack = ItemStack();
        }
    }
    for (int i = items; i < list.Count(); ++i)
    {
        ItemStack& stack = list[static_cast<std::size_t>(i)];
        if (stack.m_nItem == 0)
        {
            continue;
        }
        int free = FindFree(list, items);
        if (free >= 0)
        {
            list[static_cast<std::size_t>(free)] = stack;
        }
    }
    list.resize(static_cast<std::size_t>(items));
}

void ClampStackCounts(ItemList& list)
{
    for (ItemStack& stack : list)
    {
        if (stack.m_nItem != 0 && IsTableIndex(stack.m_nItem, ItemTable.Count()))
        {
            stack.m_nCount = ClampCount(stack.m_nCount, ItemTable.At(stack.m_nItem).m_nMaxCount);
        }
    }
}

ItemList FilledStacks(const ItemList& list)
{
    ItemList filled;
    for (const ItemStack& stack : list)
    {
        if (stack.IsFilled())
        {
            filled.push_back(stack);
        }
    }
    return filled;
}
