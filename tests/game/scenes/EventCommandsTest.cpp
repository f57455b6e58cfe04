#include "EventTest.h"
#include "game/data/ValueOperations.h"
#include "game/engine/GameMusic.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/ParameterIndex.h"

#include <climits>

namespace
{

class EventCommandsTest : public EventTest
{
protected:
    // The land of every cell, a digit a cell.
    static std::vector<std::string> Lands()
    {
        std::vector<std::string> rows;
        for (int32_t y = 0; y < Stage.m_nHeight; ++y)
        {
            std::string row;
            for (int32_t x = 0; x < Stage.m_nWidth; ++x)
            {
                row += static_cast<char>('0' + Stage.CellAt(x, y));
            }
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(EventCommandsTest, AMessageStaysUntilButtonOneThenTheWaitCountsFramesAtTheFrameRate)
{
    Map({"a"});
    const struct
    {
        int m_nFps;
        int32_t m_nWait;
        int m_nWaitFrames;
    } cases[] = {{60, 6, 6}, {30, 6, 3}, {20, 5, 2}, {60, 0, 1}, {60, -3, 1}};
    for (const auto& c : cases)
    {
        FrameRateValues = DeriveFrameValues(c.m_nFps);
        m_Host.ResetFrames();
        m_Host.m_Button1Frames = {3};
        const int frames = RunCommands({Command(kCommandMessage, {}, "はじまり"), Command(kCommandWait, {c.m_nWait})});
        EXPECT_EQ(frames, 3 + c.m_nWaitFrames) << c.m_nFps << " " << c.m_nWait;
        EXPECT_EQ(m_Host.TextBoxes(),
                  std::vector<std::string>(3, "textbox 0 (80,366) 480x64 margin 0 colour font はじまり"));
        EXPECT_EQ(TakeRequests(), std::vector<ThreadRequest>({{kEventRequestSound, kSeMessage, 0}}));
        // Every frame draws the map and is presented.
        EXPECT_EQ(m_Host.m_nMaps, frames);
        EXPECT_EQ(m_Host.m_nPresents, frames);
    }
}

TEST_F(EventCommandsTest, AnEmptyPageEndsInItsFirstFrameAndAnUnknownCommandDoesNothing)
{
    Map({"a"});
    EXPECT_EQ(RunCommands({}), 0);
    EXPECT_EQ(m_Host.m_nPolls, 1);
    EXPECT_EQ(m_Host.m_nMaps, 0);
    EXPECT_EQ(m_Host.m_nPresents, 0);

    EventCommand unknown = Command(kCommandMoney, {50});
    unknown.m_nCode = 99;
    EXPECT_EQ(RunCommands({unknown, Command(kCommandNone, {})}), 2);
    EXPECT_EQ(Progress.m_nMoney, 0);
}

TEST_F(EventCommandsTest, StatusChangesKeepHpAtOneAndWithinTheMaxima)
{
    Map({"ab"});
    const struct
    {
        int32_t m_nStat;
        int32_t m_nValue;
        int32_t m_nMax;
        int32_t m_nAmount;
        int32_t m_bPercent;
        int32_t m_nResult;
    } cases[] = {
        {kParamHp, 100, 100, -1000000, 0, 1}, // an event never kills
        {kParamHp, 50, 100, INT_MIN, 0, 1},
        {kParamHp, 50, 100, 30, 0, 80},
        {kParamHp, 50, 100, INT_MAX, 0, 100},
        {kParamHp, 10, 25, 50, 1, 23},  // 12.5 rounds to 13
        {kParamHp, 10, 25, -50, 1, 1},  // -13
        {kParamSp, 20, 50, -30, 0, 0},  // SP may reach 0
        {kParamSp, 20, 50, 100, 0, 50},
        {kParamSp, 20, 25, -50, 1, 7},
        {2, 20, 50, 100, 0, 20}, // no such stat
    };
    for (const auto& c : cases)
    {
        for (CharacterRecord* unit : {&Player('a'), &Player('b')})
        {
            for (int k : {kParamHp, kParamSp})
            {
                unit->m_Param[k].m_nBase = c.m_nMax;
                unit->m_Param[k].m_nValue = c.m_nValue;
            }
        }
        // The acting unit b, chosen by the command's own condition.
        Stage.m_Event.clear();
        AddEvent(0, 0,
                 {Page(kTriggerPlayerTurnStart,
                       {Command(kCommandStatus, {0, 1, 3, 0, c.m_nStat, c.m_nAmount, c.m_bPercent})})});
        RunWithoutThread(&Player('b'), kTriggerPlayerTurnStart);
        const int stat = c.m_nStat == kParamSp ? kParamSp : kParamHp;
        EXPECT_EQ(Player('b').m_Param[stat].m_nValue, c.m_nResult) << &c - cases;
        EXPECT_EQ(Player('a').m_Param[stat].m_nValue, c.m_nValue) << &c - cases;
    }
}

TEST_F(EventCommandsTest, AStatusChangeTakesTheUnitsOfThePageOrOfItsOwnCondition)
{
    Map({
        "ab.",
        ".AB",
    });
    auto run = [&](EventPage page)
    {
        for (char letter : {'a', 'b', 'A', 'B'})
        {
            m_ByLetter.at(letter)->m_Param[kParamHp].m_nValue = 50;
        }
        Stage.m_Event.clear();
        AddEvent(0, 0, {page});
        RunWithoutThread(&Player('a'), kTriggerPlayerTurnStart);
        std::string hp;
        for (char letter : {'a', 'b', 'A', 'B'})
        {
            hp += std::to_string(m_ByLetter.at(letter)->m_Param[kParamHp].m_nValue) + " ";
        }
        return hp;
    };
    EventPage enemiesSelected = Page(kTriggerPlayerTurnStart, {Command(kCommandStatus, {1, 0, 0, 0, 0, 10, 0})});
    enemiesSelected.m_nArea = 1;
    enemiesSelected.m_nTarget = 2;
    EXPECT_EQ(run(enemiesSelected), "50 50 60 60 ");
    // Its own condition: the deployed units anywhere.
    enemiesSelected.m_Action.At(0) = Command(kCommandStatus, {0, 1, 1, 0, 0, -10, 0});
    EXPECT_EQ(run(enemiesSelected), "40 40 50 50 ");
    // A page without a position condition selects nobody.
    EXPECT_EQ(run(Page(kTriggerPlayerTurnStart, {Command(kCommandStatus, {1, 0, 0, 0, 0, 10, 0})})),
              "50 50 50 50 ");
}

TEST_F(EventCommandsTest, MoneyAndVariablesStayWithinTheirLimits)
{
    Map({"a"});
    enum Value
    {
        kMoney,
        kVariable,
        kEventVariable
    };
    const struct
    {
        EventCommand m_Command;
        Value m_Value;
        int32_t m_nBefore;
        int32_t m_nAfter;
    } cases[] = {
        {Command(kCommandMoney, {20}), kMoney, 999990, 999999},
        {Command(kCommandMoney, {INT_MAX}), kMoney, 999990, 999999},
        {Command(kCommandMoney, {-10}), kMoney, 5, 0},
        {Command(kCommandMoney, {INT_MIN}), kMoney, 5, 0},
        {Command(kCommandVariable, {1, kOperatorAssign, 2000000}), kVariable, 0, 999999},
        {Command(kCommandVariable, {1, kOperatorSubtract, 5}), kVariable, -999998, -999999},
        {Command(kCommandVariable, {1, kOperatorMultiply, 3}), kVariable, 500000, 999999},
        {Command(kCommandVariable, {1, kOperatorDivide, 0}), kVariable, 77, 77},
        {Command(kCommandVariable, {1, kOperatorPercent, 50}), kVariable, 7, 4},
        {Command(kCommandEventVariable, {kOperatorAssign, -5000000}), kEventVariable, 0, -999999},
        {Command(kCommandEventVariable, {kOperatorAdd, INT_MAX}), kEventVariable, 999999, 999999},
        {Command(kCommandEventVariable, {kOperatorMultiply, -2}), kEventVariable, 600000, -999999},
        {Command(kCommandEventVariable, {kOperatorSubtract, 3}), kEventVariable, 10, 7},
    };
    for (const auto& c : cases)
    {
        Progress.m_nMoney = c.m_Value == kMoney ? c.m_nBefore : 0;
        Progress.SetVariable(1, c.m_Value == kVariable ? c.m_nBefore : 0);
        Stage.m_Event.clear();
        const int index = AddEvent(0, 0, {Page(kTriggerPlayerTurnStart, {c.m_Command})});
        Stage.m_Event.At(index).m_nEventVar = c.m_Value == kEventVariable ? c.m_nBefore : 0;
        RunWithoutThread(nullptr, kTriggerPlayerTurnStart);
        const int32_t values[] = {Progress.m_nMoney, Progress.GetVariable(1), Stage.m_Event.At(index).m_nEventVar};
        EXPECT_EQ(values[c.m_Value], c.m_nAfter) << &c - cases;
    }
}

TEST_F(EventCommandsTest, AGroupShownPlacesItsEnemiesOnTheNearestFreeCellTheyMayEnter)
{
    const struct
    {
        std::vector<std::string> m_Rows;
        bool m_bTaken; // a stands on A's cell
        bool m_bPlaced;
        int32_t m_nX;
        int32_t m_nY;
    } cases[] = {
        {{".....", "..A..", ".....", "....a"}, false, true, 2, 1}, // its own cell
        {{".....", "..A..", ".....", "....a"}, true, true, 2, 0},  // up
        {{"..#..", "..A..", ".....", "....a"}, true, true, 2, 2},  // down
        {{"..#..", "..A..", "..b..", "....a"}, true, true, 1, 1},  // left
        {{"..#..", ".#A..", "..b..", "....a"}, true, true, 3, 1},  // right
        {{".....", "..#..", ".#A#.", "..b..", "....a"}, true, true, 2, 0}, // on, past the wall above
        {{"A~a"}, true, true, 1, 0},                                        // marsh is land all the same
        {{"A#a"}, true, true, 2, 0},                                        // a left its own cell free
    };
    for (const auto& c : cases)
    {
        Map(c.m_Rows);
        EnemyUnitRecord& enemy = Enemy('A');
        // The group starts hidden: its enemy is off the map.
        enemy.m_nPlayG = 1;
        m_Field->SetGroupShown(1, false);
        m_Field->RemoveUnit(enemy);
        enemy.m_nPlayB = 0;
        if (c.m_bTaken)
        {
            m_Field->PlaceUnit(Player('a'), enemy.m_nPlayE, enemy.m_nPlayF);
        }
        Stage.m_Event.clear();
        AddEvent(0, 0, {Page(kTriggerPlayerTurnStart, {Command(kCommandEnemyGroup, {1, 1})})});
        const int held = AddEvent(enemy.m_nPlayE, enemy.m_nPlayF, {});
        enemy.SetHeldEvent(held);

        RunWithoutThread(nullptr, kTriggerPlayerTurnStart);
        EXPECT_TRUE(m_Field->IsGroupShown(1));
        EXPECT_EQ(enemy.m_nPlayB, 1) << &c - cases;
        EXPECT_EQ(enemy.m_nPlayE, c.m_nX) << &c - cases;
        EXPECT_EQ(enemy.m_nPlayF, c.m_nY) << &c - cases;
        EXPECT_EQ(m_Field->UnitAt(c.m_nX, c.m_nY), &enemy) << &c - cases;
        EXPECT_EQ(Stage.m_Event.At(held).m_nX, c.m_nX) << &c - cases; // the held event goes with it
        EXPECT_EQ(Stage.m_Event.At(held).m_nY, c.m_nY) << &c - cases;
    }
}

TEST_F(EventCommandsTest, AGroupHiddenTakesItsEnemiesOffTheMapButNeverThoseOfGroupZero)
{
    Map({
        "A.B",
        "...",
        "..a",
    });
    Enemy('B').m_nPlayG = 2;
    Enemy('A').m_nPlayG = 0;

    RunCommands({Command(kCommandEnemyGroup, {2, 1}), Command(kCommandEnemyGroup, {2, 0})});
    EXPECT_EQ(Enemy('B').m_nPlayB, 0);
    EXPECT_EQ(m_Field->UnitAt(2, 0), nullptr);
    EXPECT_FALSE(m_Field->IsGroupShown(2));

    RunCommands({Command(kCommandEnemyGroup, {0, 0})});
    EXPECT_FALSE(m_Field->IsGroupShown(0)); // its flag changes; the enemy stays where it is
    EXPECT_EQ(Enemy('A').m_nPlayB, 1);
    EXPECT_EQ(m_Field->UnitAt(0, 0), &Enemy('A'));

    // A down enemy does not come back; a group outside the flags changes nothing.
    Enemy('B').m_nPlayD = 1;
    RunCommands({Command(kCommandEnemyGroup, {2, 1}), Command(kCommandEnemyGroup, {101, 1})});
    EXPECT_EQ(Enemy('B').m_nPlayB, 0);
    EXPECT_EQ(m_Field->UnitAt(2, 0), nullptr);

    // No free cell left: the enemy stays off the map.
    Map({"Aa"});
    Enemy('A').m_nPlayG = 3;
    m_Field->SetGroupShown(3, false);
    m_Field->RemoveUnit(Enemy('A'));
    Enemy('A').m_nPlayB = 0;
    m_Field->PlaceUnit(Player('a'), 0, 0);
    Stage.CellAt(1, 0) = kLandWall;
    RunCommands({Command(kCommandEnemyGroup, {3, 1})});
    EXPECT_EQ(Enemy('A').m_nPlayB, 0);
    EXPECT_EQ(m_Field->UnitAt(0, 0), &Player('a'));
}

TEST_F(EventCommandsTest, MapChipsChangeWhereTheScopeSaysAndWhenTheirLandMatches)
{
    const struct
    {
        std::vector<int32_t> m_Args; // scope, from, to, group
        std::vector<std::string> m_Lands;
    } cases[] = {
        {{1, -1, 3, 0}, {"333", "333", "333"}}, // every cell, any land
        {{1, 2, 3, 0}, {"131", "313", "131"}},  // every hill
        {{2, 1, 4, 0}, {"121", "242", "121"}},  // the event's cell
        {{2, 2, 4, 0}, {"121", "212", "121"}},  // the event's cell is no hill
        {{3, -1, 3, 1}, {"331", "212", "121"}}, // the group's points (one off the map)
        {{3, -1, 3, 5}, {"121", "212", "121"}}, // no such group
        {{1, -1, 9, 0}, {"121", "212", "121"}}, // no such land
        {{0, -1, 3, 0}, {"121", "212", "121"}}, // no scope
    };
    for (const auto& c : cases)
    {
        Map({".^.", "^.^", ".^."});
        Stage.m_GroupPos.clear();
        AddGroup({});
        AddGroup({{0, 0}, {1, 0}, {7, 7}});
        RunCommands({Command(kCommandChangeMapChip, c.m_Args)}, 1, 1);
        EXPECT_EQ(Lands(), c.m_Lands) << &c - cases;
    }
}

TEST_F(EventCommandsTest, TheCursorGoesToTheEventTheLeaderAGroupOrACell)
{
    Map({
        "....",
        "..a.",
    });
    AddGroup({});
    AddGroup({{3, 0}, {0, 0}});
    const struct
    {
        std::vector<int32_t> m_Args;
        bool m_bLeaderActive;
        std::vector<std::pair<int32_t, int32_t>> m_Moves;
    } cases[] = {
        {{0}, true, {{1, 0}}},          // the event's cell
        {{1}, true, {{2, 1}}},          // the leader
        {{1}, false, {}},               // a leader not on the map: no move
        {{2, 1}, true, {{3, 0}}},       // the anchor of the group
        {{2, 4}, true, {}},             // no such group
        {{3, 0, 2, 1}, true, {{2, 1}}}, // a cell
        {{4}, true, {}},
    };
    for (const auto& c : cases)
    {
        m_Host.ResetFrames();
        Player('a').m_nPlayB = c.m_bLeaderActive ? 1 : 0;
        RunCommands({Command(kCommandMoveCursor, c.m_Args)}, 1, 0);
        EXPECT_EQ(m_Host.m_CursorMoves, c.m_Moves) << &c - cases;
    }
}

TEST_F(EventCommandsTest, TheStageMusicNameAsksForTheStageMusic)
{
    Map({"a"});
    RunCommands({Command(kCommandMusic, {1}, "bgm\\Boss.mid"), Command(kCommandMusic, {0}, "bgm\\Storm.ogg"),
                 Command(kCommandMusic, {2}, "")});
    EXPECT_EQ(Progress.m_strMusic[0], "bgm\\Storm.ogg");
    EXPECT_EQ(Progress.m_strMusic[1], "bgm\\Boss.mid");
    EXPECT_EQ(Progress.m_strMusic[2], "");
    EXPECT_EQ(TakeRequests(), std::vector<ThreadRequest>({{kEventRequestStageMusic, 0, 0}}));

    const MusicRequest request = StageMusicRequest();
    EXPECT_EQ(request.m_nChannel, 0);
    EXPECT_EQ(request.m_nTrack, kMusicStage);
    EXPECT_TRUE(request.m_bSetFile);
    EXPECT_EQ(request.m_strFile, "bgm\\Storm.ogg");
    EXPECT_EQ(request.m_Action, MusicAction::Play);
    EXPECT_EQ(request.m_nPause, 1);
    EXPECT_EQ(request.m_nRestart, 1);
}

TEST_F(EventCommandsTest, TheShopOffersTheValidGoodsNinetyNineEachUntilItCloses)
{
    Map({"a"});
    Progress.Validate();
    Progress.AddShopGoods(ItemStack(4, kShopGoodsCount));
    for (int32_t stock : {0, 1})
    {
        m_Host.ResetFrames();
        m_Host.m_nShopLength = 3;
        EventCommand shop = Command(kCommandShop, {stock});
        for (int32_t item : {5, 9, -1, 0, 3})
        {
            ShopItemEntry entry;
            entry.m_nItem = item;
            shop.m_ShopItem.push_back(entry);
        }
        EXPECT_EQ(RunCommands({shop}), 3);
        ASSERT_EQ(m_Host.m_ShopsOpened.size(), 1u);
        const ItemList& goods = m_Host.m_ShopsOpened[0];
        ASSERT_EQ(goods.Count(), 2);
        EXPECT_EQ(goods.At(0).m_nItem, 5);
        EXPECT_EQ(goods.At(1).m_nItem, 3);
        EXPECT_EQ(goods.At(0).m_nCount, kShopGoodsCount);
        EXPECT_EQ(goods.At(1).m_nCount, kShopGoodsCount);
        // With p0 the goods join the camp's shop, which stays in item order.
        std::vector<int32_t> camp;
        for (const ItemStack& stack : Progress.m_ShopGoods)
        {
            if (stack.m_nItem != 0)
            {
                camp.push_back(stack.m_nItem);
            }
        }
        EXPECT_EQ(camp, stock ? std::vector<int32_t>({3, 4, 5}) : std::vector<int32_t>({4})) << stock;
    }
}

TEST_F(EventCommandsTest, PartyMembersWhoLeaveGoOffTheMap)
{
    Map({"..."});
    Progress.Validate();
    for (int slot : {0, 1, 2, 3})
    {
        PartyUnits.At(slot) = Member(slot == 0 ? 1 : slot == 3 ? 3 : 2);
    }
    UnitRecord& leader = PartyUnits.At(0);
    UnitRecord& first = PartyUnits.At(1);
    UnitRecord& second = PartyUnits.At(2);
    leader.m_nPlayA = 1;
    for (UnitRecord* unit : {&leader, &first})
    {
        unit->m_nPlayB = 1;
    }
    m_Field->PlaceUnit(leader, 0, 0);
    m_Field->PlaceUnit(first, 1, 0);
    m_Host.m_Deployed = {&leader, &first};

    RunCommands({Command(kCommandParty, {2, -1})});
    EXPECT_FALSE(first.IsPartyMember());
    EXPECT_EQ(m_Field->UnitAt(1, 0), nullptr);
    EXPECT_TRUE(second.IsPartyMember());
    EXPECT_EQ(m_Host.m_LeftParty, std::vector<UnitRecord*>({&first}));

    m_Host.ResetFrames();
    RunCommands({Command(kCommandParty, {2, -5}), Command(kCommandParty, {1, -1}), Command(kCommandParty, {3, 2})});
    EXPECT_EQ(m_Host.m_LeftParty, std::vector<UnitRecord*>({&second}));
    EXPECT_EQ(second.m_nHead, 3); // its free slot took one of the new members
    EXPECT_TRUE(leader.IsPartyMember()); // the leader never leaves
    EXPECT_EQ(m_Field->UnitAt(0, 0), &leader);
    EXPECT_EQ(CountPartyMembers(PartyUnits), 4); // the leader and three of friend 3
}

TEST_F(EventCommandsTest, ItemsHiringAndTheGraphicChangeTheirRecords)
{
    Map({"a"});
    Progress.Validate();
    RunCommands({Command(kCommandItems, {3, 4}), Command(kCommandItems, {3, -1}), Command(kCommandFriendShop, {3, 2}),
                 Command(kCommandChangeGraphic, {7})});
    EXPECT_EQ(Progress.GetItemCount(3), 3);
    ASSERT_EQ(Progress.m_HireList.Count(), 2);
    EXPECT_EQ(Progress.m_HireList.At(1).m_nHead, 3);
    EXPECT_EQ(Stage.m_Event.At(0).m_Page.At(0).m_nGraphic, 7);
}

TEST_F(EventCommandsTest, StageClearAndGameOverEndThePageAtOnce)
{
    Map({"a"});
    for (int32_t code : {kCommandStageClear, kCommandGameOver})
    {
        m_Host.ResetFrames();
        Progress.SetVariable(1, 0);
        const int frames = RunCommands({Command(kCommandVariable, {1, kOperatorAssign, 1}), Command(code, {}),
                                        Command(kCommandVariable, {1, kOperatorAssign, 2})});
        EXPECT_EQ(frames, 1);
        EXPECT_EQ(m_Host.m_nPresents, 1); // the last frame is not presented
        EXPECT_EQ(Progress.GetVariable(1), 1);
        EXPECT_EQ(m_Events.Result(), code == kCommandStageClear ? kEventResultStageClear : kEventResultGameOver);
    }
}

} // namespace
