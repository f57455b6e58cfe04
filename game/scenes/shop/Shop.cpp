#include "game/scenes/shop/Shop.h"

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/data/TargetsAndPrices.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "game/engine/Thread.h"
#include "game/scenes/EventInterpreter.h"
#include "game/scenes/MenuBox.h"

#include <algorithm>

namespace
{

const MenuBox& TopMenu()
{
    static const MenuBox menu("かう\nうる\nでる", kCentred, kShopMenuY);
    return menu;
}

constexpr int kQuantityStep = 10;

const ItemRecord* ItemOf(const ItemList& list, int entry)
{
    if (!IsTableIndex(entry, list.Count()))
    {
        return nullptr;
    }
    const int32_t item = list.At(entry).m_nItem;
    return item != 0 && IsTableIndex(item, ItemTable.Count()) ? &ItemTable.At(item) : nullptr;
}

int RowsShown(const ItemList& list)
{
    return std::min(kShopListRows, list.Count());
}

void PlayShopCursorSound(int directions, int axes)
{
    for (int n = CursorSoundCount(directions, axes); n > 0; --n)
    {
        PlayShopSound(kSeCursor);
    }
}

} // namespace

void PlayShopSound(int number)
{
    if (!thEvent.IsFinished())
    {
        thEvent.QueueRequest(kEventRequestSound, number, 0);
        return;
    }
    RequestSound(number);
}

Shop::Shop(ShopOwner owner) : m_Owner(owner)
{
}

void Shop::SetGoods(const ItemList& goods)
{
    m_Goods.clear();
    for (const ItemStack& stack : goods)
    {
        if (stack.m_nItem != 0 && IsTableIndex(stack.m_nItem, ItemTable.Count()))
        {
            m_Goods.push_back(stack);
        }
    }
    m_nSubState = kOpening;
}

int Shop::RunShop(const InputState& input, DrawTarget& target)
{
    switch (m_nSubState)
    {
    case kOpening:
        TopMenu().Open(kMenuBuy);
        m_nSubState = kMenu;
        return Menu(input, target);
    case kMenu:
        return Menu(input, target);
    case kBuyList:
        BuyList(input, target);
        return 0;
    case kBuyQuantity:
        BuyQuantity(input, target);
        return 0;
    case kSellList:
        SellList(input, target);
        return 0;
    case kSellQuantity:
        SellQuantity(input, target);
        return 0;
    default:
        m_nSubState = kOpening;
        return 0;
    }
}

int Shop::Menu(const InputState& input, DrawTarget& target)
{
    const MenuBox& menu = TopMenu();
    PlayShopCursorSound(menu.Move(input), kCursorAxisVertical);
    menu.Draw(target);

    bool close = false;
    if (input.m_nButtons & kInputButton1)
    {
        switch (menu.Row())
        {
        case kMenuBuy:
            if (m_Goods.empty())
            {
                PlayShopSound(kSeRefusal);
                break;
            }
            PlayShopSound(kSeChoice);
            OpenList(kBuyList);
            break;
        case kMenuSell:
            PlayShopSound(kSeChoice);
            OpenList(kSellList);
            break;
        default:
            PlayShopSound(kSeChoice);
            close = true;
            break;
        }
    }
    else if ((input.m_nButtons & kInputButton2) && m_Owner == ShopOwner::Camp)
    {
        PlayShopSound(kSeCancel);
        close = true;
    }
    if (!close)
    {
        return 0;
    }
    menu.Close();
    m_nSubState = kOpening;
    return 1;
}

void Shop::OpenList(int subState)
{
    MenuCursor.PushAt(0, 0);
    m_nFirst = 0;
    m_nSubState = subState;
}

void Shop::CloseList()
{
    PlayShopSound(kSeCancel);
    MenuCursor.Pop(1);
    m_nSubState = kMenu;
}

void Shop::MoveListCursor(const InputState& input, int count)
{
    MoveList(MenuCursor, input, true, m_nFirst, kShopListY + kListRowHeight, kListRowHeight, kShopListX,
             std::min(kShopListRows, count), count, true);
    PlayShopCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical);
}

void Shop::BuyList(const InputState& input, DrawTarget& target)
{
    MoveListCursor(input, m_Goods.Count());
    const int entry = MenuCursor.Current().m_nRow;
    DrawList(target, m_Goods, entry, true);

    if ((input.m_nButtons & kInputButton1) && ItemOf(m_Goods, entry))
    {
        PlayShopSound(kSeChoice);
        m_nChosen = entry;
        m_nQuantity = 1;
        m_nSubState = kBuyQuantity;
        LimitPurchase(); // the first frame of the quantity already shows what can be bought
    }
    else if (input.m_nButtons & kInputButton2)
    {
        CloseList();
    }
}

void Shop::LimitPurchase()
{
    const ItemRecord* item = ItemOf(m_Goods, m_nChosen);
    if (!item)
    {
        m_nQuantity = 0;
        return;
    }
    const int32_t limit = std::max(0, item->m_nMaxCount - Progress.GetItemCount(m_Goods.At(m_nChosen).m_nItem));
    m_nQuantity = std::clamp(m_nQuantity, 0, limit);
    const int64_t price = item->m_nPrice;
    if (price > 0 && price * m_nQuantity > Progress.m_nMoney)
    {
        m_nQuantity = static_cast<int32_t>(std::clamp<int64_t>(Progress.m_nMoney / price, 0, limit));
    }
}

void Shop::BuyQuantity(const InputState& input, DrawTarget& target)
{
    StepQuantity(input);
    LimitPurchase();
    const ItemRecord* item = ItemOf(m_Goods, m_nChosen);
    const int64_t total = item ? int64_t{item->m_nPrice} * m_nQuantity : 0;
    DrawList(target, m_Goods, m_nChosen, true);
    DrawQuantity(target, m_Goods, "いくつかう？\n %2dコ %6dS", total);

    if (input.m_nButtons & kInputButton1)
    {
        // A stock that takes no more of the item gets none and costs nothing.
        if (!item || m_nQuantity <= 0 || !Progress.AddItem(m_Goods.At(m_nChosen).m_nItem, m_nQuantity))
        {
            PlayShopSound(kSeRefusal);
            return;
        }
        PlayShopSound(kSeTrade);
        Progress.AddMoney(-total);
        m_nSubState = kBuyList;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        PlayShopSound(kSeCancel);
        m_nSubState = kBuyList;
    }
}

void Shop::SellList(const InputState& input, DrawTarget& target)
{
    const ItemList& stock = Progress.m_Items;
    MoveListCursor(input, stock.Count());
    const int entry = MenuCursor.Current().m_nRow;
    DrawList(target, stock, entry, false);

    if (input.m_nButtons & kInputButton1)
    {
        const ItemRecord* item = ItemOf(stock, entry);
        if (!item || !stock.At(entry).IsFilled() || item->m_nPrice == 0)
        {
            PlayShopSound(kSeRefusal);
            return;
        }
        PlayShopSound(kSeChoice);
        m_nChosen = entry;
        m_nQuantity = 1;
        m_nSubState = kSellQuantity;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        CloseList();
    }
}

void Shop::SellQuantity(const InputState& input, DrawTarget& target)
{
    const ItemList& stock = Progress.m_Items;
    const ItemRecord* item = ItemOf(stock, m_nChosen);
    if (!item || !stock.At(m_nChosen).IsFilled())
    {
        m_nSubState = kSellList; // the stack is gone (an event took it): nothing left to sell
        return;
    }
    StepQuantity(input);
    const int32_t held = stock.At(m_nChosen).m_nCount;
    m_nQuantity = std::clamp(m_nQuantity, 1, held);
    const int64_t total = int64_t{GetSellPrice(*item)} * m_nQuantity;
    DrawList(target, stock, m_nChosen, false);
    DrawQuantity(target, stock, "いくつうる？\n %2dコ %6dS", total);

    if (input.m_nButtons & kInputButton1)
    {
        PlayShopSound(kSeTrade);
        Progress.AddItem(stock.At(m_nChosen).m_nItem, -m_nQuantity);
        Progress.AddMoney(total);
        m_nSubState = kSellList;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        PlayShopSound(kSeCancel);
        m_nSubState = kSellList;
    }
}

void Shop::StepQuantity(const InputState& input)
{
    int64_t quantity = m_nQuantity;
    if (input.m_nDirections & kInputUp)
    {
        ++quantity;
    }
    else if (input.m_nDirections & kInputDown)
    {
        --quantity;
    }
    if (input.m_nDirections & kInputLeft)
    {
        quantity -= kQuantityStep;
    }
    else if (input.m_nDirections & kInputRight)
    {
        quantity += kQuantityStep;
    }
    m_nQuantity = static_cast<int32_t>(std::clamp<int64_t>(quantity, INT32_MIN, INT32_MAX));
    PlayShopCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical);
}

int Shop::LastRowY(const ItemList& list) const
{
    return kShopListY + kListRowHeight * RowsShown(list);
}

void Shop::DrawList(DrawTarget& target, const ItemList& list, int entry, bool buying) const
{
    const int rows = RowsShown(list);
    DrawInventoryList(target, kShopListX, kShopListY, list, m_nFirst, rows, buying ? 0 : 1,
                      buying ? kPriceBuy : kPriceSell, buying ? "    しょうひん" : nullptr, nullptr);
    if (entry - m_nFirst >= 0 && entry - m_nFirst < rows)
    {
        DrawMenuPointer(target, kShopListX, kShopListY + kListRowHeight * (1 + entry - m_nFirst));
    }
    const int lastRow = LastRowY(list);
    DrawTextBoxF(target, kFontStandard, kShopTextX, lastRow + kShopMoneyBelow, "%dS", Progress.m_nMoney);
    if (ItemOf(list, entry))
    {
        DrawTextBoxF(target, kFontStandard, kShopTextX, lastRow + kShopHeldBelow, "%dコもっています",
                     Progress.GetItemCount(list.At(entry).m_nItem));
    }
}

void Shop::DrawQuantity(DrawTarget& target, const ItemList& list, const char* format, int64_t total) const
{
    DrawTextBoxF(target, kFontStandard, kShopTextX, LastRowY(list) + kShopQuantityBelow, format, m_nQuantity,
                 static_cast<int>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX)));
}
