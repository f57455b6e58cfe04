// The shop over the stage map, opened by the event command "お店" and run in
// the frames of the event thread, with scripted input in place of the keys.

#include "EventTest.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/shop/Shop.h"

#include <utility>

namespace
{

using ShopEventTest = EventTest;

TEST_F(ShopEventTest, OnTheEventThreadTheShopsSoundsReachTheGameThreadAndOnlyItsLastEntryClosesIt)
{
    Map({"a"});
    MenuCursor.Reset();
    std::vector<ThreadRequest> served;
    m_Events.SetRequestServer([&](const ThreadRequest& request) { served.push_back(request); });

    // The shop's frames: button 2 twice (no way out on the map), down twice to "でる", button 1.
    const std::vector<std::pair<uint16_t, uint16_t>> script = {
        {0, kInputButton2}, {0, kInputButton2}, {kInputDown, 0}, {kInputDown, 0}, {0, kInputButton1}};
    Shop shop(ShopOwner::Stage);
    int levels = 0;
    m_Host.m_nShopLength = 100;
    m_Host.m_ShopFrame = [&](int frame)
    {
        if (frame == 1)
        {
            levels = MenuCursor.Count();
            shop.SetGoods(m_Host.m_ShopsOpened.back());
        }
        InputState input;
        if (frame <= static_cast<int>(script.size()))
        {
            input.m_nDirections = script[static_cast<std::size_t>(frame - 1)].first;
            input.m_nButtons = script[static_cast<std::size_t>(frame - 1)].second;
        }
        if (shop.RunShop(input, m_Host.m_Screen))
        {
            m_Host.m_nShopLength = frame;
        }
    };
    EventCommand command = Command(kCommandShop, {0});
    ShopItemEntry herb;
    herb.m_nItem = 3;
    command.m_ShopItem.push_back(herb);
    AddEvent(0, 0, {Page(kTriggerPlayerTurnStart, {command})});

    EXPECT_EQ(m_Events.RunTrigger(nullptr, kTriggerPlayerTurnStart), kEventResultNone);
    EXPECT_EQ(m_Host.m_nShopFrames, 5);
    ASSERT_EQ(shop.Goods().Count(), 1);
    EXPECT_EQ(shop.Goods().At(0).m_nItem, 3);
    const std::vector<ThreadRequest> expected = {
        {kEventRequestSound, kSeCursor, 0}, {kEventRequestSound, kSeCursor, 0}, {kEventRequestSound, kSeChoice, 0}};
    EXPECT_EQ(served, expected);
    EXPECT_TRUE(m_Sounds.empty()); // nothing played on the event thread itself
    EXPECT_EQ(MenuCursor.Count(), levels);
    MenuCursor.Reset();
}

} // namespace
