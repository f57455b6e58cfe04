#include "game/scenes/EventInterpreter.h"

#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/services/Log.h"
#include "game/data/GameData.h"
#include "game/data/MapCells.h"
#include "game/data/ValueOperations.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/GameMusic.h"
#include "game/engine/Scene.h"
#include "game/engine/SoundEffects.h"

namespace
{

// The channel the stage music plays on.
constexpr int kStageMusicChannel = 0;

// The event thread's input makes buttons 1 and 2 one-shot.
constexpr int kEventButtonMask = kInputButton1 | kInputButton2;

// Position conditions (AreaConditionNames) and who they look at (CharacterSelectorNames).
constexpr int32_t kWhereNone = 0;
constexpr int32_t kWhereMap = 1;
constexpr int32_t kWhereEventCell = 2;
constexpr int32_t kWhereGroup = 3;
constexpr int32_t kWhoAnyone = 0;
constexpr int32_t kWhoPlayers = 1;
constexpr int32_t kWhoEnemies = 2;
constexpr int32_t kWhoActing = 3;
constexpr int32_t kWhoLeader = 4;
constexpr int32_t kWhoHolder = 5;
// "いないなら" (PresenceNames).
constexpr int32_t kPresenceAbsent = 1;

bool IsHolderTrigger(int32_t trigger)
{
    return trigger == kTriggerHolderActionEnd || trigger == kTriggerHolderSpecialCommand;
}

bool IsHolderBattleTrigger(int32_t trigger)
{
    return trigger >= kTriggerHolderBattleStart && trigger <= kTriggerHolderBattleLost;
}

void ServeRequest(const ThreadRequest& request)
{
    switch (request.m_nKind)
    {
    case kEventRequestStageMusic:
        PostMusicRequest(StageMusicRequest());
        break;
    case kEventRequestSound:
        PlaySoundEffect(request.m_nValue);
        break;
    default:
        break;
    }
}

} // namespace

MusicRequest StageMusicRequest()
{
    MusicRequest request = MusicRequestForScene(kSceneStage, true, kSceneStage, kStageMusicChannel, kMusicStage);
    request.m_bSetFile = true;
    request.m_strFile = Progress.m_strMusic[0];
    return request;
}

EventInterpreter::EventInterpreter(EventHost& host) : m_Host(host), m_RequestServer(ServeRequest)
{
}

void EventInterpreter::SetRequestServer(RequestServer server)
{
    m_RequestServer = server ? std::move(server) : RequestServer(ServeRequest);
}

bool EventInterpreter::IsPageActive(const EventPage& page, const Event& event) const
{
    if (page.m_nTurn != 0 && page.m_nTurn != m_Host.TurnNumber())
    {
        return false;
    }
    if (page.m_bUseEventVar && !CompareValues(event.m_nEventVar, page.m_nEventVarValue, page.m_nEventVarCompare))
    {
        return false;
    }
    if (page.m_nVariable != 0 &&
        !CompareValues(Progress.GetVariable(page.m_nVariable), page.m_nVariableValue, page.m_nVariableCompare))
    {
        return false;
    }
    return !page.m_bFirstTryOnly || !m_Host.StageClearedBefore();
}

const EventPage* EventInterpreter::ActivePage(const Event& event) const
{
    for (const EventPage& page : event.m_Page)
    {
        if (IsPageActive(page, event))
        {
            return &page;
        }
    }
    return nullptr;
}

bool EventInterpreter::CheckPositionCondition(std::vector<CharacterRecord*>& list, CharacterRecord* unit,
                                              const Event& event, int32_t where, int32_t who, int32_t group) const
{
    list.clear();
    if (where == kWhereNone)
    {
        return true;
    }
    const StageField& field = m_Host.Field();
    const PositionGroup* points = IsTableIndex(group, Stage.m_GroupPos.Count()) ? &Stage.m_GroupPos.At(group) : nullptr;
    auto consider = [&](CharacterRecord* candidate)
    {
        if (!candidate || !field.IsActive(*candidate))
        {
            return;
        }
        const int32_t x = candidate->m_nPlayE;
        const int32_t y = candidate->m_nPlayF;
        const bool there = where == kWhereMap || (where == kWhereEventCell && x == event.m_nX && y == event.m_nY) ||
                           (where == kWhereGroup && points && PointListContainsXY(x, y, points->m_Point));
        if (there)
        {
            list.push_back(candidate);
        }
    };
    if (who == kWhoAnyone || who == kWhoPlayers)
    {
        for (UnitRecord* player : m_Host.DeployedUnits())
        {
            consider(player);
        }
    }
    if (who == kWhoAnyone || who == kWhoEnemies)
    {
        for (EnemyUnitRecord* enemy : m_Host.Enemies())
        {
            consider(enemy);
        }
    }
    if (who == kWhoActing)
    {
        consider(unit);
    }
    if (who == kWhoLeader)
    {
        consider(m_Host.Leader());
    }
    if (who == kWhoHolder)
    {
        consider(HolderOf(event));
    }
    return !list.empty();
}

bool EventInterpreter::PageConditionHolds(std::vector<CharacterRecord*>& list, const EventPage& page,
                                          const Event& event, CharacterRecord* unit) const
{
    const bool holds = CheckPositionCondition(list, unit, event, page.m_nArea, page.m_nTarget, page.m_nGroup);
    if (page.m_nArea == kWhereNone || page.m_nExists != kPresenceAbsent)
    {
        return holds;
    }
    list.clear();
    return !holds;
}

const EventPage* EventInterpreter::SpecialCommandPage(CharacterRecord* unit) const
{
    std::vector<CharacterRecord*> list;
    for (const Event& event : Stage.m_Event)
    {
        for (const EventPage& page : event.m_Page)
        {
            if (page.m_nTiming == kTriggerPlayerSpecialCommand && IsPageActive(page, event) &&
                PageConditionHolds(list, page, event, unit))
            {
                return &page;
            }
        }
    }
    return nullptr;
}

bool EventInterpreter::FindTriggeredEvent(CharacterRecord* unit, int32_t trigger)
{
    m_nTrigger = trigger;
    m_pUnit = unit;
    const Event* unitEvent = HeldEventOf(unit);
    const Event* battleEvents[2] = {HeldEventOf(m_Host.BattlePlayerUnit()), HeldEventOf(m_Host.BattleEnemyUnit())};
    for (int e = 0; e < Stage.m_Event.Count(); ++e)
    {
        const Event& event = Stage.m_Event.At(e);
        if (event.m_bDone)
        {
            continue;
        }
        if (IsHolderTrigger(trigger) && unitEvent != &event)
        {
            continue;
        }
        if (IsHolderBattleTrigger(trigger) && battleEvents[0] != &event && battleEvents[1] != &event)
        {
            continue;
        }
        for (int p = 0; p < event.m_Page.Count(); ++p)
        {
            const EventPage& page = event.m_Page.At(p);
            if (page.m_nTiming != trigger || !IsPageActive(page, event))
            {
                continue;
            }
            if (PageConditionHolds(m_Selected, page, event, unit))
            {
                m_nEvent = e;
                m_nPage = p;
                return true;
            }
        }
    }
    return false;
}

int EventInterpreter::RunTrigger(CharacterRecord* unit, int32_t trigger)
{
    m_nResult = kEventResultNone;
    if (IsHolderTrigger(trigger) && !HeldEventOf(unit))
    {
        return kEventResultNone;
    }
    if (IsHolderBattleTrigger(trigger))
    {
        CharacterRecord* player = m_Host.BattlePlayerUnit();
        CharacterRecord* enemy = m_Host.BattleEnemyUnit();
        if (!player || !enemy || (!HeldEventOf(player) && !HeldEventOf(enemy)))
        {
            return kEventResultNone;
        }
    }
    for (Event& event : Stage.m_Event)
    {
        event.m_bDone = 0;
    }
    int events = 0;
    while (FindTriggeredEvent(unit, trigger))
    {
        if (events++ >= m_nEventLimit)
        {
            WriteReportAndErrorLog("RunTrigger: trigger %d stopped after %d events", trigger, m_nEventLimit);
            break;
        }
        if (!RunPageOnEventThread() || m_nResult != kEventResultNone)
        {
            break;
        }
        Stage.m_Event.At(m_nEvent).m_bDone = 1;
    }
    return m_nResult;
}

int EventInterpreter::RunTriggers(CharacterRecord* unit, std::initializer_list<int32_t> triggers)
{
    for (int32_t trigger : triggers)
    {
        const int result = RunTrigger(unit, trigger);
        if (result != kEventResultNone)
        {
            return result;
        }
    }
    return kEventResultNone;
}

bool EventInterpreter::RunPageOnEventThread()
{
    // The game thread waits with its own wait, which the close of the game
    // ends; any other caller (a test) with one of its own.
    Thread ownWait("event wait");
    Thread* self = Thread::Current();
    Thread& waiter = self ? *self : ownWait;
    m_pWaiter = &waiter;
    if (!thEvent.Start([this] { EventProcedure(); }))
    {
        m_pWaiter = nullptr;
        if (!thEvent.IsClosed()) // the game closes: nothing is amiss
        {
            WriteReportAndErrorLog("RunTrigger: thEvent did not start");
        }
        return false;
    }
    for (;;)
    {
        const bool finished = thEvent.IsFinished();
        ServeRequests();
        if (finished)
        {
            break;
        }
        if (!waiter.WaitUntil([] { return thEvent.IsFinished() || thEvent.RequestCount() > 0; }))
        {
            thEvent.Exit(); // the game closes: the event ends with it
            m_pWaiter = nullptr;
            return false;
        }
    }
    m_pWaiter = nullptr;
    return true;
}

void EventInterpreter::EventProcedure()
{
    {
        GameDataLock frame;
        StartPage();
    }
    for (;;)
    {
        if (!thEvent.QuitRequested() && m_Host.WaitForEventFrame())
        {
            GameDataLock frame;
            if (RunEventFrame())
            {
                continue;
            }
            break;
        }
        if (thEvent.QuitRequested())
        {
            WriteErrorLog("thEvent WM_QUIT");
        }
        break;
    }
    m_pWaiter->Notify();
}

void EventInterpreter::StartPage()
{
    m_nResult = kEventResultNone;
    m_nCommand = 0;
    m_nSubState = 0;
}

bool EventInterpreter::RunEventFrame()
{
    InputState& input = m_Host.PollEventInput();
    input.ApplyKeyRepeat();
    input.LatchButtons(kEventButtonMask);
    const CheckedVector<EventCommand>& commands = CurrentPage().m_Action;
    if (!IsTableIndex(m_nCommand, commands.Count()))
    {
        return false;
    }
    m_pInput = &input;
    m_Host.DrawMap();
    const EventCommand& command = commands.At(m_nCommand);
    const int32_t code = IsEventCommandCode(command.m_nCode) ? command.m_nCode : kCommandNone;
    const int done = (this->*CommandHandlers[code])(command);
    m_pInput = nullptr;
    if (done != 0)
    {
        if (m_nResult != kEventResultNone)
        {
            return false;
        }
        m_nSubState = 0;
        ++m_nCommand;
    }
    m_Host.PresentFrame();
    return true;
}

void EventInterpreter::Request(int32_t kind, int32_t value)
{
    thEvent.QueueRequest(kind, value, 0);
    if (m_pWaiter)
    {
        m_pWaiter->Notify();
    }
}

void EventInterpreter::ServeRequests()
{
    ThreadRequest request;
    while (thEvent.TakeRequest(request))
    {
        m_RequestServer(request);
    }
}

Event& EventInterpreter::CurrentEvent() const
{
    return Stage.m_Event.At(m_nEvent);
}

EventPage& EventInterpreter::CurrentPage() const
{
    return CurrentEvent().m_Page.At(m_nPage);
}

void EventInterpreter::BindHeldEvents()
{
    for (UnitRecord* player : m_Host.DeployedUnits())
    {
        player->SetHeldEvent(-1);
    }
    for (EnemyUnitRecord* enemy : m_Host.Enemies())
    {
        enemy->SetHeldEvent(-1);
    }
    auto standsOn = [](const CharacterRecord* unit, const Event& event)
    { return unit->m_nPlayB && !unit->m_nPlayD && unit->m_nPlayE == event.m_nX && unit->m_nPlayF == event.m_nY; };
    for (int e = 0; e < Stage.m_Event.Count(); ++e)
    {
        Event& event = Stage.m_Event.At(e);
        event.m_nHolder = 0;
        if (!event.m_bHeld)
        {
            continue;
        }
        bool bound = false;
        for (UnitRecord* player : m_Host.DeployedUnits())
        {
            if (!bound && standsOn(player, event))
            {
                player->SetHeldEvent(e);
                bound = true;
            }
        }
        for (EnemyUnitRecord* enemy : m_Host.Enemies())
        {
            if (!bound && standsOn(enemy, event))
            {
                enemy->SetHeldEvent(e);
                bound = true;
            }
        }
    }
}

CharacterRecord* EventInterpreter::HolderOf(const Event& event) const
{
    for (UnitRecord* player : m_Host.DeployedUnits())
    {
        if (player->GetHeldEvent() == &event)
        {
            return player;
        }
    }
    for (EnemyUnitRecord* enemy : m_Host.Enemies())
    {
        if (enemy->GetHeldEvent() == &event)
        {
            return enemy;
        }
    }
    return nullptr;
}

Event* EventInterpreter::HeldEventOf(const CharacterRecord* unit)
{
    if (const auto* player = dynamic_cast<const UnitRecord*>(unit))
    {
        return player->GetHeldEvent();
    }
    if (const auto* enemy = dynamic_cast<const EnemyUnitRecord*>(unit))
    {
        return enemy->GetHeldEvent();
    }
    return nullptr;
}
