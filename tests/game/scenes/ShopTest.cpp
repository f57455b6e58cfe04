// The shop driven frame by frame with scripted input, on the game-data
// fixture: items 3 (100 S), 4 (30 S) and 5 (no price) are on offer and in
// the stock; the System sells at half price.

#include "game/scenes/shop/Shop.h"

#include "../data/GameDataTest.h"
#include "../data/RecordingDrawTarget.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/Thread.h"
#include "game/scenes/EventInterpreter.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>

namespace
{

constexpr int32_t kHerb = 3;  // 100 S
constexpr int32_t kSword = 4; // 30 S
constexpr int32_t kStone = 5; // no price

class ShopTest : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        MenuCursor.Reset();
        const int32_t prices[] = {0, 10, 20, 100, 30, 0};
        for (int i = 0; i < ItemTable.Count(); ++i)
        {
            ItemTable.At(i).m_nPrice = prices[i];
            ItemTable.At(i).m_nMaxCount = 99;
        }
        System.m_nItemSellRate = 50;
        Progress.m_Items.assign(static_cast<std::size_t>(ItemTable.Count()), ItemStack());
        m_Goods = {ItemStack(kHerb, 99), ItemStack(kSword, 99), ItemStack(), ItemStack(kStone, 99)};
    }
    void TearDown() override
    {
        MenuCursor.Reset();
        GameDataTest::TearDown();
    }

    // One frame a character: z, x, c buttons 1 to 3; u, d, l, r directions;
    // '.' nothing. The shop's result of each frame is added to `closed`.
    void Play(Shop& shop, const std::string& script)
    {
        for (char step : script)
        {
            InputState input;
            input.m_nDirections = step == 'u'   ? kInputUp
                                  : step == 'd' ? kInputDown
                                  : step == 'l' ? kInputLeft
                                  : step == 'r' ? kInputRight
                                                : 0;
            input.m_nButtons = step == 'z'   ? kInputButton1
                               : step == 'x' ? kInputButton2
                               : step == 'c' ? kInputButton3
                                             : 0;
            m_Target.Clear();
            m_nClosed += shop.RunShop(input, m_Target);
        }
    }
    // The sounds heard, without the cursor's.
    std::vector<int> Sounds() const
    {
        std::vector<int> sounds;
        std::copy_if(m_Sounds.begin(), m_Sounds.end(), std::back_inserter(sounds),
                     [](int n) { return n != kSeCursor; });
        return sounds;
    }
    // Whether the last frame made the call.
    bool Drew(const std::string& call) const
    {
        const auto& calls = m_Target.Calls();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    // Whether the last frame drew a text box with the text.
    bool Showed(const std::string& text) const
    {
        const std::string tail = "colour font " + text;
        const auto& calls = m_Target.Calls();
        return std::any_of(calls.begin(), calls.end(),
                           [&](const std::string& call) {
                               return call.size() >= tail.size() &&
                                      call.compare(call.size() - tail.size(), tail.size(), tail) == 0;
                           });
    }

    ItemList m_Goods;
    RecordingDrawTarget m_Target;
    int m_nClosed = 0;
};

TEST_F(ShopTest, ScriptedVisitsBuyAndSellWithinTheStockAndTheMoney)
{
    struct Case
    {
        const char* m_pName;
        std::function<void()> m_Setup;
        ShopOwner m_Owner;
        const char* m_pScript;
        int m_nSubState;
        int32_t m_nQuantity;
        int32_t m_nMoney;
        int32_t m_nItem;
        int32_t m_nHeld;
        std::vector<int> m_Sounds;
        const char* m_pShown; // the text of a box the last frame drew ("" for none)
    };
    const std::vector<Case> cases = {
        {"the quantity is cut to what the money buys",
         [] { Progress.m_nMoney = 250; },
         ShopOwner::Camp,
         ".zzr",
         Shop::kBuyQuantity,
         2,
         250,
         kHerb,
         0,
         {kSeChoice, kSeChoice},
         "いくつかう？\n  2コ    200S"},
        {"and the cut quantity is bought",
         [] { Progress.m_nMoney = 250; },
         ShopOwner::Camp,
         ".zzrz.",
         Shop::kBuyList,
         0,
         50,
         kHerb,
         2,
         {kSeChoice, kSeChoice, kSeTrade},
         "50S"},
        {"up and right add, down and left take away",
         [] { Progress.m_nMoney = 5000; },
         ShopOwner::Camp,
         ".zzrrudl",
         Shop::kBuyQuantity,
         11,
         5000,
         kHerb,
         0,
         {kSeChoice, kSeChoice},
         "いくつかう？\n 11コ   1100S"},
        {"no money refuses the purchase",
         [] { Progress.m_nMoney = 0; },
         ShopOwner::Camp,
         ".zzuz",
         Shop::kBuyQuantity,
         0,
         0,
         kHerb,
         0,
         {kSeChoice, kSeChoice, kSeRefusal},
         "いくつかう？\n  0コ      0S"},
        {"an item held at its maximum count cannot be bought",
         []
         {
             Progress.m_nMoney = 5000;
             Progress.AddItem(kHerb, 99);
         },
         ShopOwner::Camp,
         ".zzuz",
         Shop::kBuyQuantity,
         0,
         5000,
         kHerb,
         99,
         {kSeChoice, kSeChoice, kSeRefusal},
         "99コもっています"},
        {"the stock's room limits the quantity before the money",
         []
         {
             Progress.m_nMoney = 5000;
             Progress.AddItem(kHerb, 95);
         },
         ShopOwner::Camp,
         ".zzrz",
         Shop::kBuyList,
         0,
         4600,
         kHerb,
         99,
         {kSeChoice, kSeChoice, kSeTrade},
         ""},
        {"a free item costs nothing and needs no money",
         [] { Progress.m_nMoney = 0; },
         ShopOwner::Camp,
         ".zddzrrz",
         Shop::kBuyList,
         0,
         0,
         kStone,
         21,
         {kSeChoice, kSeChoice, kSeTrade},
         ""},
        {"an item of price 0 cannot be sold",
         [] { Progress.AddItem(kStone, 4); },
         ShopOwner::Camp,
         ".dzz",
         Shop::kSellList,
         0,
         0,
         kStone,
         4,
         {kSeChoice, kSeRefusal},
         "4コもっています"},
        {"an empty entry of the stock cannot be sold",
         [] {},
         ShopOwner::Camp,
         ".dzz",
         Shop::kSellList,
         0,
         0,
         kHerb,
         0,
         {kSeChoice, kSeRefusal},
         ""},
        {"selling stays within the count held and pays the sell price",
         []
         {
             Progress.m_nMoney = 1000;
             Progress.AddItem(kHerb, 3);
         },
         ShopOwner::Camp,
         ".dzzrrz.",
         Shop::kSellList,
         3,
         1150,
         kHerb,
         0,
         {kSeChoice, kSeChoice, kSeTrade},
         "1150S"},
        {"money after a sale never passes 999999",
         []
         {
             Progress.m_nMoney = 999990;
             Progress.AddItem(kHerb, 5);
         },
         ShopOwner::Camp,
         ".dzzrz.",
         Shop::kSellList,
         5,
         kMaxMoney,
         kHerb,
         0,
         {kSeChoice, kSeChoice, kSeTrade},
         "999999S"},
        {"no goods refuse buying",
         [] { Progress.m_nMoney = 100; },
         ShopOwner::Camp,
         "!z",
         Shop::kMenu,
         0,
         100,
         kHerb,
         0,
         {kSeRefusal},
         "かう\nうる\nでる"},
        {"button 2 leaves the camp's shop",
         [] {},
         ShopOwner::Camp,
         ".x",
         Shop::kOpening,
         0,
         0,
         kHerb,
         0,
         {kSeCancel},
         ""},
        {"button 2 does not leave the stage's shop",
         [] {},
         ShopOwner::Stage,
         ".xxx",
         Shop::kMenu,
         0,
         0,
         kHerb,
         0,
         {},
         "かう\nうる\nでる"},
        {"the stage's shop is left through its last entry",
         [] {},
         ShopOwner::Stage,
         ".ddz",
         Shop::kOpening,
         0,
         0,
         kHerb,
         0,
         {kSeChoice},
         ""},
        {"button 2 steps back from a quantity to its list and to the menu",
         [] { Progress.m_nMoney = 500; },
         ShopOwner::Stage,
         ".zzxx.",
         Shop::kMenu,
         1,
         500,
         kHerb,
         0,
         {kSeChoice, kSeChoice, kSeCancel, kSeCancel},
         "かう\nうる\nでる"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        Progress = ProgressRecord();
        Progress.m_Items.assign(static_cast<std::size_t>(ItemTable.Count()), ItemStack());
        c.m_Setup();
        m_Sounds.clear();
        m_nClosed = 0;
        const int levels = MenuCursor.Count();

        Shop shop(c.m_Owner);
        std::string script = c.m_pScript;
        shop.SetGoods(script[0] == '!' ? ItemList{ItemStack()} : m_Goods);
        script[0] = '.';
        Play(shop, script);

        EXPECT_EQ(shop.SubState(), c.m_nSubState);
        if (c.m_nSubState == Shop::kBuyQuantity || c.m_nSubState == Shop::kSellQuantity)
        {
            EXPECT_EQ(shop.Quantity(), c.m_nQuantity);
        }
        EXPECT_EQ(Progress.m_nMoney, c.m_nMoney);
        EXPECT_EQ(Progress.GetItemCount(c.m_nItem), c.m_nHeld);
        EXPECT_EQ(Sounds(), c.m_Sounds);
        if (*c.m_pShown)
        {
            EXPECT_TRUE(Showed(c.m_pShown));
        }
        // Closed once when it reports so, and then its cursor level is gone.
        const bool closed = c.m_nSubState == Shop::kOpening;
        EXPECT_EQ(m_nClosed, closed ? 1 : 0);
        if (closed)
        {
            EXPECT_EQ(MenuCursor.Count(), levels);
        }
        MenuCursor.Reset();
    }
}

TEST_F(ShopTest, GoodsKeepTheirItemsInOrderAndTheListsShowWhereTheyBelong)
{
    ItemList goods = {ItemStack(), ItemStack(kSword, 99), ItemStack(77, 99), ItemStack(kHerb, 1)};
    Shop shop;
    shop.SetGoods(goods);
    ASSERT_EQ(shop.Goods().Count(), 2); // the empty stack and the item past the table are left out
    EXPECT_EQ(shop.Goods().At(0).m_nItem, kSword);
    EXPECT_EQ(shop.Goods().At(1).m_nItem, kHerb);

    Progress.m_nMoney = 70;
    Play(shop, ".");
    // The top menu, centred across at y = 272 with its pointer at (296, 272).
    EXPECT_TRUE(Drew("textbox 0 (296,272) 48x48 margin 16 colour font かう\nうる\nでる"));
    EXPECT_TRUE(Drew("blit 6 (296,272) 16x16 from (64,0)"));
    Play(shop, "zd");
    // The goods at (192, 64) with their prices; the money and the count held under the last row.
    EXPECT_TRUE(Drew("box 0 (192,64) 288x48"));
    EXPECT_TRUE(Drew("text 0 (192,64)     しょうひん"));
    EXPECT_TRUE(Drew("blit 6 (192,96) 16x16 from (64,0)"));
    EXPECT_TRUE(Drew("textbox 0 (240,152) 0x0 margin 0 colour font 70S"));
    EXPECT_TRUE(Drew("textbox 0 (240,172) 0x0 margin 0 colour font 0コもっています"));
    Play(shop, "z.");
    EXPECT_TRUE(Drew("textbox 0 (240,116) 0x0 margin 0 colour font いくつかう？\n  0コ      0S"));
}

TEST_F(ShopTest, WhileAnEventRunsTheShopsSoundsGoToTheGameThread)
{
    std::atomic<bool> played{false};
    std::atomic<bool> release{false};
    thEvent.Reopen(); // whatever an earlier test left
    ASSERT_TRUE(thEvent.Start(
        [&]
        {
            PlayShopSound(kSeTrade);
            played = true;
            while (!release)
            {
                thEvent.Sleep(1);
            }
        }));
    while (!played)
    {
    }
    ThreadRequest request;
    ASSERT_TRUE(thEvent.TakeRequest(request));
    EXPECT_EQ(request, (ThreadRequest{kEventRequestSound, kSeTrade, 0}));
    EXPECT_TRUE(m_Sounds.empty());
    release = true;
    thEvent.Exit();

    PlayShopSound(kSeTrade); // no event: at once
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeTrade}});
    EXPECT_FALSE(thEvent.TakeRequest(request));
}

} // namespace
