#include "EventTest.h"
#include "game/data/ValueOperations.h"

namespace
{

using EventConditionsTest = EventTest;

TEST_F(EventConditionsTest, APageIsActiveOnlyWhenEveryConditionHolds)
{
    Map({"a"});
    const struct
    {
        int32_t m_nTurn;
        int32_t m_nCurrentTurn;
        int32_t m_bUseEventVar;
        int32_t m_nEventVar;
        int32_t m_nEventVarValue;
        int32_t m_nEventVarCompare;
        int32_t m_nVariable;
        int32_t m_nVariableValue;
        int32_t m_nVariableCompare;
        int32_t m_bFirstTryOnly;
        bool m_bCleared;
        bool m_bActive;
    } cases[] = {
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, true, true},     // no condition at all
        {3, 3, 0, 0, 0, 0, 0, 0, 0, 0, false, true},    // its turn
        {3, 4, 0, 0, 0, 0, 0, 0, 0, 0, false, false},   // another turn
        {0, 1, 1, 5, 5, 0, 0, 0, 0, 0, false, true},    // event variable = 5
        {0, 1, 1, 5, 5, 1, 0, 0, 0, 0, false, false},   // event variable != 5
        {0, 1, 0, 5, 9, 0, 0, 0, 0, 0, false, true},    // an event-variable condition not used
        {0, 1, 1, 5, 4, 4, 0, 0, 0, 0, false, true},    // 5 > 4
        {0, 1, 1, 5, 4, 9, 0, 0, 0, 0, false, false},   // an unknown comparison is false
        {0, 1, 0, 0, 0, 0, 2, 10, 2, 0, false, true},   // variable 2 (10) >= 10
        {0, 1, 0, 0, 0, 0, 2, 11, 2, 0, false, false},  // variable 2 (10) >= 11
        {0, 1, 0, 0, 0, 0, 40, 0, 0, 0, false, true},   // a variable never written reads 0
        {0, 1, 0, 0, 0, 0, 0, 99, 0, 0, false, true},   // variable number 0: no condition
        {0, 1, 0, 0, 0, 0, 0, 0, 0, 1, false, true},    // first attempt
        {0, 1, 0, 0, 0, 0, 0, 0, 0, 1, true, false},    // cleared before
    };
    Progress.SetVariable(2, 10);
    for (const auto& c : cases)
    {
        EventPage page = Page(kTriggerPlayerTurnStart, {});
        page.m_nTurn = c.m_nTurn;
        page.m_bUseEventVar = c.m_bUseEventVar;
        page.m_nEventVarValue = c.m_nEventVarValue;
        page.m_nEventVarCompare = c.m_nEventVarCompare;
        page.m_nVariable = c.m_nVariable;
        page.m_nVariableValue = c.m_nVariableValue;
        page.m_nVariableCompare = c.m_nVariableCompare;
        page.m_bFirstTryOnly = c.m_bFirstTryOnly;
        Event event;
        event.m_nEventVar = c.m_nEventVar;
        m_Host.m_nTurn = c.m_nCurrentTurn;
        m_Host.m_bCleared = c.m_bCleared;
        EXPECT_EQ(m_Events.IsPageActive(page, event), c.m_bActive) << &c - cases;
    }
}

TEST_F(EventConditionsTest, TheActivePageIsTheFirstThatMayRunWhateverItsTrigger)
{
    Map({"a"});
    EventPage later = Page(kTriggerTurnEnd, {});
    later.m_nTurn = 2;
    EventPage sooner = Page(kTriggerStageStart, {});
    sooner.m_nTurn = 1;
    const int index = AddEvent(0, 0, {later, sooner, Page(kTriggerTurnEnd, {})});
    const Event& event = Stage.m_Event.At(index);
    m_Host.m_nTurn = 2;
    EXPECT_EQ(m_Events.ActivePage(event), &event.m_Page.At(0));
    m_Host.m_nTurn = 1;
    EXPECT_EQ(m_Events.ActivePage(event), &event.m_Page.At(1));
    m_Host.m_nTurn = 5;
    EXPECT_EQ(m_Events.ActivePage(event), &event.m_Page.At(2));
    Stage.m_Event.At(index).m_Page.At(2).m_nTurn = 6;
    EXPECT_EQ(m_Events.ActivePage(event), nullptr);
}

TEST_F(EventConditionsTest, ThePositionConditionSelectsTheActiveUnitsItAsksFor)
{
    Map({
        "ab...",
        "..A..",
        "...B.",
        "c....",
    });
    Enemy('B').m_nPlayG = 1; // a group not shown: B is not active
    Player('c').m_nPlayD = 1;
    AddGroup({{4, 4}});
    const int group = AddGroup({{0, 0}, {3, 2}, {0, 3}});
    const int index = AddEvent(2, 1, {Page(kTriggerPlayerTurnStart, {})});
    Enemy('A').SetHeldEvent(index);
    const Event& event = Stage.m_Event.At(index);
    const struct
    {
        int32_t m_nWhere;
        int32_t m_nWho;
        int32_t m_nGroup;
        std::vector<std::string> m_Selected;
    } cases[] = {
        {0, 0, 0, {}},                // no condition: holds, with nobody selected
        {1, 0, 0, {"a", "b", "A"}},   // anyone on the map
        {1, 1, 0, {"a", "b"}},        // the deployed units
        {1, 2, 0, {"A"}},             // the enemies
        {1, 3, 0, {"b"}},             // the acting unit
        {1, 4, 0, {"a"}},             // the leader
        {1, 5, 0, {"A"}},             // the event's holder
        {2, 0, 0, {"A"}},             // on the event's cell
        {2, 1, 0, {}},                // no deployed unit there
        {3, 0, group, {"a"}},         // on the group: B and c are not active
        {3, 2, group, {}},            //
        {3, 0, 7, {}},                // a group the stage does not have
        {4, 0, 0, {}},                // an unknown place
        {1, 6, 0, {}},                // an unknown selector
    };
    for (const auto& c : cases)
    {
        std::vector<CharacterRecord*> list = {&Player('c')};
        const bool holds = m_Events.CheckPositionCondition(list, &Player('b'), event, c.m_nWhere, c.m_nWho, c.m_nGroup);
        EXPECT_EQ(Names(list), c.m_Selected) << &c - cases;
        EXPECT_EQ(holds, c.m_nWhere == 0 || !c.m_Selected.empty()) << &c - cases;
    }
    m_Field->SetGroupShown(1, true);
    std::vector<CharacterRecord*> list;
    EXPECT_TRUE(m_Events.CheckPositionCondition(list, nullptr, event, 3, 2, group));
    EXPECT_EQ(Names(list), std::vector<std::string>{"B"});
}

TEST_F(EventConditionsTest, OnlyTheFirstPageThatQualifiesRunsAndAnEarlierFailingPageHidesNoLaterOne)
{
    Map({
        "a..",
        "...",
        "..A",
    });
    auto setVariable = [](int32_t value) { return Command(kCommandVariable, {1, kOperatorAssign, value}); };
    EventPage otherTurn = Page(kTriggerPlayerTurnStart, {setVariable(1)});
    otherTurn.m_nTurn = 5;
    EventPage otherTrigger = Page(kTriggerPlayerTurnEnd, {setVariable(2)});
    EventPage nobodyThere = Page(kTriggerPlayerTurnStart, {setVariable(3)});
    nobodyThere.m_nArea = 2; // a deployed unit on the event's cell
    nobodyThere.m_nTarget = 1;
    EventPage nobodyThereInverted = nobodyThere;
    nobodyThereInverted.m_nExists = 1;
    nobodyThereInverted.m_Action.At(0) = setVariable(4);
    EventPage alsoQualifies = Page(kTriggerPlayerTurnStart, {setVariable(5)});
    AddEvent(1, 1, {otherTurn, otherTrigger, nobodyThere, nobodyThereInverted, alsoQualifies});

    ASSERT_TRUE(m_Events.FindTriggeredEvent(&Player('a'), kTriggerPlayerTurnStart));
    EXPECT_EQ(m_Events.CurrentEventIndex(), 0);
    EXPECT_EQ(m_Events.CurrentPageIndex(), 3);
    EXPECT_TRUE(m_Events.SelectedUnits().empty()); // "いないなら" selects nobody

    EXPECT_EQ(m_Events.RunTrigger(&Player('a'), kTriggerPlayerTurnStart), kEventResultNone);
    EXPECT_EQ(Progress.GetVariable(1), 4);
    EXPECT_EQ(m_Host.m_nPolls, 2); // one command, then the end of the page: the event ran once
    EXPECT_EQ(Stage.m_Event.At(0).m_bDone, 1);

    // With a deployed unit on the cell the third page qualifies first.
    m_Field->PlaceUnit(Player('a'), 1, 1);
    EXPECT_EQ(m_Events.RunTrigger(&Player('a'), kTriggerPlayerTurnStart), kEventResultNone);
    EXPECT_EQ(Progress.GetVariable(1), 3);
}

TEST_F(EventConditionsTest, HeldEventsGoToTheUnitsOnTheirCells)
{
    Map({
        "ab.",
        "..A",
    });
    auto event = [](int32_t x, int32_t y, int32_t held)
    {
        const int index = AddEvent(x, y, {Page(kTriggerHolderActionEnd, {})});
        Stage.m_Event.At(index).m_bHeld = held;
        return index;
    };
    const int onB = event(1, 0, 1);
    const int onA = event(2, 1, 1);
    const int onNobody = event(2, 0, 1);
    const int notHeld = event(0, 0, 0);
    Player('a').SetHeldEvent(onB); // an old link goes
    m_Events.BindHeldEvents();

    EXPECT_EQ(EventInterpreter::HeldEventOf(&Player('a')), nullptr);
    EXPECT_EQ(EventInterpreter::HeldEventOf(&Player('b')), &Stage.m_Event.At(onB));
    EXPECT_EQ(EventInterpreter::HeldEventOf(&Enemy('A')), &Stage.m_Event.At(onA));
    EXPECT_EQ(m_Events.HolderOf(Stage.m_Event.At(onB)), &Player('b'));
    EXPECT_EQ(m_Events.HolderOf(Stage.m_Event.At(onA)), &Enemy('A'));
    EXPECT_EQ(m_Events.HolderOf(Stage.m_Event.At(onNobody)), nullptr);
    EXPECT_EQ(m_Events.HolderOf(Stage.m_Event.At(notHeld)), nullptr);
    EXPECT_EQ(EventInterpreter::HeldEventOf(nullptr), nullptr);
}

TEST_F(EventConditionsTest, HolderTriggersRunOnlyTheEventsOfTheirHolders)
{
    Map({"ab.A"});
    const int32_t triggers[] = {kTriggerHolderActionEnd, kTriggerHolderSpecialCommand, kTriggerHolderBattleStart,
                                kTriggerHolderBattleEnd, kTriggerHolderBattleWon, kTriggerHolderBattleLost};
    const int held = AddEvent(1, 0, {});
    const int other = AddEvent(2, 0, {});
    for (int32_t trigger : triggers)
    {
        Stage.m_Event.At(held).m_Page.push_back(Page(trigger, {Command(kCommandVariable, {trigger, 1, 1})}));
        Stage.m_Event.At(other).m_Page.push_back(Page(trigger, {Command(kCommandVariable, {trigger, 1, 100})}));
    }
    auto run = [&](CharacterRecord* unit, int32_t trigger)
    {
        Progress.SetVariable(trigger, 0);
        m_Events.RunTrigger(unit, trigger);
        return Progress.GetVariable(trigger);
    };
    for (int32_t trigger : triggers)
    {
        // Nobody holds an event: nothing runs, not even the event thread.
        const int frames = m_Host.m_nWaits;
        const bool battle = trigger >= kTriggerHolderBattleStart;
        m_Host.m_pBattlePlayer = battle ? &Player('a') : nullptr;
        m_Host.m_pBattleEnemy = battle ? &Enemy('A') : nullptr;
        EXPECT_EQ(run(&Player('a'), trigger), 0) << trigger;
        EXPECT_EQ(m_Host.m_nWaits, frames) << trigger;

        // b holds the first event: only that one runs.
        Player('b').SetHeldEvent(held);
        if (battle)
        {
            m_Host.m_pBattlePlayer = &Player('b');
        }
        EXPECT_EQ(run(&Player('b'), trigger), 1) << trigger;
        // Outside a battle the battle triggers run nothing.
        m_Host.m_pBattlePlayer = nullptr;
        m_Host.m_pBattleEnemy = nullptr;
        EXPECT_EQ(run(&Player('b'), trigger), battle ? 0 : 1) << trigger;
        Player('b').SetHeldEvent(-1);
    }
}

TEST_F(EventConditionsTest, ASpecialCommandIsOfferedWhereItsPageHoldsForTheUnitThatMoved)
{
    Map({"a.b", "..."});
    AddEvent(1, 1, {Page(kTriggerPlayerTurnStart, {})});
    EventPage gate = Page(kTriggerPlayerSpecialCommand, {});
    gate.m_strCommandName = "しらべる";
    gate.m_nArea = 2;   // on the event's cell
    gate.m_nTarget = 3; // the acting unit
    const int index = AddEvent(2, 0, {gate});
    const EventPage* page = &Stage.m_Event.At(index).m_Page.At(0);

    EXPECT_EQ(m_Events.SpecialCommandPage(&Player('b')), page);
    EXPECT_EQ(m_Events.SpecialCommandPage(&Player('a')), nullptr);
    EXPECT_EQ(m_Events.CurrentEventIndex(), -1); // nothing became current
    Stage.m_Event.At(index).m_Page.At(0).m_nTurn = 5;
    EXPECT_EQ(m_Events.SpecialCommandPage(&Player('b')), nullptr);
}

TEST_F(EventConditionsTest, AnEnemyOffTheMapHoldsNoEvent)
{
    Map({"aA"});
    const int index = AddEvent(1, 0, {Page(kTriggerHolderActionEnd, {})});
    Stage.m_Event.At(index).m_bHeld = 1;
    m_Field->RemoveUnit(Enemy('A'));
    Enemy('A').m_nPlayB = 0;
    m_Events.BindHeldEvents();
    EXPECT_EQ(EventInterpreter::HeldEventOf(&Enemy('A')), nullptr);
    EXPECT_EQ(m_Events.HolderOf(Stage.m_Event.At(index)), nullptr);
}

} // namespace
