// The stage's events as the map sees them: active pages, position
// conditions, the special command a page offers, and held events.

#include "game/scenes/stage/StageEvents.h"

#include "SceneRulesTest.h"
#include "game/scenes/EventTriggers.h"

namespace
{

class StageEventsTest : public SceneRulesTest
{
protected:
    // An event at (x, y) with one page, placed on the stage.
    Event& AddEvent(int32_t x, int32_t y, int32_t held = 0)
    {
        Event event;
        event.Init();
        event.m_nX = x;
        event.m_nY = y;
        event.m_bHeld = held;
        Stage.m_Event.push_back(event);
        return Stage.m_Event.At(Stage.m_Event.Count() - 1);
    }

    PositionContext Context(CharacterRecord* acting = nullptr, CharacterRecord* leader = nullptr)
    {
        PositionContext context;
        context.m_pField = m_Field.get();
        context.m_Players = m_PlayerList;
        context.m_Enemies = m_EnemyList;
        context.m_pActing = acting;
        context.m_pLeader = leader;
        return context;
    }
};

TEST_F(StageEventsTest, APageAppliesWhenEveryConditionHolds)
{
    struct Case
    {
        const char* m_pName;
        std::function<void(EventPage&, Event&)> m_Set;
        bool m_bActive;
    };
    Progress.SetVariable(2, 10);
    const Case cases[] = {
        {"no condition", [](EventPage&, Event&) {}, true},
        {"this turn", [](EventPage& p, Event&) { p.m_nTurn = 2; }, true},
        {"another turn", [](EventPage& p, Event&) { p.m_nTurn = 3; }, false},
        {"the event's variable is 5",
         [](EventPage& p, Event& e)
         {
             p.m_bUseEventVar = 1;
             p.m_nEventVarValue = 5;
             e.m_nEventVar = 5;
         },
         true},
        {"the event's variable is not 5",
         [](EventPage& p, Event& e)
         {
             p.m_bUseEventVar = 1;
             p.m_nEventVarValue = 5;
             e.m_nEventVar = 4;
         },
         false},
        {"variable 2 at least 10",
         [](EventPage& p, Event&)
         {
             p.m_nVariable = 2;
             p.m_nVariableValue = 10;
             p.m_nVariableCompare = 2;
         },
         true},
        {"variable 2 above 10",
         [](EventPage& p, Event&)
         {
             p.m_nVariable = 2;
             p.m_nVariableValue = 10;
             p.m_nVariableCompare = 4;
         },
         false},
        {"the first attempt only, on a stage cleared before", [](EventPage& p, Event&) { p.m_bFirstTryOnly = 1; },
         false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        Event event;
        event.Init();
        c.m_Set(event.m_Page.At(0), event);
        EXPECT_EQ(IsPageActive(event.m_Page.At(0), event, 2, true), c.m_bActive);
    }
    // The first page that applies is the event's; none means the event is not there.
    Event event;
    event.Init();
    event.m_Page.push_back(event.m_Page.At(0));
    event.m_Page.At(0).m_nTurn = 4;
    EXPECT_EQ(ActivePage(event, 2, false), &event.m_Page.At(1));
    event.m_Page.At(1).m_nTurn = 4;
    EXPECT_EQ(ActivePage(event, 2, false), nullptr);
}

TEST_F(StageEventsTest, APositionConditionSelectsTheActiveUnitsWhereItLooks)
{
    DrawStage({"ab.", "AB.", "..."});
    Stage.m_GroupPos.assign(2, PositionGroup());
    Stage.m_GroupPos.At(1).m_Point.push_back(MapPoint{1, 0});
    Stage.m_GroupPos.At(1).m_Point.push_back(MapPoint{1, 1});
    Event& event = AddEvent(0, 0);
    std::vector<CharacterRecord*> selected;
    const PositionContext context = Context(&Player('b'), &Player('a'));

    struct Case
    {
        const char* m_pName;
        int32_t m_nWhere;
        int32_t m_nWho;
        std::vector<char> m_Selected;
    };
    const Case cases[] = {
        {"anyone anywhere", kAreaWholeMap, kWhoAnyone, {'a', 'b', 'A', 'B'}},
        {"friends on the event's cell", kAreaEventCell, kWhoFriends, {'a'}},
        {"enemies on the event's cell", kAreaEventCell, kWhoEnemies, {}},
        {"enemies in the group", kAreaGroup, kWhoEnemies, {'B'}},
        {"the acting unit on the event's cell", kAreaEventCell, kWhoActing, {}},
        {"the acting unit in the group", kAreaGroup, kWhoActing, {'b'}},
        {"the leader on the event's cell", kAreaEventCell, kWhoLeader, {'a'}},
        {"the holder, when there is none", kAreaWholeMap, kWhoHolder, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        std::vector<CharacterRecord*> expected;
        for (char letter : c.m_Selected)
        {
            expected.push_back(m_ByLetter.at(letter));
        }
        EXPECT_EQ(CheckPositionCondition(selected, context, event, nullptr, c.m_nWhere, c.m_nWho, 1),
                  !expected.empty());
        EXPECT_EQ(selected, expected);
    }
    // An enemy of a hidden group is not there.
    Enemy('B').m_nPlayG = 2;
    m_Field->SetGroupShown(2, false);
    EXPECT_FALSE(CheckPositionCondition(selected, context, event, nullptr, kAreaGroup, kWhoEnemies, 1));

    // A page asking for nobody there holds when nobody is, with nobody selected; no area always holds.
    EventPage& page = event.m_Page.At(0);
    page.m_nArea = kAreaEventCell;
    page.m_nTarget = kWhoEnemies;
    page.m_nExists = kPresentIfAbsent;
    EXPECT_TRUE(PagePositionHolds(selected, context, page, event, nullptr));
    page.m_nTarget = kWhoFriends;
    EXPECT_FALSE(PagePositionHolds(selected, context, page, event, nullptr));
    EXPECT_TRUE(selected.empty());
    page.m_nArea = kAreaNone;
    EXPECT_TRUE(PagePositionHolds(selected, context, page, event, nullptr));
}

TEST_F(StageEventsTest, ASpecialCommandIsOfferedWhereItsPageHoldsForTheActingUnit)
{
    DrawStage({"a.b", "..."});
    Event& plain = AddEvent(1, 1);
    plain.m_Page.At(0).m_nTiming = kTriggerPlayerTurnStart;
    Event& gate = AddEvent(2, 0);
    EventPage& page = gate.m_Page.At(0);
    page.m_nTiming = kTriggerPlayerSpecialCommand;
    page.m_strCommandName = "しらべる";
    page.m_nArea = kAreaEventCell;
    page.m_nTarget = kWhoActing;
    const std::vector<CharacterRecord*> holders(2, nullptr);

    EXPECT_EQ(FindSpecialCommandPage(Stage.m_Event, Context(&Player('b')), holders, 1, false), &page);
    EXPECT_EQ(FindSpecialCommandPage(Stage.m_Event, Context(&Player('a')), holders, 1, false), nullptr);
    page.m_nTurn = 5;
    EXPECT_EQ(FindSpecialCommandPage(Stage.m_Event, Context(&Player('b')), holders, 1, false), nullptr);
}

TEST_F(StageEventsTest, HeldEventsGoToThePlayerUnitsFirstThenTheEnemiesStandingOnThem)
{
    DrawStage({"aAb", "B.."});
    AddEvent(0, 0, 1); // under a
    AddEvent(1, 0, 1); // under A
    AddEvent(2, 0, 0); // under b, not held
    AddEvent(0, 1, 1); // under B, who is off the map
    AddEvent(2, 1, 1); // under nobody
    Enemy('B').m_nPlayB = 0;
    Player('b').SetHeldEvent(3); // what it carried before is dropped
    Stage.m_Event.At(4).m_nHolder = 1;

    std::vector<CharacterRecord*> holders;
    BindHeldEvents(Stage.m_Event, m_PlayerList, m_EnemyList, holders);
    EXPECT_EQ(holders, (std::vector<CharacterRecord*>{&Player('a'), &Enemy('A'), nullptr, nullptr, nullptr}));
    EXPECT_EQ(Player('a').GetHeldEvent(), &Stage.m_Event.At(0));
    EXPECT_EQ(Enemy('A').GetHeldEvent(), &Stage.m_Event.At(1));
    EXPECT_EQ(Player('b').GetHeldEvent(), nullptr);
    EXPECT_EQ(Enemy('B').GetHeldEvent(), nullptr);
    EXPECT_EQ(Stage.m_Event.At(0).m_nHolder, 1);
    EXPECT_EQ(Stage.m_Event.At(4).m_nHolder, 0);
}

} // namespace
