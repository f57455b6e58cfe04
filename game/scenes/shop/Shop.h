#pragma once

// The shop: the party buys items of a goods list and sells items of its
// stock for money. Two owners open it: the camp with the play-through's shop
// goods, and the stage map's event "お店" with the goods of its command. The
// owner gives it the goods (SetGoods), then calls RunShop once a frame, with
// the frame's input (key repeat and button latch applied) and what to draw
// on, until it reports that it has closed; the owner draws what lies behind
// it first (the camp clears the screen, the stage map draws the map).
//
// The shop keeps its cursors on the menu cursor stack: its first frame
// pushes a level for its top menu and closing pops it, so the owner finds
// its own level as it left it.
//
// Top menu "かう\nうる\nでる": buy (refused while there are no goods), sell,
// leave. Button 2 leaves too, but only in the camp: on the stage map the
// shop is left through "でる" alone. Buying asks a quantity that stays
// within what the stock can still take and what the money pays for; selling
// one that stays within the count held, each at the item's sell price.

#include "game/data/ItemStack.h"
#include "game/engine/DrawTarget.h"
#include "game/engine/InputState.h"

#include <cstdint>

enum class ShopOwner
{
    Camp,  // button 2 leaves the shop
    Stage, // only "でる" leaves it
};

// Plays a sound of the shop: while an event runs (the event thread exists)
// the sound goes to the game thread as a request of kind kEventRequestSound,
// otherwise it plays at once.
void PlayShopSound(int number);

// Layout: the lists at (192, 64) with up to 15 rows, the top menu centred
// across at y = 272, the quantity, the money and the count held at x = 240
// under the last row of the list.
constexpr int kShopListX = 192;
constexpr int kShopListY = 64;
constexpr int kShopListRows = 15;
constexpr int kShopMenuY = 272;
constexpr int kShopTextX = 240;
constexpr int kShopQuantityBelow = 20; // below the top of the list's last row
constexpr int kShopMoneyBelow = 56;
constexpr int kShopHeldBelow = 76;

class Shop
{
public:
    enum SubState
    {
        kOpening = 0,
        kMenu = 1,
        kBuyList = 2,
        kBuyQuantity = 3,
        kSellList = 4,
        kSellQuantity = 5,
    };
    enum MenuEntry
    {
        kMenuBuy = 0,
        kMenuSell = 1,
        kMenuLeave = 2,
    };

    explicit Shop(ShopOwner owner = ShopOwner::Camp);

    void SetOwner(ShopOwner owner) { m_Owner = owner; }
    ShopOwner Owner() const { return m_Owner; }

    // The goods on offer: the list's stacks that name an item of the item
    // table, in order (their counts do not matter: goods never run out).
    // The shop opens afresh on its next frame.
    void SetGoods(const ItemList& goods);

    // One frame of the shop. 1 when it closed in this frame (its cursor level
    // popped, ready to open again), else 0.
    int RunShop(const InputState& input, DrawTarget& target);

    int SubState() const { return m_nSubState; }
    const ItemList& Goods() const { return m_Goods; }
    // The entry of the list chosen for the quantity, and the quantity.
    int Chosen() const { return m_nChosen; }
    int32_t Quantity() const { return m_nQuantity; }

private:
    int Menu(const InputState& input, DrawTarget& target);
    void BuyList(const InputState& input, DrawTarget& target);
    void BuyQuantity(const InputState& input, DrawTarget& target);
    void SellList(const InputState& input, DrawTarget& target);
    void SellQuantity(const InputState& input, DrawTarget& target);

    // The cursor of a list moved; the sound of the move.
    void MoveListCursor(const InputState& input, int count);
    // Opens a list at its top (a cursor level of its own).
    void OpenList(int subState);
    // Back from a list to the top menu.
    void CloseList();
    // The list window (the goods with their prices, or the stock with the
    // counts and sell prices) with the pointer on the entry, the money and
    // the count held of the entry's item.
    void DrawList(DrawTarget& target, const ItemList& list, int entry, bool buying) const;
    // The quantity box under the list.
    void DrawQuantity(DrawTarget& target, const ItemList& list, const char* format, int64_t total) const;
    // Up +1, down -1, left -10, right +10, with the cursor sound.
    void StepQuantity(const InputState& input);
    // The purchase quantity cut to what the stock takes and the money pays for.
    void LimitPurchase();
    // The top of the list's last row.
    int LastRowY(const ItemList& list) const;

    ShopOwner m_Owner;
    ItemList m_Goods;
    int m_nSubState = kOpening;
    int32_t m_nFirst = 0; // the list's first visible entry
    int m_nChosen = 0;
    int32_t m_nQuantity = 0;
};
