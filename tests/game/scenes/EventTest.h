#pragma once

// Fixture of the event interpreter: the map-rules fixture (stages drawn as
// ASCII maps) with a stand-in for the stage map that writes down what the
// interpreter asks of it, and helpers that place events on the global Stage.
//
// The stand-in's frames are numbered from 1 by its input polls; button 1 is
// held in the frames listed in m_Button1Frames.

#include "EventCommandBuilder.h"
#include "SceneRulesTest.h"
#include "../data/RecordingDrawTarget.h"
#include "game/engine/SystemIni.h"
#include "game/engine/Thread.h"
#include "common/data/EventVocabulary.h"
#include "game/scenes/EventInterpreter.h"

#include <functional>
#include <set>

class RecordingEventHost : public EventHost
{
public:
    StageField& Field() override { return *m_pField; }
    std::span<UnitRecord* const> DeployedUnits() override { return m_Deployed; }
    std::span<EnemyUnitRecord* const> Enemies() override { return m_Enemies; }
    CharacterRecord* Leader() override { return m_pLeader; }
    CharacterRecord* BattlePlayerUnit() override { return m_pBattlePlayer; }
    CharacterRecord* BattleEnemyUnit() override { return m_pBattleEnemy; }
    int32_t TurnNumber() override { return m_nTurn; }
    bool StageClearedBefore() override { return m_bCleared; }

    void MoveMapCursor(int32_t x, int32_t y) override { m_CursorMoves.emplace_back(x, y); }
    void UnitLeftParty(UnitRecord& unit) override { m_LeftParty.push_back(&unit); }
    void OpenShop(const ItemList& goods) override { m_ShopsOpened.push_back(goods); }
    int RunShop() override
    {
        ++m_nShopFrames;
        if (m_ShopFrame)
        {
            m_ShopFrame(m_nShopFrames);
        }
        return m_nShopFrames >= m_nShopLength ? 1 : 0;
    }

    bool WaitForEventFrame() override
    {
        ++m_nWaits;
        m_FrameThreads.insert(Thread::Current());
        if (m_BeforeFrame)
        {
            m_BeforeFrame(m_nWaits);
        }
        if (Thread* self = Thread::Current(); self && !self->Sleep(m_nFrameMilliseconds))
        {
            return false;
        }
        return m_nWaits <= m_nFrameLimit;
    }
    InputState& PollEventInput() override
    {
        ++m_nPolls;
        m_Input.m_nDirections = 0;
        m_Input.m_nButtons = m_Button1Frames.count(m_nPolls) ? kInputButton1 : 0;
        return m_Input;
    }
    DrawTarget& Screen() override { return m_Screen; }
    void DrawMap() override { ++m_nMaps; }
    void PresentFrame() override { ++m_nPresents; }

    // Counts and records from nothing, the shop and the input kept.
    void ResetFrames()
    {
        m_nWaits = m_nPolls = m_nMaps = m_nPresents = m_nShopFrames = 0;
        m_FrameThreads.clear();
        m_Screen.Clear();
        m_CursorMoves.clear();
        m_LeftParty.clear();
        m_ShopsOpened.clear();
    }

    // The textbox lines drawn.
    std::vector<std::string> TextBoxes() const
    {
        std::vector<std::string> boxes;
        for (const std::string& call : m_Screen.Calls())
        {
            if (call.starts_with("textbox"))
            {
                boxes.push_back(call);
            }
        }
        return boxes;
    }

    StageField* m_pField = nullptr;
    std::vector<UnitRecord*> m_Deployed;
    std::vector<EnemyUnitRecord*> m_Enemies;
    CharacterRecord* m_pLeader = nullptr;
    CharacterRecord* m_pBattlePlayer = nullptr;
    CharacterRecord* m_pBattleEnemy = nullptr;
    int32_t m_nTurn = 1;
    bool m_bCleared = false;

    std::vector<std::pair<int32_t, int32_t>> m_CursorMoves;
    std::vector<UnitRecord*> m_LeftParty;
    std::vector<ItemList> m_ShopsOpened;
    int m_nShopLength = 1; // the shop closes in its nth frame
    int m_nShopFrames = 0;
    std::function<void(int frame)> m_ShopFrame;

    std::set<int> m_Button1Frames;
    // Called before the frame is due, outside the frame (and the game-data lock).
    std::function<void(int frame)> m_BeforeFrame;
    uint32_t m_nFrameMilliseconds = 0;
    int m_nFrameLimit = 10000; // no event of a test runs longer
    int m_nWaits = 0;
    int m_nPolls = 0;
    int m_nMaps = 0;
    int m_nPresents = 0;
    std::set<const Thread*> m_FrameThreads;
    InputState m_Input;
    RecordingDrawTarget m_Screen;
};

class EventTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        thEvent.Reopen();
        Stage.m_Event.clear();
        Stage.m_GroupPos.clear();
        FrameRateValues = FrameValues();
    }

    void TearDown() override
    {
        thEvent.Exit();
        TakeRequests();
        FrameRateValues = FrameValues();
        Stage.m_Event.clear();
        SceneRulesTest::TearDown();
    }

    // The stage of the rows, its units deployed and the first player unit the leader.
    StageField& Map(const std::vector<std::string>& rows)
    {
        StageField& field = DrawStage(rows);
        m_Host.m_pField = &field;
        m_Host.m_Deployed = m_PlayerList;
        m_Host.m_Enemies = m_EnemyList;
        m_Host.m_pLeader = m_PlayerList.empty() ? nullptr : m_PlayerList.front();
        return field;
    }

    static EventPage Page(int32_t trigger, std::vector<EventCommand> commands)
    {
        EventPage page;
        page.Init();
        page.m_nTiming = trigger;
        for (EventCommand& command : commands)
        {
            page.m_Action.push_back(std::move(command));
        }
        return page;
    }

    // An event on the cell with the pages; its position in the Stage's list.
    static int AddEvent(int32_t x, int32_t y, std::vector<EventPage> pages)
    {
        Event event;
        event.m_nX = x;
        event.m_nY = y;
        event.m_Page.clear();
        for (EventPage& page : pages)
        {
            event.m_Page.push_back(std::move(page));
        }
        Stage.m_Event.push_back(std::move(event));
        return Stage.m_Event.Count() - 1;
    }

    // A position group of the points, anchored at the first; its number.
    static int AddGroup(std::vector<MapPoint> points)
    {
        PositionGroup group;
        for (const MapPoint& point : points)
        {
            group.m_Point.push_back(point);
        }
        group.m_nCenterX = points.empty() ? 0 : points.front().m_nX;
        group.m_nCenterY = points.empty() ? 0 : points.front().m_nY;
        Stage.m_GroupPos.push_back(group);
        return Stage.m_GroupPos.Count() - 1;
    }

    // Runs the page the trigger finds on this thread, frame by frame, as the
    // event thread would; the frames that went on.
    int RunWithoutThread(CharacterRecord* unit, int32_t trigger)
    {
        EXPECT_TRUE(m_Events.FindTriggeredEvent(unit, trigger));
        m_Events.StartPage();
        int frames = 0;
        while (frames < m_Host.m_nFrameLimit && m_Events.RunEventFrame())
        {
            ++frames;
        }
        return frames;
    }

    // A page of the commands at trigger 0, run without the thread.
    int RunCommands(std::vector<EventCommand> commands, int32_t x = 0, int32_t y = 0)
    {
        Stage.m_Event.clear();
        AddEvent(x, y, {Page(kTriggerPlayerTurnStart, std::move(commands))});
        return RunWithoutThread(nullptr, kTriggerPlayerTurnStart);
    }

    // The requests waiting for the game thread, oldest first (taken).
    static std::vector<ThreadRequest> TakeRequests()
    {
        std::vector<ThreadRequest> requests;
        ThreadRequest request;
        while (thEvent.TakeRequest(request))
        {
            requests.push_back(request);
        }
        return requests;
    }

    static std::vector<std::string> Names(const std::vector<CharacterRecord*>& units)
    {
        std::vector<std::string> names;
        for (const CharacterRecord* unit : units)
        {
            names.push_back(unit->m_strName);
        }
        return names;
    }

    RecordingEventHost m_Host;
    EventInterpreter m_Events{m_Host};
};
