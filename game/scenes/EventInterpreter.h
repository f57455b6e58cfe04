#pragma once

// The stage's events in play. At fixed points of play the stage map asks for
// every placed event whose page applies now and has the point's trigger;
// each such page runs on the event thread, one command a frame or more, while
// the game thread waits and serves what the event thread asks of it (the
// stage music, sound effects), in the order asked.
//
// A page applies when its turn, event-variable, global-variable and
// first-clear conditions hold; of one event only the first page that applies,
// has the trigger and meets its position condition runs at a point, and each
// event runs at most once per point. Triggers 15-20 concern the unit that
// holds the event (a held event goes to the unit standing on its cell when
// the attack starts, BindHeldEvents, and moves with it).
//
// Frames. A page runs one frame at a time (RunEventFrame): the input is
// polled, the map drawn, the handler of the current command called; a
// handler returns non-zero when its command is done, and the next command
// follows on the next frame. The event thread runs these frames paced and
// under the game-data lock; tests run them on their own thread.

#include "common/data/Event.h"
#include "game/engine/MusicRequests.h"
#include "game/engine/Thread.h"
#include "game/scenes/EventHost.h"
#include "game/scenes/EventTriggers.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

// Requests of the event thread to the game thread (ThreadRequest::m_nKind).
constexpr int32_t kEventRequestStageMusic = 0; // play the play-through's first music name
constexpr int32_t kEventRequestSound = 1;      // play sound effect m_nValue

// The events one trigger point runs at most; then the point stops with a
// line in the logs.
constexpr int kMaxEventsPerTrigger = 100000;

// The stage music as the event thread asks for it: track 2 on channel 0
// with the play-through's first music name (set even when it is empty),
// started afresh.
MusicRequest StageMusicRequest();

class EventInterpreter
{
public:
    // The stage's events are those of the global Stage.
    explicit EventInterpreter(EventHost& host);
    EventInterpreter(const EventInterpreter&) = delete;
    EventInterpreter& operator=(const EventInterpreter&) = delete;

    // The page may run now: its turn (0 any), its event-variable and global
    // variable conditions (when used), and its first-clear-only flag.
    bool IsPageActive(const EventPage& page, const Event& event) const;
    // The first page of the event that may run now (its graphic is drawn); null when none.
    const EventPage* ActivePage(const Event& event) const;
    // The position condition: where 0 (none) holds, with no unit selected;
    // else the candidates chosen by who (0 the deployed units and the
    // enemies, 1 the deployed units, 2 the enemies, 3 the acting unit, 4 the
    // leader, 5 the event's holder) that are active and stand where asked
    // (1 anywhere, 2 on the event's cell, 3 on a point of the position
    // group) fill the list; true when one does.
    bool CheckPositionCondition(std::vector<CharacterRecord*>& list, CharacterRecord* unit, const Event& event,
                                int32_t where, int32_t who, int32_t group) const;
    // The next event to run at the trigger for the acting unit: the first
    // event not yet done at this point with a page that may run, has the
    // trigger and meets its position condition ("いないなら" inverts a
    // condition of where 1-3 and selects no unit). The event and page become
    // current, the selection is kept for the status command. False when none.
    bool FindTriggeredEvent(CharacterRecord* unit, int32_t trigger);
    // The page that offers the special command to the unit that has moved:
    // the first page of the stage's events that may run now, has the special
    // command's trigger and meets its position condition for the unit; null
    // when none does. Nothing becomes current.
    const EventPage* SpecialCommandPage(CharacterRecord* unit) const;
    // Runs every event of the trigger point, each page on the event thread,
    // and returns the result (EventResult). Called on the game thread, which
    // lets go of the game-data lock while it waits.
    int RunTrigger(CharacterRecord* unit, int32_t trigger);
    // The triggers in turn, until one of them ends the stage; its result.
    int RunTriggers(CharacterRecord* unit, std::initializer_list<int32_t> triggers);

    // The start of the attack: every held event goes to the unit standing on
    // its cell, a deployed unit before an enemy; the others are held by nobody.
    void BindHeldEvents();
    // The unit holding the event; null when none does.
    CharacterRecord* HolderOf(const Event& event) const;
    // The event a unit holds; null for none.
    static Event* HeldEventOf(const CharacterRecord* unit);

    // The current page from its first command, with no result yet (what the
    // event thread does first).
    void StartPage();
    // One frame of the current page: the input polled, the page done when no
    // command is left, else the map drawn, the command's handler called and
    // the frame presented. False once the page is done (no command left, or
    // the stage cleared or lost).
    bool RunEventFrame();
    // The game thread: serves the event thread's requests, oldest first.
    void ServeRequests();

    int Result() const { return m_nResult; }
    int32_t Trigger() const { return m_nTrigger; }
    int CurrentEventIndex() const { return m_nEvent; }
    int CurrentPageIndex() const { return m_nPage; }
    int CurrentCommandIndex() const { return m_nCommand; }
    const std::vector<CharacterRecord*>& SelectedUnits() const { return m_Selected; }

    // The handler of a command code (0-17, kEventCommandCount of them):
    // called each frame with the command until it returns non-zero.
    using CommandHandler = int (EventInterpreter::*)(const EventCommand& command);
    static const CommandHandler CommandHandlers[];

    // What the game thread does with a request: by default the stage music
    // goes to the main window (PostMusicRequest of StageMusicRequest) and a
    // sound effect plays (PlaySoundEffect). Tests watch the requests here.
    using RequestServer = std::function<void(const ThreadRequest& request)>;
    void SetRequestServer(RequestServer server);
    // Tests stop a trigger point sooner.
    void SetEventLimit(int limit) { m_nEventLimit = limit; }

private:
    // The page's position condition ("いないなら" inverts it and selects nobody).
    bool PageConditionHolds(std::vector<CharacterRecord*>& list, const EventPage& page, const Event& event,
                            CharacterRecord* unit) const;
    // Runs the current page on the event thread and serves its requests
    // until it ends. False when the event thread cannot start or the game
    // thread is asked to quit meanwhile.
    bool RunPageOnEventThread();
    void EventProcedure();
    // The event thread asks the game thread for something.
    void Request(int32_t kind, int32_t value);

    Event& CurrentEvent() const;
    EventPage& CurrentPage() const;

    int HandleNothing(const EventCommand& command);
    int HandleMessage(const EventCommand& command);
    int HandleWait(const EventCommand& command);
    int HandleMoveCursor(const EventCommand& command);
    int HandleEnemyGroup(const EventCommand& command);
    int HandleEventVariable(const EventCommand& command);
    int HandleVariable(const EventCommand& command);
    int HandleMapChip(const EventCommand& command);
    int HandleGraphic(const EventCommand& command);
    int HandleMusic(const EventCommand& command);
    int HandleStatus(const EventCommand& command);
    int HandleMoney(const EventCommand& command);
    int HandleItems(const EventCommand& command);
    int HandleShop(const EventCommand& command);
    int HandleHireList(const EventCommand& command);
    int HandleParty(const EventCommand& command);
    int HandleStageClear(const EventCommand& command);
    int HandleGameOver(const EventCommand& command);

    // Shows the enemy (on its cell, or the nearest free cell it may enter)
    // or takes it off the map.
    void ShowEnemy(EnemyUnitRecord& enemy, bool shown);

    EventHost& m_Host;
    RequestServer m_RequestServer;
    Thread* m_pWaiter = nullptr;    // the game thread's wait, woken by the event thread
    InputState* m_pInput = nullptr; // the input of the frame that runs
    int m_nEventLimit = kMaxEventsPerTrigger;

    // The event state of the scene.
    int32_t m_nTrigger = -1;
    CharacterRecord* m_pUnit = nullptr; // the acting unit of the trigger point
    int m_nEvent = -1;                  // in Stage.m_Event
    int m_nPage = -1;
    int m_nCommand = 0;
    int m_nSubState = 0; // of the running command
    int m_nResult = kEventResultNone;
    std::vector<CharacterRecord*> m_Selected; // by the last position condition
};
